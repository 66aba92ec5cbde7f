// Restoring a snapshot: a whole sheet comes back with everything that follows from it and
// prints the same page, substitutes come back as picks, the selected snapshot is the one
// restored even when an autosave falls in between, after a restore the name transfer asks
// nothing, and a database file made before the place was kept gets its column at start.
#include <QPdfWriter>
#include <QtTest>

#include "data/player_entry.h"
#include "dbengine/statement.h"
#include "lifecycle/start.h"
#include "lineup/lineup.h"
#include "output/druck.h"
#include "output/ergebnis.h"
#include "reportengine/report.h"
#include "scoring/scoring.h"
#include "sheet/fields.h"
#include "sheet/tables.h"
#include "snapshots/snapshots.h"
#include "support/database_harness.h"
#include "support/pdfwords.h"
#include "support/snapshot_sheet.h"

using namespace klw;
using klw::test::Shown;

namespace {

QString frage(const QString& gesichert)
{
    return QStringLiteral("Durch das herstellen der ausgewählten Sicherung, \n\rWird der aktuelle Stand "
                          "überschrieben\n\r\n\rSoll die Sicherung vom ") +
           gesichert + QStringLiteral(" hergestellt werden?");
}

QStringList spaltenVonSicherung(sqlite3* db)
{
    db::PreparedStatement info(db, QStringLiteral("pragma table_info(SICHERUNG)"));
    QStringList spalten;
    while (info.step())
        spalten << info.column(1).toString();
    return spalten;
}

struct Wiederherstellen : klw::test::DatabaseHarness {
    int minute = 0;
    QHash<QString, QString> uebergeben;  // the game lines as the transfer wrote them
    // The print preview as a PDF file: the report that the print button chose, rendered by
    // the report engine.
    QString vorschau = database.dir.filePath(QStringLiteral("vorschau.pdf"));

    // `vorDemStart` gets the database file before the program opens it.
    explicit Wiederherstellen(const std::function<void(const QString&)>& vorDemStart = {})
    {
        if (vorDemStart)
            vorDemStart(database.file());
        dialogs.onPreview = [this](reportengine::Report& report) {
            QPdfWriter writer(vorschau);
            report.print(writer);
        };
        c.now = [this] { return QDateTime(QDate(2006, 9, 2), QTime(20, minute)); };
        c.today = [] { return QDate(2006, 9, 2); };
        ProgrammStart(c);
        FormShow(c);
    }

    void speichern()
    {
        ++minute;
        SicherungErstellen(c);
    }

    void kopf()
    {
        sheet.setText("f_spieltag", QStringLiteral("7"));
        sheet.setText("f_liga", QStringLiteral("Oberliga"));
        sheet.setText("f_Heimteam", QStringLiteral("DC O'Brien-Bötzel"));
        sheet.setText("f_gastteam", QStringLiteral("Highlander Herten"));
    }

