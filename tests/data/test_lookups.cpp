// League, official and member look-ups over a fresh copy of the shipped database, and the
// refusal of a team playing itself.

#include <QTest>

#include "data/lookups.h"
#include "lifecycle/start.h"
#include "sheet/tables.h"
#include "support/database_harness.h"

using namespace klw;
using klw::test::DatabaseHarness;
using klw::test::Shown;

namespace {

const QString kVorher = QStringLiteral("vorher");
const QString kBuero =
    QStringLiteral(" MEKO e. V.; Tele.: ") + kVerbandTelefon + QStringLiteral("; E-Mail: ") + kVerbandEmail;

struct Liga : DatabaseHarness {
    explicit Liga(const QString& fixture = QString())
    {
        ProgrammStart(c);
        if (!fixture.isEmpty())
            abfragen.ABSDatabase1.execute(fixture);
        sheet.MitDoppel = true;
        for (klw::FieldId control : kDoublesControls)
            sheet.setVisible(control, true);
        sheet.setText("l_ligabearbeiter", kVorher);
    }
    void verlassen(const QString& liga)
    {
        sheet.setText("f_liga", liga);
        dispatch(dialogs, [&] { f_ligaExit(c, "f_liga"); });
    }
};

}  // namespace

class TestLookups : public QObject {
    Q_OBJECT

private slots:
    // The doubles flag, the doubles row and the official line after leaving the league.
    void leavingTheLeague_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("liga");
        QTest::addColumn<bool>("mitDoppel");
        QTest::addColumn<QString>("zeile");
        const QString oberliga =
            QStringLiteral("Hans-Peter Kuhlmann; Tele.: 0201 372 50 51; E-Mail: oberliga@meko-darts.example");
        QTest::newRow("DOPPELI 1") << QString() << "Oberliga" << true << oberliga;
        QTest::newRow("surrounding blanks dropped") << QString() << "  Oberliga " << true << oberliga;
        QTest::newRow("DOPPELI 0") << QString() << "B3-Liga" << false
                                   << "Renate Averbeck; Tele.: 0201 366 56 59; E-Mail: b3liga@meko-darts.example";
        QTest::newRow("DOPPELI 2") << "update LIGA set DOPPELI = 2 where LIGAX = 'A1-Liga'"
                                   << "A1-Liga" << false
                                   << "Elke Wittkamp; Tele.: 0201 767 76 29; E-Mail: a1liga@meko-darts.example";
        QTest::newRow("unknown league keeps the line") << QString() << "Z-Liga" << false << kVorher;
        QTest::newRow("other case is another league") << QString() << "oberliga" << false << kVorher;
        QTest::newRow("unknown official: the office, with a leading blank")
            << "update LIGA set BEARBEITERX = 'SB99' where LIGAX = 'A2-Liga'"
            << "A2-Liga" << true << kBuero;
        QTest::newRow("quote in the league")
            << "insert into LIGA (LIGAX, BEARBEITERX, DOPPELI, TELEFONX, FAXX, EMAILX) values "
               "('O''Neill-Liga', 'SB02', 1, '030 1', '', 'on@example')"
            << "O'Neill-Liga" << true << "Gisela Sprenger; Tele.: 030 1; E-Mail: on@example";
        QTest::newRow("quoted condition finds nothing") << QString() << "' or '1'='1" << false << kVorher;
        QTest::newRow("wildcard is no wildcard") << QString() << "%" << false << kVorher;
        // The league's telephone cannot be read: what was read before stays, the rest is the office's.
        QTest::newRow("failing field keeps the values read")
            << "alter table LIGA rename column TELEFONX to TELEFON"
            << "Oberliga" << true << "Hans-Peter Kuhlmann; Tele.: " + kVerbandTelefon + "; E-Mail: " + kVerbandEmail;
        QTest::newRow("failing league statement counts as not found") << "alter table LIGA rename column LIGAX to NAME"
                                                                      << "Oberliga" << false << kVorher;
        QTest::newRow("failing official statement gives the office") << "alter table SACHBEARBEITER rename to SB"
                                                                     << "Oberliga" << true << kBuero;
    }
    void leavingTheLeague()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, liga);
        QFETCH(bool, mitDoppel);
        QFETCH(QString, zeile);
        Liga h(fixture);
        h.verlassen(liga);
        QCOMPARE(h.sheet.MitDoppel, mitDoppel);
        for (klw::FieldId control : kDoublesControls)
            QVERIFY2(h.sheet.isVisible(control) == mitDoppel, control.view().data());
        QCOMPARE(h.sheet.text("l_ligabearbeiter"), zeile);
        QCOMPARE(h.sheet.text("f_liga"), liga);
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    // A league row without its doubles column is an error the user sees; the doubles row
    // still follows the cleared flag.
    void failureAfterTheLeagueIsFoundReachesTheErrorBox()
    {
        Liga h("alter table LIGA drop column DOPPELI");
        h.verlassen("Oberliga");
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].kind, Shown::Error);
        QCOMPARE(h.dialogs.shown[0].text, QStringLiteral("no such column: DOPPELI"));
        QVERIFY(!h.sheet.MitDoppel);
        QVERIFY(!h.sheet.isVisible("l_hdoppel1"));
        QVERIFY(h.sheet.text("l_ligabearbeiter").startsWith("Hans-Peter Kuhlmann; "));
    }

    void officialWithoutLeagueTakesAllValuesFromTheOfficial()
    {
        Liga h;
        h.abfragen.Q_LIGA.close();
        QCOMPARE(SachbearbeiterLesen(h.c, "SB02"), 1);
        QCOMPARE(h.sheet.text("l_ligabearbeiter"),
                 QStringLiteral("Gisela Sprenger; Tele.: 0201 637 60 77; E-Mail: gisela.sprenger@meko-darts.example"));
        QCOMPARE(SachbearbeiterLesen(h.c, "SB02' or ''='"), 0);
        QCOMPARE(h.sheet.text("l_ligabearbeiter"), kBuero);
        // The official's row stays current for the result file.
        QCOMPARE(TabelleSachbearbeiterLesen(h.c, h.abfragen.Q_SB, "SB21"), 1);
        QCOMPARE(h.abfragen.Q_SB.fieldByName("EMAILX").asString(),
                 QStringLiteral("volker.moellenbeck@meko-darts.example"));
    }

    void newMemberHoldsOnlyItsPassNumber()
    {
        Liga h;
        QCOMPARE(SpielerLesen(h.c, "O'Neill 7"), 0);
        SpielerAnlegen(h.c, "O'Neill 7");
        QCOMPARE(SpielerLesen(h.c, "O'Neill 7"), 1);
        db::Dataset& q = h.abfragen.Q_SPIELER;
        QCOMPARE(q.recordCount(), 1);
        for (const char* column : {"VORNAME", "NACHNAME", "NAME", "NICKNAMEX", "TEAM", "LIGA"})
            QVERIFY2(q.fieldByName(column).asString().isEmpty(), column);
        QCOMPARE(SpielerLesen(h.c, "' or '1'='1"), 0);
        QCOMPARE(SpielerLesen(h.c, "%"), 0);
    }

    void teamAgainstItself_data()
    {
        QTest::addColumn<QString>("heim");
        QTest::addColumn<QString>("gast");
        QTest::addColumn<bool>("refused");
        QTest::newRow("same") << "Adler"
                              << "Adler" << true;
        QTest::newRow("same with blanks") << " Adler "
                                          << "Adler  " << true;
        QTest::newRow("letter case differs") << "Adler"
                                             << "adler" << false;
        QTest::newRow("different") << "Adler"
                                   << "Falken" << false;
        QTest::newRow("guest empty") << "Adler"
                                     << "" << false;
        QTest::newRow("both blank") << "  "
                                    << " " << false;
    }
    void teamAgainstItself()
    {
        QFETCH(QString, heim);
        QFETCH(QString, gast);
        QFETCH(bool, refused);
        for (klw::ControlId sender : std::array<klw::ControlId, 2>{"f_Heimteam", "f_gastteam"}) {
            klw::test::Harness h;
            h.sheet.setText("f_Heimteam", heim);
            h.sheet.setText("f_gastteam", gast);
            f_HeimteamExit(h.c, sender);
            QCOMPARE(h.dialogs.texts(),
                     refused ? QStringList{"Heim- und Gastteam müssen unterschiedlich sein!"} : QStringList{});
            QCOMPARE(h.focus.moves, refused ? QStringList{"f_Heimteam"} : QStringList{});
            QCOMPARE(h.sheet.text("f_Heimteam"), heim);
            QCOMPARE(h.sheet.text("f_gastteam"), gast);
        }
    }
};

QTEST_MAIN(TestLookups)
#include "test_lookups.moc"
