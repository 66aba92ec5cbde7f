// The query operations of DM_SYS and the statement building, over a fresh copy of the
// shipped database.

#include <QTest>

#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "data/statement.h"
#include "support/testdatabase.h"

using klw::Format;
using klw::FormatWert;
using klw::db::Dataset;

class TestDmSys : public QObject {
    Q_OBJECT

    klw::test::TestDatabase* database_ = nullptr;
    klw::Abfragen* q_ = nullptr;
    klw::TDM_SYS dm_;

    int count(const QString& table, const QString& where = QString())
    {
        Dataset d(q_->ABSDatabase1);
        d.open(QStringLiteral("select count(*) n from ") + table + where);
        return d.fieldByName(QStringLiteral("n")).asInteger();
    }

    // The save of a snapshot up to its post: an empty result, edit, append, number.
    void startSnapshot(int lfdnr)
    {
        QCOMPARE(dm_.ABSQueryOpen(q_->Q_SICH, QStringLiteral("select * from SICHERUNG where 1 = 2")), 0);
        try {
            dm_.ABSQueryEdit(q_->Q_SICH);
        } catch (const std::exception&) {}
        QCOMPARE(dm_.ABSQueryAppend(q_->Q_SICH, QStringLiteral("SICHERUNG"), QStringLiteral("SAISONX")), 1);
        q_->Q_SICH.fieldByName(QStringLiteral("LFDNRI")).setAsInteger(lfdnr);
    }

private slots:
    void init()
    {
        database_ = new klw::test::TestDatabase;
        q_ = new klw::Abfragen;
        q_->ABSDatabase1.open(database_->file());
        q_->ABSDatabase1.execute(QStringLiteral("delete from SICHERUNG"));
    }
    void cleanup()
    {
        delete q_;
        delete database_;
    }

