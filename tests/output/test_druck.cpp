// The preview and PDF buttons: the points check, the questions about the result and the
// remark, the form chosen, the job title, and the PDF file written where the save dialog
// says, with a scripted preview and a scripted save dialog.

#include <QTemporaryDir>
#include <QtTest>
#include <stdexcept>

#include "output/druck.h"
#include "output/ergebnispruefung.h"
#include "output/qr_klw.h"
#include "scoring/scoring.h"
#include "sheet/tables.h"
#include "support/fakes.h"
#include "support/filled_sheet.h"
#include "support/pdfwords.h"

using namespace klw;
using test::Shown;

namespace {

const QString kNicht48 = QStringLiteral(
    "Die Punkte der Einzelspielerwertung ergeben NICHT 48.\n\rÜberprüfen Sie Ihre Eingabe?\n\r\n\rSoll der Druck "
    "denoch gestartet werden?");
const QString kBemerkung =
    QStringLiteral("Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\n\rDruck starten?");
const QString kPasstNicht =
    QStringLiteral("Die Bemerkung passt nicht ganz auf den Spielberichtsbogen. Trotzdem drucken?");
const QString kTitel = QStringLiteral("A1-Liga_5_Dart Club");

// Spreads a points sum over the twelve points fields.
void punkte(Spielbogen& s, int summe)
{
    for (const PlayerRow& z : kPlayerRows) {
        const int p = qMin(summe, 8);
        s.setText(z.points, p ? QString::number(p) : QString());
        summe -= p;
    }
}

// Plays the games as the pattern says, one letter a game in table order: H a home win
// (2 : 0), G a guest win (0 : 2), u sets without a winner (1 : 1), . no sets. Eighteen
// letters make a league with doubles.
void spielen(test::Harness& h, const QString& muster)
{
    h.sheet.MitDoppel = muster.size() == 18;
    for (int i = 0; i < muster.size(); ++i) {
        const Game& spiel = kGameTable[size_t(i)];
        const char c = muster[i].toLatin1();
        h.sheet.setText(spiel.homeSets, c == 'H' ? "2" : c == 'G' ? "0" : c == 'u' ? "1" : "");
        h.sheet.setText(spiel.guestSets, c == 'H' ? "0" : c == 'G' ? "2" : c == 'u' ? "1" : "");
        Edit56Exit(h.c, spiel.guestSets);
    }
}

}  // namespace

class DruckTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    std::unique_ptr<test::Harness> h;
    QStringList done;  // "preview TQRKLW <title>" for each preview shown
    bool failPreview = false;

    QString pdfOrdner() const { return home.filePath("PDF"); }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
    }

    void init()
    {
        QDir(pdfOrdner()).removeRecursively();
        h = std::make_unique<test::Harness>();
        done.clear();
        failPreview = false;
        h->dialogs.onPreview = [this](reportengine::Report& report) {
            auto& form = dynamic_cast<ReportForm&>(report);
            done << QStringLiteral("preview %1 %2").arg(form.mitDoppel() ? "TQRKLW2" : "TQRKLW", report.title);
            if (failPreview)
                throw std::runtime_error("Vorschau fehlgeschlagen");
        };
        test::fillMatch(h->c, false);  // every game decided, 11 : 5, "2 : 0" chosen
    }

    void questionsAndWhatFollows_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<int>("sum");
        QTest::addColumn<int>("ergebnis");  // the chosen result
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("done");
        QTest::addColumn<QStringList>("focus");

        const QString falsch =
            QStringLiteral("Das gewählte Ergebnis passt nicht zum Endstand 11 : 5. Trotzdem drucken?");
        QTest::newRow("preview, 48 points: only the remark question")
            << "bt_druck" << 48 << 0 << QList<bool>{true} << QStringList{kBemerkung}
            << QStringList{"preview TQRKLW " + kTitel} << QStringList{};
        QTest::newRow("preview, 0 points: both questions")
            << "bt_druck" << 0 << 0 << QList<bool>{true, true} << QStringList{kNicht48, kBemerkung}
            << QStringList{"preview TQRKLW " + kTitel} << QStringList{};
        QTest::newRow("preview, 47 points declined")
            << "bt_druck" << 47 << 0 << QList<bool>{false} << QStringList{kNicht48} << QStringList{} << QStringList{};
        QTest::newRow("preview, 49 points, remark declined")
            << "bt_druck" << 49 << 0 << QList<bool>{true, false} << QStringList{kNicht48, kBemerkung} << QStringList{}
            << QStringList{"m_bemerkung"};
        QTest::newRow("preview, result against the score, printed all the same")
            << "bt_druck" << 48 << 2 << QList<bool>{true, true} << QStringList{falsch, kBemerkung}
            << QStringList{"preview TQRKLW " + kTitel} << QStringList{};
        QTest::newRow("PDF, 0 points, result against the score declined")
            << "bt_pdf" << 0 << 1 << QList<bool>{true, false} << QStringList{kNicht48, falsch} << QStringList{}
            << QStringList{"rg_ergebnis"};
        QTest::newRow("PDF, 48 points") << "bt_pdf" << 48 << 0 << QList<bool>{true} << QStringList{kBemerkung}
                                        << QStringList{} << QStringList{};
        QTest::newRow("PDF, remark declined") << "bt_pdf" << 48 << 0 << QList<bool>{false} << QStringList{kBemerkung}
                                              << QStringList{} << QStringList{"m_bemerkung"};
        QTest::newRow("unknown sender") << "bt_ende" << 0 << 0 << QList<bool>{true, true} << QStringList{}
                                        << QStringList{} << QStringList{};
    }
    void questionsAndWhatFollows()
    {
        QFETCH(QString, sender);
        QFETCH(int, sum);
        QFETCH(int, ergebnis);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, messages);
        punkte(h->sheet, sum);
        h->sheet.setItemIndex("rg_ergebnis", ergebnis);
        for (bool a : answers)
            h->dialogs.answers.enqueue(a);
        h->dialogs.saveFile = home.filePath("bericht.pdf");

        bt_druckClick(h->c, klw::test::controlNamed(sender));

        QTEST(h->dialogs.texts(), "messages");
        QTEST(done, "done");
        QTEST(h->focus.moves, "focus");
        // The PDF button goes on to the save dialog only after every question was answered Ja.
        const bool gespeichert = sender == "bt_pdf" && !answers.contains(false);
        QCOMPARE(h->dialogs.proposedSaveFiles,
                 gespeichert ? QStringList{pdfOrdner() + "/" + kTitel + ".pdf"} : QStringList{});
        QCOMPARE(QFile::exists(home.filePath("bericht.pdf")), gespeichert);
        QFile::remove(home.filePath("bericht.pdf"));
    }

    // Games that have no result yet, and a chosen result that the final score does not give.
    void resultQuestion_data()
    {
        QTest::addColumn<QString>("spiele");
        QTest::addColumn<int>("ergebnis");  // the result chosen before printing; -2 leaves the preselection
        QTest::addColumn<QString>("frage");
        QTest::addColumn<QString>("fokus");

        const QString falsch = QStringLiteral("Das gewählte Ergebnis passt nicht zum Endstand %1. Trotzdem drucken?");
        const QString keins = QStringLiteral("Es ist kein Ergebnis gewählt. Trotzdem drucken?");
        QTest::newRow("11 : 5, 2 : 0 preselected") << "HHHHHHHHHHHGGGGG" << -2 << ""
                                                   << "";
        QTest::newRow("8 : 8, 1 : 1 preselected") << "HHHHHHHHGGGGGGGG" << -2 << ""
                                                  << "";
        QTest::newRow("7 : 9, 0 : 2 preselected") << "HHHHHHHGGGGGGGGG" << -2 << ""
                                                  << "";
        QTest::newRow("9 : 7 with 1 : 1 chosen") << "HHHHHHHHHGGGGGGG" << 1 << falsch.arg("9 : 7") << "rg_ergebnis";
        QTest::newRow("7 : 9 with 2 : 0 chosen") << "HHHHHHHGGGGGGGGG" << 0 << falsch.arg("7 : 9") << "rg_ergebnis";
        QTest::newRow("8 : 8 with none chosen") << "HHHHHHHHGGGGGGGG" << -1 << keins << "rg_ergebnis";
        QTest::newRow("doubles, 9 : 9 keeps the 2 : 0 of 9 : 0")
            << "HHHHHHHHHGGGGGGGGG" << -2 << falsch.arg("9 : 9") << "rg_ergebnis";
        QTest::newRow("doubles, 9 : 9 with 1 : 1 chosen") << "HHHHHHHHHGGGGGGGGG" << 1 << ""
                                                          << "";
        QTest::newRow("doubles, 10 : 8 keeps the 2 : 0 of 9 : 0") << "HHHHHHHHHHGGGGGGGG" << -2 << ""
                                                                  << "";
        QTest::newRow("doubles, 10 : 8 with none chosen") << "HHHHHHHHHHGGGGGGGG" << -1 << keins << "rg_ergebnis";
        QTest::newRow("doubles, 8 : 10 with 0 : 2 chosen") << "HHHHHHHHGGGGGGGGGG" << 2 << ""
                                                           << "";
        QTest::newRow("one game open") << "HHHHHHHHGGGGGGG." << -2
                                       << "1 Spiel hat noch kein Ergebnis. Trotzdem drucken?"
                                       << "Edit47";
        QTest::newRow("sets without a winner and an empty game")
            << "HHHHHHuHGGGG.GGG" << 0 << "2 Spiele haben noch kein Ergebnis. Trotzdem drucken?"
            << "Edit17";
        QTest::newRow("doubles not played yet")
            << "HHHHHHHHHHHGGGGG.." << 0 << "2 Spiele haben noch kein Ergebnis. Trotzdem drucken?"
            << "l_hdoppelsaetze1";
        QTest::newRow("nothing entered") << "................" << -2
                                         << "16 Spiele haben noch kein Ergebnis. Trotzdem drucken?"
                                         << "Edit9";
    }
    void resultQuestion()
    {
        QFETCH(QString, spiele);
        QFETCH(int, ergebnis);
        test::Harness sheet;
        spielen(sheet, spiele);
        if (ergebnis != -2)
            sheet.sheet.setItemIndex("rg_ergebnis", ergebnis);
        const std::optional<PrintQuestion> frage = printQuestion(sheet.sheet);
        QTEST(frage ? frage->text : QString(), "frage");
        QTEST(frage ? frage->fokus.name() : QString(), "fokus");
    }

    void remarkThatDoesNotFitAsksFirst_data()
    {
        QTest::addColumn<int>("zeilen");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("previews");
        QTest::addColumn<QStringList>("focus");
        QTest::newRow("six lines fit smaller")
            << 6 << QList<bool>{true} << QStringList{kBemerkung} << 1 << QStringList{};
        QTest::newRow("twelve lines, printed all the same")
            << 12 << QList<bool>{true, true} << QStringList{kBemerkung, kPasstNicht} << 1 << QStringList{};
        QTest::newRow("twelve lines, not printed")
            << 12 << QList<bool>{true, false} << QStringList{kBemerkung, kPasstNicht} << 0
            << QStringList{"m_bemerkung"};
    }
    void remarkThatDoesNotFitAsksFirst()
    {
        QFETCH(int, zeilen);
        QFETCH(QList<bool>, answers);
        QStringList bemerkung;
        for (int i = 1; i <= zeilen; ++i)
            bemerkung << QStringLiteral("Zeile %1 der Bemerkung").arg(i);
        h->sheet.setText("m_bemerkung", bemerkung.join("\r\n"));
        for (bool a : answers)
            h->dialogs.answers.enqueue(a);
        bt_druckClick(h->c, "bt_druck");
        QTEST(h->dialogs.texts(), "messages");
        QTEST(int(done.size()), "previews");
        QTEST(h->focus.moves, "focus");
    }

    void jobTitle_data()
    {
        QTest::addColumn<QString>("liga");
        QTest::addColumn<QString>("spieltag");
        QTest::addColumn<QString>("heimteam");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("datei");
        QTest::newRow("plain") << "A1-Liga"
                               << "5"
                               << "Dart Club"
                               << "A1-Liga_5_Dart Club"
                               << "A1-Liga_5_Dart Club.pdf";
        QTest::newRow("home team with blanks") << "A1-Liga"
                                               << "5"
                                               << "  Dart Club  "
                                               << "A1-Liga_5_Dart Club"
                                               << "A1-Liga_5_Dart Club.pdf";
        QTest::newRow("league with blanks") << " A1-Liga"
                                            << "5 "
                                            << "Dart Club"
                                            << "A1-Liga_5 _Dart Club"
                                            << "A1-Liga_5 _Dart Club.pdf";
        QTest::newRow("umlauts kept, slash replaced") << "1./2. Kreisliga"
                                                      << "7"
                                                      << "DC Adler Bottrop-Süd"
                                                      << "1./2. Kreisliga_7_DC Adler Bottrop-Süd"
                                                      << "1.-2. Kreisliga_7_DC Adler Bottrop-Süd.pdf";
    }
    void jobTitle()
    {
        QFETCH(QString, liga);
        QFETCH(QString, spieltag);
        QFETCH(QString, heimteam);
        QFETCH(QString, title);
        QFETCH(QString, datei);
        h->sheet.setText("f_liga", liga);
        h->sheet.setText("f_spieltag", spieltag);
        h->sheet.setText("f_Heimteam", heimteam);
        for (klw::ControlId sender : std::array<klw::ControlId, 2>{"bt_druck", "bt_pdf"}) {
            h->dialogs.answers.enqueue(true);
            bt_druckClick(h->c, sender);
        }
        QCOMPARE(done, QStringList{"preview TQRKLW " + title});
        QCOMPARE(h->dialogs.proposedSaveFiles, QStringList{pdfOrdner() + "/" + datei});
        QVERIFY(QFileInfo(pdfOrdner()).isDir());  // made for the save dialog to open in
    }

    // The file the PDF button writes, read back: one A4 page of the sheet under its title;
    // cancelling the save dialog writes nothing.
    void pdfButtonWritesTheReportWhereChosen()
    {
        const QString file = home.filePath("Spielbericht Müller.pdf");
        for (const QString& chosen : {QString(), file}) {
            h->dialogs.saveFile = chosen;
            h->dialogs.answers.enqueue(true);
            bt_druckClick(h->c, "bt_pdf");
        }
        QCOMPARE(h->dialogs.proposedSaveFiles.size(), 2);
        QCOMPARE(QDir(home.path()).entryList({"*.pdf"}, QDir::Files), QStringList{"Spielbericht Müller.pdf"});
        const test::PdfInfo info = test::pdfInfo(file);
        QCOMPARE(info.pages, 1);
        QVERIFY(qAbs(info.sizePt.width() - 595.28) < 1 && qAbs(info.sizePt.height() - 841.89) < 1);
        QVERIFY(test::runTool("pdfinfo", {file}).contains(QRegularExpression("Title: +" + kTitel + "\n")));
        const QString text = test::joined(test::pdfWords(file));
        for (const char* expected : {"Dart Club", "Bulls Eye", "H3: 4713", "Spiel 7 nach Stromausfall wiederholt."})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), qPrintable(text));
        QCOMPARE(done, QStringList{});
    }

    void formFollowsMitDoppel()
    {
        for (bool doppel : {true, false, true}) {
            test::fillMatch(h->c, doppel);
            h->dialogs.answers.enqueue(true);
            bt_druckClick(h->c, "bt_druck");
        }
        QCOMPARE(done, (QStringList{"preview TQRKLW2 Oberliga_5_Dart Club", "preview TQRKLW A1-Liga_5_Dart Club",
                                    "preview TQRKLW2 Oberliga_5_Dart Club"}));
    }

    void failedPreviewReachesTheErrorBox()
    {
        failPreview = true;
        h->dialogs.answers.enqueue(true);
        dispatch(h->dialogs, [&] { bt_druckClick(h->c, "bt_druck"); });
        QCOMPARE(h->dialogs.texts(), (QStringList{kBemerkung, "Vorschau fehlgeschlagen"}));
        QCOMPARE(h->dialogs.shown.last().kind, Shown::Error);
    }
};

QTEST_MAIN(DruckTest)
#include "test_druck.moc"
