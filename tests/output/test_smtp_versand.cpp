// A real mail: the program's service hands it to msmtp, which delivers it to an SMTP
// server on 127.0.0.1 (aiosmtpd, storing into a Maildir); the received message is read
// back with a MIME parser. A server that does not come up fails the test.

// GLib's headers go before Qt's, whose 'signals' keyword they would otherwise meet.
#include <gmime/gmime.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "output/dm_dat_mail.h"
#include "output/sendmail_post.h"
#include "support/fakes.h"

namespace {

void schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

const QString kPython = QStringLiteral("/usr/bin/python3");

// Runs a short Python snippet; its exit code, -1 when it did not run.
int python(const QString& code, QByteArray* ausgabe = nullptr)
{
    QProcess p;
    p.start(kPython, {"-c", code});
    if (!p.waitForFinished(10000))
        return -1;
    if (ausgabe)
        *ausgabe = p.readAllStandardOutput().trimmed();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

int freierPort()
{
    QByteArray port;
    python("import socket; s = socket.socket(); s.bind(('127.0.0.1', 0)); print(s.getsockname()[1])", &port);
    return port.toInt();
}

QByteArray inhalt(GMimeObject* teil)
{
    GMimeDataWrapper* daten = g_mime_part_get_content(GMIME_PART(teil));
    GMimeStream* strom = g_mime_stream_mem_new();
    g_mime_data_wrapper_write_to_stream(daten, strom);  // decodes the transfer encoding
    GByteArray* b = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(strom));
    QByteArray r(reinterpret_cast<const char*>(b->data), qsizetype(b->len));
    g_object_unref(strom);
    return r;
}

}  // namespace

class TestSmtpVersand : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QProcess server;
    int port = 0;

    QString maildir() const { return dir.filePath("Maildir"); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        for (const char* d : {"tmp", "new", "cur"})
            QVERIFY(QDir().mkpath(maildir() + "/" + d));
        QVERIFY2(QFileInfo("/usr/bin/msmtp").isExecutable(), "msmtp is not installed (scripts/install-deps.sh)");

        port = freierPort();
        QVERIFY2(port > 0, "no free port on 127.0.0.1");
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start(kPython, {"-m", "aiosmtpd", "-n", "-l", QString("127.0.0.1:%1").arg(port), "-c",
                                          "aiosmtpd.handlers.Mailbox", maildir()});
        QVERIFY2(server.waitForStarted(10000), qPrintable(server.errorString()));
        QElapsedTimer uhr;
        uhr.start();
        bool bereit = false;
        while (!bereit && uhr.elapsed() < 20000 && server.state() == QProcess::Running) {
            bereit = python(QString("import socket; socket.create_connection(('127.0.0.1', %1), 1).close()").arg(port)) == 0;
            if (!bereit)
                QTest::qWait(100);
        }
        QVERIFY2(bereit, qPrintable("the SMTP server did not come up: " + server.readAll()));

        schreiben(dir.filePath("msmtprc"), QString("defaults\nauth off\ntls off\nlogfile -\n"
                                                   "account test\nhost 127.0.0.1\nport %1\nfrom verein@club.example\n"
                                                   "account default : test\n")
                                               .arg(port)
                                               .toUtf8());
        QFile::setPermissions(dir.filePath("msmtprc"), QFile::ReadOwner | QFile::WriteOwner);
    }

    void cleanupTestCase()
    {
        if (server.state() != QProcess::NotRunning) {
            server.terminate();
            if (!server.waitForFinished(5000)) {
                server.kill();
                server.waitForFinished(5000);
            }
        }
    }

    void mailWithTwoAttachments()
    {
        QByteArray binaer(4096, '\0');
        for (int i = 0; i < binaer.size(); ++i)
            binaer[i] = char(i % 256 ^ QRandomGenerator::global()->bounded(256));
        const QByteArray ergebnis = "5\tA1-Liga\tDart Club\tPf\xE4" "ile\t\r\n";
        schreiben(dir.filePath("Spielbericht.pdf"), binaer);
        schreiben(dir.filePath("A1-Liga_SPT5_DartClub.txt"), ergebnis);

        klw::test::Harness h;
        klw::TDM_DAT_Mail dm;
        dm.postdienstHolen = [&] {
            return std::make_unique<klw::SendmailPost>("/usr/bin/msmtp", QStringList{"-C", dir.filePath("msmtprc")},
                                                       dir.filePath("Adressbuch"));
        };
        const QStringList anhaenge{dir.filePath("Spielbericht.pdf"), dir.filePath("A1-Liga_SPT5_DartClub.txt")};
        const QString text = QStringLiteral("Hallo Elke Wittkamp\r\n\r\nLiga:  A1-Liga\r\nSpieltag:  5  vom  12.03.2011");
        h.dialogs.answers << true;
        klw::dispatch(h.dialogs, [&] {
            dm.MailSenden(h.dialogs, QStringLiteral("KLW: A1-Liga Spieltag: 5 – Größe"), "elke@meko.example;b@meko.example",
                          "kapitaen@club.example", text, &anhaenge);
        });
        QCOMPARE(h.dialogs.texts(), QStringList{"Mail senden?"});

        QElapsedTimer uhr;
        uhr.start();
        QStringList neu;
        while (neu.isEmpty() && uhr.elapsed() < 10000) {
            neu = QDir(maildir() + "/new").entryList(QDir::Files);
            if (neu.isEmpty())
                QTest::qWait(100);
        }
        QCOMPARE(neu.size(), 1);
        QFile empfangen(maildir() + "/new/" + neu[0]);
        QVERIFY(empfangen.open(QIODevice::ReadOnly));
        const QByteArray roh = empfangen.readAll();

        g_mime_init();
        GMimeStream* strom = g_mime_stream_mem_new_with_buffer(roh.constData(), size_t(roh.size()));
        GMimeParser* parser = g_mime_parser_new_with_stream(strom);
        GMimeMessage* m = g_mime_parser_construct_message(parser, nullptr);
        QVERIFY(m);
        QCOMPARE(QString::fromUtf8(g_mime_message_get_subject(m)), QStringLiteral("KLW: A1-Liga Spieltag: 5 – Größe"));
        char* an = internet_address_list_to_string(g_mime_message_get_to(m), nullptr, FALSE);
        char* cc = internet_address_list_to_string(g_mime_message_get_cc(m), nullptr, FALSE);
        QCOMPARE(QByteArray(an), "elke@meko.example, b@meko.example");
        QCOMPARE(QByteArray(cc), "kapitaen@club.example");
        g_free(an);
        g_free(cc);

        GMimeMultipart* teile = GMIME_MULTIPART(g_mime_message_get_mime_part(m));
        QCOMPARE(g_mime_multipart_get_count(teile), 3);
        GMimeObject* textTeil = g_mime_multipart_get_part(teile, 0);
        QCOMPARE(QString::fromUtf8(inhalt(textTeil)), text + "\r\r");
        const QByteArray erwartet[] = {binaer, ergebnis};
        const char* namen[] = {"Spielbericht.pdf", "A1-Liga_SPT5_DartClub.txt"};
        for (int i = 0; i < 2; ++i) {
            GMimeObject* teil = g_mime_multipart_get_part(teile, i + 1);
            QCOMPARE(QByteArray(g_mime_part_get_filename(GMIME_PART(teil))), QByteArray(namen[i]));
            QCOMPARE(inhalt(teil), erwartet[i]);
        }
        g_object_unref(m);
        g_object_unref(parser);
        g_object_unref(strom);
    }
};

QTEST_GUILESS_MAIN(TestSmtpVersand)
#include "test_smtp_versand.moc"
