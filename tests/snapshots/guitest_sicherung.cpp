// Snapshots in the real window: the save button and its label, the backup panel opened by
// the small picture, its list, a restore with the real question, the interval typed into
// the panel, and the autosave ticking behind a question or an error box.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "support/snapshot_sheet.h"
#include "support/testdatabase.h"
#include "window/tfklw.h"

using namespace klw;

class SicherungGuiTest : public QObject {
    Q_OBJECT

    TDM_SYS dmSys;
    TDM_DAT dmDat;
    std::unique_ptr<klw::test::TestDatabase> database;
    std::unique_ptr<TFKLW> window;
    QStringList boxes;  // texts of the message boxes that came up, in order
    int mostOpen = 0;  // the most message boxes open at once
    std::function<bool()> answerWhen;  // a box is answered only once this holds
    QTimer closer;

    QWidget* w(const char* name) { return window->control(name); }
    QLineEdit* edit(const char* name) { return qobject_cast<QLineEdit*>(w(name)); }
    QTableView* grid() { return qobject_cast<QTableView*>(w("DBGrid1")); }
    int stored() { return klw::test::anzahlSicherungen(window->context().abfragen.ABSDatabase1.handle()); }

    // Typed key by key; a letter beyond ASCII comes as the key event of a German keyboard.
    static void keys(QWidget* field, const QString& text)
    {
        for (const QChar ch : text) {
            if (ch.unicode() < 128)
                QTest::keyClick(field, char(ch.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
    void typeInto(QWidget* field, const QString& text)
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        keys(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    void header()
    {
        typeInto(w("f_spieltag"), QStringLiteral("7"));
        typeInto(w("f_liga"), QStringLiteral("B1-Liga"));
        typeInto(w("f_Heimteam"), QStringLiteral("DC O'Brien"));
        typeInto(w("f_gastteam"), QStringLiteral("Highlander Hülsmann"));
        typeInto(w("f_h1pnr"), QStringLiteral("4711"));
    }
    void remark(const QString& text)
    {
        auto* memo = qobject_cast<QPlainTextEdit*>(w("m_bemerkung"));
        memo->setFocus();
        memo->selectAll();
        keys(memo, text);
    }
    void click(const char* name) { QTest::mouseClick(w(name), Qt::LeftButton); }
    void clickRow(int row)
    {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, 0));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void init()
    {
        boxes.clear();
        mostOpen = 0;
        answerWhen = nullptr;
        database = std::make_unique<klw::test::TestDatabase>();
        window = std::make_unique<TFKLW>(dmSys, dmDat, nullptr, database->programFolder());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // Answers every message box as a user would: Ja to a question, OK to the rest.
        connect(&closer, &QTimer::timeout, this, [this] {
            int open = 0;
            for (QWidget* top : QApplication::topLevelWidgets())
                open += qobject_cast<QMessageBox*>(top) && top->isVisible() ? 1 : 0;
            mostOpen = std::max(mostOpen, open);
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || (answerWhen && !answerWhen()))
                return;
            boxes << box->text();
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == QLatin1String("&Ja")) {
                    b->click();
                    return;
                }
            }
            box->defaultButton() ? box->defaultButton()->click() : box->accept();
        });
        closer.start(20);
    }
    void cleanup()
    {
        closer.stop();
        closer.disconnect();
        window.reset();
        database.reset();
    }

    void saveButtonStoresWhatIsOnScreen()
    {
        header();
        remark(QStringLiteral("Licht aus"));
        click("bt_sicherung");
        const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
        QVERIFY(qobject_cast<QLabel*>(w("l_sicherung"))
                    ->text()
                    .startsWith(QStringLiteral("letzte Sicherung: ") + today + ' '));
        QCOMPARE(stored(), 1);
        const auto row = klw::test::gespeicherteZeile(window->context().abfragen.ABSDatabase1.handle(), 1);
        QCOMPARE(row.value("SPIELTAGI").toInt(), 7);
        QCOMPARE(row.value("LIGAX").toString(), QStringLiteral("B1-Liga"));
        QCOMPARE(row.value("HTEAMX").toString(), QStringLiteral("DC O'Brien"));
        QCOMPARE(row.value("GTEAMX").toString(), QStringLiteral("Highlander Hülsmann"));
        QCOMPARE(row.value("PNRH1X").toString(), QStringLiteral("4711"));
        QCOMPARE(row.value("BEMERKUNGX").toString(), QStringLiteral("Licht aus"));
        QCOMPARE(row.value("R1H1X").toString(), QStringLiteral("H1"));
        QCOMPARE(row.value("DATUMD").toString(), QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(boxes.isEmpty());
    }

    void panelListsTheMatchAndRestoresTheClickedRow()
    {
        header();
        remark(QStringLiteral("erster Stand"));
        click("bt_sicherung");
        remark(QStringLiteral("zweiter Stand"));
        click("bt_sicherung");
        remark(QStringLiteral("jetzt"));
        QCOMPARE(stored(), 2);

        QVERIFY(!w("p_admin")->isVisible());
        click("Image2");
        QVERIFY(w("p_admin")->isVisible());
        QCOMPARE(w("p_admin")->geometry(), QRect(344, 400, 500, 300));
        QCOMPARE(edit("f_intervall")->text(), QStringLiteral("10"));
        const QStringList titles{"Liga:", "Spieltag:", "gesichert:", "Heimteam", "Gastteam"};
        const QList<int> widths{75, 45, 115, 100, 100};
        QCOMPARE(grid()->model()->columnCount(), 5);
        for (int col = 0; col < 5; ++col) {
            QCOMPARE(grid()->model()->headerData(col, Qt::Horizontal).toString(), titles[col]);
            QCOMPARE(grid()->horizontalHeader()->sectionSize(col), widths[col]);
        }
        QCOMPARE(grid()->model()->rowCount(), 2);
        QCOMPARE(grid()->model()->index(0, 0).data().toString(), QStringLiteral("B1-Liga"));
        QCOMPARE(grid()->model()->index(0, 1).data().toString(), QStringLiteral("7"));
        QCOMPARE(grid()->model()->index(0, 3).data().toString(), QStringLiteral("DC O'Brien"));

        clickRow(1);  // the older one
        click("bt_laden");
        QTRY_COMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].startsWith(QStringLiteral("Durch das herstellen der ausgewählten Sicherung, \n")));
        QCOMPARE(grid()->model()->rowCount(), 1);
        QTRY_VERIFY(!w("p_admin")->isVisible());
        QCOMPARE(qobject_cast<QPlainTextEdit*>(w("m_bemerkung"))->toPlainText(), QStringLiteral("erster Stand"));
        QCOMPARE(edit("f_Heimteam")->text(), QStringLiteral("DC O'Brien"));
        QCOMPARE(qobject_cast<QComboBox*>(w("ComboBox1"))->currentText(), QStringLiteral("H1"));
        QCOMPARE(edit("Edit9")->text(), QStringLiteral("0"));
    }

