// The mail operations over a scripted mail service, and the program's own service with
// its address book of vCard files and a stand-in submission program.

// GLib's headers go before Qt's, whose 'signals' keyword they would otherwise meet.
#include <gmime/gmime.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "output/dm_dat_mail.h"
#include "output/sendmail_post.h"
#include "output/vcard.h"
#include "support/fakes.h"
#include "support/scripted_post.h"

using klw::Mail;
using klw::test::ScriptedPost;

namespace {

void schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

// A stand-in submission program: a shell script.
QString skript(const QTemporaryDir& dir, const QString& name, const QByteArray& rumpf)
{
    const QString pfad = dir.filePath(name);
    schreiben(pfad, "#!/bin/sh\n" + rumpf + "\n");
    QFile::setPermissions(pfad, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return pfad;
}

const QByteArray kKontakte =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Hans Müller\r\nEMAIL;TYPE=work:hans@club.example\r\n"
    "EMAIL:zweite@club.example\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ohne Adresse\r\nEMAIL:   \r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nFN:kaputt\r\nthis line has no colon\r\nEMAIL:kaputt@x.example\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nFN:Gefaltete\r\n  Zeile\r\nitem1.EMAIL:gefaltet@club.example\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nFN:Nie beendet\r\nEMAIL:offen@x.example\r\n";
const QByteArray kGlobal = "BEGIN:VCARD\nFN:Liga-Bearbeiter A1\nEMAIL:a1@meko.example\nEND:VCARD\n"
                           "BEGIN:VCARD\nFN:Müller\\, Hans\nEND:VCARD\n";

}  // namespace

class TestMail : public QObject {
    Q_OBJECT

    klw::test::Harness h;
    klw::TDM_DAT_Mail dm;
    QList<Mail> gesendet;
    ScriptedPost vorlage;  // copied into each acquired service

    void scripted()
    {
        dm.postdienstHolen = [this] {
            auto p = std::make_unique<ScriptedPost>(vorlage);
            p->gesendet = &gesendet;
            return p;
        };
    }

private slots:
    void init()
    {
        h.dialogs.shown.clear();
        h.dialogs.answers.clear();
        gesendet.clear();
        vorlage = ScriptedPost{};
        scripted();
    }

    void sendAfterYesOnly_data()
    {
        QTest::addColumn<bool>("ja");
        QTest::newRow("Ja sends") << true;
        QTest::newRow("Nein sends nothing, no error") << false;
    }
    void sendAfterYesOnly()
    {
        QFETCH(bool, ja);
        QTemporaryDir dir;
        schreiben(dir.filePath("b.pdf"), "B");
        schreiben(dir.filePath("a.txt"), "A");
        const QStringList anhaenge{dir.filePath("b.pdf"), dir.filePath("a.txt")};
        h.dialogs.answers << ja;
        bool ergebnis = !ja;
        klw::dispatch(h.dialogs, [&] {
            ergebnis = dm.MailSenden(h.dialogs, "Betreff", "a@x;b@x", "c@x", "Zeile 1\r\nZeile 2", &anhaenge);
        });
        QCOMPARE(ergebnis, ja);
        QCOMPARE(h.dialogs.texts(), QStringList{"Mail senden?"});
        QCOMPARE(gesendet.size(), ja ? 1 : 0);
        if (ja) {
            QCOMPARE(gesendet[0].betreff, "Betreff");
            QCOMPARE(gesendet[0].an, "a@x;b@x");
            QCOMPARE(gesendet[0].cc, "c@x");
            QCOMPARE(gesendet[0].text, "Zeile 1\r\nZeile 2\r\r");
            QCOMPARE(gesendet[0].anhaenge, anhaenge);
        }
    }

