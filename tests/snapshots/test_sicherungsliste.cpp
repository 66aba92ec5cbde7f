// The backup panel's list of the current match, and the question that offers to delete the
// snapshots of a match when its names are transferred.
#include <QtTest>

#include "dbengine/dataset.h"
#include "lifecycle/start.h"
#include "lineup/lineup.h"
#include "lineup/older_snapshots.h"
#include "snapshots/snapshots.h"
#include "support/database_harness.h"
#include "support/snapshot_sheet.h"

using namespace klw;
using klw::test::DatabaseHarness;
using klw::test::Shown;

namespace {

const QString kLoeschenFrage = QStringLiteral(
    "Für das ausgewählte Spiel sind noch Sicherungsdatein vorhanden\n\r\n\rSollen diese gelöscht werden?");

// Snapshots of several matches; the sheet shows match A (Oberliga, day 7, 2006).
struct MehrereSpiele : DatabaseHarness {
    int minute = 0;

    MehrereSpiele()
    {
        ProgrammStart(c);
        c.now = [this] { return QDateTime(QDate(2006, 9, 2), QTime(20, minute)); };
        spiel(QStringLiteral("2006"), QStringLiteral("Oberliga"), QStringLiteral("7"), QStringLiteral("DC O'Brien"));
    }
    void spiel(const QString& saison, const QString& liga, const QString& tag,
               const QString& heim = QStringLiteral("DC O'Brien"))
    {
        sheet.Saison = saison;
        sheet.setText("f_liga", liga);
        sheet.setText("f_spieltag", tag);
        sheet.setText("f_datum", QStringLiteral("02.09.2006"));
        sheet.setText("f_Heimteam", heim);
        sheet.setText("f_gastteam", QStringLiteral("Highlander Herten"));
    }
    void speichern()
    {
        ++minute;
        SicherungErstellen(c);
    }
    // Snapshot numbers 1..3 of match A, 4 of A a match day later, 5 of A a season later,
    // 6 of A in another league, 7 of A with another home team; the sheet is back at A.
    void fuellen()
    {
        for (int i = 0; i < 3; ++i)
            speichern();
        spiel("2006", "Oberliga", "8");
        speichern();
        spiel("2007", "Oberliga", "7");
        speichern();
        spiel("2006", "A1-Liga", "7");
        speichern();
        spiel("2006", "Oberliga", "7", "DC Adler Bottrop");
        speichern();
        spiel("2006", "Oberliga", "7");
    }
    QList<int> nummern(db::Dataset& q)
    {
        QList<int> n;
        for (int r = 0; r < q.recordCount(); ++r)
            n << q.text(r, q.columnIndex("LFDNRI")).toInt();
        return n;
    }
    QList<int> gespeichert()
    {
        db::Dataset q(abfragen.ABSDatabase1);
        q.open(QStringLiteral("select LFDNRI from SICHERUNG order by LFDNRI"));
        return nummern(q);
    }
};

}  // namespace

class SicherungslisteTest : public QObject {
    Q_OBJECT
private slots:
    void panelPlaceAndInterval_data()
    {
        QTest::addColumn<QString>("bildschirm");
        QTest::addColumn<QString>("intervall");
        QTest::addColumn<QRect>("platz");
        QTest::addColumn<QString>("danach");
        QTest::newRow("small screen, empty interval") << "klein"
                                                      << "" << QRect(150, 200, 500, 300) << "10";
        QTest::newRow("large screen, blanks") << "gross"
                                              << "  " << QRect(344, 400, 500, 300) << "10";
        QTest::newRow("interval kept") << "gross"
                                       << "25" << QRect(344, 400, 500, 300) << "25";
    }
    void panelPlaceAndInterval()
    {
        QFETCH(QString, bildschirm);
        QFETCH(QString, intervall);
        QFETCH(QRect, platz);
        QFETCH(QString, danach);
        MehrereSpiele h;
        h.sheet.Bildschirm = bildschirm;
        h.sheet.setText("f_intervall", intervall);
        Image2Click(h.c, "Image2");
        QVERIFY(h.sheet.isVisible("p_admin"));
        QCOMPARE(h.sheet.geometry("p_admin"), platz);
        QCOMPARE(h.sheet.text("f_intervall"), danach);
    }

