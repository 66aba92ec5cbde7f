// The players' points: three per decided single, to the positions the choices name.
#include <QtTest>

#include "scoring/scoring.h"
#include "sheet/tables.h"
#include "support/fakes.h"

using klw::test::Harness;

namespace {

// Sets "k=h:g" into game k (17 and 18 are the doubles).
void saetzeEintragen(klw::Spielbogen& s, const QStringList& saetze)
{
    for (const QString& eintrag : saetze) {
        const auto spiel = eintrag.section('=', 0, 0).toInt();
        const QString wert = eintrag.section('=', 1);
        s.setText(klw::kGameTable[size_t(spiel - 1)].homeSets, wert.section(':', 0, 0));
        s.setText(klw::kGameTable[size_t(spiel - 1)].guestSets, wert.section(':', 1));
    }
}

// "ComboBoxN=TEXT": picked from the list when TEXT is an item, typed otherwise.
void waehlen(klw::Spielbogen& s, const QStringList& wahlen)
{
    for (const QString& eintrag : wahlen) {
        const QString feld = eintrag.section('=', 0, 0);
        const QString text = eintrag.section('=', 1);
        const int item = s.def(klw::test::fieldNamed(feld)).items.indexOf(text);
        if (item >= 0)
            s.selectItem(klw::test::fieldNamed(feld), item);
        else
            s.setText(klw::test::fieldNamed(feld), text);
    }
}

// "H5=5 G2=1": the listed positions' points; every other field must read "0".
void punktePruefen(const klw::Spielbogen& s, const QString& erwartet)
{
    QHash<QString, QString> soll;
    for (const QString& eintrag : erwartet.split(' ', Qt::SkipEmptyParts))
        soll.insert(eintrag.section('=', 0, 0), eintrag.section('=', 1));
    for (const auto& zeile : klw::kPlayerRows)
        QVERIFY2(s.text(zeile.points) == soll.value(zeile.position, "0"),
                 qPrintable(QString("%1 holds \"%2\"").arg(zeile.position, s.text(zeile.points))));
}

}  // namespace

class EinzelpunkteTest : public QObject {
    Q_OBJECT
private slots:
    void lineUps_data();
    void lineUps();
    void completeSheetHandsOut48();
    void choiceChangeWaitsForNextEvaluation();
};

void EinzelpunkteTest::lineUps_data()
{
    QTest::addColumn<QStringList>("saetze");
    QTest::addColumn<QStringList>("wahlen");
    QTest::addColumn<QString>("punkte");

    QTest::newRow("no sets") << QStringList{} << QStringList{} << "";
    QTest::newRow("scheduled 2:0") << QStringList{"1=2:0"} << QStringList{} << "H1=3";
    QTest::newRow("scheduled 1:2 in game 15") << QStringList{"15=1:2"} << QStringList{} << "H1=1 G4=2";
    QTest::newRow("substitute in one game") << QStringList{"1=2:1"} << QStringList{"ComboBox1=H5"} << "H5=2 G1=1";
    QTest::newRow("guest substitute") << QStringList{"16=0:2"} << QStringList{"ComboBox32=G6"} << "G6=3";
    QTest::newRow("substitute in three games")
        << QStringList{"1=2:0", "5=2:1", "9=0:2"} << QStringList{"ComboBox1=H5", "ComboBox9=H5", "ComboBox17=H5"}
        << "H5=5 G2=1 G3=3";
    QTest::newRow("typed h1") << QStringList{"1=2:1"} << QStringList{"ComboBox1=h1"} << "G1=1";
    QTest::newRow("typed position of another game") << QStringList{"1=2:1"} << QStringList{"ComboBox1=H2"} << "G1=1";
    QTest::newRow("emptied choice") << QStringList{"1=2:1"} << QStringList{"ComboBox1="} << "G1=1";
    QTest::newRow("typed scheduled text")
        << QStringList{"1=2:0"} << QStringList{"ComboBox1=X", "ComboBox1=H1"} << "H1=3";
    QTest::newRow("undecided pairs") << QStringList{"1=1:1", "2=0:0", "3=2:", "4=:2", "5=2:2", "6=1:0", "7=0:1"}
                                     << QStringList{} << "";
    QTest::newRow("doubles earn nothing")
        << QStringList{"17=2:0", "18=0:2"} << QStringList{"l_hdoppel1=H5", "l_gdoppel2=G5"} << "";
}

void EinzelpunkteTest::lineUps()
{
    QFETCH(QStringList, saetze);
    QFETCH(QStringList, wahlen);
    QFETCH(QString, punkte);
    Harness h;
    for (const auto& zeile : klw::kPlayerRows)
        h.sheet.setText(zeile.points, "9");  // stale values from an earlier evaluation
    saetzeEintragen(h.sheet, saetze);
    waehlen(h.sheet, wahlen);

    klw::EinzelpunkteErrechnen(h.c);

    punktePruefen(h.sheet, punkte);
}

// Every single decided through the evaluation, as the user tabs through the sheet; a second
// pass adds nothing.
void EinzelpunkteTest::completeSheetHandsOut48()
{
    Harness h;
    for (const auto& spiel : klw::kSingles) {
        h.sheet.setText(spiel.homeSets, "2");
        h.sheet.setText(spiel.guestSets, "1");
        klw::Edit56Exit(h.c, spiel.guestSets);
    }
    punktePruefen(h.sheet, "H1=8 H2=8 H3=8 H4=8 G1=4 G2=4 G3=4 G4=4");

    // Substitutes in four games and mixed results: still 48 in all.
    waehlen(h.sheet, {"ComboBox3=H6", "ComboBox12=G5", "ComboBox21=H5", "ComboBox32=G6"});
    saetzeEintragen(h.sheet, {"2=0:2", "6=2:0", "11=1:2", "16=2:0"});
    klw::Edit56Exit(h.c, "Edit82");
    klw::Edit56Exit(h.c, "Edit82");
    punktePruefen(h.sheet, "H1=8 H2=8 H3=6 H4=8 H5=1 G1=4 G2=6 G3=3 G4=4");
    int summe = 0;
    for (const auto& zeile : klw::kPlayerRows)
        summe += h.sheet.number(zeile.points);
    QCOMPARE(summe, 48);
}

void EinzelpunkteTest::choiceChangeWaitsForNextEvaluation()
{
    Harness h;
    saetzeEintragen(h.sheet, {"1=2:0"});
    klw::Edit56Exit(h.c, "Edit56");
    waehlen(h.sheet, {"ComboBox1=H6"});
    punktePruefen(h.sheet, "H1=3");

    klw::Edit56Exit(h.c, "Edit54");
    punktePruefen(h.sheet, "H6=3");
}

QTEST_GUILESS_MAIN(EinzelpunkteTest)
#include "test_einzelpunkte.moc"