    // Failures reach the general error box and nothing is sent.
    void sendFailures_data()
    {
        QTest::addColumn<QString>("fall");
        QTest::addColumn<QStringList>("gezeigt");
        QTest::newRow("no mail service") << "kein Dienst" << QStringList{"Kein Mailprogramm verfügbar."};
        QTest::newRow("missing attachment, asked nothing")
            << "Anhang fehlt"
            << QStringList{"Der Anhang \"/nicht/da.pdf\" ist nicht mehr vorhanden.\n\r"
                           "Die Mail wurde nicht gesendet."};
        QTest::newRow("unreadable attachment (a folder), asked nothing")
            << "Anhang Ordner"
            << QStringList{"Der Anhang \"/tmp\" kann nicht gelesen werden.\n\rDie Mail wurde nicht gesendet."};
        QTest::newRow("hand-over fails after Ja") << "Übergabe" << QStringList{"Mail senden?", "kaputt"};
    }
    void sendFailures()
    {
        QFETCH(QString, fall);
        QFETCH(QStringList, gezeigt);
        QStringList anhaenge;
        if (fall == "kein Dienst")
            dm.postdienstHolen = [] { return std::unique_ptr<klw::Postdienst>(); };
        if (fall == "Anhang fehlt")
            anhaenge << "/nicht/da.pdf";
        if (fall == "Anhang Ordner")
            anhaenge << "/tmp";
        if (fall == "Übergabe")
            vorlage.sendeFehler = "kaputt";
        h.dialogs.answers << true;
        klw::dispatch(h.dialogs, [&] { dm.MailSenden(h.dialogs, "B", "a@x", "", "T", &anhaenge); });
        QCOMPARE(h.dialogs.texts(), gezeigt);
        QCOMPARE(h.dialogs.shown.last().kind, klw::test::Shown::Error);
        QVERIFY(gesendet.isEmpty());
    }

    void addressListOrder()
    {
        vorlage.listen["Kontakte"] = {"Hans Müller", "Eva"};
        vorlage.listen["Globales Adressbuch"] = {"Liga A1"};
        vorlage.kontakte = QStringList{" hans@x ", "   ", "", "eva@x"};
        QStringList ziel{"alt"};
        dm.AdressenLesen(h.dialogs, "Globales Adressbuch", ziel);
        QCOMPARE(ziel, (QStringList{"Hans Müller", "Eva", "Liga A1", " hans@x ", "eva@x"}));
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void addressListMessages_data()
    {
        QTest::addColumn<QString>("buchFehler");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("everything missing") << ""
                                            << "Die E-Mail Adressen können nicht nachgelesen werden.";
        QTest::newRow("address book unreadable")
            << "gesperrt"
            << "Folgener Fehler ist beim Outlookadressbuch Nachlesen aufgetreten : \r\n\r\ngesperrt";
    }
    void addressListMessages()
    {
        QFETCH(QString, buchFehler);
        vorlage.buchFehler = buchFehler;
        vorlage.kontakte = QStringList{"  "};
        QStringList ziel{"alt"};
        dm.AdressenLesen(h.dialogs, "Globales Adressbuch", ziel);
        QVERIFY(ziel.isEmpty());
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].kind, klw::test::Shown::Information);
        QTEST(h.dialogs.shown[0].text, "meldung");
    }

    void addressListWithoutService()
    {
        dm.postdienstHolen = []() -> std::unique_ptr<klw::Postdienst> {
            throw std::runtime_error("nicht installiert");
        };
        QStringList ziel{"alt"};
        klw::dispatch(h.dialogs, [&] { dm.AdressenLesen(h.dialogs, "Globales Adressbuch", ziel); });
        QVERIFY(ziel.isEmpty());
        QCOMPARE(h.dialogs.texts(), QStringList{"nicht installiert"});
    }

