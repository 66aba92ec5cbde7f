// Line-up of the games: the choice rule, the duplicate-player checks and the name transfer.
#include <QtTest>

#include "lineup/lineup.h"
#include "sheet/tables.h"
#include "support/database_harness.h"

using klw::test::Harness;
using klw::test::Shown;

namespace {

const QString kTeamsGleich = QStringLiteral("Gast- und Heimteam sind gleich!\n\rÄndern Sie die Daten!");
const QString kSchonUebergeben =
    QStringLiteral("Die Spielernamen wurden schon übergeben.\n\rDuch eine erneute Übergabe, werden ggf. "
                   "Auswechslungen überschrieben.\n\r\n\rÜbergabe abbrechen?");
const QString kHeimDoppelt =
    QStringLiteral("Es wurde ein Spieler des Heimteams doppelt eingetragen!\n\rÜberprüfen Sie Ihre Eingaben");
const QString kGastDoppelt =
    QStringLiteral("Es wurde ein Spieler des Gastteams doppelt eingetragen!\n\rÜberprüfen Sie Ihre Eingaben");

// The sixteen game lines in game order.
const QStringList kZeilen{"Edit1",  "Edit4",  "Edit3",  "Edit2",  "Edit10", "Edit16", "Edit15", "Edit11",
                          "Edit25", "Edit28", "Edit27", "Edit26", "Edit37", "Edit40", "Edit39", "Edit38"};

// Every row named "N<pos>" with the nickname "R<pos>"; every game line "alt". The transfer
// looks for snapshots of the match in the database, which holds none.
struct Mannschaften : klw::test::DatabaseHarness {
    Mannschaften()
    {
        abfragen.ABSDatabase1.open(database.file());
        for (const auto& zeile : klw::kPlayerRows) {
            sheet.setText(zeile.name, QStringLiteral("N") + zeile.position);
            sheet.setText(zeile.nickname, QStringLiteral("R") + zeile.position);
        }
        for (const QString& zeile : kZeilen)
            sheet.setText(klw::test::fieldNamed(zeile), "alt");
    }
    QStringList zeilen() const
    {
        QStringList z;
        for (const QString& feld : kZeilen)
            z << sheet.text(klw::test::fieldNamed(feld));
        return z;
    }
    void uebernehmen() { klw::bt_namenuebernehmen2Click(c, "bt_namenuebernehmen2"); }
};

// "ComboBoxN=TEXT": picked from the list when TEXT is an item, typed otherwise.
void waehlen(klw::Spielbogen& s, const QString& eintrag)
{
    const QString feld = eintrag.section('=', 0, 0);
    const QString text = eintrag.section('=', 1);
    const int item = s.def(klw::test::fieldNamed(feld)).items.indexOf(text);
    if (item >= 0)
        s.selectItem(klw::test::fieldNamed(feld), item);
    else
        s.setText(klw::test::fieldNamed(feld), text);
}

using Handler = klw::Handler;

}  // namespace

class LineupTest : public QObject {
    Q_OBJECT
private slots:
    void choiceRule_data();
    void choiceRule();
    void choiceLineTakesNicknamesAsTheyStand();
    void unknownChoiceChangesNothing();
    void duplicateNames_data();
    void duplicateNames();
    void sameNameInBothTeamsIsNoDuplicate();
    void equalTeams_data();
    void equalTeams();
    void transferWritesScheduleNotChoices();
    void blankNicknameFallsBackToName_data();
    void blankNicknameFallsBackToName();
    void secondTransferAsks_data();
    void secondTransferAsks();
    void duplicatesStopTransfer_data();
    void duplicatesStopTransfer();
    void restoredSheetSkipsChecks();
    void substituteLineAfterTransfer();
    void noFocusMoveWhenEdit9CannotTakeIt();
};

