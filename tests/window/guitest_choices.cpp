// The game choices in the real window: a typed text never selects an item, whichever way
// the user leaves the choice; only a pick from the list, or stepping through the items with
// the arrow keys while in the choice, does.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "support/shown_window.h"

using namespace klw;

class ChoiceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ShownWindow> shown;

    QComboBox* choice(const QString& name) { return qobject_cast<QComboBox*>(shown->window->control(name)); }
    QString focused() { return test::focusedName(); }
    void clickInto(const QString& name)
    {
        // Leaving the match day, where the sheet starts, always lands in the league.
        if (focused() == QLatin1String("f_spieltag"))
            QTest::mouseClick(shown->window->control("f_Heimteam"), Qt::LeftButton);
        QWidget* w = shown->window->control(name);
        QWidget* target = qobject_cast<QComboBox*>(w) ? qobject_cast<QComboBox*>(w)->lineEdit() : w;
        QTest::mouseClick(target, Qt::LeftButton);
        QTRY_COMPARE(focused(), name);
    }
    // Leaves the focused choice the way the user named: Tab, Enter or a click elsewhere.
    void leave(const QString& how)
    {
        if (how == QLatin1String("tab"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        else if (how == QLatin1String("enter"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            QTest::mouseClick(shown->window->control("Edit1"), Qt::LeftButton);
    }

private slots:
    void init()
    {
        shown = std::make_unique<test::ShownWindow>();
        QVERIFY(shown->show());
    }
    void cleanup() { shown.reset(); }

    void typedTextSelectsNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");
        for (const char* how : {"tab", "enter", "click"}) {
            QTest::addRow("substitute item, %s", how) << "ComboBox5"
                                                      << "H6" << how;
            QTest::addRow("scheduled item, %s", how) << "ComboBox6"
                                                     << "G3" << how;
            QTest::addRow("no item, %s", how) << "ComboBox7"
                                              << "h5" << how;
        }
    }
    void typedTextSelectsNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, how);
        clickInto(name);
        choice(name)->lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), typed);
        leave(how);
        QVERIFY(focused() != name);
        QCOMPARE(shown->window->sheet().text(klw::test::fieldNamed(name)), typed);
        QCOMPARE(shown->window->sheet().selectedItem(klw::test::fieldNamed(name)), -1);
    }

    void textWrittenByTheProgramStaysUnselectedAfterClickingInAndOut()
    {
        shown->window->sheet().setText("ComboBox7", "H5");
        clickInto("ComboBox7");
        leave("click");
        QCOMPARE(shown->window->sheet().text("ComboBox7"), QStringLiteral("H5"));
        QCOMPARE(shown->window->sheet().selectedItem("ComboBox7"), -1);
    }

    void pickFromTheOpenListSelects_data()
    {
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("click on the entry") << true;
        QTest::newRow("arrow down and Enter in the list") << false;
    }
    void pickFromTheOpenListSelects()
    {
        QFETCH(bool, byMouse);
        shown->window->sheet().setText("ComboBox9", "xx");  // typed before: no item selected
        QComboBox* combo = choice("ComboBox9");
        clickInto("ComboBox9");
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        QTRY_VERIFY(list->isVisible());
        if (byMouse) {
            const QRect entry = list->visualRect(combo->model()->index(2, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
        } else {
            list->setCurrentIndex(combo->model()->index(0, 0));
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Return);
        }
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(shown->window->sheet().text("ComboBox9"), QStringLiteral("H6"));
        QCOMPARE(shown->window->sheet().selectedItem("ComboBox9"), 2);
    }

    void arrowKeysInTheChoiceStepThroughTheItems()
    {
        clickInto("ComboBox10");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(shown->window->sheet().text("ComboBox10"), QStringLiteral("G5"));
        QCOMPARE(shown->window->sheet().selectedItem("ComboBox10"), 1);
        leave("tab");
        QCOMPARE(shown->window->sheet().selectedItem("ComboBox10"), 1);
    }
};

QTEST_MAIN(ChoiceTest)
#include "guitest_choices.moc"