    void listHoldsTheCurrentMatchNewestFirst()
    {
        MehrereSpiele h;
        Image2Click(h.c, "Image2");  // nothing stored yet
        QVERIFY(h.abfragen.Q_LESEN.isOpen());
        QCOMPARE(h.abfragen.Q_LESEN.recordCount(), 0);

        h.fuellen();
        Image2Click(h.c, "Image2");
        QCOMPARE(h.nummern(h.abfragen.Q_LESEN), (QList<int>{3, 2, 1}));
        QCOMPARE(h.abfragen.Q_LESEN.recNo(), 0);
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    // A save while the panel is open numbers on a query of its own: the list and its
    // selected row stay as they are.
    void saveLeavesTheOpenListAlone()
    {
        MehrereSpiele h;
        h.fuellen();
        Image2Click(h.c, "Image2");
        h.abfragen.Q_LESEN.setRecNo(2);
        h.speichern();
        Timer1Timer(h.c, "Timer1");
        QCOMPARE(h.nummern(h.abfragen.Q_LESEN), (QList<int>{3, 2, 1}));
        QCOMPARE(h.abfragen.Q_LESEN.recNo(), 2);
        QCOMPARE(h.abfragen.Q_LESEN.fieldByName("LFDNRI").asInteger(), 1);
        QCOMPARE(h.gespeichert().size(), 9);
    }

    void deleteQuestion_data()
    {
        QTest::addColumn<bool>("ja");
        QTest::addColumn<QList<int>>("bleiben");
        QTest::newRow("Ja deletes only this match") << true << QList<int>{4, 5, 6, 7};
        QTest::newRow("Nein keeps them") << false << QList<int>{1, 2, 3, 4, 5, 6, 7};
    }
    void deleteQuestion()
    {
        QFETCH(bool, ja);
        QFETCH(QList<int>, bleiben);
        MehrereSpiele h;
        h.fuellen();
        h.dialogs.answers.enqueue(ja);
        SicherungObVorhandenPruefen(h.c);
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].kind, Shown::Confirmation);
        QCOMPARE(h.dialogs.shown[0].text, kLoeschenFrage);
        QCOMPARE(h.gespeichert(), bleiben);
    }

    void noSnapshotsNoQuestion()
    {
        MehrereSpiele h;
        h.fuellen();
        h.spiel("2006", "Oberliga", "9");
        SicherungObVorhandenPruefen(h.c);
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(h.gespeichert().size(), 7);
    }

    // The name transfer asks at its place: after its checks, before the lines are written.
    void transferOffersToDelete()
    {
        MehrereSpiele h;
        h.fuellen();
        for (const PlayerRow& z : kPlayerRows)
            h.sheet.setText(z.name, QStringLiteral("Name ") + QLatin1String(z.position));
        h.dialogs.answers.enqueue(true);
        bt_namenuebernehmen2Click(h.c, "bt_namenuebernehmen2");
        QCOMPARE(h.dialogs.texts(), QStringList{kLoeschenFrage});
        QCOMPARE(h.gespeichert(), (QList<int>{4, 5, 6, 7}));
        QCOMPARE(h.sheet.text("Edit1"), QStringLiteral("Name H1 - Name G1"));

        // Duplicate players stop the transfer before the question.
        h.speichern();
        h.sheet.setText("f_h2name", QStringLiteral("Name H1"));
        h.sheet.NamenUebergeben = false;
        h.dialogs.shown.clear();
        bt_namenuebernehmen2Click(h.c, "bt_namenuebernehmen2");
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].kind, Shown::Information);
        QCOMPARE(h.gespeichert().size(), 5);
    }
};

QTEST_GUILESS_MAIN(SicherungslisteTest)
#include "test_sicherungsliste.moc"