    // A substitute picked in the window comes back picked, with the line of who played,
    // and the place comes back with it.
    void restoreBringsBackThePickAndThePlace()
    {
        header();
        typeInto(w("f_h3pnr"), QStringLiteral("10031"));  // nickname Rakete
        typeInto(w("f_h5pnr"), QStringLiteral("10075"));  // no nickname
        typeInto(w("f_g3pnr"), QStringLiteral("10208"));  // nickname Fuchs
        auto* game3 = qobject_cast<QComboBox*>(w("ComboBox5"));
        QTest::mouseClick(game3->lineEdit(), Qt::LeftButton);
        QTest::keyClick(game3, Qt::Key_Down);  // H5
        typeInto(w("f_ort"), QStringLiteral("Bottrop, 02.09.2006"));
        QCOMPARE(edit("Edit3")->text(), QStringLiteral(" - Fuchs"));
        click("bt_sicherung");

        QTest::mouseClick(game3->lineEdit(), Qt::LeftButton);
        QTest::keyClick(game3, Qt::Key_Up);  // H3 again
        QCOMPARE(edit("Edit3")->text(), QStringLiteral("Rakete - Fuchs"));
        typeInto(w("f_ort"), QStringLiteral("anderswo"));
        click("Image2");
        click("bt_laden");
        QTRY_VERIFY(!w("p_admin")->isVisible());

        QCOMPARE(game3->currentIndex(), 1);
        QCOMPARE(game3->currentText(), QStringLiteral("H5"));
        QCOMPARE(window->sheet().selectedItem("ComboBox5"), 1);
        QCOMPARE(edit("Edit3")->text(), QStringLiteral(" - Fuchs"));
        QCOMPARE(edit("f_ort")->text(), QStringLiteral("Bottrop, 02.09.2006"));
        QCOMPARE(boxes.size(), 1);
    }

    // An autosave tick while the restore question is open changes neither the list nor the
    // row that is restored.
    void autosaveBehindTheQuestion()
    {
        header();
        remark(QStringLiteral("erster Stand"));
        click("bt_sicherung");
        remark(QStringLiteral("zweiter Stand"));
        click("bt_sicherung");
        click("Image2");
        clickRow(1);
        window->context().Timer1.start(30);
        answerWhen = [this] { return stored() >= 3; };
        click("bt_laden");
        QTRY_COMPARE(boxes.size(), 1);
        QCOMPARE(qobject_cast<QPlainTextEdit*>(w("m_bemerkung"))->toPlainText(), QStringLiteral("erster Stand"));
    }

    // A failing autosave shows its error box once, however many ticks fall while it is open.
    void autosaveErrorShownOnce()
    {
        header();
        typeInto(w("f_datum"), QString());
        edit("f_datum")->selectAll();
        QTest::keyClick(edit("f_datum"), Qt::Key_Delete);
        QCOMPARE(window->sheet().text("f_datum"), QStringLiteral("  .  .    "));
        QElapsedTimer since;
        since.start();
        answerWhen = [&] { return since.elapsed() > 400; };  // many ticks while the box is open
        window->context().Timer1.start(20);
        QTRY_VERIFY(!boxes.isEmpty());
        window->context().Timer1.stop();
        QCOMPARE(mostOpen, 1);
        QVERIFY2(boxes[0].contains("is not a valid date"), qPrintable(boxes[0]));
        QCOMPARE(stored(), 0);
    }

    void intervalTypedIntoThePanel_data()
    {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("ticking");
        QTest::newRow("5") << "5" << 300000 << true;
        QTest::newRow("abc") << "abc" << 1800000 << true;
        QTest::newRow("0") << "0" << 0 << false;
    }
    void intervalTypedIntoThePanel()
    {
        QFETCH(QString, minutes);
        QFETCH(int, interval);
        QFETCH(bool, ticking);
        QCOMPARE(window->context().Timer1.interval(), 600000);
        click("Image2");
        typeInto(edit("f_intervall"), minutes);
        click("bt_schliessen3");
        QVERIFY(!w("p_admin")->isVisible());
        QCOMPARE(window->context().Timer1.interval(), interval);
        QCOMPARE(window->context().Timer1.isActive(), ticking);
    }
};

QTEST_MAIN(SicherungGuiTest)
#include "guitest_sicherung.moc"