void LineupTest::choiceRule_data()
{
    QTest::addColumn<Handler>("handler");
    QTest::addColumn<QStringList>("eingaben");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("zeile");
    QTest::addColumn<QString>("erwartet");

    struct Fall {
        const char* name;
        QStringList eingaben;
        const char* sender;
        const char* zeile;
        const char* erwartet;
    };
    const QList<Fall> faelle{
        {"home substitute", {"ComboBox5=H5"}, "ComboBox5", "Edit3", "RH5 - RG3"},
        {"guest substitute", {"ComboBox30=G6"}, "ComboBox30", "Edit39", "RH1 - RG6"},
        {"left guest choice takes the home choice too", {"ComboBox5=H6"}, "ComboBox6", "Edit3", "RH6 - RG3"},
        {"scheduled items picked", {"ComboBox31=H2", "ComboBox32=G1"}, "ComboBox32", "Edit38", "RH2 - RG1"},
        {"scheduled text typed", {"ComboBox1=H1"}, "ComboBox1", "Edit1", "RH1 - RG1"},
        {"typed lower case", {"ComboBox5=h5"}, "ComboBox5", "Edit3", "alt"},
        {"typed position of another game", {"ComboBox5=H1"}, "ComboBox5", "Edit3", "alt"},
        {"emptied choice", {"ComboBox6="}, "ComboBox6", "Edit3", "alt"},
        {"other side typed", {"ComboBox6=g3", "ComboBox5=H5"}, "ComboBox5", "Edit3", "alt"},
    };
    for (const auto& [handlerName, handler] :
         {std::pair{"Exit", Handler(klw::ComboBox1Exit)}, std::pair{"Click", Handler(klw::ComboBox1Click)}})
        for (const Fall& f : faelle)
            QTest::addRow("%s: %s", handlerName, f.name) << handler << f.eingaben << f.sender << f.zeile << f.erwartet;
}

// Only the sender's line changes; the choices, the other lines and the points stay.
void LineupTest::choiceRule()
{
    QFETCH(Handler, handler);
    QFETCH(QStringList, eingaben);
    QFETCH(QString, sender);
    QFETCH(QString, zeile);
    Mannschaften m;
    for (const QString& e : eingaben)
        waehlen(m.sheet, e);
    const QString senderText = m.sheet.text(klw::test::fieldNamed(sender));
    const int senderItem = m.sheet.selectedItem(klw::test::fieldNamed(sender));

    handler(m.c, klw::test::controlNamed(sender));

    QTEST(m.sheet.text(klw::test::fieldNamed(zeile)), "erwartet");
    for (const QString& feld : kZeilen)
        if (feld != zeile)
            QCOMPARE(m.sheet.text(klw::test::fieldNamed(feld)), QString("alt"));
    QCOMPARE(m.sheet.text(klw::test::fieldNamed(sender)), senderText);
    QCOMPARE(m.sheet.selectedItem(klw::test::fieldNamed(sender)), senderItem);
    for (const auto& z : klw::kPlayerRows)
        QVERIFY(m.sheet.text(z.points).isEmpty());
    QVERIFY(m.dialogs.shown.isEmpty());
}

void LineupTest::choiceLineTakesNicknamesAsTheyStand()
{
    Mannschaften m;
    m.sheet.setText("f_h1rname", "");
    m.sheet.setText("f_g1rname", " Ede ");
    klw::ComboBox1Exit(m.c, "ComboBox1");
    QCOMPARE(m.sheet.text("Edit1"), QString(" -  Ede "));

    m.sheet.setText("f_g1rname", "");
    klw::ComboBox1Click(m.c, "ComboBox2");
    QCOMPARE(m.sheet.text("Edit1"), QString(" - "));
}

void LineupTest::unknownChoiceChangesNothing()
{
    Mannschaften m;
    // A name outside the sheet ("ComboBox33") does not compile; controls that are no choice do nothing.
    for (klw::ControlId sender : std::array<klw::ControlId, 3>{"Edit1", "f_spieltag", "bt_pdf"}) {
        klw::ComboBox1Exit(m.c, sender);
        klw::ComboBox1Click(m.c, sender);
    }
    QCOMPARE(m.zeilen(), QStringList(16, "alt"));
}