    // A whole match as a user enters it: header and place, players, transfer, three
    // substitutes picked, all sets, both doubles where the league plays them, a remark of
    // two lines.
    void ganzesSpiel(bool mitDoppel = true)
    {
        kopf();
        sheet.MitDoppel = mitDoppel;  // as the league look-up sets it
        sheet.setText("f_ort", QStringLiteral("Bottrop, 02.09.2006"));
        sheet.setText("l_ligabearbeiter", QStringLiteral("Liga-Bearbeiter: Erika Muster"));
        DoppelSpiel(c);
        const char* passnummern[12] = {"10007", "10016", "10031", "10065", "10075", "10109",
                                       "10168", "10194", "10208", "10239", "10270", "10290"};
        for (int i = 0; i < 12; ++i) {
            sheet.setText(kPlayerRows[size_t(i)].passNr, QString::fromLatin1(passnummern[i]));
            f_h1pnrExit(c, kPlayerRows[size_t(i)].passNr);
        }
        bt_namenuebernehmen2Click(c, "bt_namenuebernehmen2");
        for (const Game& e : kSingles)
            uebergeben.insert(e.line->name(), sheet.text(*e.line));
        sheet.selectItem("ComboBox5", 1);  // game 3: H5 for H3, picked
        ComboBox1Click(c, "ComboBox5");
        sheet.selectItem("ComboBox20", 2);  // game 10: G6 for G2
        ComboBox1Click(c, "ComboBox20");
        sheet.selectItem("ComboBox30", 1);  // game 15: G5 for G4
        ComboBox1Click(c, "ComboBox30");
        const char* saetze[16] = {"20", "21", "12", "02", "20", "20", "12", "21",
                                  "02", "20", "21", "12", "20", "02", "21", "20"};
        int k = 0;
        for (const Game& e : kSingles) {
            sheet.setText(e.homeSets, QString(QLatin1Char(saetze[k][0])));
            sheet.setText(e.guestSets, QString(QLatin1Char(saetze[k][1])));
            Edit56Exit(c, e.guestSets);
            ++k;
        }
        sheet.setText("m_bemerkung", QStringLiteral("Spiel 4 wiederholt\r\nSchiedsrichter: Jörg \"Fuchs\""));
        if (!mitDoppel)
            return;
        const Game& d1 = kDoubles[0];
        const Game& d2 = kDoubles[1];
        sheet.setText(d1.homeChoice, QStringLiteral("Kuddel / Tiger"));
        sheet.setText(d1.guestChoice, QStringLiteral("Fuchs / Eisen"));
        sheet.setText(d2.homeChoice, QStringLiteral("Rakete / Bomber"));
        sheet.setText(d2.guestChoice, QStringLiteral("Flitzer / Fuchs"));
        sheet.setText(d1.homeSets, QStringLiteral("2"));
        sheet.setText(d1.guestSets, QStringLiteral("1"));
        Edit56Exit(c, d1.guestSets);
        sheet.setText(d2.homeSets, QStringLiteral("0"));
        sheet.setText(d2.guestSets, QStringLiteral("2"));
        Edit56Exit(c, d2.guestSets);
    }

    // Every field that a snapshot stores or that follows from it.
    QStringList felder() const
    {
        QStringList f{"f_spieltag", "f_liga", "f_datum", "f_Heimteam", "f_gastteam", "m_bemerkung",
                      "f_ort",      "Edit50", "Edit85",  "Edit49",     "Edit84"};
        for (const PlayerRow& z : kPlayerRows)
            f << z.passNr << z.name << z.nickname << z.points;
        for (const Game& s : kGameTable) {
            f << s.homeChoice << s.guestChoice << s.homeSets << s.guestSets << s.homePoint << s.guestPoint;
            if (s.line)
                f << *s.line;
        }
        return f;
    }
    QHash<QString, QString> stand() const
    {
        QHash<QString, QString> st;
        for (const QString& f : felder())
            st.insert(f, sheet.text(klw::test::fieldNamed(f)));
        st.insert(QStringLiteral("Saison"), sheet.Saison);
        st.insert(QStringLiteral("rg_ergebnis"), QString::number(sheet.itemIndex("rg_ergebnis")));
        return st;
    }
    // Something else in every field, as another match would have it.
    void allesAendern()
    {
        for (const QString& f : felder())
            sheet.setText(klw::test::fieldNamed(f), QStringLiteral("0"));
        sheet.setText("f_datum", QStringLiteral("01.01.2001"));
        sheet.Saison = QStringLiteral("1999");
        sheet.setItemIndex("rg_ergebnis", -1);
    }
    void laden(bool ja)
    {
        dialogs.answers.enqueue(ja);
        bt_ladenClick(c, "bt_laden");
    }
    // The page that the print button puts into the preview, as text.
    QString gedruckteSeite()
    {
        QFile::remove(vorschau);
        dialogs.answers << true << true;  // print even without 48 points; the remark is filled in
        bt_druckClick(c, "bt_druck");
        dialogs.answers.clear();
        return klw::test::runTool(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-layout"), vorschau, QStringLiteral("-")});
    }
};

}  // namespace

class WiederherstellenTest : public QObject {
    Q_OBJECT
private slots:
    void roundTripBringsBackTheWholeSheet()
    {
        Wiederherstellen h;
        h.ganzesSpiel();
        // Games 3 and 10 show their substitutes' lines.
        QCOMPARE(h.uebergeben.value("Edit3"), QStringLiteral("Rakete - Fuchs"));
        QCOMPARE(h.sheet.text("Edit3"), QStringLiteral(" - Fuchs"));
        QCOMPARE(h.uebergeben.value("Edit28"), QStringLiteral("Yvonne Lange - Fuchs"));
        QCOMPARE(h.sheet.text("Edit28"), QStringLiteral(" - Flitzer"));
        const auto vorher = h.stand();
        QCOMPARE(h.sheet.number("Edit49") + h.sheet.number("Edit84"), 18);  // complete and scored
        QVERIFY(h.sheet.itemIndex("rg_ergebnis") >= 0);
        QVERIFY(h.dialogs.shown.isEmpty());
        h.speichern();

        Image2Click(h.c, "Image2");
        h.allesAendern();
        h.laden(true);

        QCOMPARE(h.dialogs.texts(), QStringList{frage(QStringLiteral("02.09.2006 20:01:00"))});
        const auto nachher = h.stand();
        for (const QString& feld : vorher.keys()) {
            QVERIFY2(nachher.value(feld) == vorher.value(feld),
                     qPrintable(feld + QStringLiteral(": ") + nachher.value(feld) + QStringLiteral(" instead of ") +
                                vorher.value(feld)));
        }
        // The choices come back as the picks they were made by.
        const QHash<QString, int> ersatz{{"ComboBox5", 1}, {"ComboBox20", 2}, {"ComboBox30", 1}};
        for (const Game& e : kSingles) {
            for (klw::FieldId wahl : std::array<klw::FieldId, 2>{e.homeChoice, e.guestChoice})
                QVERIFY2(h.sheet.selectedItem(wahl) == ersatz.value(wahl.name(), 0), wahl.view().data());
        }
        QVERIFY(h.sheet.SicherungGeladen);
        QVERIFY(!h.sheet.isVisible("p_admin"));
        QVERIFY(h.timer1.isActive());
        QCOMPARE(h.timer1.interval(), 600000);
    }

