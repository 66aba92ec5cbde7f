// Results fetched as they are asked for, and the table model that grids show them through,
// over a fresh copy of the shipped database with generated members added.

#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>

#include "dbengine/connection.h"
#include "dbengine/dataset.h"
#include "dbengine/dataset_model.h"
#include "dbengine/error.h"
#include "support/testdatabase.h"

using klw::db::Connection;
using klw::db::Dataset;
using klw::db::DatasetModel;

namespace {

constexpr int kGenerated = 2000;
constexpr int kBatch = 24;  // rows the first statement of a result reads

int number(Connection& connection, const QString& sql)
{
    Dataset d(connection);
    d.open(sql);
    return d.fieldByName(QStringLiteral("n")).asInteger();
}

// How often each key occurs among all rows of the result.
QHash<qint64, int> keysOf(Dataset& d)
{
    QHash<qint64, int> keys;
    d.recordCount();
    for (int row = 0; row < d.fetchedCount(); ++row)
        ++keys[d.text(row, d.columnIndex(QStringLiteral("ID"))).toLongLong()];
    return keys;
}

const QList<DatasetModel::Column> kSpalten{
    {QStringLiteral("PASSNR"), QStringLiteral("PassNr."), 60},
    {QStringLiteral("nachname"), QStringLiteral("Nachname"), 100},
    {QStringLiteral("FEHLT"), QStringLiteral("Fehlt"), 50},
    {QStringLiteral("TEAM"), QString(), 0},
};

}  // namespace

class TestDatasetFetch : public QObject {
    Q_OBJECT

    klw::test::TestDatabase* database_ = nullptr;
    Connection* connection_ = nullptr;
    int members_ = 0;

    Connection& db() { return *connection_; }

private slots:
    void init()
    {
        database_ = new klw::test::TestDatabase;
        connection_ = new Connection;
        connection_->open(database_->file());
        connection_->execute(
            QStringLiteral("insert into Mitglied (PASSNR, NACHNAME, TEAM)"
                           " with recursive n(i) as (select 1 union all select i + 1 from n where i < %1)"
                           " select 600000 + i, 'Generiert' || i, 'Team ' || (i % 7) from n")
                .arg(kGenerated));
        members_ = number(db(), QStringLiteral("select count(*) n from Mitglied"));
    }
    void cleanup()
    {
        delete connection_;
        delete database_;
    }

    void rowsAreFetchedWhenAskedFor()
    {
        Dataset d(db());
        d.open(QStringLiteral("select * from Mitglied order by ID"));
        QCOMPARE(d.fetchedCount(), kBatch);
        QVERIFY(d.canFetchMore() && !d.isEmpty() && d.bof() && !d.eof());
        d.next();
        d.next();
        QCOMPARE(d.fetchedCount(), kBatch);
        QCOMPARE(d.recNo(), 2);
        d.setRecNo(500);
        QCOMPARE(d.fetchedCount(), 501);
        QCOMPARE(d.recNo(), 500);
        const QString passnr = d.fieldByName(QStringLiteral("PASSNR")).asString();
        QCOMPARE(d.recordCount(), members_);
        QVERIFY(!d.canFetchMore());
        QCOMPARE(d.recNo(), 500);
        QCOMPARE(d.fieldByName(QStringLiteral("PASSNR")).asString(), passnr);
        d.last();
        QVERIFY(d.eof());
        QCOMPARE(d.fieldByName(QStringLiteral("PASSNR")).asString(), QString::number(600000 + kGenerated));
        d.setRecNo(members_ + 10);  // beyond the end: the last row
        QCOMPARE(d.recNo(), members_ - 1);

        d.open(QStringLiteral("select * from Mitglied where 1 = 2"));
        QVERIFY(d.isEmpty() && d.bof() && d.eof() && !d.canFetchMore());
        QCOMPARE(d.recordCount(), 0);
    }

