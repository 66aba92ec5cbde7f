// The final score: four totals, the games-total check and the preselected match result.
#include <QtTest>

#include "scoring/scoring.h"
#include "sheet/tables.h"
#include "support/fakes.h"

using klw::test::Harness;
using klw::test::Shown;

namespace {

const QString kKeine16 = QStringLiteral("Der Enddstand ergibt keine 16 Spiele!");
const QString kKeine18 = QStringLiteral("Der Enddstand ergibt keine 18 Spiele!");

// Game points as the evaluation leaves them: the first `heim` games of the table won by the
// home side, the next `gast` by the guest side (game 17 and 18 are the doubles).
void spielpunkteSetzen(klw::Spielbogen& s, int heim, int gast)
{
    for (int i = 0; i < heim + gast; ++i) {
        const auto& spiel = klw::kGameTable[size_t(i)];
        s.setText(spiel.homePoint, i < heim ? "1" : "0");
        s.setText(spiel.guestPoint, i < heim ? "0" : "1");
    }
}

void auswerten(Harness& h, int spiel, const char* heim, const char* gast)
{
    const auto& s = klw::kGameTable[size_t(spiel - 1)];
    h.sheet.setText(s.homeSets, heim);
    h.sheet.setText(s.guestSets, gast);
    klw::Edit56Exit(h.c, s.guestSets);
}

}  // namespace

class EndstandTest : public QObject {
    Q_OBJECT
private slots:
    void resultFromGamesTotals_data();
    void resultFromGamesTotals();
    void nothingWhileATotalIsEmpty_data();
    void nothingWhileATotalIsEmpty();
    void homeTotalIsWrittenFirst();
    void handPickedResultStaysUntilARuleMeets();
    void setsTotalsCountHiddenDoubles();
    void leftoverHiddenDoublesPointGives16GameMessage();
    void moreThan18GamesWithDoubles();
};

void EndstandTest::resultFromGamesTotals_data()
{
    QTest::addColumn<bool>("mitDoppel");
    QTest::addColumn<int>("heim");
    QTest::addColumn<int>("gast");
    QTest::addColumn<int>("vorher");
    QTest::addColumn<int>("nachher");
    QTest::addColumn<QStringList>("meldungen");

    const QStringList keine;
    QTest::newRow("16: 9:7") << false << 9 << 7 << -1 << 0 << keine;
    QTest::newRow("16: 8:8") << false << 8 << 8 << -1 << 1 << keine;
    QTest::newRow("16: 7:9") << false << 7 << 9 << -1 << 2 << keine;
    QTest::newRow("16: 8:7 keeps none") << false << 8 << 7 << -1 << -1 << keine;
    QTest::newRow("16: 8:7 keeps a pick") << false << 8 << 7 << 2 << 2 << keine;
    QTest::newRow("16: 9:0 before the end") << false << 9 << 0 << -1 << 0 << keine;
    QTest::newRow("16: 0:9 before the end") << false << 0 << 9 << 1 << 2 << keine;
    QTest::newRow("16: 16:0") << false << 16 << 0 << -1 << 0 << keine;
    QTest::newRow("16: 9:8 with a doubles point") << false << 9 << 8 << -1 << -1 << QStringList{kKeine16};
    QTest::newRow("18: 10:8 keeps none") << true << 10 << 8 << -1 << -1 << keine;
    QTest::newRow("18: 8:10 keeps a pick") << true << 8 << 10 << 0 << 0 << keine;
    QTest::newRow("18: 9:9 keeps a pick") << true << 9 << 9 << 0 << 0 << keine;
    QTest::newRow("18: 11:7") << true << 11 << 7 << -1 << 0 << keine;
    QTest::newRow("18: 7:11") << true << 7 << 11 << -1 << 2 << keine;
    QTest::newRow("18: 8:8 two open") << true << 8 << 8 << 2 << 1 << keine;
    QTest::newRow("18: 9:8 no message") << true << 9 << 8 << -1 << -1 << keine;
}

void EndstandTest::resultFromGamesTotals()
{
    QFETCH(bool, mitDoppel);
    QFETCH(int, heim);
    QFETCH(int, gast);
    QFETCH(int, vorher);
    Harness h;
    h.sheet.MitDoppel = mitDoppel;
    h.sheet.setItemIndex("rg_ergebnis", vorher);
    spielpunkteSetzen(h.sheet, heim, gast);

    klw::EnddstandErrechnen(h.c);

    QCOMPARE(h.sheet.text("Edit49"), QString::number(heim));
    QCOMPARE(h.sheet.text("Edit84"), QString::number(gast));
    QTEST(h.sheet.itemIndex("rg_ergebnis"), "nachher");
    QTEST(h.dialogs.texts(), "meldungen");
    for (const Shown& s : h.dialogs.shown)
        QCOMPARE(s.kind, Shown::Information);
}

