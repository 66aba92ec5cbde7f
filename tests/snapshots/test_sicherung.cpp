// Saving a snapshot: every column from its field, the numbering, the label, the sheets that
// are not saved, a failed save that stores nothing and says why, another program holding
// the file, and the autosave that does not pile up error boxes.
#include <QtTest>
#include <atomic>
#include <thread>

#include "dbengine/dataset.h"
#include "dbengine/error.h"
#include "lifecycle/start.h"
#include "sheet/fields.h"
#include "snapshots/snapshots.h"
#include "support/database_harness.h"
#include "support/snapshot_sheet.h"

using namespace klw;
using klw::test::DatabaseHarness;
using klw::test::Shown;

namespace {

const QDateTime kJetzt(QDate(2006, 7, 31), QTime(18, 5, 9, 250));

// A connected sheet with a complete header; the clock stands at kJetzt.
struct Gespeichert : DatabaseHarness {
    Gespeichert()
    {
        ProgrammStart(c);
        c.now = [] { return kJetzt; };
        sheet.Saison = QStringLiteral("2006");
        sheet.setText("f_liga", QStringLiteral("Oberliga"));
        sheet.setText("f_spieltag", QStringLiteral("7"));
        sheet.setText("f_datum", QStringLiteral("31.07.2006"));
        sheet.setText("f_Heimteam", QStringLiteral("DC Adler Bottrop"));
        sheet.setText("f_gastteam", QStringLiteral("Highlander Herten"));
    }
    sqlite3* db() { return abfragen.ABSDatabase1.handle(); }
    int anzahl() { return klw::test::anzahlSicherungen(db()); }
    QHash<QString, QVariant> zeile(int lfdNr) { return klw::test::gespeicherteZeile(db(), lfdNr); }
    void loeschen(int lfdNr)
    {
        abfragen.ABSDatabase1.execute(QStringLiteral("delete from SICHERUNG where LFDNRI = %1").arg(lfdNr));
    }
};

// The singles table of the snapshot row, written out: game, home choice column and its
// choice, guest choice column and its choice, home sets column and its field, guest sets
// column and its field.
const char* const kEinzel[16][8] = {
    {"R1H1X", "ComboBox1", "R1G1X", "ComboBox2", "R1H1SI", "Edit9", "R1G1SI", "Edit56"},
    {"R1H2X", "ComboBox3", "R1G2X", "ComboBox4", "R1H2SI", "Edit7", "R1G2SI", "Edit54"},
    {"R1H3X", "ComboBox5", "R1G3X", "ComboBox6", "R1H3SI", "Edit5", "R1G3SI", "Edit51"},
    {"R1H4X", "ComboBox7", "R1G4X", "ComboBox8", "R1H4SI", "Edit13", "R1G4SI", "Edit58"},
    {"R2H1X", "ComboBox9", "R2G1X", "ComboBox10", "R2H1SI", "Edit21", "R2G1SI", "Edit64"},
    {"R2H2X", "ComboBox11", "R2G2X", "ComboBox12", "R2H2SI", "Edit19", "R2G2SI", "Edit62"},
    {"R2H3X", "ComboBox13", "R2G3X", "ComboBox14", "R2H3SI", "Edit17", "R2G3SI", "Edit60"},
    {"R2H4X", "ComboBox15", "R2G4X", "ComboBox16", "R2H4SI", "Edit23", "R2G4SI", "Edit66"},
    {"R3H1X", "ComboBox17", "R3G1X", "ComboBox18", "R3H1SI", "Edit33", "R3G1SI", "Edit72"},
    {"R3H2X", "ComboBox19", "R3G2X", "ComboBox20", "R3H2SI", "Edit31", "R3G2SI", "Edit70"},
    {"R3H3X", "ComboBox21", "R3G3X", "ComboBox22", "R3H3SI", "Edit29", "R3G3SI", "Edit68"},
    {"R3H4X", "ComboBox23", "R3G4X", "ComboBox24", "R3H4SI", "Edit35", "R3G4SI", "Edit74"},
    {"R4H1X", "ComboBox25", "R4G1X", "ComboBox26", "R4H1SI", "Edit45", "R4G1SI", "Edit80"},
    {"R4H2X", "ComboBox27", "R4G2X", "ComboBox28", "R4H2SI", "Edit43", "R4G2SI", "Edit78"},
    {"R4H3X", "ComboBox29", "R4G3X", "ComboBox30", "R4H3SI", "Edit41", "R4G3SI", "Edit76"},
    {"R4H4X", "ComboBox31", "R4G4X", "ComboBox32", "R4H4SI", "Edit47", "R4G4SI", "Edit82"},
};

}  // namespace