    // What the league official gets: the page printed after the restore is the page printed
    // before the save, substitutes and place included, and so is the result record.
    void restoredSheetPrintsTheSamePage_data()
    {
        QTest::addColumn<bool>("mitDoppel");
        QTest::newRow("league without doubles") << false;
        QTest::newRow("league with doubles") << true;
    }
    void restoredSheetPrintsTheSamePage()
    {
        QFETCH(bool, mitDoppel);
        Wiederherstellen h;
        h.ganzesSpiel(mitDoppel);
        const QString vorher = h.gedruckteSeite();
        const QString satzVorher = Ergebnissatz(h.sheet);
        for (const char* gedruckt : {"H5 : G3", "H4 : G6", "H1 : G5", "Bottrop, 02.09.2006"})
            QVERIFY2(vorher.contains(QLatin1String(gedruckt)), gedruckt);
        h.speichern();

        Image2Click(h.c, "Image2");
        h.allesAendern();
        h.laden(true);

        QCOMPARE(h.gedruckteSeite(), vorher);
        QCOMPARE(Ergebnissatz(h.sheet), satzVorher);
        QCOMPARE(h.dialogs.shown.size(), 3);  // the restore question and the remark question twice
    }

    // A stored choice comes back as the pick its text names; a text that is none of the
    // choice's items comes back as typed, and the game keeps the transfer's line.
    void storedChoiceComesBackAsItsPick_data()
    {
        QTest::addColumn<QString>("wahl");
        QTest::addColumn<QString>("gespeichert");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("zeile");  // the line of the choice's game
        QTest::addColumn<QString>("paarung");
        QTest::newRow("scheduled") << "ComboBox5"
                                   << "H3" << 0 << "Rakete - Fuchs"
                                   << "H3 : G3";
        QTest::newRow("home substitute") << "ComboBox5"
                                         << "H5" << 1 << " - Fuchs"
                                         << "H5 : G3";
        QTest::newRow("guest substitute") << "ComboBox20"
                                          << "G6" << 2 << " - Flitzer"
                                          << "H4 : G6";
        QTest::newRow("typed, none of the items") << "ComboBox5"
                                                  << "h5" << -1 << "Rakete - Fuchs"
                                                  << "H3 : G3";
    }
    void storedChoiceComesBackAsItsPick()
    {
        QFETCH(QString, wahl);
        QFETCH(QString, gespeichert);
        QFETCH(int, item);
        QFETCH(QString, zeile);
        QFETCH(QString, paarung);
        Wiederherstellen h;
        h.ganzesSpiel();
        h.sheet.setText(klw::test::fieldNamed(wahl), gespeichert);  // typed, as the column holds it
        h.speichern();
        Image2Click(h.c, "Image2");
        h.allesAendern();
        h.laden(true);
        const Game& spiel = *gameWithChoice(klw::test::controlNamed(wahl));
        QCOMPARE(h.sheet.text(klw::test::fieldNamed(wahl)), gespeichert);
        QCOMPARE(h.sheet.selectedItem(klw::test::fieldNamed(wahl)), item);
        QCOMPARE(h.sheet.text(*spiel.line), zeile);
        QVERIFY2(h.gedruckteSeite().contains(paarung), qPrintable(paarung));
    }