    void fragmentsKeepTheirBlanksAndDoubleQuotes_data()
    {
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("statement");
        QTest::newRow("leading blanks kept") << "   and HTEAMX = '%s' "
                                             << "Adler"
                                             << "   and HTEAMX = 'Adler' ";
        QTest::newRow("quote doubled") << " where PASSNR = '%s' "
                                       << "12'3"
                                       << " where PASSNR = '12''3' ";
        QTest::newRow("quoted condition stays a value") << " where PASSNR = '%s' "
                                                        << "' or '1'='1"
                                                        << " where PASSNR = ''' or ''1''=''1' ";
        QTest::newRow("wildcards of the value untouched") << " and ((NACHNAME like '%s') or "
                                                          << "%Meier%"
                                                          << " and ((NACHNAME like '%Meier%') or ";
    }
    void fragmentsKeepTheirBlanksAndDoubleQuotes()
    {
        QFETCH(QString, fragment);
        QFETCH(QString, value);
        QFETCH(QString, statement);
        QCOMPARE(Format(fragment, value), statement);
        QCOMPARE(Format(u"   and SPIELTAGI = %d ", 7), QStringLiteral("   and SPIELTAGI = 7 "));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, Format(u"   and SPIELTAGI = %d ", QStringLiteral("7")));
    }

    // A value with quotes is stored and found as typed and selects nothing else.
    void quotedValuesAreStoredAndFoundAsTyped_data()
    {
        QTest::addColumn<QString>("passnr");
        QTest::newRow("pass number") << "12'3";
        QTest::newRow("name") << "O'Neill";
        QTest::newRow("always-true condition") << "' or '1'='1";
        QTest::newRow("second statement") << "x'; delete from Mitglied; --";
    }
    void quotedValuesAreStoredAndFoundAsTyped()
    {
        QFETCH(QString, passnr);
        const int members = count(QStringLiteral("Mitglied"));
        const QString lookUp = QStringLiteral("select * from Mitglied") + Format(u" where PASSNR = '%s' ", passnr);
        QCOMPARE(dm_.ABSQueryOpen(q_->Q_SPIELER, lookUp), 0);

        QCOMPARE(dm_.ABSQueryOpen(q_->Q_SPIELER, QStringLiteral("select * from Mitglied")), 1);
        dm_.ABSQueryEdit(q_->Q_SPIELER);
        QCOMPARE(dm_.ABSQueryAppend(q_->Q_SPIELER, QStringLiteral("Mitglied"), QStringLiteral("PASSNR")), 1);
        q_->Q_SPIELER.fieldByName(QStringLiteral("PASSNR")).setAsString(passnr);
        QCOMPARE(dm_.ABSQueryPost(q_->Q_SPIELER), 0);

        QCOMPARE(dm_.ABSQueryOpen(q_->Q_SPIELER, lookUp), 1);
        QCOMPARE(q_->Q_SPIELER.recordCount(), 1);
        QCOMPARE(q_->Q_SPIELER.fieldByName(QStringLiteral("PASSNR")).asString(), passnr);
        QCOMPARE(count(QStringLiteral("Mitglied")), members + 1);
        dm_.ABSQueryUpdate(q_->Q_DELETE,
                           QStringLiteral("delete from Mitglied") + Format(u" where PASSNR = '%s' ", passnr));
        QCOMPARE(count(QStringLiteral("Mitglied")), members);
    }

    void openEmptyResultThenAppendToIt()
    {
        startSnapshot(1);
        q_->Q_SICH.fieldByName(QStringLiteral("SAISONX")).setAsString(QStringLiteral("2006"));
        QCOMPARE(dm_.ABSQueryPost(q_->Q_SICH), 0);
        QCOMPARE(count(QStringLiteral("SICHERUNG"), QStringLiteral(" where LFDNRI = 1 and SAISONX = '2006'")), 1);
    }

    void appendOnAnOpenQueryRunsNoStatement()
    {
        const QString sql = QStringLiteral("select * from Mitglied where PASSNR = 'nicht vergeben'");
        QCOMPARE(dm_.ABSQueryOpen(q_->Q_SPIELER, sql), 0);
        QCOMPARE(dm_.ABSQueryAppend(q_->Q_SPIELER, QStringLiteral("SICHERUNG"), QStringLiteral("SAISONX")), 1);
        QCOMPARE(q_->Q_SPIELER.sql(), sql);
        q_->Q_SPIELER.fieldByName(QStringLiteral("PASSNR")).setAsString(QStringLiteral("nicht vergeben"));
        QCOMPARE(dm_.ABSQueryPost(q_->Q_SPIELER), 0);
        QCOMPARE(count(QStringLiteral("Mitglied"), QStringLiteral(" where PASSNR = 'nicht vergeben'")), 1);
        QCOMPARE(count(QStringLiteral("SICHERUNG")), 0);
    }

    void appendOnAClosedQueryOpensItFirst_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<int>("result");
        QTest::newRow("empty result of the table") << "SICHERUNG"
                                                   << "SAISONX"
                                                   << "select * from SICHERUNG  Nolock  where 'SAISONX' = ''" << 1;
        QTest::newRow("table text is the statement") << "select * from LIGA where 1 = 2"
                                                     << ""
                                                     << "select * from LIGA where 1 = 2" << 1;
        QTest::newRow("result that cannot take rows") << "select PASSNR from Mitglied"
                                                      << ""
                                                      << "select PASSNR from Mitglied" << 0;
    }
    void appendOnAClosedQueryOpensItFirst()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, statement);
        QFETCH(int, result);
        QCOMPARE(dm_.ABSQueryAppend(q_->Q_LESEN, table, column), result);
        QCOMPARE(q_->Q_LESEN.sql(), statement);
        QCOMPARE(q_->Q_LESEN.state(), result ? Dataset::State::Insert : Dataset::State::Browse);
    }

    void failedPostReturnsOneAndLeavesNoRow_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("empty date mask assigned") << "date";
        QTest::newRow("snapshot number taken") << "number";
        QTest::newRow("no pending row") << "browse";
        QTest::newRow("query closed") << "closed";
    }
    void failedPostReturnsOneAndLeavesNoRow()
    {
        QFETCH(QString, fault);
        startSnapshot(1);
        QCOMPARE(dm_.ABSQueryPost(q_->Q_SICH), 0);
        startSnapshot(2);
        q_->Q_SICH.fieldByName(QStringLiteral("SAISONX")).setAsString(QStringLiteral("2006"));
        if (fault == "date") {
            QVERIFY_THROWS_EXCEPTION(
                std::exception,
                q_->Q_SICH.fieldByName(QStringLiteral("DATUMD")).setAsString(QStringLiteral("  .  .    ")));
        } else if (fault == "number") {
            q_->Q_SICH.fieldByName(QStringLiteral("LFDNRI")).setAsInteger(1);
        } else if (fault == "browse") {
            q_->Q_SICH.cancel();
        } else {
            q_->Q_SICH.close();
        }
        QCOMPARE(dm_.ABSQueryPost(q_->Q_SICH), 1);
        QVERIFY(q_->Q_SICH.state() != Dataset::State::Insert);
        QCOMPARE(count(QStringLiteral("SICHERUNG")), 1);
        QCOMPARE(count(QStringLiteral("SICHERUNG"), QStringLiteral(" where SAISONX is not null")), 0);
    }

    void updateIgnoresAFailingStatement_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("unknown table") << "delete from Mitglieder where NAME = ''";
        QTest::newRow("syntax error") << "delete from Mitglied where";
        QTest::newRow("second statement") << "delete from TEAMS where 1 = 2; delete from Mitglied";
    }
    void updateIgnoresAFailingStatement()
    {
        QFETCH(QString, sql);
        const int members = count(QStringLiteral("Mitglied"));
        dm_.ABSQueryOpen(q_->Q_DELETE, QStringLiteral("select * from LIGA"));
        QCOMPARE(dm_.ABSQueryUpdate(q_->Q_DELETE, sql), 1);
        QVERIFY(!q_->Q_DELETE.isOpen());
        QCOMPARE(count(QStringLiteral("Mitglied")), members);
    }

    void datesRoundTripAndSortAsDates()
    {
        const QDateTime july(QDate(2006, 7, 31), QTime(20, 15, 2, 250));
        const QDateTime august(QDate(2006, 8, 1), QTime(9, 0, 0));
        int lfdnr = 1;
        for (const QDateTime& saved : {august, july}) {
            startSnapshot(lfdnr++);
            q_->Q_SICH.fieldByName(QStringLiteral("DATUMD")).setAsString(saved.toString(QStringLiteral("dd.MM.yyyy")));
            q_->Q_SICH.fieldByName(QStringLiteral("GESPEICHERTD")).setAsDateTime(saved);
            QCOMPARE(dm_.ABSQueryPost(q_->Q_SICH), 0);
        }
        QCOMPARE(dm_.ABSQueryOpen(q_->Q_LESEN, QStringLiteral("select * from SICHERUNG  order by GESPEICHERTD desc")),
                 1);
        QCOMPARE(q_->Q_LESEN.fieldByName(QStringLiteral("DATUMD")).asString(), QStringLiteral("01.08.2006"));
        QCOMPARE(q_->Q_LESEN.fieldByName(QStringLiteral("GESPEICHERTD")).asString(),
                 QStringLiteral("01.08.2006 09:00:00"));
        q_->Q_LESEN.next();
        QCOMPARE(q_->Q_LESEN.fieldByName(QStringLiteral("DATUMD")).asString(), QStringLiteral("31.07.2006"));
        QCOMPARE(q_->Q_LESEN.fieldByName(QStringLiteral("GESPEICHERTD")).asDateTime(), july);
    }

    void highestSnapshotNumber_data()
    {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<int>("highest");
        QTest::newRow("empty table") << QList<int>{} << 0;
        QTest::newRow("filled table") << QList<int>{3, 7, 5} << 7;
    }
    void highestSnapshotNumber()
    {
        QFETCH(QList<int>, stored);
        QFETCH(int, highest);
        for (int n : stored) {
            startSnapshot(n);
            QCOMPARE(dm_.ABSQueryPost(q_->Q_SICH), 0);
        }
        QCOMPARE(dm_.ABSQueryOpen(q_->Q_LESEN, QStringLiteral("select max(LFDNRI)LFDNRI from SICHERUNG")), 1);
        QCOMPARE(q_->Q_LESEN.fieldByName(QStringLiteral("LFDNRI")).asInteger(), highest);
    }
};

QTEST_GUILESS_MAIN(TestDmSys)
#include "test_dm_sys.moc"
