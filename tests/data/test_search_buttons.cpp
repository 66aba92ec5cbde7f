// The main window's search buttons with scripted search windows: the filters each opens
// with, and what a pick writes into the sheet and where the focus goes.

#include <QTest>

#include "data/search_buttons.h"
#include "sheet/tables.h"
#include "support/fakes.h"

using namespace klw;

namespace {

struct Knoepfe : test::Harness {
    Knoepfe()
    {
        c.today = [] { return QDate(2009, 3, 3); };
        sheet.setText("f_liga", "Oberliga ");
        sheet.setText("f_Heimteam", "Adler");
        sheet.setText("f_gastteam", " Falken");
        sheet.setText("f_ort", "vorher");
    }
    void klick(ControlId button) { clickHandler(button)(c, button); }
};

SearchResult zeile(std::initializer_list<std::pair<QString, QString>> werte)
{
    QHash<QString, QString> row;
    for (const auto& [k, v] : werte)
        row.insert(k, v);
    return row;
}

}  // namespace

class TestSearchButtons : public QObject {
    Q_OBJECT

private slots:
    // Each row button searches with its team and the league, and puts the pick into its row.
    void rowButtonsPickIntoTheirRow()
    {
        for (const PlayerRow& z : kPlayerRows) {
            Knoepfe h;
            h.dialogs.picks.enqueue(zeile({{"PASSNR", "10016"}, {"NACHNAME", "Schwarz"}}));
            h.klick(z.button);
            QCOMPARE(h.dialogs.opened.size(), 1);
            QCOMPARE(h.dialogs.opened[0].window, QStringLiteral("Spielerauswahl"));
            QCOMPARE(h.dialogs.opened[0].verein, z.home ? QStringLiteral("Adler") : QStringLiteral(" Falken"));
            QCOMPARE(h.dialogs.opened[0].liga, QStringLiteral("Oberliga "));
            QVERIFY(!h.dialogs.opened[0].farbe.isValid());
            for (const PlayerRow& andere : kPlayerRows)
                QCOMPARE(h.sheet.text(andere.passNr), &andere == &z ? QStringLiteral("10016") : QString());
            QCOMPARE(h.sheet.text(z.name), QString());  // the name comes when the field is left
            QCOMPARE(h.focus.moves, QStringList{z.passNr.name()});
        }
    }

    void playerSearchTakesTheChosenColour()
    {
        Knoepfe h;
        h.sheet.FarbeGewaehlt = true;
        h.sheet.Hintergrundfarbe = QColor(Qt::darkCyan);
        h.klick("bt_H4");
        QCOMPARE(h.dialogs.opened[0].farbe, QColor(Qt::darkCyan));
    }

    void nothingHandedBackChangesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<SearchResult>("pick");
        QTest::newRow("player: ende") << "bt_G2" << SearchResult();
        QTest::newRow("player: empty pass number") << "bt_G2" << zeile({{"PASSNR", ""}, {"NACHNAME", "Ohne"}});
        QTest::newRow("home team: ende") << "bts_hteam" << SearchResult();
        QTest::newRow("home team: empty team") << "bts_hteam" << zeile({{"TEAM", ""}, {"ORT", "Essen"}});
        QTest::newRow("guest team: ende") << "bts_gteam" << SearchResult();
    }
    void nothingHandedBackChangesNothing()
    {
        QFETCH(QString, button);
        QFETCH(SearchResult, pick);
        Knoepfe h;
        h.sheet.setText("f_g2pnr", "alt");
        h.dialogs.picks.enqueue(pick);
        h.klick(klw::test::controlNamed(button));
        QCOMPARE(h.dialogs.opened.size(), 1);
        QCOMPARE(h.sheet.text("f_g2pnr"), QStringLiteral("alt"));
        QCOMPARE(h.sheet.text("f_Heimteam"), QStringLiteral("Adler"));
        QCOMPARE(h.sheet.text("f_gastteam"), QStringLiteral(" Falken"));
        QCOMPARE(h.sheet.text("f_ort"), QStringLiteral("vorher"));
        QVERIFY(h.focus.moves.isEmpty());
    }

    void homeTeamPickFillsTeamPlaceAndDate()
    {
        Knoepfe h;
        h.dialogs.picks.enqueue(zeile({{"LIGA", "Oberliga"}, {"TEAM", "DC Adler Bottrop"}, {"ORT", "Musterstadt"}}));
        h.klick("bts_hteam");
        QCOMPARE(h.dialogs.opened[0].window, QStringLiteral("Teamauswahl"));
        QCOMPARE(h.dialogs.opened[0].liga, QStringLiteral("Oberliga "));
        QCOMPARE(h.sheet.text("f_Heimteam"), QStringLiteral("DC Adler Bottrop"));
        QCOMPARE(h.sheet.text("f_ort"), QStringLiteral("Musterstadt, 03.03.2009"));
        QCOMPARE(h.sheet.text("f_gastteam"), QStringLiteral(" Falken"));
        QCOMPARE(h.focus.moves, QStringList{"f_gastteam"});
    }

    void guestTeamPickFillsOnlyTheGuestTeam()
    {
        Knoepfe h;
        h.dialogs.picks.enqueue(zeile({{"TEAM", "Highlander Herten"}, {"ORT", "Herten"}}));
        h.klick("bts_gteam");
        QCOMPARE(h.sheet.text("f_gastteam"), QStringLiteral("Highlander Herten"));
        QCOMPARE(h.sheet.text("f_Heimteam"), QStringLiteral("Adler"));
        QCOMPARE(h.sheet.text("f_ort"), QStringLiteral("vorher"));
        QCOMPARE(h.focus.moves, QStringList{"f_h1pnr"});
    }
};

QTEST_MAIN(TestSearchButtons)
#include "test_search_buttons.moc"
