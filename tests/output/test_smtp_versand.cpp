// A real mail: the program's service hands it to /usr/sbin/sendmail (msmtp, with a test
// configuration), which delivers it to an SMTP server on 127.0.0.1 (aiosmtpd, storing into
// a Maildir); the received message is read back with a MIME parser. A server that does not
// come up fails the test.

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
        QVERIFY2(QFileInfo("/usr/sbin/sendmail").isExecutable(),
                 "msmtp-mta is not installed (scripts/install-deps.sh)");

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
            bereit =
                python(QString("import socket; socket.create_connection(('127.0.0.1', %1), 1).close()").arg(port)) == 0;
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

    // Umlauts in the text, the subject, the names and a file name all come back as they were
    // sent; the sender is the account of the mail program.
    void mailWithUmlautsAndTwoAttachments()
    {
        QByteArray binaer(4096, '\0');
        for (int i = 0; i < binaer.size(); ++i)
            binaer[i] = char(i % 256 ^ QRandomGenerator::global()->bounded(256));
        const QByteArray ergebnis = "5\tA1-Liga\tDC B\xE4renh\xF6hle S\xFC"
                                    "d\t\r\n";  // Windows-1252
        schreiben(dir.filePath("Spielbericht_Bärenhöhle.pdf"), binaer);
        schreiben(dir.filePath("A1-Liga_SPT5_DCBärenhöhleSüd.txt"), ergebnis);
        QDir().mkpath(dir.filePath("Adressbuch"));
        schreiben(dir.filePath("Adressbuch/Kontakte.vcf"),
                  "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Horst B=C3=\r\n"
                  "=B6deker\r\nEMAIL;INTERNET:horst@meko.example\r\nEND:VCARD\r\n");

        klw::test::Harness h;
        klw::TDM_DAT_Mail dm;
        dm.postdienstHolen = [&] {
            return std::make_unique<klw::SendmailPost>("/usr/sbin/sendmail", QStringList{"-C", dir.filePath("msmtprc")},
                                                       dir.filePath("Adressbuch"));
        };
        const QStringList anhaenge{dir.filePath("Spielbericht_Bärenhöhle.pdf"),
                                   dir.filePath("A1-Liga_SPT5_DCBärenhöhleSüd.txt")};
        const QString text =
            QStringLiteral("Hallo Horst Bödeker\r\n\r\nLiga:  A1-Liga\r\n"
                           "Paarung:  <DC Bärenhöhle Süd> gegen <Größenwahn 1>\r\n\r\nDC Bärenhöhle Süd");
        const QString betreff = QStringLiteral("KLW: Bezirksliga Süd Spieltag: 5 – Größe");
        h.dialogs.answers << true;
        klw::dispatch(h.dialogs, [&] {
            dm.MailSenden(h.dialogs, betreff, QStringLiteral("Horst Bödeker;Jörg Bärmann <joerg@meko.example>"),
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

        // Headers travel as 7-bit text: the umlauts in them are RFC 2047 words.
        const QByteArray kopf = roh.left(roh.indexOf("\n\n") >= 0 ? roh.indexOf("\n\n") : roh.indexOf("\r\n\r\n"));
        for (const char c : kopf)
            QVERIFY2(uchar(c) < 0x80, kopf.constData());
        QVERIFY2(kopf.toLower().contains("=?utf-8?"), kopf.constData());

        g_mime_init();
        GMimeStream* strom = g_mime_stream_mem_new_with_buffer(roh.constData(), size_t(roh.size()));
        GMimeParser* parser = g_mime_parser_new_with_stream(strom);
        GMimeMessage* m = g_mime_parser_construct_message(parser, nullptr);
        QVERIFY(m);
        QCOMPARE(QString::fromUtf8(g_mime_message_get_subject(m)), betreff);
        auto adressen = [](InternetAddressList* liste) {
            char* t = internet_address_list_to_string(liste, nullptr, FALSE);
            const QString r = QString::fromUtf8(t);
            g_free(t);
            return r;
        };
        QCOMPARE(adressen(g_mime_message_get_to(m)),
                 QStringLiteral("Horst Bödeker <horst@meko.example>, Jörg Bärmann <joerg@meko.example>"));
        QCOMPARE(adressen(g_mime_message_get_cc(m)), QStringLiteral("kapitaen@club.example"));
        QCOMPARE(adressen(g_mime_message_get_from(m)), QStringLiteral("verein@club.example"));

        GMimeMultipart* teile = GMIME_MULTIPART(g_mime_message_get_mime_part(m));
        QCOMPARE(g_mime_multipart_get_count(teile), 3);
        GMimeObject* textTeil = g_mime_multipart_get_part(teile, 0);
        QCOMPARE(QByteArray(g_mime_object_get_content_type_parameter(textTeil, "charset")).toLower(), "utf-8");
        QCOMPARE(inhalt(textTeil), (text + "\r\r").toUtf8());
        char* gelesen = g_mime_text_part_get_text(GMIME_TEXT_PART(textTeil));
        QCOMPARE(QString::fromUtf8(gelesen), text + "\r\r");
        g_free(gelesen);
        const QByteArray erwartet[] = {binaer, ergebnis};
        const QString namen[] = {QStringLiteral("Spielbericht_Bärenhöhle.pdf"),
                                 QStringLiteral("A1-Liga_SPT5_DCBärenhöhleSüd.txt")};
        for (int i = 0; i < 2; ++i) {
            GMimeObject* teil = g_mime_multipart_get_part(teile, i + 1);
            QCOMPARE(QString::fromUtf8(g_mime_part_get_filename(GMIME_PART(teil))), namen[i]);
            QCOMPARE(inhalt(teil), erwartet[i]);
        }
        g_object_unref(m);
        g_object_unref(parser);
        g_object_unref(strom);
    }
};

QTEST_GUILESS_MAIN(TestSmtpVersand)
#include "test_smtp_versand.moc"
