// A save that reported success survives the program being killed at any moment, and a
// save cut off half-way leaves nothing behind: a child process saves whole sheets in a
// loop, reports each save that returned, and is killed with SIGKILL at random moments.
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <unistd.h>

#include "dbengine/connection.h"
#include "dbengine/dataset.h"
#include "lifecycle/start.h"
#include "snapshots/snapshots.h"
#include "snapshots/spalten.h"
#include "support/database_harness.h"
#include "support/snapshot_sheet.h"

using namespace klw;

namespace {

const char kSpeicherSchleife[] = "--speichern-bis-zum-abbruch";

// The child: saves sheet n, n+1, ... into the database of the program folder given, and
// writes "n LFDNRI" for each save once it has returned.
int speichernBisZumAbbruch(const QString& programmordner, int n)
{
    klw::test::Harness h;
    h.c.programFolder = programmordner;
    ProgrammStart(h.c);
    for (;; ++n) {
        klw::test::ganzenSpielbogenFuellen(h.sheet, n);
        SicherungErstellen(h.c);
        const QByteArray gemeldet = QByteArray::number(n) + ' ' +
                                    QByteArray::number(h.abfragen.Q_SICH.fieldByName("LFDNRI").asInteger()) + '\n';
        if (::write(STDOUT_FILENO, gemeldet.constData(), size_t(gemeldet.size())) != gemeldet.size())
            return 1;
    }
}

// What sheet n must have left in its row, column for column.
QString abweichung(const QHash<QString, QVariant>& zeile, int n)
{
    Spielbogen s;
    klw::test::ganzenSpielbogenFuellen(s, n);
    if (zeile.value("SAISONX").toString() != s.Saison)
        return QStringLiteral("SAISONX");
    for (const SnapshotColumn& spalte : snapshotColumns()) {
        const QVariant wert = zeile.value(spalte.spalte);
        QString erwartet = s.text(spalte.feld);
        if (spalte.art == ColumnKind::Number)
            erwartet = QString::number(s.number(spalte.feld));
        else if (spalte.art == ColumnKind::Date)
            erwartet = QDate::fromString(erwartet, QStringLiteral("dd.MM.yyyy")).toString(Qt::ISODate);
        if (wert.isNull() || wert.toString() != erwartet)
            return spalte.spalte + QStringLiteral(": ") + wert.toString() + QStringLiteral(" instead of ") + erwartet;
    }
    if (zeile.value("GESPEICHERTD").toString().isEmpty())
        return QStringLiteral("GESPEICHERTD");
    return QString();
}

}  // namespace

class AbsturzTest : public QObject {
    Q_OBJECT
private slots:
    void killedWhileSavingLosesNothingReported()
    {
        klw::test::TestDatabase datenbank;
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator zufall(seed);
        QHash<int, int> gemeldet;  // LFDNRI -> sheet number
        for (int runde = 0; runde < 8; ++runde) {
            QProcess kind;
            kind.start(QCoreApplication::applicationFilePath(),
                       {kSpeicherSchleife, datenbank.programFolder(), QString::number(runde * 100000)});
            QVERIFY(kind.waitForStarted());
            QTest::qWait(int(zufall.bounded(40, 400)));
            kind.kill();  // SIGKILL
            QVERIFY(kind.waitForFinished());
            for (const QByteArray& zeile : kind.readAllStandardOutput().split('\n')) {
                const QList<QByteArray> teile = zeile.split(' ');
                if (teile.size() == 2)
                    gemeldet.insert(teile[1].toInt(), teile[0].toInt());
            }
        }
        QVERIFY2(!gemeldet.isEmpty(), "the child reported no save at all");

        db::Connection db;
        db.open(datenbank.file());
        db::PreparedStatement pruefung(db.handle(), QStringLiteral("pragma integrity_check"));
        QVERIFY(pruefung.step());
        QCOMPARE(pruefung.column(0).toString(), QStringLiteral("ok"));

        for (auto it = gemeldet.cbegin(); it != gemeldet.cend(); ++it) {
            const auto zeile = klw::test::gespeicherteZeile(db.handle(), it.key());
            QVERIFY2(!zeile.isEmpty(),
                     qPrintable(QStringLiteral("snapshot %1 lost (seed %2)").arg(it.key()).arg(seed)));
            const QString fehler = abweichung(zeile, it.value());
            QVERIFY2(fehler.isEmpty(), qPrintable(QStringLiteral("snapshot %1: %2").arg(it.key()).arg(fehler)));
        }
        // Rows whose report the kill cut off must be whole as well.
        db::Dataset alle(db);
        alle.open(QStringLiteral("select LFDNRI, BEMERKUNGX from SICHERUNG"));
        QVERIFY(alle.recordCount() >= gemeldet.size());
        for (int r = 0; r < alle.recordCount(); ++r) {
            const int lfdNr = alle.text(r, 0).toInt();
            const int n = alle.text(r, 1).section(QLatin1Char(' '), 1, 1).section(QLatin1Char('\r'), 0, 0).toInt();
            const QString fehler = abweichung(klw::test::gespeicherteZeile(db.handle(), lfdNr), n);
            QVERIFY2(fehler.isEmpty(), qPrintable(QStringLiteral("snapshot %1: %2").arg(lfdNr).arg(fehler)));
        }
        qInfo("%d snapshots reported, %d stored, seed %u", int(gemeldet.size()), alle.recordCount(), seed);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], kSpeicherSchleife) == 0)
        return speichernBisZumAbbruch(QString::fromLocal8Bit(argv[2]), QString::fromLatin1(argv[3]).toInt());
    AbsturzTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_absturz.moc"
