#pragma once
// A CUPS scheduler of the test's own: configuration, spool and logs in a temporary folder,
// listening on a socket there, so that the machine's print system is neither used nor
// changed. It dies with the test process and is stopped (and waited for) on destruction.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace klw::test {

class PrivateCupsd {
public:
    // Empty when the scheduler runs; otherwise why it does not.
    QString error;

    PrivateCupsd() { start(); }

    ~PrivateCupsd() { stop(); }

    // cupsd needs some seconds to exit after SIGTERM; it is waited for.
    void stop()
    {
        if (cupsd_.state() == QProcess::NotRunning)
            return;
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(20000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(5000);
        }
    }

    bool running() const { return cupsd_.state() == QProcess::Running; }
    qint64 pid() const { return cupsd_.processId(); }
    QString socket() const { return path("cups.sock"); }
    QString log() const
    {
        QFile f(path("log/error_log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // Runs a CUPS client program against this scheduler; its output, or the error.
    QString tool(const QString& program, const QStringList& arguments) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), socket());
        p.setProcessEnvironment(env);
        p.start(program, arguments);
        if (!p.waitForFinished(30000))
            return QStringLiteral("%1 did not finish").arg(program);
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    }

private:
    void start()
    {
        if (!dir_.isValid())
            return fail(QStringLiteral("no temporary folder"));
        // Filters run as the scheduler's user lp and must reach the spool.
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                               QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        for (const char* sub : {"etc/ppd", "etc/ssl", "spool/tmp", "cache", "state", "log"})
            QDir(dir_.path()).mkpath(QString::fromLatin1(sub));
        QFile::setPermissions(path("spool/tmp"), QFileDevice::Permissions(0x7777));
        write("etc/cupsd.conf", QStringLiteral("Listen %1\nLogLevel info\nBrowsing No\nWebInterface No\n"
                                               "DefaultAuthType None\n<Location />\n  Order allow,deny\n"
                                               "  Allow all\n</Location>\n<Policy default>\n  <Limit All>\n"
                                               "    Order deny,allow\n  </Limit>\n</Policy>\n")
                                    .arg(socket()));
        write("etc/cups-files.conf",
              QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                             "TempDir %1/spool/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                             "PageLog %1/log/page_log\nPrintcap %1/printcap\nFileDevice No\nSandboxing Relaxed\n")
                  .arg(dir_.path()));

        if (::geteuid() != 0)
            return fail(QStringLiteral("the PDF queue writes into the job owner's home only for root; run as root"));
        if (!QFile::exists(kCupsd))
            return fail(QStringLiteral("%1 is missing; scripts/install-deps.sh installs cups").arg(kCupsd));

        cupsd_.setProgram(kCupsd);
        cupsd_.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), path("etc/cupsd.conf"), QStringLiteral("-s"),
                             path("etc/cups-files.conf")});
        cupsd_.setProcessChannelMode(QProcess::ForwardedChannels);
        cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        cupsd_.start();
        if (!cupsd_.waitForStarted(10000))
            return fail(QStringLiteral("cupsd does not start: ") + cupsd_.errorString());
        for (int i = 0; i < 150; ++i) {
            if (tool(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QLatin1String("scheduler is running")))
                return;
            if (cupsd_.state() == QProcess::NotRunning)
                break;
            QTest::qWait(100);
        }
        fail(QStringLiteral("cupsd does not answer on %1").arg(socket()));
    }

    static inline const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");

    QString path(const char* relative) const { return dir_.filePath(QString::fromLatin1(relative)); }
    void write(const char* relative, const QString& text)
    {
        QFile f(path(relative));
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8());
    }
    void fail(const QString& why)
    {
        error = why + QStringLiteral("\n") + log();
        stop();
    }

    QTemporaryDir dir_{QStringLiteral("/tmp/klw-cupsd-XXXXXX")};
    QProcess cupsd_;
};

}  // namespace klw::test