    // A database file made before the place was kept gets the column at start, and nothing
    // else changes: its snapshots stay as they were and come back with an empty place.
    void databaseFileWithoutThePlaceIsCompletedAtStart_data()
    {
        QTest::addColumn<bool>("ohneOrt");
        QTest::newRow("file made without the place") << true;
        QTest::newRow("shipped file") << false;
    }
    void databaseFileWithoutThePlaceIsCompletedAtStart()
    {
        QFETCH(bool, ohneOrt);
        QStringList spaltenAlt;
        QHash<QString, QVariant> zeileAlt;
        int mitgliederAlt = 0;
        Wiederherstellen h([&](const QString& datei) {
            db::Connection alt;
            alt.open(datei);
            if (ohneOrt)
                alt.execute(QStringLiteral("alter table SICHERUNG drop column ORTX"));
            alt.execute(QStringLiteral(
                "insert into SICHERUNG (LFDNRI, SAISONX, LIGAX, SPIELTAGI, DATUMD, HTEAMX, GTEAMX, BEMERKUNGX, PNRH1X, "
                "R1H1X, R1G1X, R1H1SI, R1G1SI, GESPEICHERTD) values (1, '2006', 'Oberliga', 7, '2006-09-01', "
                "'DC O''Brien-Bötzel', 'Highlander Herten', 'alter Stand', '10007', 'H5', 'G1', 2, 1, "
                "'2006-09-01 21:30:00.000')"));
            spaltenAlt = spaltenVonSicherung(alt.handle());
            zeileAlt = klw::test::gespeicherteZeile(alt.handle(), 1);
            db::PreparedStatement mitglieder(alt.handle(), QStringLiteral("select count(*) from Mitglied"));
            mitglieder.step();
            mitgliederAlt = mitglieder.column(0).toInt();
        });
        sqlite3* db = h.abfragen.ABSDatabase1.handle();
        QCOMPARE(spaltenAlt.contains(QStringLiteral("ORTX")), !ohneOrt);
        const QStringList spalten = spaltenVonSicherung(db);
        QCOMPARE(spalten, spaltenAlt.contains(QStringLiteral("ORTX")) ? spaltenAlt : spaltenAlt + QStringList{"ORTX"});
        QCOMPARE(klw::test::anzahlSicherungen(db), 1);
        auto zeile = klw::test::gespeicherteZeile(db, 1);
        QVERIFY(zeile.value(QStringLiteral("ORTX")).isNull());
        zeile.remove(QStringLiteral("ORTX"));
        zeileAlt.remove(QStringLiteral("ORTX"));
        QCOMPARE(zeile, zeileAlt);
        db::PreparedStatement mitglieder(db, QStringLiteral("select count(*) from Mitglied"));
        mitglieder.step();
        QCOMPARE(mitglieder.column(0).toInt(), mitgliederAlt);
        QVERIFY(h.dialogs.shown.isEmpty());

        h.kopf();
        h.sheet.setText("f_ort", QStringLiteral("Herten, 02.09.2006"));
        Image2Click(h.c, "Image2");
        h.laden(true);
        QCOMPARE(h.sheet.text("m_bemerkung"), QStringLiteral("alter Stand"));
        QCOMPARE(h.sheet.text("f_ort"), QString());
        QCOMPARE(h.sheet.selectedItem("ComboBox1"), 1);

        // A save on the completed file keeps the place.
        h.sheet.setText("f_ort", QStringLiteral("Herten, 02.09.2006"));
        h.speichern();
        QCOMPARE(klw::test::gespeicherteZeile(db, 2).value(QStringLiteral("ORTX")).toString(),
                 QStringLiteral("Herten, 02.09.2006"));
    }

