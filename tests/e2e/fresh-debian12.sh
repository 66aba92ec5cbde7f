#!/usr/bin/env bash
# Installs the Debian package on a fresh Debian 12 system (a minimal debootstrap in a
# chroot, nothing else installed) and starts it from its menu entry's command on a virtual
# display: shows that the package declares everything the program needs at run time.
# Needs the network and root; takes a few minutes, so it is not part of scripts/test.sh.
# Usage: fresh-debian12.sh <klw_*.deb> [chroot folder, kept for the next run]
set -euo pipefail
package=$(readlink -f "$1")
# The caption carries the program's version, which is the package's (without a Debian revision).
version=$(dpkg-deb -f "$package" Version)
version=${version%-*}
root=${2:-/var/tmp/klw-fresh-debian12}
mounted=()

cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT
mount_into() { # mount options and source..., target inside the chroot
    local target=$root${*: -1}
    mount "${@:1:$#-1}" "$target" && mounted+=("$target")
}

if [ ! -x "$root/usr/bin/apt-get" ]; then
    command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi
# A fresh copy of the base system each time, so that an earlier run's packages do not count.
fresh=$root.run
# Never remove a folder with something still mounted in it (a bound /dev above all).
if grep -q " $fresh/" /proc/self/mounts; then
    echo "fresh-debian12: $fresh still has mounts; unmount them first" >&2
    exit 1
fi
rm -rf "$fresh"
cp -a "$root" "$fresh"
root=$fresh
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$package" "$root/tmp/"
mount_into -t proc proc /proc
mount_into --bind /dev /dev

chroot "$root" /bin/bash -euo pipefail -c "
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
apt-get update -qq
apt-get install -y -qq /tmp/$(basename "$package") >/tmp/apt.log || { cat /tmp/apt.log; exit 1; }
# Every library of the program and of the Qt plugins it loads comes with the package.
missing=\$(ldd /usr/libexec/klw/klw /usr/lib/*/qt6/plugins/platforms/libqxcb.so \
    /usr/lib/*/qt6/plugins/imageformats/libqjpeg.so | grep 'not found' || true)
[ -z \"\$missing\" ] || { echo \"missing libraries: \$missing\"; exit 1; }
# The tools of this check only now.
apt-get install -y -qq --no-install-recommends xvfb xdotool x11-utils >/dev/null
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>/tmp/display 2>/dev/null &
xvfb=\$!
for _ in \$(seq 100); do [ -s /tmp/display ] && break; sleep 0.1; done
export DISPLAY=:\$(cat /tmp/display)
home=\$(mktemp -d) && chown 65534:65534 \$home
command=\$(sed -n 's/^Exec=//p' /usr/share/applications/klw.desktop)
setpriv --reuid=65534 --regid=65534 --clear-groups env -i HOME=\$home PATH=/usr/bin:/bin \
    DISPLAY=\$DISPLAY sh -c \"exec \$command\" >/tmp/program.log 2>&1 &
program=\$!
window=\$(timeout 30 xdotool search --sync --onlyvisible --name '^Spielberichtsbogen')
caption=\$(xprop -id \$window -notype _NET_WM_NAME)
echo \"caption: \$caption\"
test -f \$home/.local/share/klw/Datenbank/KLW.abs
echo \"program: \$(readlink /proc/\$program/exe)\"
kill \$program \$xvfb
wait \$program \$xvfb 2>/dev/null || true
[ \"\$caption\" = '_NET_WM_NAME = \"Spielberichtsbogen des MEKO e. V. - Version: $version\"' ]
echo 'fresh Debian 12: installed and started'
"