void LineupTest::duplicateNames_data()
{
    QTest::addColumn<bool>("heim");
    QTest::addColumn<QStringList>("namen");
    QTest::addColumn<bool>("ohneDoppelte");

    const QList<std::tuple<const char*, QStringList, bool>> faelle{
        {"all different", {"Anna", "Bert", "Cem", "Dora", "Emil", "Fritz"}, true},
        {"rows 1 and 2", {"Anna", "Anna", "Cem", "Dora", "Emil", "Fritz"}, false},
        {"rows 1 and 6", {"Anna", "Bert", "Cem", "Dora", "Emil", "Anna"}, false},
        {"rows 3 and 4", {"Anna", "Bert", "Cem", "Cem", "Emil", "Fritz"}, false},
        {"rows 5 and 6", {"Anna", "Bert", "Cem", "Dora", "Emil", "Emil"}, false},
        {"two empty rows", {"Anna", "", "Cem", "", "Emil", "Fritz"}, true},
        {"all empty", {"", "", "", "", "", ""}, true},
        {"letter case differs", {"Anna", "anna", "", "", "", ""}, true},
        {"trailing blank differs", {"Anna", "Anna ", "", "", "", ""}, true},
        {"blanks only", {" ", "", "", "", " ", ""}, false},
    };
    for (bool heim : {true, false})
        for (const auto& [name, namen, ohneDoppelte] : faelle)
            QTest::addRow("%s: %s", heim ? "home" : "guest", name) << heim << namen << ohneDoppelte;
}

// Only names count: the pass numbers all differ.
void LineupTest::duplicateNames()
{
    QFETCH(bool, heim);
    QFETCH(QStringList, namen);
    Harness h;
    const auto zeilen = heim ? klw::kHomeRows : klw::kGuestRows;
    for (size_t i = 0; i < zeilen.size(); ++i) {
        h.sheet.setText(zeilen[i].passNr, QString::number(100 + i));
        h.sheet.setText(zeilen[i].name, namen[qsizetype(i)]);
    }
    const bool pruefung = heim ? klw::HeimSpielerPruefen(h.c) : klw::GastSpielerPruefen(h.c);
    QTEST(pruefung, "ohneDoppelte");
    QVERIFY(heim ? klw::GastSpielerPruefen(h.c) : klw::HeimSpielerPruefen(h.c));
}

void LineupTest::sameNameInBothTeamsIsNoDuplicate()
{
    Harness h;
    h.sheet.setText("f_h3name", "Anna");
    h.sheet.setText("f_g3name", "Anna");
    QVERIFY(klw::HeimSpielerPruefen(h.c));
    QVERIFY(klw::GastSpielerPruefen(h.c));
}

// clang-format off
void LineupTest::equalTeams_data()
{
    QTest::addColumn<QString>("heim");
    QTest::addColumn<QString>("gast");
    QTest::addColumn<bool>("sicherungGeladen");
    QTest::addColumn<bool>("abgelehnt");
    QTest::newRow("equal") << "DC Pfeil" << "DC Pfeil" << false << true;
    QTest::newRow("equal after a restore") << "DC Pfeil" << "DC Pfeil" << true << true;
    QTest::newRow("trailing blank") << "DC Pfeil" << "DC Pfeil " << false << false;
    QTest::newRow("letter case") << "DC Pfeil" << "DC PFEIL" << false << false;
    QTest::newRow("both empty") << "" << "" << false << false;
    QTest::newRow("both blank") << "  " << "  " << false << false;
    QTest::newRow("home empty") << "" << "DC Pfeil" << false << false;
}
// clang-format on