    // An autosave while the question is on screen does not change which snapshot is restored.
    void autosaveDuringTheQuestionRestoresTheSelectedRow()
    {
        Wiederherstellen h;
        h.kopf();
        for (int i = 1; i <= 3; ++i) {
            h.sheet.setText("m_bemerkung", QStringLiteral("Stand %1").arg(i));
            h.speichern();
        }
        Image2Click(h.c, "Image2");
        h.abfragen.Q_LESEN.setRecNo(2);  // the oldest
        h.sheet.setText("m_bemerkung", QStringLiteral("Stand 4"));
        h.dialogs.whileShown = [&] {
            ++h.minute;
            Timer1Timer(h.c, "Timer1");
        };
        h.laden(true);
        QCOMPARE(h.dialogs.texts(), QStringList{frage(QStringLiteral("02.09.2006 20:01:00"))});
        QCOMPARE(h.sheet.text("m_bemerkung"), QStringLiteral("Stand 1"));
        QCOMPARE(klw::test::anzahlSicherungen(h.abfragen.ABSDatabase1.handle()), 4);
    }

    void afterARestoreTheTransferAsksNothing()
    {
        Wiederherstellen h;
        h.ganzesSpiel();
        h.speichern();
        Image2Click(h.c, "Image2");
        h.laden(true);
        h.dialogs.shown.clear();
        h.sheet.setText("f_h2rname", h.sheet.text("f_h1rname"));  // even a duplicate is not checked
        bt_namenuebernehmen2Click(h.c, "bt_namenuebernehmen2");
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(klw::test::anzahlSicherungen(h.abfragen.ABSDatabase1.handle()), 1);
    }

    void unplayedGameComesBackAsNoughts()
    {
        Wiederherstellen h;
        h.kopf();
        h.sheet.setText("Edit9", QStringLiteral("2"));
        h.sheet.setText("Edit56", QStringLiteral("0"));
        Edit56Exit(h.c, "Edit56");
        h.speichern();
        Image2Click(h.c, "Image2");
        h.laden(true);
        for (klw::FieldId f :
             std::array<klw::FieldId, 4>{"Edit47", "Edit82", "Edit46", "Edit81"})  // game 16, never played
            QCOMPARE(h.sheet.text(f), QStringLiteral("0"));
        QCOMPARE(h.sheet.text("Edit8"), QStringLiteral("1"));
        QCOMPARE(h.sheet.text("Edit49"), QStringLiteral("1"));
    }

    void declinedOrEmptyListChangesNothing_data()
    {
        QTest::addColumn<bool>("gespeichert");
        QTest::addColumn<bool>("ja");
        QTest::addColumn<QString>("gesichert");
        QTest::newRow("Nein") << true << false << "02.09.2006 20:01:00";
        QTest::newRow("empty list, Ja") << false << true << "";
    }
    void declinedOrEmptyListChangesNothing()
    {
        QFETCH(bool, gespeichert);
        QFETCH(bool, ja);
        QFETCH(QString, gesichert);
        Wiederherstellen h;
        h.kopf();
        if (gespeichert)
            h.speichern();
        Image2Click(h.c, "Image2");
        h.sheet.setText("f_Heimteam", QStringLiteral("geändert"));
        const auto vorher = h.stand();
        h.laden(ja);
        QCOMPARE(h.dialogs.texts(), QStringList{frage(gesichert)});
        QCOMPARE(h.stand(), vorher);
        QCOMPARE(h.sheet.SicherungGeladen, ja);
        QVERIFY(h.sheet.isVisible("p_admin"));
    }
};

QTEST_MAIN(WiederherstellenTest)
#include "test_wiederherstellen.moc"