void EndstandTest::nothingWhileATotalIsEmpty_data()
{
    QTest::addColumn<QString>("feld");
    QTest::newRow("home total alone") << "Edit49";
    QTest::newRow("guest total alone") << "Edit84";
}

void EndstandTest::nothingWhileATotalIsEmpty()
{
    QFETCH(QString, feld);
    Harness h;
    h.sheet.setText(klw::test::fieldNamed(feld), "9");
    QCOMPARE(h.sheet.itemIndex("rg_ergebnis"), -1);
}

// A restored sheet can move both totals at once, from 7:7 to 9:8. Written home first, the
// change handler sees 9:7 (a home win) and then 9:8 (no rule), so "2 : 0" stays selected.
void EndstandTest::homeTotalIsWrittenFirst()
{
    Harness h;
    h.sheet.MitDoppel = true;
    spielpunkteSetzen(h.sheet, 7, 7);
    klw::EnddstandErrechnen(h.c);
    QCOMPARE(h.sheet.itemIndex("rg_ergebnis"), -1);

    spielpunkteSetzen(h.sheet, 9, 8);
    klw::EnddstandErrechnen(h.c);
    QCOMPARE(h.sheet.itemIndex("rg_ergebnis"), 0);
}

void EndstandTest::handPickedResultStaysUntilARuleMeets()
{
    Harness h;
    for (int spiel = 1; spiel <= 7; ++spiel)
        auswerten(h, spiel, "2", "0");
    for (int spiel = 8; spiel <= 14; ++spiel)
        auswerten(h, spiel, "0", "2");
    QCOMPARE(h.sheet.text("Edit49"), QString("7"));
    QCOMPARE(h.sheet.text("Edit84"), QString("7"));
    QCOMPARE(h.sheet.itemIndex("rg_ergebnis"), -1);

    h.sheet.setItemIndex("rg_ergebnis", 2);  // the user picks "0 : 2"
    auswerten(h, 15, "2", "1");
    QCOMPARE(h.sheet.itemIndex("rg_ergebnis"), 2);
    auswerten(h, 16, "1", "2");
    QCOMPARE(h.sheet.itemIndex("rg_ergebnis"), 1);
    QVERIFY(h.dialogs.shown.isEmpty());
}

void EndstandTest::setsTotalsCountHiddenDoubles()
{
    Harness h;
    auswerten(h, 1, "2", "1");
    auswerten(h, 2, "0", "2");
    auswerten(h, 3, "2", "2");
    QCOMPARE(h.sheet.text("Edit50"), QString("4"));
    QCOMPARE(h.sheet.text("Edit85"), QString("5"));

    auswerten(h, 18, "1", "2");
    QCOMPARE(h.sheet.text("Edit50"), QString("5"));
    QCOMPARE(h.sheet.text("Edit85"), QString("7"));
    QCOMPARE(h.sheet.text("Edit49"), QString("2"));
    QCOMPARE(h.sheet.text("Edit84"), QString("2"));
}

// The league had doubles, the doubles game was entered, then a league without doubles was
// chosen: the hidden point still counts, and the last single makes 17 games.
void EndstandTest::leftoverHiddenDoublesPointGives16GameMessage()
{
    Harness h;
    auswerten(h, 17, "2", "0");
    for (int spiel = 1; spiel <= 15; ++spiel)
        auswerten(h, spiel, spiel % 2 ? "2" : "1", spiel % 2 ? "1" : "2");
    QVERIFY(h.dialogs.shown.isEmpty());

    auswerten(h, 16, "0", "2");

    QCOMPARE(h.dialogs.texts(), QStringList{kKeine16});
    QCOMPARE(h.dialogs.shown.first().kind, Shown::Information);
    QCOMPARE(h.sheet.text("Edit49"), QString("9"));
    QCOMPARE(h.sheet.text("Edit84"), QString("8"));
}

// Only a game point above 1, as a restored snapshot may hold before its doubles are
// evaluated again, takes the games total past 18.
void EndstandTest::moreThan18GamesWithDoubles()
{
    Harness h;
    h.sheet.MitDoppel = true;
    spielpunkteSetzen(h.sheet, 10, 8);
    h.sheet.setText("l_hdoppelspiele1", "2");

    klw::EnddstandErrechnen(h.c);

    QCOMPARE(h.sheet.text("Edit49"), QString("12"));
    QCOMPARE(h.dialogs.texts(), QStringList{kKeine18});
    QCOMPARE(h.dialogs.shown.first().kind, Shown::Information);
}

QTEST_GUILESS_MAIN(EndstandTest)
#include "test_endstand.moc"
