# A CUPS scheduler of the run's own, with a cups-pdf queue named PDF: configuration, spool
# and logs in a temporary folder, listening on a socket there, so that the machine's print
# system is neither used nor changed. Sourced by run-e2e.sh after e2e-lib.sh.

CUPSD_PID=
CUPS_DIR=
readonly CUPS_PDF_PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

cups() { CUPS_SERVER="$CUPS_DIR/cups.sock" "$@"; }

start_cupsd() {
    [ -x /usr/sbin/cupsd ] || die "cupsd is missing; scripts/install-deps.sh installs cups"
    [ -f "$CUPS_PDF_PPD" ] || die "printer-driver-cups-pdf is missing; scripts/install-deps.sh installs it"
    CUPS_DIR=$(mktemp -d /tmp/klw-e2e-cupsd.XXXXXX)
    chmod 755 "$CUPS_DIR"  # filters run as lp and must reach the spool
    mkdir -p "$CUPS_DIR"/{etc/ppd,etc/ssl,spool/tmp,cache,state,log}
    chmod 1777 "$CUPS_DIR/spool/tmp"
    cat >"$CUPS_DIR/etc/cupsd.conf" <<CONF
Listen $CUPS_DIR/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$CUPS_DIR/etc/cups-files.conf" <<CONF
ServerRoot $CUPS_DIR/etc
RequestRoot $CUPS_DIR/spool
CacheDir $CUPS_DIR/cache
StateDir $CUPS_DIR/state
TempDir $CUPS_DIR/spool/tmp
AccessLog $CUPS_DIR/log/access_log
ErrorLog $CUPS_DIR/log/error_log
PageLog $CUPS_DIR/log/page_log
Printcap $CUPS_DIR/printcap
FileDevice No
Sandboxing Relaxed
CONF
    /usr/sbin/cupsd -f -c "$CUPS_DIR/etc/cupsd.conf" -s "$CUPS_DIR/etc/cups-files.conf" \
        >"$E2E_OUT/cupsd.log" 2>&1 &
    CUPSD_PID=$!
    for _ in $(seq 150); do
        cups lpstat -r 2>/dev/null | grep -q "scheduler is running" && break
        kill -0 "$CUPSD_PID" 2>/dev/null || die "cupsd ended: $(cat "$E2E_OUT/cupsd.log" "$CUPS_DIR/log/error_log" 2>/dev/null)"
        sleep 0.1
    done
    cups lpstat -r | grep -q "scheduler is running" || die "cupsd does not answer on $CUPS_DIR/cups.sock"
    chmod 666 "$CUPS_DIR/cups.sock"
    cups lpadmin -p PDF -E -v cups-pdf:/ -P "$CUPS_PDF_PPD" -o pdftops-renderer-default=pdftocairo ||
        die "lpadmin could not add the PDF queue: $(cat "$CUPS_DIR/log/error_log")"
    cups lpstat -p PDF | grep -q enabled || die "the PDF queue is not enabled"
    cups lpadmin -d PDF  # the print dialog offers the default queue
    step "cupsd with the queue PDF on $CUPS_DIR/cups.sock"
}

# cupsd needs some seconds to end after SIGTERM; it is waited for.
stop_cupsd() {
    if [ -n "$CUPSD_PID" ]; then
        kill "$CUPSD_PID" 2>/dev/null || true
        wait "$CUPSD_PID" 2>/dev/null || true
        CUPSD_PID=
    fi
    [ -n "$CUPS_DIR" ] && rm -rf "$CUPS_DIR"
    CUPS_DIR=
}

# The jobs the queue has taken, finished or not: "PDF-<n> owner size date".
cups_jobs() { cups lpstat -W all -o PDF 2>/dev/null || true; }