class SicherungTest : public QObject {
    Q_OBJECT
private slots:
    void headerAndRowsComeFromTheirFields_data()
    {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spalte");
        QTest::addColumn<QVariant>("gespeichert");
        QTest::newRow("league untrimmed") << "f_liga"
                                          << " A1-Liga "
                                          << "LIGAX" << QVariant(" A1-Liga ");
        QTest::newRow("match day 7") << "f_spieltag"
                                     << "7"
                                     << "SPIELTAGI" << QVariant(7);
        QTest::newRow("match day no number") << "f_spieltag"
                                             << "7a"
                                             << "SPIELTAGI" << QVariant(0);
        QTest::newRow("date") << "f_datum"
                              << "01.08.2006"
                              << "DATUMD" << QVariant("2006-08-01");
        QTest::newRow("date with one-digit day and month") << "f_datum"
                                                           << " 1. 8.2006"
                                                           << "DATUMD" << QVariant("2006-08-01");
        QTest::newRow("home team, umlaut and quote") << "f_Heimteam"
                                                     << "DC O'Brien Bötzel "
                                                     << "HTEAMX" << QVariant("DC O'Brien Bötzel ");
        QTest::newRow("guest team") << "f_gastteam"
                                    << "Highlander Herten"
                                    << "GTEAMX" << QVariant("Highlander Herten");
        QTest::newRow("remark of two lines") << "m_bemerkung"
                                             << "a\r\nb"
                                             << "BEMERKUNGX" << QVariant("a\r\nb");
        QTest::newRow("remark ending in a break") << "m_bemerkung"
                                                  << "a\r\n"
                                                  << "BEMERKUNGX" << QVariant("a\r\n");
        QTest::newRow("pass number H1") << "f_h1pnr"
                                        << "10007"
                                        << "PNRH1X" << QVariant("10007");
        QTest::newRow("pass number H6") << "f_h6pnr"
                                        << "10109"
                                        << "PNRH6X" << QVariant("10109");
        QTest::newRow("pass number G1") << "f_g1pnr"
                                        << " 4711"
                                        << "PNRG1X" << QVariant(" 4711");
        QTest::newRow("pass number G6") << "f_g6pnr"
                                        << ""
                                        << "PNRG6X" << QVariant("");
        QTest::newRow("doubles 1 home pair") << "l_hdoppel1"
                                             << "Kuddel / Tiger"
                                             << "HDOPPEL1" << QVariant("Kuddel / Tiger");
        QTest::newRow("doubles 1 guest pair") << "l_gdoppel1"
                                              << "Fuchs / Eisen"
                                              << "GDOPPEL1" << QVariant("Fuchs / Eisen");
        QTest::newRow("doubles 2 home pair") << "l_hdoppel2"
                                             << "Rakete"
                                             << "HDOPPEL2" << QVariant("Rakete");
        QTest::newRow("doubles 2 guest pair") << "l_gdoppel2"
                                              << "Flitzer"
                                              << "GDOPPEL2" << QVariant("Flitzer");
        QTest::newRow("doubles 1 home point") << "l_hdoppelspiele1"
                                              << "1"
                                              << "HD0PELLSPIELE1" << QVariant(1);
        QTest::newRow("doubles 2 home point") << "l_hdoppelspiele2"
                                              << "1"
                                              << "HD0PELLSPIELE2" << QVariant(1);
        QTest::newRow("doubles 1 guest point") << "l_gdoppelspiele1"
                                               << "1"
                                               << "GD0PELLSPIELE1" << QVariant(1);
        QTest::newRow("doubles 2 guest point empty") << "l_gdoppelspiele2"
                                                     << ""
                                                     << "GD0PELLSPIELE2" << QVariant(0);
        QTest::newRow("doubles 1 home sets") << "l_hdoppelsaetze1"
                                             << "2"
                                             << "HDOPPELSAETEZ1" << QVariant(2);
        QTest::newRow("doubles 1 guest sets") << "l_gdoppelsaetze1"
                                              << "1"
                                              << "GDOPPELSAETEZ1" << QVariant(1);
        QTest::newRow("doubles 2 home sets") << "l_hdoppelsaetze2"
                                             << "0"
                                             << "HDOPPELSAETEZ2" << QVariant(0);
        QTest::newRow("doubles 2 guest sets") << "l_gdoppelsaetze2"
                                              << "2"
                                              << "GDOPPELSAETEZ2" << QVariant(2);
        QTest::newRow("place and date") << "f_ort"
                                        << "Bottrop, 02.09.2006"
                                        << "ORTX" << QVariant("Bottrop, 02.09.2006");
    }
    void headerAndRowsComeFromTheirFields()
    {
        QFETCH(QString, feld);
        QFETCH(QString, text);
        QFETCH(QString, spalte);
        QFETCH(QVariant, gespeichert);
        Gespeichert h;
        h.sheet.setText(klw::test::fieldNamed(feld), text);
        SicherungErstellen(h.c);
        const auto zeile = h.zeile(1);
        QVERIFY(!zeile.isEmpty());
        QCOMPARE(zeile.value(spalte).toString(), gespeichert.toString());
        QCOMPARE(zeile.value("SAISONX").toString(), QStringLiteral("2006"));
        QCOMPARE(zeile.value("GESPEICHERTD").toString(), QStringLiteral("2006-07-31 18:05:09.250"));
    }

