// The result file: its bytes, its name, when it is written, replaced or refused, and the
// mail offer that follows it.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "output/dm_dat_mail.h"
#include "output/druck.h"
#include "output/ergebnis.h"
#include "output/txtdatei.h"
#include "sheet/tables.h"
#include "support/database_harness.h"

using klw::test::Shown;

namespace {

// Points 8 6 4 2 0 0 for home and 2 4 6 8 4 4 for guest, pass numbers 101.. and 201..
// except the empty H5 and G6, totals 33:20 sets and 9:7 games.
void fillSheet(klw::Spielbogen& s)
{
    s.setText("f_spieltag", "5");
    s.setText("f_liga", "A1-Liga");
    s.setText("f_Heimteam", "Dart Club");
    s.setText("f_gastteam", "Pfeile");
    s.setText("f_datum", "12.03.2011");
    const char* punkte[] = {"8", "6", "4", "2", "0", "0", "2", "4", "6", "8", "4", "4"};
    const char* pass[] = {"101", "102", "103", "104", "", "106", "201", "202", "203", "204", "205", ""};
    for (size_t i = 0; i < klw::kPlayerRows.size(); ++i) {
        s.setText(klw::kPlayerRows[i].passNr, pass[i]);
        s.setText(klw::kPlayerRows[i].points, punkte[i]);
    }
    s.setText("Edit50", "33");
    s.setText("Edit85", "20");
    s.setText("Edit49", "9");
    s.setText("Edit84", "7");
}

// Fields 5 to 32 of the sheet above, between the TABs that surround them.
const QByteArray kMitte = "101\t8\t102\t6\t103\t4\t104\t2\t\t0\t106\t0\t"
                          "201\t2\t202\t4\t203\t6\t204\t8\t205\t4\t\t4\t"
                          "33\t20\t9\t7";

}  // namespace

class TestTxtDatei : public QObject {
    Q_OBJECT

    std::unique_ptr<klw::test::DatabaseHarness> h;
    QTemporaryDir home;  // the PDF's save dialog opens in ~/PDF

