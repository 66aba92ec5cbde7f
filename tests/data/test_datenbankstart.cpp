// Start-up with the database: ProgrammStart connects the file beside the program, and
// FormShow removes the blank member records.

#include <QTest>

#include "dbengine/error.h"
#include "lifecycle/start.h"
#include "support/database_harness.h"

class TestDatenbankstart : public QObject {
    Q_OBJECT

private slots:
    void programmStartConnectsTheFileBesideTheProgram()
    {
        klw::test::DatabaseHarness h;
        auto& abfragen = h.abfragen;
        h.c.programFolder = h.database.dir.path() + QStringLiteral("/anderswo/");
        const QString missing = h.c.programFolder + QStringLiteral("Datenbank/KLW.abs");
        try {
            klw::ProgrammStart(h.c);
            QFAIL("ProgrammStart went on without a database");
        } catch (const klw::db::Error& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("unable to open database file: ") + missing);
        }
        QVERIFY(!abfragen.ABSDatabase1.isOpen());
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(h.sheet.text("f_bde2"), QString());
        klw::FormShow(h.c);  // the clean-up fails silently without a connection
        QVERIFY(h.dialogs.shown.isEmpty());

        h.c.programFolder = h.database.programFolder();
        QVERIFY(klw::ProgrammStart(h.c).startsWith(klw::kFensterTitel));
        QVERIFY(abfragen.ABSDatabase1.isOpen());
        QCOMPARE(abfragen.ABSDatabase1.fileName(), h.database.file());
    }

    void formShowRemovesBlankMembers()
    {
        klw::test::DatabaseHarness h;
        auto& abfragen = h.abfragen;
        klw::ProgrammStart(h.c);
        abfragen.ABSDatabase1.execute(QStringLiteral("insert into Mitglied (PASSNR, VORNAME, NACHNAME, NAME) values "
                                                     "('90001', '', '', ''), ('90003', '', '', 'Uwe Pohl');"
                                                     "insert into Mitglied (PASSNR) values ('90002')"));

        klw::FormShow(h.c);

        klw::db::Dataset d(abfragen.ABSDatabase1);
        d.open(QStringLiteral("select * from Mitglied where PASSNR like '9000%' order by PASSNR"));
        QCOMPARE(d.recordCount(), 1);
        QCOMPARE(d.fieldByName(QStringLiteral("NAME")).asString(), QStringLiteral("Uwe Pohl"));
        d.open(QStringLiteral("select count(*) n from Mitglied where NAME <> ''"));
        QVERIFY(d.fieldByName(QStringLiteral("n")).asInteger() >= 400);  // the named members stay
    }
};

QTEST_MAIN(TestDatenbankstart)
#include "test_datenbankstart.moc"