    // Each of the 64 game fields gets a value of its own, so that any two columns mixed up show.
    void everyGameColumnComesFromItsOwnField()
    {
        Gespeichert h;
        for (int g = 0; g < 16; ++g) {
            h.sheet.setText(klw::test::fieldNamed(kEinzel[g][1]), QStringLiteral("h%1").arg(g));
            h.sheet.setText(klw::test::fieldNamed(kEinzel[g][3]), QStringLiteral("g%1").arg(g));
            h.sheet.setText(klw::test::fieldNamed(kEinzel[g][5]), QString::number(100 + g));
            h.sheet.setText(klw::test::fieldNamed(kEinzel[g][7]), QString::number(200 + g));
        }
        h.sheet.selectItem("ComboBox5", 1);  // a picked substitute is stored as its text
        h.sheet.setText("Edit13", QString());  // an empty sets field is stored as 0
        h.sheet.setText("Edit58", QStringLiteral("x"));
        SicherungErstellen(h.c);
        const auto zeile = h.zeile(1);
        for (int g = 0; g < 16; ++g) {
            const QString game = QStringLiteral("game %1").arg(g + 1);
            QCOMPARE(zeile.value(kEinzel[g][0]).toString(),
                     g == 2 ? QStringLiteral("H5") : QStringLiteral("h%1").arg(g));
            QCOMPARE(zeile.value(kEinzel[g][2]).toString(), QStringLiteral("g%1").arg(g));
            QCOMPARE(zeile.value(kEinzel[g][4]).toInt(), g == 3 ? 0 : 100 + g);
            QCOMPARE(zeile.value(kEinzel[g][6]).toInt(), g == 3 ? 0 : 200 + g);
        }
    }

    void numberingAndLabel()
    {
        Gespeichert h;
        QCOMPARE(MaxLfdNr(h.c), 1);
        for (int i = 0; i < 3; ++i)
            SicherungErstellen(h.c);
        QCOMPARE(h.sheet.text("l_sicherung"), QStringLiteral("letzte Sicherung: 31.07.2006 18.05"));
        QCOMPARE(h.anzahl(), 3);
        QVERIFY(!h.zeile(3).isEmpty());

        h.loeschen(3);  // the highest number is taken again
        SicherungErstellen(h.c);
        QVERIFY(!h.zeile(3).isEmpty());
        h.loeschen(1);  // a lower one is not
        SicherungErstellen(h.c);
        QVERIFY(h.zeile(1).isEmpty());
        QVERIFY(!h.zeile(4).isEmpty());
        h.abfragen.ABSDatabase1.execute(QStringLiteral("delete from SICHERUNG"));
        QCOMPARE(MaxLfdNr(h.c), 1);
    }

    void twoSavesInOneMinuteAreTwoRows()
    {
        Gespeichert h;
        SicherungErstellen(h.c);
        h.c.now = [] { return kJetzt.addSecs(20); };
        SicherungErstellen(h.c);
        QCOMPARE(h.sheet.text("l_sicherung"), QStringLiteral("letzte Sicherung: 31.07.2006 18.05"));
        QCOMPARE(h.zeile(2).value("GESPEICHERTD").toString(), QStringLiteral("2006-07-31 18:05:29.250"));
        QCOMPARE(h.zeile(1).value("GESPEICHERTD").toString(), QStringLiteral("2006-07-31 18:05:09.250"));
    }

