// The database engine over a fresh copy of the shipped database: connecting, holding
// results, field conversions, and changing rows.

#include <QFile>
#include <QTest>
#include <unistd.h>

#include "dbengine/connection.h"
#include "dbengine/dataset.h"
#include "dbengine/error.h"
#include "support/testdatabase.h"

using klw::db::Connection;
using klw::db::Dataset;
using klw::db::Error;

namespace {

int number(Connection& connection, const QString& sql)
{
    Dataset d(connection);
    d.open(sql);
    return d.fieldByName(QStringLiteral("n")).asInteger();
}

QString thrownMessage(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Error& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

}  // namespace

class TestDataset : public QObject {
    Q_OBJECT

    klw::test::TestDatabase* database_ = nullptr;
    Connection* connection_ = nullptr;

    Connection& db() { return *connection_; }

    // A new pending snapshot row with its number set.
    void appendSnapshot(Dataset& d, int number)
    {
        d.open(QStringLiteral("select * from SICHERUNG where 1 = 2"));
        d.append();
        d.fieldByName(QStringLiteral("LFDNRI")).setAsInteger(number);
    }

private slots:
    void init()
    {
        database_ = new klw::test::TestDatabase;
        connection_ = new Connection;
        connection_->open(database_->file());
        connection_->execute(QStringLiteral("delete from SICHERUNG"));
    }
    void cleanup()
    {
        delete connection_;
        delete database_;
    }

