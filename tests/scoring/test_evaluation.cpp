// Evaluation of one game when its guest-sets field is left.
#include <QtTest>

#include "scoring/scoring.h"
#include "sheet/tables.h"
#include "support/fakes.h"

using klw::test::Harness;
using klw::test::Shown;

namespace {
const QString kUngueltig = QStringLiteral("Sätze nur zwischen 0 und 2 zulässig!");
}

class EvaluationTest : public QObject {
    Q_OBJECT
private slots:
    void outcomeOfGameOne_data();
    void outcomeOfGameOne();
    void senderSelectsItsOwnGame_data();
    void senderSelectsItsOwnGame();
    void recomputesOnEveryPath_data();
    void recomputesOnEveryPath();
    void hiddenDoublesAreEvaluated();
    void changedHomeValueWaitsForItsGuestField();
};

// clang-format off
void EvaluationTest::outcomeOfGameOne_data()
{
    QTest::addColumn<QString>("heim");
    QTest::addColumn<QString>("gast");
    QTest::addColumn<QString>("heimPunkt");
    QTest::addColumn<QString>("gastPunkt");
    QTest::addColumn<QString>("heimDanach");
    QTest::addColumn<QString>("gastDanach");
    QTest::addColumn<int>("meldungen");
    QTest::addColumn<QStringList>("fokus");

    const QStringList keinFokus;
    // Either side empty: both game points cleared, nothing checked.
    for (const char* h : {"", "0", "1", "2", "3"})
        QTest::addRow("'%s' : empty", h) << h << "" << "" << "" << h << "" << 0 << keinFokus;
    for (const char* g : {"0", "1", "2", "x"})
        QTest::addRow("empty : '%s'", g) << "" << g << "" << "" << "" << g << 0 << keinFokus;

    QTest::newRow("0 : 0") << "0" << "0" << "0" << "0" << "0" << "0" << 0 << keinFokus;
    QTest::newRow("0 : 1") << "0" << "1" << "0" << "0" << "0" << "1" << 0 << keinFokus;
    QTest::newRow("0 : 2") << "0" << "2" << "0" << "1" << "0" << "2" << 0 << keinFokus;
    QTest::newRow("1 : 0") << "1" << "0" << "0" << "0" << "1" << "0" << 0 << keinFokus;
    QTest::newRow("1 : 1") << "1" << "1" << "0" << "0" << "1" << "1" << 0 << keinFokus;
    QTest::newRow("1 : 2") << "1" << "2" << "0" << "1" << "1" << "2" << 0 << keinFokus;
    QTest::newRow("2 : 0") << "2" << "0" << "1" << "0" << "2" << "0" << 0 << keinFokus;
    QTest::newRow("2 : 1") << "2" << "1" << "1" << "0" << "2" << "1" << 0 << keinFokus;
    QTest::newRow("2 : 2 goes home") << "2" << "2" << "1" << "0" << "2" << "2" << 0 << keinFokus;

    const QStringList heimFokus{"Edit9"};
    QTest::newRow("home 3") << "3" << "2" << "0" << "1" << "0" << "2" << 1 << heimFokus;
    QTest::newRow("home letter") << "x" << "2" << "0" << "1" << "0" << "2" << 1 << heimFokus;
    QTest::newRow("home blank") << " " << "2" << "0" << "1" << "0" << "2" << 1 << heimFokus;
    QTest::newRow("home sorts before 0") << "/" << "1" << "0" << "0" << "0" << "1" << 1 << heimFokus;
    QTest::newRow("home umlaut") << "Ä" << "0" << "0" << "0" << "0" << "0" << 1 << heimFokus;

    const QStringList gastFokus{"Edit56"};
    QTest::newRow("guest 7") << "2" << "7" << "1" << "0" << "2" << "0" << 1 << gastFokus;
    QTest::newRow("guest letter") << "1" << "a" << "0" << "0" << "1" << "0" << 1 << gastFokus;
    QTest::newRow("guest 3 against 0") << "0" << "3" << "0" << "0" << "0" << "0" << 1 << gastFokus;

    QTest::newRow("both invalid") << "3" << "x" << "0" << "0" << "0" << "0" << 2 << QStringList{"Edit9", "Edit56"};
}
// clang-format on