    void lastSnapshotWhenTheEndIsConfirmed_data()
    {
        QTest::addColumn<QString>("datum");
        QTest::addColumn<QList<bool>>("antworten");
        QTest::addColumn<int>("gespeichert");
        QTest::addColumn<bool>("beendet");
        QTest::newRow("Ja: saved, then ended") << "31.07.2006" << QList<bool>{true} << 1 << true;
        QTest::newRow("Nein: neither") << "31.07.2006" << QList<bool>{false} << 0 << false;
        // A last snapshot that cannot be stored says why, then asks whether to end without it.
        QTest::newRow("no date, not without it: stays open")
            << QString(kLeeresDatum) << QList<bool>{true, false} << 0 << false;
        QTest::newRow("no date, end without it") << QString(kLeeresDatum) << QList<bool>{true, true} << 0 << true;
    }
    void lastSnapshotWhenTheEndIsConfirmed()
    {
        QFETCH(QString, datum);
        QFETCH(QList<bool>, antworten);
        QFETCH(int, gespeichert);
        QFETCH(bool, beendet);
        Gespeichert h;
        h.sheet.setText("f_datum", datum);
        for (bool a : antworten)
            h.dialogs.answers.enqueue(a);
        dispatch(h.dialogs, [&] { bt_endeClick(h.c, "bt_ende"); });
        QCOMPARE(h.anzahl(), gespeichert);
        QCOMPARE(h.dialogs.quitCalled, beendet);
        if (datum != kLeeresDatum) {
            QCOMPARE(h.dialogs.shown.size(), 1);
            return;
        }
        QCOMPARE(h.dialogs.shown.size(), 3);
        QCOMPARE(h.dialogs.shown[1].kind, Shown::Error);
        QVERIFY(h.dialogs.shown[1].text.startsWith(QStringLiteral("Die Sicherung wurde nicht gespeichert.\n\r(")));
        QCOMPARE(h.dialogs.shown[2].kind, Shown::Confirmation);
        QCOMPARE(h.dialogs.shown[2].text,
                 QStringLiteral("Die letzte Sicherung konnte nicht gespeichert werden. Trotzdem beenden?"));
    }

    void incompleteHeaderSavesNothingSilently_data()
    {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("text");
        QTest::newRow("home team blanks") << "f_Heimteam"
                                          << "   ";
        QTest::newRow("guest team empty") << "f_gastteam"
                                          << "";
        QTest::newRow("league empty") << "f_liga"
                                      << "";
        QTest::newRow("match day blank") << "f_spieltag"
                                         << " ";
    }
    void incompleteHeaderSavesNothingSilently()
    {
        QFETCH(QString, feld);
        QFETCH(QString, text);
        Gespeichert h;
        h.sheet.setText("l_sicherung", QStringLiteral("letzte Sicherung: 01.01.2006 10.00"));
        h.sheet.setText(klw::test::fieldNamed(feld), text);
        SicherungErstellen(h.c);
        Timer1Timer(h.c, "Timer1");
        QCOMPARE(h.anzahl(), 0);
        QCOMPARE(h.sheet.text("l_sicherung"), QStringLiteral("letzte Sicherung: 01.01.2006 10.00"));
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void invalidDateStoresNothingAndSaysSo_data()
    {
        QTest::addColumn<QString>("datum");
        QTest::newRow("empty mask") << kLeeresDatum;
        QTest::newRow("no such day") << "31.02.2006";
    }
    void invalidDateStoresNothingAndSaysSo()
    {
        QFETCH(QString, datum);
        Gespeichert h;
        h.sheet.setText("f_datum", datum);
        dispatch(h.dialogs, [&] { bt_sicherungClick(h.c, "bt_sicherung"); });
        QCOMPARE(h.anzahl(), 0);
        QCOMPARE(h.sheet.text("l_sicherung"), QString());
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].kind, Shown::Error);
        QVERIFY2(h.dialogs.shown[0].text.contains(datum + QStringLiteral("' is not a valid date")),
                 qPrintable(h.dialogs.shown[0].text));