    // Rows stored or removed while the statement is still running are held once, and the
    // stored row is in the file at once, not only when the result ends.
    void changesWhileFetchingAreHeldOnceAndWrittenAtOnce_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("table order") << "select * from Mitglied";
        QTest::newRow("index order") << "select * from Mitglied where PASSNR > '' order by PASSNR";
    }
    void changesWhileFetchingAreHeldOnceAndWrittenAtOnce()
    {
        QFETCH(QString, sql);
        Dataset d(db());
        d.open(sql);
        const qint64 firstKey = d.fieldByName(QStringLiteral("ID")).asString().toLongLong();
        d.edit();
        d.fieldByName(QStringLiteral("PASSNR")).setAsString(QStringLiteral("999999"));  // moves it to the index's end
        d.post();
        d.append();
        d.fieldByName(QStringLiteral("PASSNR")).setAsString(QStringLiteral("999998"));
        d.post();
        QCOMPARE(d.recNo(), kBatch);
        QVERIFY(d.canFetchMore());
        const qint64 newKey = d.fieldByName(QStringLiteral("ID")).asString().toLongLong();

        Connection other;
        other.open(database_->file());
        QCOMPARE(number(other, QStringLiteral("select count(*) n from Mitglied where PASSNR = '999998'")), 1);

        d.setRecNo(2);
        d.remove();  // the third row, before the rest is fetched
        const QHash<qint64, int> keys = keysOf(d);
        QCOMPARE(keys.size(), members_);  // one of the old rows went, one new row came
        QCOMPARE(keys.value(firstKey), 1);
        QCOMPARE(keys.value(newKey), 1);
        for (auto it = keys.begin(); it != keys.end(); ++it)
            QVERIFY2(it.value() == 1, qPrintable(QString::number(it.key())));
        QCOMPARE(number(db(), QStringLiteral("select count(*) n from Mitglied")), members_);
    }

    // A result read only in part holds no read of the file open: another program writes
    // between two batches, and this connection's next write goes ahead at once; the next
    // batch goes on after the last row, the other program's row included.
    void anotherWriterBetweenBatchesDoesNotBlockTheNextWrite_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("by surname") << "select * from Mitglied where PASSNR > '600000' order by NACHNAME";
        QTest::newRow("by team, descending") << "select * from Mitglied where PASSNR > '600000' Order By TEAM DESC";
        QTest::newRow("no order") << "select * from Mitglied";
    }
    void anotherWriterBetweenBatchesDoesNotBlockTheNextWrite()
    {
        QFETCH(QString, sql);
        db().setBusyTimeout(0);
        Dataset d(db());
        d.open(sql);
        QVERIFY(d.canFetchMore());
        {
            Connection other;
            other.open(database_->file());
            other.execute(
                QStringLiteral("insert into Mitglied (PASSNR, NACHNAME, TEAM) values ('699999', 'Zz', 'Team 0')"));
        }
        d.append();
        d.fieldByName(QStringLiteral("PASSNR")).setAsString(QStringLiteral("699998"));
        d.post();  // would fail with a stale read still open
        const QHash<qint64, int> keys = keysOf(d);
        QCOMPARE(keys.size(), number(db(), QStringLiteral("select count(*) n from (%1)").arg(sql)));
        for (auto it = keys.begin(); it != keys.end(); ++it)
            QVERIFY2(it.value() == 1, qPrintable(QString::number(it.key())));
    }

    // Removing the last row held brings the next one from the file into its place.
    void removingTheLastHeldRowBringsTheNext()
    {
        Dataset d(db());
        d.open(QStringLiteral("select * from Mitglied where PASSNR > '600000' order by PASSNR"));
        QCOMPARE(d.fetchedCount(), kBatch);
        d.setRecNo(kBatch - 1);
        d.remove();
        QCOMPARE(d.fetchedCount(), kBatch);
        QCOMPARE(d.recNo(), kBatch - 1);
        QCOMPARE(d.fieldByName(QStringLiteral("PASSNR")).asString(), QString::number(600000 + kBatch + 1));
    }

    // A statement that fails after some rows ends the result there, and a model shows the
    // rows it got without passing the failure into the view.
    void failureWhileFetchingEndsTheResult()
    {
        Dataset d(db());
        const QString sql = QStringLiteral(
            "select ID, abs(case when ID > 100 then -9223372036854775807 - 1 else ID end) n from Mitglied order by ID");
        d.open(sql);
        bool thrown = false;
        try {
            d.fetchMore(1000);
        } catch (const klw::db::Error& e) {
            thrown = QString::fromUtf8(e.what()).contains(QStringLiteral("overflow"));
        }
        QVERIFY(thrown);
        QCOMPARE(d.fetchedCount(), 100);
        QVERIFY(!d.canFetchMore());

        d.open(sql);
        DatasetModel model(d, {{QStringLiteral("n"), QStringLiteral("n")}});
        while (model.canFetchMore({}))
            model.fetchMore({});
        QCOMPARE(model.rowCount(), 100);
        QCOMPARE(model.index(99, 0).data().toString(), QStringLiteral("100"));
    }

    void modelShowsChosenColumnsAndFetchesInBatches()
    {
        Dataset d(db());
        d.open(QStringLiteral("select * from Mitglied where PASSNR > '600000' order by PASSNR"));
        DatasetModel model(d, kSpalten);
        model.setBatchSize(100);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QCOMPARE(model.rowCount(), kBatch);
        QCOMPARE(model.columnCount(), 4);
        QStringList titles;
        for (int i = 0; i < model.columnCount(); ++i)
            titles << model.headerData(i, Qt::Horizontal).toString();
        QCOMPARE(titles, (QStringList{"PassNr.", "Nachname", "Fehlt", "TEAM"}));
        QCOMPARE(model.fieldName(1), QStringLiteral("nachname"));

        QVERIFY(model.canFetchMore({}));
        model.fetchMore({});
        QCOMPARE(model.rowCount(), kBatch + 100);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted[0][1].toInt(), kBatch);
        QCOMPARE(inserted[0][2].toInt(), kBatch + 99);
        const QModelIndex row100 = model.index(100, 0);
        QCOMPARE(row100.data().toString(), QStringLiteral("600101"));
        QCOMPARE(model.index(100, 1).data().toString(), QStringLiteral("Generiert101"));
        QVERIFY(!model.index(100, 2).data().isValid());  // a column the result lacks stays empty
        QCOMPARE(model.index(100, 3).data().toString(), QStringLiteral("Team 3"));

        // The dataset moving on by itself grows the model too.
        d.setRecNo(250);
        QCOMPARE(model.rowCount(), 251);
        while (model.canFetchMore({}))
            model.fetchMore({});
        QCOMPARE(model.rowCount(), kGenerated);
    }

    void modelStartsAfreshWithTheDataset()
    {
        Dataset d(db());
        DatasetModel model(d, kSpalten);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.canFetchMore({}));
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

        d.open(QStringLiteral("select PASSNR, TEAM from Mitglied where PASSNR = '600007'"));
        QCOMPARE(resets.size(), 1);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("600007"));
        QVERIFY(!model.index(0, 1).data().isValid());  // this result has no NACHNAME
        QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("Team 0"));

        d.close();
        QCOMPARE(resets.size(), 2);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.index(0, 0).isValid());
    }

    void currentRowFollowsTheSelectionBothWays()
    {
        Dataset d(db());
        d.open(QStringLiteral("select * from Mitglied where PASSNR > '600000' order by PASSNR"));
        DatasetModel model(d, kSpalten);
        QItemSelectionModel selection(&model);
        model.followCurrentRow(&selection);
        QCOMPARE(selection.currentIndex().row(), 0);

        selection.setCurrentIndex(model.index(7, 1), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QCOMPARE(d.recNo(), 7);
        QCOMPARE(d.fieldByName(QStringLiteral("PASSNR")).asString(), QStringLiteral("600008"));

        d.next();
        QCOMPARE(selection.currentIndex().row(), 8);
        QVERIFY(selection.isRowSelected(8, {}));
        d.setRecNo(1000);  // beyond the rows the model had
        QCOMPARE(model.rowCount(), 1001);
        QCOMPARE(selection.currentIndex().row(), 1000);

        d.open(QStringLiteral("select * from Mitglied where PASSNR > '601000' order by PASSNR"));
        QCOMPARE(selection.currentIndex().row(), 0);
        QCOMPARE(selection.currentIndex().data().toString(), QStringLiteral("601001"));
    }
};

QTEST_MAIN(TestDatasetFetch)
#include "test_dataset_fetch.moc"