void LineupTest::equalTeams()
{
    QFETCH(QString, heim);
    QFETCH(QString, gast);
    QFETCH(bool, sicherungGeladen);
    QFETCH(bool, abgelehnt);
    Mannschaften m;
    m.sheet.setText("f_Heimteam", heim);
    m.sheet.setText("f_gastteam", gast);
    m.sheet.SicherungGeladen = sicherungGeladen;

    m.uebernehmen();

    if (abgelehnt) {
        QCOMPARE(m.dialogs.texts(), QStringList{kTeamsGleich});
        QCOMPARE(m.dialogs.shown.first().kind, Shown::Information);
        QCOMPARE(m.zeilen(), QStringList(16, "alt"));
        QVERIFY(!m.sheet.NamenUebergeben);
        QVERIFY(m.focus.moves.isEmpty());
    } else {
        QVERIFY(m.dialogs.shown.isEmpty());
        QCOMPARE(m.sheet.text("Edit1"), QString("RH1 - RG1"));
        QVERIFY(m.sheet.NamenUebergeben);
        QCOMPARE(m.focus.moves, QStringList{"Edit9"});
    }
}

// Substitutes chosen beforehand do not show: every line follows the schedule.
void LineupTest::transferWritesScheduleNotChoices()
{
    Mannschaften m;
    waehlen(m.sheet, "ComboBox5=H5");
    waehlen(m.sheet, "ComboBox20=G6");
    waehlen(m.sheet, "ComboBox29=h1");

    m.uebernehmen();

    const QStringList erwartet{"RH1 - RG1", "RH2 - RG2", "RH3 - RG3", "RH4 - RG4", "RH1 - RG2", "RH2 - RG3",
                               "RH4 - RG1", "RH3 - RG4", "RH1 - RG3", "RH4 - RG2", "RH3 - RG1", "RH2 - RG4",
                               "RH4 - RG3", "RH3 - RG2", "RH1 - RG4", "RH2 - RG1"};
    QCOMPARE(m.zeilen(), erwartet);
    QCOMPARE(m.sheet.text("ComboBox5"), QString("H5"));
    QCOMPARE(m.sheet.selectedItem("ComboBox5"), 1);
    QCOMPARE(m.sheet.text("ComboBox20"), QString("G6"));
    QCOMPARE(m.sheet.text("ComboBox29"), QString("h1"));
}

// clang-format off
void LineupTest::blankNicknameFallsBackToName_data()
{
    QTest::addColumn<QString>("h1Rufname");
    QTest::addColumn<QString>("h1Name");
    QTest::addColumn<QString>("g1Rufname");
    QTest::addColumn<QString>("g1Name");
    QTest::addColumn<QString>("zeile");
    QTest::newRow("blank nickname") << "   " << "Müller" << "Ede" << "Eder" << "Müller - Ede";
    QTest::newRow("empty nickname") << "" << "Müller" << "Ede" << "Eder" << "Müller - Ede";
    QTest::newRow("nickname kept untrimmed") << " Kalle " << "Karl" << "Ede" << "Eder" << " Kalle  - Ede";
    QTest::newRow("guest without either") << "Kalle" << "Karl" << "" << "" << "Kalle - ";
    QTest::newRow("guest name untrimmed") << "Kalle" << "Karl" << " " << " Eder" << "Kalle -  Eder";
    QTest::newRow("nobody") << "" << "" << "" << "" << " - ";
}
// clang-format on

void LineupTest::blankNicknameFallsBackToName()
{
    Mannschaften m;
    QFETCH(QString, h1Rufname);
    QFETCH(QString, h1Name);
    QFETCH(QString, g1Rufname);
    QFETCH(QString, g1Name);
    m.sheet.setText("f_h1rname", h1Rufname);
    m.sheet.setText("f_h1name", h1Name);
    m.sheet.setText("f_g1rname", g1Rufname);
    m.sheet.setText("f_g1name", g1Name);

    m.uebernehmen();

    QTEST(m.sheet.text("Edit1"), "zeile");
}

void LineupTest::secondTransferAsks_data()
{
    QTest::addColumn<bool>("abbrechen");
    QTest::addColumn<QString>("zeile");
    QTest::newRow("Ja cancels") << true << "RH1 - RG1";
    QTest::newRow("Nein transfers") << false << "Neu - RG1";
}