        // Nothing is left over: the next save with a good date stores one whole row, number 1.
        h.sheet.setText("f_datum", QStringLiteral("31.07.2006"));
        SicherungErstellen(h.c);
        QCOMPARE(h.anzahl(), 1);
        QCOMPARE(h.zeile(1).value("DATUMD").toString(), QStringLiteral("2006-07-31"));
    }

    void autosaveErrorBoxIsNotStacked()
    {
        Gespeichert h;
        h.sheet.setText("f_datum", kLeeresDatum);
        int ticks = 0;
        h.dialogs.whileShown = [&] {
            ++ticks;
            Timer1Timer(h.c, "Timer1");  // ticks while the box is open
            Timer1Timer(h.c, "Timer1");
        };
        Timer1Timer(h.c, "Timer1");
        QCOMPARE(ticks, 1);
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.anzahl(), 0);

        // Once the box is closed, the next failing tick shows it again; a good one saves.
        Timer1Timer(h.c, "Timer1");
        QCOMPARE(h.dialogs.shown.size(), 2);
        h.dialogs.whileShown = nullptr;
        h.sheet.setText("f_datum", QStringLiteral("31.07.2006"));
        Timer1Timer(h.c, "Timer1");
        QCOMPARE(h.anzahl(), 1);
        QCOMPARE(h.dialogs.shown.size(), 2);
    }

    // Another program holds the write lock: the save waits for it, and when the lock is not
    // given up in time, it stores nothing and says why.
    void lockedFileWaitsThenSaysWhy()
    {
        Gespeichert h;
        h.abfragen.ABSDatabase1.setBusyTimeout(300);
        db::Connection andere;
        andere.open(h.database.file());
        andere.execute(QStringLiteral("begin immediate"));

        h.sheet.setText("l_sicherung", QStringLiteral("vorher"));
        QElapsedTimer uhr;
        uhr.start();
        dispatch(h.dialogs, [&] { SicherungErstellen(h.c); });
        QVERIFY(uhr.elapsed() >= 250);
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].kind, Shown::Error);
        QVERIFY2(h.dialogs.shown[0].text.contains("locked"), qPrintable(h.dialogs.shown[0].text));
        QCOMPARE(h.sheet.text("l_sicherung"), QStringLiteral("vorher"));
        andere.execute(QStringLiteral("commit"));
        QCOMPARE(h.anzahl(), 0);

        // A lock given up within the wait does not cost the snapshot.
        h.abfragen.ABSDatabase1.setBusyTimeout(5000);
        andere.execute(QStringLiteral("begin immediate"));
        std::thread freigeben([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            andere.execute(QStringLiteral("commit"));
        });
        SicherungErstellen(h.c);
        freigeben.join();
        QCOMPARE(h.anzahl(), 1);
        QVERIFY(!h.zeile(1).isEmpty());
    }

    // The panel's list is read as it is shown, so it still reads the file as it was when a
    // second program stores a row; the next save must store all the same.
    void openListAndAnotherWriterDoNotBlockASave()
    {
        Gespeichert h;
        h.abfragen.ABSDatabase1.setBusyTimeout(300);
        for (int i = 0; i < 3; ++i)
            SicherungErstellen(h.c);
        Image2Click(h.c, "Image2");
        {
            db::Connection andere;
            andere.open(h.database.file());
            andere.execute(QStringLiteral("insert into SICHERUNG (LFDNRI, SAISONX) values (100, '1999')"));
        }
        dispatch(h.dialogs, [&] { SicherungErstellen(h.c); });
        QVERIFY2(h.dialogs.shown.isEmpty(), qPrintable(h.dialogs.texts().join('|')));
        QVERIFY(!h.zeile(101).isEmpty());
        QCOMPARE(h.abfragen.Q_LESEN.recordCount(), 3);
    }

    // A program that only reads the file (a backup tool in the middle of its copy) does not
    // keep a save waiting, and every commit is synced to the disk.
    void readerDoesNotBlockASave()
    {
        Gespeichert h;
        h.abfragen.ABSDatabase1.setBusyTimeout(100);
        db::Connection leser;
        leser.open(h.database.file());
        leser.execute(QStringLiteral("begin; select count(*) from SICHERUNG;"));
        SicherungErstellen(h.c);
        leser.execute(QStringLiteral("commit"));
        QCOMPARE(h.anzahl(), 1);

        db::PreparedStatement modus(h.db(), QStringLiteral("pragma journal_mode"));
        modus.step();
        QCOMPARE(modus.column(0).toString(), QStringLiteral("wal"));
        db::PreparedStatement sync(h.db(), QStringLiteral("pragma synchronous"));
        sync.step();
        QCOMPARE(sync.column(0).toInt(), 2);  // FULL
    }
};

QTEST_GUILESS_MAIN(SicherungTest)
#include "test_sicherung.moc"