    // The program's service on real vCard files: a malformed line is skipped, its card is kept.
    void addressBookFromVCards()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("Adressbuch"));
        schreiben(dir.filePath("Adressbuch/Kontakte.vcf"), kKontakte);
        schreiben(dir.filePath("Adressbuch/Globales Adressbuch.vcf"), kGlobal);
        dm.postdienstHolen = [&] {
            return std::make_unique<klw::SendmailPost>("/bin/true", QStringList(), dir.filePath("Adressbuch"));
        };
        QStringList ziel;
        dm.AdressenLesen(h.dialogs, "Globales Adressbuch", ziel);
        QCOMPARE(ziel, (QStringList{"Hans Müller", "Ohne Adresse", "kaputt", "Gefaltete Zeile", "Liga-Bearbeiter A1",
                                    "Müller, Hans", "hans@club.example", "kaputt@x.example", "gefaltet@club.example"}));
        QVERIFY(h.dialogs.shown.isEmpty());

        // A list that is missing is skipped without a word.
        dm.AdressenLesen(h.dialogs, "Gibt es nicht", ziel);
        QCOMPARE(ziel.size(), 7);
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void vcardEdgeCases_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QStringList>("namen");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe:::\n\n\x01", 10) << QStringList();
        QTest::newRow("END without BEGIN, then a good card")
            << QByteArray("END:VCARD\nBEGIN:VCARD\nFN:Gut\nEND:VCARD\n") << QStringList{"Gut"};
        QTest::newRow("lower case and escapes")
            << QByteArray("begin:vcard\nfn:A\\;B\\nC\nend:vcard\n") << QStringList{"A;B\nC"};
        QTest::newRow("second BEGIN drops the unfinished card")
            << QByteArray("BEGIN:VCARD\nFN:Halb\nBEGIN:VCARD\nFN:Ganz\nEND:VCARD\n") << QStringList{"Ganz"};
        QTest::newRow("a bad line and an unknown charset skip their line only")
            << QByteArray("BEGIN:VCARD\nFN;CHARSET=X-GIBT-ES-NICHT:Weg\nkein Doppelpunkt\nN:Bär;Eva\nEND:VCARD\n")
            << QStringList{"Eva Bär"};
    }
    void vcardEdgeCases()
    {
        QFETCH(QByteArray, inhalt);
        QStringList namen;
        for (const klw::VCard& k : klw::VCardsLesen(inhalt))
            namen << k.name;
        QTEST(namen, "namen");
    }

    // Address books as the desktop programs export them. A card reads "name | addresses".
    void desktopExports_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QStringList>("karten");
        // Evolution, vCard 3.0: lines folded at 75 bytes, here in the middle of a "ü".
        QTest::newRow("3.0, Evolution")
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:pas-id-5F1A2B3C00000001\r\n"
                          "FN:Dartclub B\xC3\xA4renh\xC3\xB6hle S\xC3\xBC"
                          "d - Mannschaftsf\xC3\xBChrer G\xC3\r\n"
                          " \xBCnther M\xC3\xBCller\r\n"
                          "N:M\xC3\xBCller;G\xC3\xBCnther;;;\r\nX-EVOLUTION-FILE-AS:M\xC3\xBCller\\, G\xC3\xBCnther\r\n"
                          "EMAIL;TYPE=WORK;X-EVOLUTION-UI-SLOT=1:guenther@dc-baerenhoehle.examp\r\n le\r\n"
                          "EMAIL;TYPE=HOME;X-EVOLUTION-UI-SLOT=2:gm@privat.example\r\n"
                          "ADR;TYPE=HOME:;;Hauptstra\xC3\x9F"
                          "e 1;S\xC3\xBC"
                          "d;;12345;Deutschland\r\n"
                          "REV:2024-03-01T18:00:00Z\r\nEND:VCARD\r\n")
            << QStringList{"Dartclub Bärenhöhle Süd - Mannschaftsführer Günther Müller | "
                           "guenther@dc-baerenhoehle.example, gm@privat.example"};
        // Thunderbird, vCard 4.0: e-mail before the name, the preferred address not first, a
        // quoted parameter value holding ':' and ';'.
        QTest::newRow("4.0, Thunderbird")
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:4.0\r\nEMAIL:anna.alt@example.org\r\n"
                   "EMAIL;PREF=1:anna@club.example\r\nFN:Anna Sch\xC3\xA4"
                   "fer\r\nN:Sch\xC3\xA4"
                   "fer;Anna;;;\r\n"
                   "ADR;LABEL=\"Hauptstr. 1\\n12345 S\xC3\xBC"
                   "d: Haus; hinten\";TYPE=home:;;Hauptstr. 1;;;;\r\n"
                   "UID:urn:uuid:4fbe8971-0bc3-424c-9c26-36c3e1eff6b1\r\nEND:VCARD\r\n"
                   "BEGIN:VCARD\r\nVERSION:4.0\r\nEMAIL;TYPE=\"work,pref\":ole@club.example\r\nFN:Ole\r\nEND:VCARD\r\n")
            << QStringList{"Anna Schäfer | anna@club.example, anna.alt@example.org", "Ole | ole@club.example"};
        // A phone's or a Windows mail program's vCard 2.1: quoted-printable in UTF-8 with soft line breaks (one
        // inside a letter), bare parameters, a card with N only, Windows-1252.
        QTest::newRow("2.1, quoted-printable")
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                   "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:B=C3=B6deker;Horst;;;\r\n"
                   "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=48=6F=72=73=74=20=42=C3=B6=64=65=6B=65=72=20=2D=20=44="
                   "43=20=\r\n"
                   "=42=C3=A4=72=65=6E=68=C3=\r\n=B6=68=6C=65=20=53=C3=BC=64\r\n"
                   "EMAIL;INTERNET:horst.privat@example.org\r\nEMAIL;PREF;INTERNET:horst@dc.example\r\nEND:VCARD\r\n"
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;QUOTED-PRINTABLE;CHARSET=UTF-8:Gr=C3=BC=C3=9Fe\r\n"
                   "EMAIL;INTERNET:gruesse@example.org\r\nEND:VCARD\r\n"
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nN;ENCODING=QUOTED-PRINTABLE;CHARSET=Windows-1252:B=E4r;Eva;;Dr.\r\n"
                   "EMAIL;PREF;INTERNET:eva@example.org\r\nEND:VCARD\r\n")
            << QStringList{"Horst Bödeker - DC Bärenhöhle Süd | horst@dc.example, horst.privat@example.org",
                           "Grüße | gruesse@example.org", "Dr. Eva Bär | eva@example.org"};
        QTest::newRow("byte order mark, LF only, Windows-1252 without a charset")
            << QByteArray("\xEF\xBB\xBF"
                          "BEGIN:VCARD\nVERSION:3.0\nFN:J\xFCrgen\nEMAIL:j@example.org\nEND:VCARD\n")
            << QStringList{"Jürgen | j@example.org"};
    }
    void desktopExports()
    {
        QFETCH(QByteArray, inhalt);
        QStringList karten;
        for (const klw::VCard& k : klw::VCardsLesen(inhalt))
            karten << k.name + " | " + k.adressen.join(", ");
        QTEST(karten, "karten");
    }

    // Display names become addresses when the message is built; an unknown one fails the send
    // before the submission program runs.
    void recipientsResolved()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("Adressbuch"));
        schreiben(dir.filePath("Adressbuch/Kontakte.vcf"), kKontakte);
        schreiben(dir.filePath("Adressbuch/Globales Adressbuch.vcf"), kGlobal);
        const QString lauf = dir.filePath("gelaufen");
        klw::SendmailPost post(skript(dir, "sendmail", "cat > " + lauf.toUtf8()), {}, dir.filePath("Adressbuch"));

        const QByteArray roh = post.nachricht(Mail{"S", "Hans Müller; a1@meko.example", "Liga-Bearbeiter A1", "T", {}});
        g_mime_init();
        GMimeStream* strom = g_mime_stream_mem_new_with_buffer(roh.constData(), size_t(roh.size()));
        GMimeParser* parser = g_mime_parser_new_with_stream(strom);
        GMimeMessage* m = g_mime_parser_construct_message(parser, nullptr);
        QVERIFY(m);
        char* an = internet_address_list_to_string(g_mime_message_get_to(m), nullptr, FALSE);
        char* cc = internet_address_list_to_string(g_mime_message_get_cc(m), nullptr, FALSE);
        QCOMPARE(QString::fromUtf8(an), QStringLiteral("Hans Müller <hans@club.example>, a1@meko.example"));
        QCOMPARE(QString::fromUtf8(cc), QStringLiteral("Liga-Bearbeiter A1 <a1@meko.example>"));
        g_free(an);
        g_free(cc);
        g_object_unref(m);
        g_object_unref(parser);
        g_object_unref(strom);

        const QStringList unbekannt{"Niemand", "Ohne Adresse", "Nie beendet"};
        for (const QString& name : unbekannt) {
            try {
                post.senden(Mail{"S", "a1@meko.example", name, "T", {}});
                QFAIL(qPrintable("sent to " + name));
            } catch (const std::runtime_error& e) {
                QVERIFY2(QString::fromUtf8(e.what()).contains(name), e.what());
            }
        }
        QVERIFY(!QFile::exists(lauf));
    }

    // The submission program decides: a failure with its reason, a hang within a bounded wait.
    void submissionFailures_data()
    {
        QTest::addColumn<QByteArray>("rumpf");
        QTest::addColumn<QString>("grund");
        QTest::newRow("exits non-zero") << QByteArray("cat >/dev/null; echo 'Verbindung abgelehnt' >&2; exit 75")
                                        << "meldet einen Fehler (75): Verbindung abgelehnt";
        QTest::newRow("reason on standard output")
            << QByteArray("cat >/dev/null; echo 'kein Konto'; exit 78") << "meldet einen Fehler (78): kein Konto";
        QTest::newRow("exits 1 without a word")
            << QByteArray("cat >/dev/null; exit 1")
            << "hat mit dem Fehlercode 1 geendet, ohne den Grund zu nennen; die Mail wurde nicht gesendet.";
        QTest::newRow("does not read the mail") << QByteArray("exit 1") << "mit dem Fehlercode 1 geendet";
        QTest::newRow("killed") << QByteArray("cat >/dev/null; kill -9 $$")
                                << "ist abgebrochen; die Mail wurde nicht gesendet.";
        QTest::newRow("hangs") << QByteArray("exec sleep 30") << "nicht innerhalb von 0.5 Sekunden";
    }
    void submissionFailures()
    {
        QFETCH(QByteArray, rumpf);
        QFETCH(QString, grund);
        QTemporaryDir dir;
        klw::SendmailPost post(skript(dir, "sendmail", rumpf), {}, dir.filePath("Adressbuch"));
        post.wartezeit = std::chrono::milliseconds(500);
        QElapsedTimer uhr;
        uhr.start();
        try {
            post.senden(Mail{"S", "a@b.example", "", "T", {}});
            QFAIL("the send should fail");
        } catch (const std::runtime_error& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(grund), e.what());
        }
        QVERIFY(uhr.elapsed() < 10000);
    }

    void submissionProgramMissing()
    {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, klw::SendmailPost("/nicht/installiert/sendmail", {}, "/tmp"));
        dm.postdienstHolen = [] {
            return std::make_unique<klw::SendmailPost>("/nicht/installiert/sendmail", QStringList(), "/tmp");
        };
        klw::dispatch(h.dialogs, [&] { dm.MailSenden(h.dialogs, "B", "a@x", "", "T"); });
        QCOMPARE(h.dialogs.texts(), QStringList{"Das Mailprogramm /nicht/installiert/sendmail ist nicht installiert."});
    }
};

QTEST_GUILESS_MAIN(TestMail)
#include "test_mail.moc"