void LineupTest::secondTransferAsks()
{
    QFETCH(bool, abbrechen);
    Mannschaften m;
    m.uebernehmen();
    QVERIFY(m.dialogs.shown.isEmpty());
    m.sheet.setText("f_h1rname", "Neu");
    m.dialogs.answers.enqueue(abbrechen);

    m.uebernehmen();

    QCOMPARE(m.dialogs.texts(), QStringList{kSchonUebergeben});
    QCOMPARE(m.dialogs.shown.first().kind, Shown::Confirmation);
    QTEST(m.sheet.text("Edit1"), "zeile");
    QVERIFY(m.sheet.NamenUebergeben);
    QCOMPARE(m.focus.moves.size(), abbrechen ? 1 : 2);
}

void LineupTest::duplicatesStopTransfer_data()
{
    QTest::addColumn<bool>("schonUebergeben");
    QTest::addColumn<QStringList>("doppelt");
    QTest::addColumn<QStringList>("meldungen");
    QTest::newRow("home") << false << QStringList{"f_h2name", "f_h6name"} << QStringList{kHeimDoppelt};
    QTest::newRow("guest") << false << QStringList{"f_g1name", "f_g5name"} << QStringList{kGastDoppelt};
    QTest::newRow("both teams") << false << QStringList{"f_h1name", "f_h2name", "f_g1name", "f_g2name"}
                                << QStringList{kHeimDoppelt};
    QTest::newRow("question first") << true << QStringList{"f_g3name", "f_g4name"}
                                    << QStringList{kSchonUebergeben, kGastDoppelt};
}

void LineupTest::duplicatesStopTransfer()
{
    QFETCH(bool, schonUebergeben);
    QFETCH(QStringList, doppelt);
    Mannschaften m;
    m.sheet.NamenUebergeben = schonUebergeben;
    for (const QString& feld : doppelt)
        m.sheet.setText(klw::test::fieldNamed(feld), feld.startsWith("f_h") ? "Hans" : "Gerd");

    m.uebernehmen();

    QTEST(m.dialogs.texts(), "meldungen");
    QCOMPARE(m.dialogs.shown.last().kind, Shown::Information);
    QCOMPARE(m.zeilen(), QStringList(16, "alt"));
    QCOMPARE(m.sheet.NamenUebergeben, schonUebergeben);
    QVERIFY(m.focus.moves.isEmpty());
}

// After a restore: no question, no duplicate check, the lines are written.
void LineupTest::restoredSheetSkipsChecks()
{
    Mannschaften m;
    m.sheet.SicherungGeladen = true;
    m.sheet.NamenUebergeben = true;
    m.sheet.setText("f_h1name", "Hans");
    m.sheet.setText("f_h2name", "Hans");

    m.uebernehmen();

    QVERIFY(m.dialogs.shown.isEmpty());
    QCOMPARE(m.sheet.text("Edit4"), QString("RH2 - RG2"));
    QCOMPARE(m.focus.moves, QStringList{"Edit9"});
}

void LineupTest::substituteLineAfterTransfer()
{
    Mannschaften m;
    m.uebernehmen();
    waehlen(m.sheet, "ComboBox5=H5");
    klw::ComboBox1Click(m.c, "ComboBox5");
    QCOMPARE(m.sheet.text("Edit3"), QString("RH5 - RG3"));

    m.dialogs.answers.enqueue(false);
    m.uebernehmen();
    QCOMPARE(m.sheet.text("Edit3"), QString("RH3 - RG3"));
    QCOMPARE(m.sheet.text("ComboBox5"), QString("H5"));

    klw::ComboBox1Exit(m.c, "ComboBox5");
    QCOMPARE(m.sheet.text("Edit3"), QString("RH5 - RG3"));
}

void LineupTest::noFocusMoveWhenEdit9CannotTakeIt()
{
    Mannschaften m;
    m.focus.blocked.insert("Edit9");
    m.uebernehmen();
    QCOMPARE(m.sheet.text("Edit1"), QString("RH1 - RG1"));
    QVERIFY(m.focus.moves.isEmpty());
}

QTEST_GUILESS_MAIN(LineupTest)
#include "test_lineup.moc"