    QString meko() const { return h->database.programFolder() + QStringLiteral("MEKO/"); }
    QString datei() const { return meko() + QStringLiteral("A1-Liga_SPT5_DartClub.txt"); }
    QByteArray gelesen(const QString& pfad) const
    {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void erstellen()
    {
        klw::dispatch(h->dialogs, [&] { klw::TxtDateiErstellen(h->c); });
    }

private slots:
    void initTestCase() { qputenv("HOME", QFile::encodeName(home.path())); }
    void init()
    {
        h = std::make_unique<klw::test::DatabaseHarness>();
        h->abfragen.ABSDatabase1.open(h->database.file());
        QVERIFY(QDir().mkpath(meko()));
        fillSheet(h->sheet);
    }
    void cleanup() { h.reset(); }

    void recordBytes_data()
    {
        QTest::addColumn<QString>("gast");
        QTest::addColumn<QString>("bemerkung");
        QTest::addColumn<QByteArray>("gastBytes");
        QTest::addColumn<QByteArray>("bemerkungBytes");
        QTest::newRow("empty remark ends in TAB CR LF") << "Pfeile"
                                                        << "" << QByteArray("Pfeile") << QByteArray();
        QTest::newRow("umlauts and euro sign")
            << QStringLiteral("Höllenhunde €uro") << QStringLiteral("Spaß – gut")
            << QByteArray("H\xF6llenhunde \x80uro") << QByteArray("Spa\xDF \x96 gut");
        QTest::newRow("two-line remark") << "Pfeile"
                                         << "Wechsel H5\nfür H2" << QByteArray("Pfeile")
                                         << QByteArray("Wechsel H5\r\nf\xFCr H2");
        QTest::newRow("remark ending in a line break") << "Pfeile"
                                                       << "Ende\n"
                                                       << QByteArray("Pfeile") << QByteArray("Ende\r\n");
        QTest::newRow("outside Windows-1252") << QStringLiteral("Łódź") << QStringLiteral("Ok 😀 \u0081!")
                                              << QByteArray("?\xF3"
                                                            "d?")
                                              << QByteArray("Ok ? ?!");
        QTest::newRow("blanks kept, no quoting") << QStringLiteral(" \"Pfeile\"\t") << QStringLiteral(" ; ")
                                                 << QByteArray(" \"Pfeile\"\t") << QByteArray(" ; ");
    }
    void recordBytes()
    {
        QFETCH(QString, gast);
        QFETCH(QString, bemerkung);
        QFETCH(QByteArray, gastBytes);
        QFETCH(QByteArray, bemerkungBytes);
        h->sheet.setText("f_gastteam", gast);
        h->sheet.setText("m_bemerkung", bemerkung);

        erstellen();

        const QByteArray erwartet =
            "5\tA1-Liga\tDart Club\t" + gastBytes + "\t" + kMitte + "\t" + bemerkungBytes + "\r\n";
        QCOMPARE(gelesen(datei()), erwartet);
        QCOMPARE(h->dialogs.texts(), QStringList{"Ergebniss als Mail verschicken?"});
        QCOMPARE(h->sheet.Programmpfad, meko());
    }

    // The QR code carries the same record as UTF-8, without the file's final CR LF.
    void recordForTheCode()
    {
        h->sheet.setText("f_gastteam", QStringLiteral("Łódź €"));
        h->sheet.setText("m_bemerkung", "a\nb");
        const QString satz = klw::Ergebnissatz(h->sheet);
        QCOMPARE(satz.split('\t').size(), 33);
        QCOMPARE(satz.toUtf8(),
                 "5\tA1-Liga\tDart Club\t" + QStringLiteral("Łódź €").toUtf8() + "\t" + kMitte + "\ta\r\nb");
    }

    void fileName_data()
    {
        QTest::addColumn<QString>("liga");
        QTest::addColumn<QString>("spieltag");
        QTest::addColumn<QString>("heim");
        QTest::addColumn<QString>("name");
        QTest::newRow("blanks of the team removed") << "A1-Liga"
                                                    << "5"
                                                    << "Dart Club 1"
                                                    << "A1-Liga_SPT5_DartClub1.txt";
        QTest::newRow("two in a row and a trailing blank") << "A1-Liga"
                                                           << "5"
                                                           << "Dart  Club "
                                                           << "A1-Liga_SPT5_DartClub.txt";
        QTest::newRow("league and match day as they stand") << "B2-Liga "
                                                            << " 12"
                                                            << "X"
                                                            << "B2-Liga _SPT 12_X.txt";
        QTest::newRow("a slash stays in the folder") << "A1-Liga"
                                                     << "5"
                                                     << "../Club 1/2"
                                                     << "A1-Liga_SPT5_..-Club1-2.txt";
    }
    void fileName()
    {
        QFETCH(QString, liga);
        QFETCH(QString, spieltag);
        QFETCH(QString, heim);
        QFETCH(QString, name);
        h->sheet.setText("f_liga", liga);
        h->sheet.setText("f_spieltag", spieltag);
        h->sheet.setText("f_Heimteam", heim);
        QCOMPARE(klw::ErgebnisDateiname(h->sheet), name);
        erstellen();
        QCOMPARE(QDir(meko()).entryList(QDir::Files), QStringList{name});
    }

    void replaceStr_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("suche");
        QTest::addColumn<QString>("ersatz");
        QTest::addColumn<QString>("ergebnis");
        QTest::newRow("every blank") << " a  b "
                                     << " "
                                     << ""
                                     << "ab";
        QTest::newRow("goes on after a replacement") << "aaa"
                                                     << "aa"
                                                     << "b"
                                                     << "ba";
        QTest::newRow("replacement holds the search") << "a-b"
                                                      << "-"
                                                      << "--"
                                                      << "a--b";
        QTest::newRow("nothing found") << "abc"
                                       << "x"
                                       << "y"
                                       << "abc";
        QTest::newRow("empty search changes nothing") << "abc"
                                                      << ""
                                                      << "y"
                                                      << "abc";
    }
    void replaceStr()
    {
        QFETCH(QString, text);
        QFETCH(QString, suche);
        QFETCH(QString, ersatz);
        QTEST(klw::TDM_DAT_Mail::ReplaceStr(text, suche, ersatz), "ergebnis");
    }

    void secondWriteReplaces()
    {
        h->sheet.setText("m_bemerkung", QStringLiteral("eine lange erste Bemerkung, die länger ist"));
        erstellen();
        h->sheet.setText("m_bemerkung", QStringLiteral("kurz"));
        erstellen();
        QVERIFY(gelesen(datei()).endsWith("\tkurz\r\n"));
        QCOMPARE(gelesen(datei()).count('\t'), 32);
        QCOMPARE(QDir(meko()).entryList(QDir::Files | QDir::Hidden), QStringList{"A1-Liga_SPT5_DartClub.txt"});
    }

    void blankHeaderWritesNothing_data()
    {
        QTest::addColumn<QString>("feld");
        QTest::newRow("league") << "f_liga";
        QTest::newRow("match day") << "f_spieltag";
        QTest::newRow("home team") << "f_Heimteam";
        QTest::newRow("guest team") << "f_gastteam";
    }
    void blankHeaderWritesNothing()
    {
        QFETCH(QString, feld);
        h->sheet.setText(klw::test::fieldNamed(feld), "   ");
        h->dialogs.answers << true;
        erstellen();
        QVERIFY(QDir(meko()).isEmpty());
        QVERIFY(h->dialogs.shown.isEmpty());
        QVERIFY(h->dialogs.mails.isEmpty());
    }

