// The search windows in the real main window over a fresh copy of the shipped database:
// opened by their buttons, driven with real clicks and keys, and their pick on the sheet.

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <functional>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "support/fakes.h"
#include "support/testdatabase.h"
#include "window/search/suchgrid.h"
#include "window/search/tsspieler.h"
#include "window/search/tsteam.h"
#include "window/tfklw.h"

using namespace klw;

namespace {

QString focused()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Runs `inside` on the modal window the next step opens, once it is shown.
template <typename Window> void imFenster(std::function<void(Window*)> inside)
{
    QTimer::singleShot(0, [inside] {
        Window* window = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((window = qobject_cast<Window*>(QApplication::activeModalWidget())) != nullptr, 5000);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        inside(window);
    });
}

QStringList spalte(QTableView* grid, int column)
{
    QStringList werte;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        werte << grid->model()->index(row, column).data().toString();
    return werte;
}

void klickeZeile(QTableView* grid, int row, bool doppelt = false)
{
    const QPoint at = grid->visualRect(grid->model()->index(row, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    if (doppelt)
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class SearchWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> database;
    std::unique_ptr<test::ScriptedScreen> dialogs;
    std::unique_ptr<TDM_SYS> dmSys;
    std::unique_ptr<TDM_DAT> dmDat;
    std::unique_ptr<TFKLW> window;

    QWidget* w(const char* name) { return window->control(QString::fromLatin1(name)); }
    // The desktop gives the main window back its activation when a modal window closes.
    void zurueck()
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void tippe(const char* field, const QString& text)
    {
        w(field)->setFocus();
        QTRY_COMPARE(focused(), QString::fromLatin1(field));
        QTest::keyClicks(w(field), text);
    }

private slots:
    void init()
    {
        database = std::make_unique<test::TestDatabase>();
        dialogs = std::make_unique<test::ScriptedScreen>();
        dmSys = std::make_unique<TDM_SYS>();
        dmDat = std::make_unique<TDM_DAT>();
        window = std::make_unique<TFKLW>(*dmSys, *dmDat, dialogs.get(), database->programFolder());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        tippe("f_liga", "Oberliga");
    }
    void cleanup()
    {
        window.reset();
        database.reset();
    }

    // The guest row's button searches the guest team's players of the league; Enter on a
    // row puts its pass number into the row with the focus, and leaving fills the name.
    void rowButtonPicksAPlayerWithEnter()
    {
        tippe("f_gastteam", "adler bottrop");
        QStringList geometrie, gefunden, reihenfolge;
        QString titel, verein, liga, label;
        imFenster<TSSPIELER>([&](TSSPIELER* s) {
            titel = s->windowTitle();
            verein = s->f_verein->text();
            liga = s->f_liga->currentText();
            label = s->Label1->text();
            for (QWidget* c :
                 std::initializer_list<QWidget*>{s->bt_nummer, s->f_nr, s->bt_name, s->f_name, s->bt_verein,
                                                 s->f_verein, s->bt_liga, s->f_liga, s->DBGrid1, s->bt_ende}) {
                const QRect g = c->geometry();
                geometrie << QStringLiteral("%1 %2,%3,%4,%5")
                                 .arg(c->objectName())
                                 .arg(g.x())
                                 .arg(g.y())
                                 .arg(g.width())
                                 .arg(g.height());
            }
            for (QWidget* c = s->bt_ende; reihenfolge.size() < 10; c = c->nextInFocusChain())
                if (c->focusPolicy() & Qt::TabFocus)
                    reihenfolge << c->objectName();
            for (int i = 0; i < s->SUCHE.columnCount(); ++i)
                gefunden << s->SUCHE.headerData(i, Qt::Horizontal).toString();
            gefunden << spalte(s->DBGrid1, 0).join(',') << spalte(s->DBGrid1, 4).join(',');
            klickeZeile(s->DBGrid1, 2);
            QTest::keyClick(s->DBGrid1, Qt::Key_Return);
        });
        QTest::mouseClick(w("bt_G3"), Qt::LeftButton);

        QCOMPARE(titel, QStringLiteral("Spielerauswahl"));
        QCOMPARE(verein, QStringLiteral("adler bottrop"));
        QCOMPARE(liga, QStringLiteral("Oberliga"));
        QCOMPARE(label, QStringLiteral("Zur Auswahl aller Spieler die Felder Verein und Liga leeren"));
        QCOMPARE(geometrie, (QStringList{"bt_nummer 90,10,75,25", "f_nr 180,15,50,21", "bt_name 330,10,75,25",
                                         "f_name 425,15,125,21", "bt_verein 90,42,75,25", "f_verein 180,47,125,21",
                                         "bt_liga 330,42,75,25", "f_liga 425,44,125,21", "DBGrid1 30,72,575,340",
                                         "bt_ende 272,435,100,25"}));
        QCOMPARE(reihenfolge, (QStringList{"bt_ende", "DBGrid1", "bt_name", "bt_nummer", "bt_verein", "f_name", "f_nr",
                                           "f_verein", "bt_liga", "f_liga"}));
        QCOMPARE(gefunden, (QStringList{"PassNr.", "Vorname", "Nachname", "Rufname", "Team",
                                        "10031,10065,10075,10137,10109,10016,10007",
                                        QStringList(7, "DC Adler Bottrop").join(',')}));
        QCOMPARE(window->sheet().text("f_g3pnr"), QStringLiteral("10075"));
        QCOMPARE(qobject_cast<QLineEdit*>(w("f_g3pnr"))->text(), QStringLiteral("10075"));
        zurueck();
        QTRY_COMPARE(focused(), QStringLiteral("f_g3pnr"));
        QTest::keyClick(w("f_g3pnr"), Qt::Key_Tab);
        QCOMPARE(qobject_cast<QLineEdit*>(w("f_g3name"))->text(), QStringLiteral("Monika O'Brien"));
        QVERIFY(dialogs->shown.isEmpty());
    }

    // Title clicks re-sort the grid, flipping the direction; emptied filters list everyone;
    // "&ende" then hands nothing back although a row was chosen.
    void titleClicksSortAndEndeHandsNothingBack()
    {
        tippe("f_Heimteam", "Adler Bottrop");
        QStringList rufnamen, teams;
        int alle = 0;
        imFenster<TSSPIELER>([&](TSSPIELER* s) {
            QHeaderView* header = s->DBGrid1->horizontalHeader();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(3) + 5, header->height() / 2));
            rufnamen = spalte(s->DBGrid1, 3);
            s->f_verein->clear();
            s->f_liga->setEditText(QString());
            QTest::mouseClick(s->bt_name, Qt::LeftButton);
            while (s->SUCHE.canFetchMore({}))
                s->SUCHE.fetchMore({});
            alle = s->SUCHE.rowCount();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(4) + 5, header->height() / 2));
            teams = spalte(s->DBGrid1, 4).mid(0, 3);
            klickeZeile(s->DBGrid1, 1);
            QTest::mouseClick(s->bt_ende, Qt::LeftButton);
        });
        QTest::mouseClick(w("bt_H1"), Qt::LeftButton);
        QCOMPARE(rufnamen, (QStringList{"", "", "Bomber", "Kuddel", "Rakete", "Schorsch", "Tiger"}));
        QCOMPARE(alle, 411);
        QCOMPARE(teams, (QStringList{"Bulls Eye Bottrop", "Bulls Eye Bottrop",
                                     "Bulls Eye Bottrop"}));  // ascending after a new search
        QCOMPARE(window->sheet().text("f_h1pnr"), QString());
    }

    // The team search narrows as the league is typed; a double-click takes the home team
    // and its place with today's date; "&ende" in the guest team's search takes nothing.
    void teamSearchPicksByDoubleClick()
    {
        QStringList ligen;
        QString titel;
        imFenster<TSTEAM>([&](TSTEAM* t) {
            titel = t->windowTitle();
            ligen << QString::number(t->SUCHE.rowCount());
            t->f_liga->lineEdit()->selectAll();
            QTest::keyClicks(t->f_liga, "A1");
            ligen << spalte(t->DBGrid1, 1).join(',');
            klickeZeile(t->DBGrid1, 1, true);
        });
        QTest::mouseClick(w("bts_hteam"), Qt::LeftButton);
        QCOMPARE(titel, QStringLiteral("Teamauswahl"));
        QCOMPARE(ligen, (QStringList{"3", "DC Glückauf Witten,DC Löwen Bochum,Die Knappen Duisburg"}));
        QCOMPARE(window->sheet().text("f_Heimteam"), QStringLiteral("DC Löwen Bochum"));
        QCOMPARE(window->sheet().text("f_ort"), "Bochum, " + QDate::currentDate().toString("dd.MM.yyyy"));
        zurueck();
        QTRY_COMPARE(focused(), QStringLiteral("f_gastteam"));

        imFenster<TSTEAM>([&](TSTEAM* t) {
            klickeZeile(t->DBGrid1, 0);
            QTest::mouseClick(t->bt_ende, Qt::LeftButton);
        });
        QTest::mouseClick(w("bts_gteam"), Qt::LeftButton);
        QCOMPARE(window->sheet().text("f_gastteam"), QString());
    }
};

QTEST_MAIN(SearchWindowsTest)
#include "guitest_search_windows.moc"