void EvaluationTest::outcomeOfGameOne()
{
    QFETCH(QString, heim);
    QFETCH(QString, gast);
    Harness h;
    h.sheet.setText("Edit9", heim);
    h.sheet.setText("Edit56", gast);
    // Game points that no evaluation writes, so that clearing and "0" are told apart.
    h.sheet.setText("Edit8", "1");
    h.sheet.setText("Edit55", "1");

    klw::Edit56Exit(h.c, "Edit56");

    QTEST(h.sheet.text("Edit8"), "heimPunkt");
    QTEST(h.sheet.text("Edit55"), "gastPunkt");
    QTEST(h.sheet.text("Edit9"), "heimDanach");
    QTEST(h.sheet.text("Edit56"), "gastDanach");
    QFETCH(int, meldungen);
    QCOMPARE(h.dialogs.texts(), QStringList(meldungen, kUngueltig));
    for (const Shown& s : h.dialogs.shown)
        QCOMPARE(s.kind, Shown::Information);
    QTEST(h.focus.moves, "fokus");
}

// clang-format off
void EvaluationTest::senderSelectsItsOwnGame_data()
{
    QTest::addColumn<QString>("heimSaetze");
    QTest::addColumn<QString>("gastSaetze");
    QTest::addColumn<QString>("heimPunkt");
    QTest::addColumn<QString>("gastPunkt");
    QTest::newRow("1") << "Edit9" << "Edit56" << "Edit8" << "Edit55";
    QTest::newRow("2") << "Edit7" << "Edit54" << "Edit6" << "Edit52";
    QTest::newRow("3") << "Edit5" << "Edit51" << "Edit14" << "Edit59";
    QTest::newRow("4") << "Edit13" << "Edit58" << "Edit12" << "Edit57";
    QTest::newRow("5") << "Edit21" << "Edit64" << "Edit20" << "Edit63";
    QTest::newRow("6") << "Edit19" << "Edit62" << "Edit18" << "Edit61";
    QTest::newRow("7") << "Edit17" << "Edit60" << "Edit24" << "Edit67";
    QTest::newRow("8") << "Edit23" << "Edit66" << "Edit22" << "Edit65";
    QTest::newRow("9") << "Edit33" << "Edit72" << "Edit32" << "Edit71";
    QTest::newRow("10") << "Edit31" << "Edit70" << "Edit30" << "Edit69";
    QTest::newRow("11") << "Edit29" << "Edit68" << "Edit36" << "Edit75";
    QTest::newRow("12") << "Edit35" << "Edit74" << "Edit34" << "Edit73";
    QTest::newRow("13") << "Edit45" << "Edit80" << "Edit44" << "Edit79";
    QTest::newRow("14") << "Edit43" << "Edit78" << "Edit42" << "Edit77";
    QTest::newRow("15") << "Edit41" << "Edit76" << "Edit48" << "Edit83";
    QTest::newRow("16") << "Edit47" << "Edit82" << "Edit46" << "Edit81";
    QTest::newRow("Doppel 1") << "l_hdoppelsaetze1" << "l_gdoppelsaetze1" << "l_hdoppelspiele1" << "l_gdoppelspiele1";
    QTest::newRow("Doppel 2") << "l_hdoppelsaetze2" << "l_gdoppelsaetze2" << "l_hdoppelspiele2" << "l_gdoppelspiele2";
}
// clang-format on

// Every game holds 1 : 2 in sets, yet only the game whose guest field was left is decided.
void EvaluationTest::senderSelectsItsOwnGame()
{
    QFETCH(QString, heimSaetze);
    QFETCH(QString, gastSaetze);
    QFETCH(QString, heimPunkt);
    QFETCH(QString, gastPunkt);
    Harness h;
    for (const auto& spiel : klw::kGameTable) {
        h.sheet.setText(spiel.homeSets, "1");
        h.sheet.setText(spiel.guestSets, "2");
    }
    h.sheet.setText(klw::test::fieldNamed(gastSaetze), "a");

    klw::Edit56Exit(h.c, klw::test::controlNamed(gastSaetze));

    QCOMPARE(h.sheet.text(klw::test::fieldNamed(heimPunkt)), QString("0"));
    QCOMPARE(h.sheet.text(klw::test::fieldNamed(gastPunkt)), QString("0"));
    QCOMPARE(h.sheet.text(klw::test::fieldNamed(gastSaetze)), QString("0"));
    QCOMPARE(h.dialogs.texts(), QStringList{kUngueltig});
    QCOMPARE(h.sheet.text("Edit49"), QString("0"));
    QCOMPARE(h.sheet.text("Edit84"), QString("0"));
    for (const auto& spiel : klw::kGameTable)
        if (spiel.homePoint != klw::test::fieldNamed(heimPunkt))
            QVERIFY2(h.sheet.text(spiel.homePoint).isEmpty() && h.sheet.text(spiel.guestPoint).isEmpty(),
                     spiel.homePoint.view().data());
}