    void openRefusesWhatIsNoUsableDatabase_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << "missing"
                                      << "unable to open database file";
        QTest::newRow("text file") << "text"
                                   << "file is not a database";
        QTest::newRow("write-protected file") << "readonly"
                                              << "attempt to write a readonly database";
    }
    void openRefusesWhatIsNoUsableDatabase()
    {
        QFETCH(QString, setup);
        QFETCH(QString, message);
        const QString path = database_->dir.path() + QStringLiteral("/other.abs");
        if (setup == "text") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Spielbericht, kein Datenbankinhalt\n");
        } else if (setup == "readonly") {
            if (geteuid() == 0)
                QSKIP("root writes to write-protected files");
            QVERIFY(QFile::copy(database_->file(), path));
            QFile::setPermissions(path, QFile::ReadOwner);
        }
        Connection c;
        const QString thrown = thrownMessage([&] { c.open(path); });
        QVERIFY2(thrown.startsWith(message), qPrintable(thrown));
        QVERIFY(thrown.endsWith(path));
        QVERIFY(!c.isOpen());
        if (setup == "missing")
            QVERIFY(!QFile::exists(path));  // never silently a new empty database
    }

    // A write that fails tells why: a stale read of the file, its lock held by another
    // program, a full disk, the file gone from under the connection.
    void failedWritesTellWhy_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("kind");
        QTest::newRow("stale read") << "stale" << int(Error::Kind::StaleSnapshot);
        QTest::newRow("locked") << "locked" << int(Error::Kind::Busy);
        QTest::newRow("full") << "full" << int(Error::Kind::DiskFull);
        QTest::newRow("deleted") << "deleted" << int(Error::Kind::FileGone);
    }
    void failedWritesTellWhy()
    {
        QFETCH(QString, fault);
        QFETCH(int, kind);
        db().setBusyTimeout(0);
        Connection other;
        other.open(database_->file());
        if (fault == "stale") {
            db().execute(QStringLiteral("begin; select count(*) from Mitglied"));
            other.execute(QStringLiteral("insert into Mitglied (PASSNR) values ('1')"));
        } else if (fault == "locked") {
            other.execute(QStringLiteral("begin immediate"));
        } else if (fault == "full") {
            Dataset pages(db());
            pages.open(QStringLiteral("pragma page_count"));
            db().execute(QStringLiteral("pragma max_page_count = %1").arg(pages.fieldByName("page_count").asInteger()));
        } else {
            QVERIFY(QFile::remove(database_->file()));
        }
        Dataset d(db());
        Error::Kind thrown = Error::Kind::Other;
        try {
            for (int i = 0; i < 10000; ++i) {  // until the disk is full
                appendSnapshot(d, i + 1);
                d.fieldByName(QStringLiteral("BEMERKUNGX")).setAsString(QString(500, QLatin1Char('x')));
                d.post();
            }
        } catch (const Error& e) {
            thrown = e.kind();
        }
        QCOMPARE(int(thrown), kind);
    }

    void cursorOverEmptyAndFilledResults()
    {
        Dataset d(db());
        d.open(QStringLiteral("select * from LIGA where LIGAX = 'Kreisliga'"));
        QVERIFY(d.isOpen());
        QVERIFY(d.bof() && d.eof());
        QCOMPARE(d.fieldByName(QStringLiteral("LIGAX")).asString(), QString());  // no row reads as null
        QCOMPARE(d.fieldByName(QStringLiteral("DOPPELI")).asInteger(), 0);

        d.open(QStringLiteral("select * from LIGA where LIGAX in ('Oberliga', 'C8-Liga') order by LIGAX desc"));
        QCOMPARE(d.recordCount(), 2);
        QVERIFY(d.bof() && !d.eof());
        QCOMPARE(d.fieldByName(QStringLiteral("ligax")).asString(), QStringLiteral("Oberliga"));
        d.next();
        QCOMPARE(d.fieldByName(QStringLiteral("LIGAX")).asString(), QStringLiteral("C8-Liga"));
        QVERIFY(!d.eof());
        d.next();
        QVERIFY(d.eof());
        QCOMPARE(d.fieldByName(QStringLiteral("LIGAX")).asString(), QStringLiteral("C8-Liga"));
    }

    void missingColumnIsAnError()
    {
        Dataset d(db());
        d.open(QStringLiteral("select max(LFDNRI)LFDNRI from SICHERUNG"));
        QCOMPARE(thrownMessage([&] { d.fieldByName(QStringLiteral("GESPEICHERTD")).asString(); }),
                 QStringLiteral("no such column: GESPEICHERTD"));
        d.close();
        QCOMPARE(thrownMessage([&] { d.fieldByName(QStringLiteral("LFDNRI")); }),
                 QStringLiteral("no such column: LFDNRI"));
    }

    void statementsThatMustNotRun_data()
    {
        QTest::addColumn<bool>("asOpen");
        QTest::addColumn<QString>("sql");
        QTest::newRow("open without result") << true << "delete from Mitglied";
        QTest::newRow("open with a second statement") << true << "select * from LIGA; delete from Mitglied";
        QTest::newRow("execute with a second statement") << false << "delete from TEAMS; delete from Mitglied";
        QTest::newRow("open, syntax error") << true << "select * from Mitglied where";
    }
    void statementsThatMustNotRun()
    {
        QFETCH(bool, asOpen);
        QFETCH(QString, sql);
        const int members = number(db(), "select count(*) n from Mitglied");
        const int teams = number(db(), "select count(*) n from TEAMS");
        Dataset d(db());
        QVERIFY_THROWS_EXCEPTION(Error, asOpen ? d.open(sql) : d.execute(sql));
        QVERIFY(!d.isOpen());
        QCOMPARE(number(db(), "select count(*) n from Mitglied"), members);
        QCOMPARE(number(db(), "select count(*) n from TEAMS"), teams);
    }

    void assignedValuesAreStoredAndReadBack_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("assigned");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("date") << "DATUMD"
                              << "31.07.2006"
                              << "2006-07-31"
                              << "31.07.2006";
        QTest::newRow("date with one-digit day and month") << "DATUMD"
                                                           << "1.8.2006"
                                                           << "2006-08-01"
                                                           << "01.08.2006";
        QTest::newRow("date with mask blanks") << "DATUMD"
                                               << " 1.08.2006"
                                               << "2006-08-01"
                                               << "01.08.2006";
        QTest::newRow("date and time") << "GESPEICHERTD"
                                       << "31.07.2006 18:05:09"
                                       << "2006-07-31 18:05:09.000"
                                       << "31.07.2006 18:05:09";
        QTest::newRow("time in the summer-time gap") << "GESPEICHERTD"
                                                     << "26.03.2006 02:30:00"
                                                     << "2006-03-26 02:30:00.000"
                                                     << "26.03.2006 02:30:00";
        QTest::newRow("integer") << "SPIELTAGI"
                                 << "7"
                                 << "7"
                                 << "7";
        QTest::newRow("empty integer") << "R1H1SI"
                                       << ""
                                       << ""
                                       << "";
        QTest::newRow("text with quote") << "HTEAMX"
                                         << "O'Neill's Pub"
                                         << "O'Neill's Pub"
                                         << "O'Neill's Pub";
        QTest::newRow("text kept untrimmed") << "LIGAX"
                                             << " A1-Liga "
                                             << " A1-Liga "
                                             << " A1-Liga ";
    }
    void assignedValuesAreStoredAndReadBack()
    {
        QFETCH(QString, column);
        QFETCH(QString, assigned);
        QFETCH(QString, stored);
        QFETCH(QString, readBack);
        qputenv("TZ", "Europe/Berlin");
        Dataset d(db());
        appendSnapshot(d, 1);
        d.fieldByName(column).setAsString(assigned);
        d.post();
        QCOMPARE(d.fieldByName(column).asString(), readBack);

        Dataset raw(db());
        raw.open(QStringLiteral("select cast(%1 as text) v from SICHERUNG where LFDNRI = 1").arg(column));
        QCOMPARE(raw.fieldByName(QStringLiteral("v")).asString(), stored);
        Dataset again(db());
        again.open(QStringLiteral("select * from SICHERUNG"));
        QCOMPARE(again.fieldByName(column).asString(), readBack);
    }

    void invalidAssignmentFailsAndBlocksThePost_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("assigned");
        QTest::newRow("empty date mask") << "DATUMD"
                                         << "  .  .    ";
        QTest::newRow("no such day") << "DATUMD"
                                     << "31.02.2006";
        QTest::newRow("two-digit year") << "DATUMD"
                                        << "01.08.06";
        QTest::newRow("ISO text") << "DATUMD"
                                  << "2006-08-01";
        QTest::newRow("date with time") << "DATUMD"
                                        << "01.08.2006 10:00";
        QTest::newRow("no such hour") << "GESPEICHERTD"
                                      << "01.08.2006 24:00:00";
        QTest::newRow("integer with letters") << "SPIELTAGI"
                                              << "7a";
    }
    void invalidAssignmentFailsAndBlocksThePost()
    {
        QFETCH(QString, column);
        QFETCH(QString, assigned);
        Dataset d(db());
        appendSnapshot(d, 1);
        QVERIFY_THROWS_EXCEPTION(Error, d.fieldByName(column).setAsString(assigned));
        d.fieldByName(QStringLiteral("SAISONX")).setAsString(QStringLiteral("2006"));
        QVERIFY_THROWS_EXCEPTION(Error, d.post());
        QCOMPARE(number(db(), "select count(*) n from SICHERUNG"), 0);
    }

    void appendStoresTheNewRowWithItsDefaults()
    {
        Dataset d(db());
        d.open(QStringLiteral("select * from Mitglied"));
        const int before = d.recordCount();
        d.append();
        d.fieldByName(QStringLiteral("PASSNR")).setAsString(QStringLiteral("99001"));
        d.post();
        QCOMPARE(d.recordCount(), before + 1);
        QCOMPARE(d.recNo(), before);
        QVERIFY(d.fieldByName(QStringLiteral("ID")).asInteger() > 0);
        QVERIFY(!d.fieldByName(QStringLiteral("NAME")).isNull());
        QCOMPARE(d.fieldByName(QStringLiteral("NAME")).asString(), QString());
        QCOMPARE(number(db(), "select count(*) n from Mitglied where PASSNR = '99001' and VORNAME = ''"), 1);
    }

    void editChangesOnlyTheCurrentRow()
    {
        Dataset d(db());
        d.open(QStringLiteral("select * from Mitglied order by PASSNR"));
        d.next();
        const QString passnr = d.fieldByName(QStringLiteral("PASSNR")).asString();
        d.edit();
        d.fieldByName(QStringLiteral("NAME")).setAsString(QStringLiteral("Kalle Kötter"));
        d.fieldByName(QStringLiteral("TEAM")).setAsString(QStringLiteral("DC Adler Bottrop"));
        d.post();
        QCOMPARE(d.state(), Dataset::State::Browse);
        QCOMPARE(number(db(), "select count(*) n from Mitglied where NAME = 'Kalle Kötter'"), 1);
        QCOMPARE(
            number(db(), QStringLiteral("select count(*) n from Mitglied where NAME = 'Kalle Kötter' and PASSNR = '%1'")
                             .arg(passnr)),
            1);
    }

    void failedInsertLeavesNoRow()
    {
        Dataset first(db());
        appendSnapshot(first, 5);
        first.post();
        Dataset second(db());
        appendSnapshot(second, 5);
        second.fieldByName(QStringLiteral("SAISONX")).setAsString(QStringLiteral("2006"));
        QCOMPARE(thrownMessage([&] { second.post(); }), QStringLiteral("UNIQUE constraint failed: SICHERUNG.LFDNRI"));
        QCOMPARE(second.recordCount(), 0);
        QCOMPARE(number(db(), "select count(*) n from SICHERUNG"), 1);
        QCOMPARE(number(db(), "select count(*) n from SICHERUNG where SAISONX is not null"), 0);
    }

    void editOfARowDeletedMeanwhileFails()
    {
        Dataset d(db());
        appendSnapshot(d, 3);
        d.post();
        db().execute(QStringLiteral("delete from SICHERUNG"));
        d.edit();
        d.fieldByName(QStringLiteral("SAISONX")).setAsString(QStringLiteral("2006"));
        QVERIFY_THROWS_EXCEPTION(Error, d.post());
        QCOMPARE(number(db(), "select count(*) n from SICHERUNG"), 0);
    }

    void resultsThatCannotBeChanged_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("without the key") << "select PASSNR, NAME from Mitglied";
        QTest::newRow("expression") << "select max(LFDNRI)LFDNRI from SICHERUNG";
        QTest::newRow("two tables") << "select * from Mitglied m join TEAMS t on m.TEAM = t.TEAM";
    }
    void resultsThatCannotBeChanged()
    {
        QFETCH(QString, sql);
        Dataset d(db());
        d.open(sql);
        QVERIFY_THROWS_EXCEPTION(Error, d.append());
        QVERIFY_THROWS_EXCEPTION(Error, d.edit());
        QCOMPARE(d.state(), Dataset::State::Browse);
    }

    void removeDeletesTheCurrentRow()
    {
        Dataset d(db());
        for (int n : {1, 2, 3}) {
            appendSnapshot(d, n);
            d.post();
        }
        d.open(QStringLiteral("select * from SICHERUNG order by LFDNRI"));
        d.next();
        d.remove();
        QCOMPARE(d.recordCount(), 2);
        QCOMPARE(d.fieldByName(QStringLiteral("LFDNRI")).asInteger(), 3);
        QCOMPARE(number(db(), "select count(*) n from SICHERUNG where LFDNRI = 2"), 0);
        QCOMPARE(number(db(), "select count(*) n from SICHERUNG"), 2);
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "test_dataset.moc"