    // Each failure ends the step with its message; none leaves a file or offers the mail.
    void writeFailures_data()
    {
        QTest::addColumn<QString>("stoerung");
        QTest::addColumn<int>("art");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("no MEKO folder") << "kein Ordner" << int(Shown::Error) << "Die Datei ";
        QTest::newRow("MEKO is a file") << "Datei statt Ordner" << int(Shown::Error) << "Die Datei ";
        QTest::newRow("old file cannot be deleted")
            << "Ordner statt Datei" << int(Shown::Information)
            << "Datei konnte nicht gelöscht werden!\n\rDas Erzeugen der TXT-Datei wurde abgebrochen.";
    }
    void writeFailures()
    {
        QFETCH(QString, stoerung);
        QFETCH(int, art);
        QFETCH(QString, meldung);
        QDir(meko()).removeRecursively();
        if (stoerung == "Datei statt Ordner") {
            QFile f(h->database.programFolder() + "MEKO");
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (stoerung == "Ordner statt Datei") {
            QVERIFY(QDir().mkpath(datei() + "/belegt"));
        }
        h->dialogs.answers << true;

        erstellen();

        QCOMPARE(h->dialogs.shown.size(), 1);
        QCOMPARE(int(h->dialogs.shown[0].kind), art);
        QVERIFY2(h->dialogs.shown[0].text.startsWith(meldung), qPrintable(h->dialogs.shown[0].text));
        QVERIFY(h->dialogs.mails.isEmpty());
        const QStringList uebrig = QDir(meko()).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(uebrig.isEmpty(), qPrintable(uebrig.join(',')));
    }

    void mailOfferDeclined()
    {
        h->dialogs.answers << false;
        erstellen();
        QVERIFY(QFile::exists(datei()));
        QVERIFY(h->dialogs.mails.isEmpty());
    }

    void mailWindowPrefilledFromTheOfficial()
    {
        QCOMPARE(h->dm.ABSQueryOpen(h->abfragen.Q_LIGA, "select * from LIGA where LIGAX = 'A1-Liga' "), 1);
        h->dialogs.answers << true;
        erstellen();
        QCOMPARE(h->dialogs.mails.size(), 1);
        const klw::MailDraft& v = h->dialogs.mails[0];
        QCOMPARE(v.betreff, "KLW: A1-Liga Spieltag: 5");
        QCOMPARE(v.an, "elke.wittkamp@meko-darts.example");
        QCOMPARE(v.zeilen, (QStringList{"Hallo Elke Wittkamp", "", "Liga:  A1-Liga", "Spieltag:  5  vom  12.03.2011",
                                        "Paarung:  <Dart Club> gegen <Pfeile>", "",
                                        "Als Anhang unser aktuelle Spielberichtsbogen", "", "Dart Club"}));
    }

    // An official that is not found, and a league that was never looked up in this run,
    // open the window with the subject only.
    void mailWindowWithoutOfficial_data()
    {
        QTest::addColumn<QString>("ligaAbfrage");
        QTest::newRow("official not found") << "select 'A1-Liga' LIGAX, 'SB99' BEARBEITERX";
        QTest::newRow("no league read yet") << "";
    }
    void mailWindowWithoutOfficial()
    {
        QFETCH(QString, ligaAbfrage);
        if (!ligaAbfrage.isEmpty())
            QCOMPARE(h->dm.ABSQueryOpen(h->abfragen.Q_LIGA, ligaAbfrage), 1);
        h->dialogs.answers << true;
        erstellen();
        QCOMPARE(h->dialogs.texts(), QStringList{"Ergebniss als Mail verschicken?"});
        QCOMPARE(h->dialogs.mails.size(), 1);
        QCOMPARE(h->dialogs.mails[0].betreff, "KLW: A1-Liga Spieltag: 5");
        QVERIFY(h->dialogs.mails[0].an.isEmpty());
        QVERIFY(h->dialogs.mails[0].zeilen.isEmpty());
    }

    // The preview button with "Maildatei erstellen" checked: the file comes first, and only
    // a file that cannot be written stops the report.
    void printWithResultFile_data()
    {
        QTest::addColumn<QString>("fall");
        QTest::addColumn<bool>("geschrieben");
        QTest::addColumn<int>("vorschauen");
        QTest::addColumn<QStringList>("gezeigt");
        // The sheet holds totals but no game: the print first asks about the open games.
        const QString offen = "16 Spiele haben noch kein Ergebnis. Trotzdem drucken?";
        const QString bemerkung = "Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\n\rDruck starten?";
        QTest::newRow("file, mail declined, report")
            << "" << true << 1 << QStringList{offen, bemerkung, "Ergebniss als Mail verschicken?"};
        QTest::newRow("guest team blank: no file, report")
            << "Gast leer" << false << 1 << QStringList{offen, bemerkung};
        QTest::newRow("no MEKO folder: no report")
            << "kein Ordner" << false << 0 << QStringList{offen, bemerkung, "Die Datei "};
    }
    void printWithResultFile()
    {
        QFETCH(QString, fall);
        QFETCH(bool, geschrieben);
        QFETCH(int, vorschauen);
        QFETCH(QStringList, gezeigt);
        h->sheet.setChecked("cb_maildatei", true);
        if (fall == "Gast leer")
            h->sheet.setText("f_gastteam", "");
        if (fall == "kein Ordner")
            QDir(meko()).removeRecursively();
        h->dialogs.answers << true << true << false;  // open games, the remark, then the mail offer

        klw::dispatch(h->dialogs, [&] { klw::bt_druckClick(h->c, "bt_druck"); });

        QCOMPARE(QFile::exists(datei()), geschrieben);
        QCOMPARE(h->dialogs.windows().count("Druckvorschau"), vorschauen);
        QCOMPARE(h->dialogs.shown.size(), gezeigt.size());
        for (int i = 0; i < gezeigt.size(); ++i)
            QVERIFY2(h->dialogs.shown[i].text.startsWith(gezeigt[i]), qPrintable(h->dialogs.shown[i].text));
    }

    // The PDF button with "Maildatei erstellen" checked: the PDF is written first, then the
    // result file, and the mail carries both, so that its text about the attached sheet
    // holds. Without a PDF there is no mail to offer; the result file is still written.
    void pdfWithResultFile_data()
    {
        QTest::addColumn<bool>("gespeichert");
        QTest::newRow("PDF saved: the mail carries the PDF and the result file") << true;
        QTest::newRow("save dialog cancelled: the result file, no mail") << false;
    }
    void pdfWithResultFile()
    {
        QFETCH(bool, gespeichert);
        const QString pdf = home.filePath("Bericht Dart Club.pdf");
        QFile::remove(pdf);
        h->dialogs.saveFile = gespeichert ? pdf : QString();
        h->sheet.setChecked("cb_maildatei", true);
        h->dialogs.answers << true << true << true;  // open games, the remark, then the mail offer
        QStringList vorhandeneAnhaenge;  // the attachments that exist when the mail window opens
        h->dialogs.onMail = [&](const klw::MailDraft& v) {
            for (const QString& pfad : v.anhaenge)
                if (QFile::exists(pfad))
                    vorhandeneAnhaenge << pfad;
        };

        klw::dispatch(h->dialogs, [&] { klw::bt_druckClick(h->c, "bt_pdf"); });

        QCOMPARE(h->dialogs.proposedSaveFiles.size(), 1);
        QVERIFY(QFile::exists(datei()));
        QCOMPARE(QFile::exists(pdf), gespeichert);
        const QString angebot = "Ergebniss als Mail verschicken?";
        QCOMPARE(h->dialogs.texts().contains(angebot), gespeichert);
        QCOMPARE(h->dialogs.texts().last(), gespeichert ? angebot
                                                        : QString("Wurden Spielerwechsel und sonstige "
                                                                  "Bemerkung eingetragen?\n\rDruck starten?"));
        QCOMPARE(h->dialogs.mails.size(), gespeichert ? 1 : 0);
        if (gespeichert) {
            QCOMPARE(h->dialogs.mails[0].anhaenge, (QStringList{pdf, datei()}));
            QCOMPARE(vorhandeneAnhaenge, (QStringList{pdf, datei()}));
            QCOMPARE(h->dialogs.mails[0].betreff, "KLW: A1-Liga Spieltag: 5");
        }
    }

    // The preview keeps its order: the result file and the mail offer before the report,
    // the mail without attachments, chosen by the user in the mail window.
    void previewMailHasNoAttachments()
    {
        h->sheet.setChecked("cb_maildatei", true);
        h->dialogs.answers << true << true << true;
        klw::dispatch(h->dialogs, [&] { klw::bt_druckClick(h->c, "bt_druck"); });
        QCOMPARE(h->dialogs.mails.size(), 1);
        QCOMPARE(h->dialogs.mails[0].anhaenge, QStringList());
        QCOMPARE(h->dialogs.windows().count("Druckvorschau"), 1);
    }
};

QTEST_MAIN(TestTxtDatei)  // the print lays the report out, which needs fonts
#include "test_txtdatei.moc"