void EvaluationTest::recomputesOnEveryPath_data()
{
    QTest::addColumn<QString>("sender");
    QTest::newRow("game cleared") << "Edit56";
    QTest::newRow("home-sets field") << "Edit9";
    QTest::newRow("unknown") << "Edit1";
    QTest::newRow("a button") << "bt_pdf";
}

// Game 2 was decided earlier; whatever the sender, points and totals are written afresh.
void EvaluationTest::recomputesOnEveryPath()
{
    QFETCH(QString, sender);
    Harness h;
    h.sheet.setText("Edit7", "2");
    h.sheet.setText("Edit54", "1");
    h.sheet.setText("Edit6", "1");
    h.sheet.setText("Edit52", "0");
    h.sheet.setText("Edit9", "2");

    klw::Edit56Exit(h.c, klw::test::controlNamed(sender));

    QCOMPARE(h.sheet.text("f_h2punkte"), QString("2"));
    QCOMPARE(h.sheet.text("f_g2punkte"), QString("1"));
    QCOMPARE(h.sheet.text("f_h1punkte"), QString("0"));
    QCOMPARE(h.sheet.text("Edit50"), QString("4"));
    QCOMPARE(h.sheet.text("Edit85"), QString("1"));
    QCOMPARE(h.sheet.text("Edit49"), QString("1"));
    QCOMPARE(h.sheet.text("Edit84"), QString("0"));
    QCOMPARE(h.sheet.text("Edit8"), QString());
    QVERIFY(h.dialogs.shown.isEmpty());
}

// The doubles row is hidden: its game is still decided, and a bad value is set to "0"
// without a focus move into the hidden field.
void EvaluationTest::hiddenDoublesAreEvaluated()
{
    Harness h;
    QVERIFY(!h.sheet.isVisible("l_gdoppelsaetze1"));
    h.sheet.setText("l_hdoppelsaetze1", "2");
    h.sheet.setText("l_gdoppelsaetze1", "0");
    h.sheet.setText("l_hdoppelsaetze2", "5");
    h.sheet.setText("l_gdoppelsaetze2", "2");

    klw::Edit56Exit(h.c, "l_gdoppelsaetze1");
    klw::Edit56Exit(h.c, "l_gdoppelsaetze2");

    QCOMPARE(h.sheet.text("l_hdoppelspiele1"), QString("1"));
    QCOMPARE(h.sheet.text("l_gdoppelspiele1"), QString("0"));
    QCOMPARE(h.sheet.text("l_hdoppelsaetze2"), QString("0"));
    QCOMPARE(h.sheet.text("l_hdoppelspiele2"), QString("0"));
    QCOMPARE(h.sheet.text("l_gdoppelspiele2"), QString("1"));
    QCOMPARE(h.dialogs.texts(), QStringList{kUngueltig});
    QVERIFY(h.focus.moves.isEmpty());
    QCOMPARE(h.sheet.text("Edit49"), QString("1"));
    QCOMPARE(h.sheet.text("Edit84"), QString("1"));
}

// Game 1 is decided 2 : 1, then its home value becomes "0" and game 2 is evaluated: sets
// and player points follow the new value, game points and games totals keep the old result.
void EvaluationTest::changedHomeValueWaitsForItsGuestField()
{
    Harness h;
    h.sheet.setText("Edit9", "2");
    h.sheet.setText("Edit56", "1");
    klw::Edit56Exit(h.c, "Edit56");
    QCOMPARE(h.sheet.text("Edit50"), QString("2"));
    QCOMPARE(h.sheet.text("f_h1punkte"), QString("2"));

    h.sheet.setText("Edit9", "0");
    klw::Edit56Exit(h.c, "Edit54");

    QCOMPARE(h.sheet.text("Edit8"), QString("1"));
    QCOMPARE(h.sheet.text("Edit55"), QString("0"));
    QCOMPARE(h.sheet.text("Edit49"), QString("1"));
    QCOMPARE(h.sheet.text("Edit50"), QString("0"));
    QCOMPARE(h.sheet.text("f_h1punkte"), QString("0"));
    QCOMPARE(h.sheet.text("f_g1punkte"), QString("0"));
}

QTEST_GUILESS_MAIN(EvaluationTest)
#include "test_evaluation.moc"
