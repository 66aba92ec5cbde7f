// Set entry in the real window: leaving a guest-sets field evaluates its game, and the game
// points, totals, result and players' points follow on screen at once; the message about a
// wrong value is a real modal box that must not count as leaving the next field.

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "support/modal_answerer.h"
#include "window/tfklw.h"

using namespace klw;

class SetsTest : public QObject {
    Q_OBJECT

    TDM_SYS dmSys;
    TDM_DAT dmDat;
    std::unique_ptr<TFKLW> window;
    std::unique_ptr<test::ModalAnswerer> user;  // answers every box as a user would

    QLineEdit* edit(const char* name) { return qobject_cast<QLineEdit*>(window->control(name)); }
    QString focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

    void type(const char* field, const char* text)
    {
        QTest::keyClicks(edit(field), text);
        QTest::keyClick(edit(field), Qt::Key_Tab);
    }

private slots:
    void init()
    {
        user = std::make_unique<test::ModalAnswerer>();
        window = std::make_unique<TFKLW>(dmSys, dmDat);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->control("Edit9")->setFocus();  // away from the match day first
        window->control("Edit9")->setFocus();
        QTRY_COMPARE(focused(), QStringLiteral("Edit9"));
    }
    void cleanup()
    {
        window.reset();
        user.reset();
    }

    void tabbingThroughTheSetsUpdatesTheSheetOnScreen()
    {
        type("Edit9", "2");
        type("Edit56", "1");  // game 1: H1 beats G1 2:1
        QCOMPARE(focused(), QStringLiteral("Edit7"));
        QCOMPARE(edit("Edit8")->text(), QStringLiteral("1"));
        QCOMPARE(edit("Edit55")->text(), QStringLiteral("0"));
        QCOMPARE(edit("f_h1punkte")->text(), QStringLiteral("2"));
        QCOMPARE(edit("f_g1punkte")->text(), QStringLiteral("1"));
        QCOMPARE(edit("f_h5punkte")->text(), QStringLiteral("0"));
        QCOMPARE(edit("Edit50")->text(), QStringLiteral("2"));
        QCOMPARE(edit("Edit85")->text(), QStringLiteral("1"));
        QCOMPARE(edit("Edit49")->text(), QStringLiteral("1"));
        QCOMPARE(edit("Edit84")->text(), QStringLiteral("0"));

        // Eight more home wins make 9 : 0, and the result "2 : 0" is selected on screen.
        for (int game = 2; game <= 9; ++game) {
            QTest::keyClicks(QApplication::focusWidget(), "2");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), "0");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(edit("Edit49")->text(), QStringLiteral("9"));
        auto radios = window->findChild<QGroupBox*>("rg_ergebnis")->findChildren<QRadioButton*>();
        QVERIFY(radios[0]->isChecked());
        QCOMPARE(edit("f_h1punkte")->text(), QStringLiteral("8"));  // games 1, 5 and 9
        QVERIFY(user->boxes.isEmpty());
    }

    void twoWrongValuesGiveTwoBoxesAndTheFocusOnTheGuestField()
    {
        type("Edit9", "3");
        QTest::keyClicks(edit("Edit56"), "7");
        QTest::keyClick(edit("Edit56"), Qt::Key_Tab);
        QTRY_COMPARE(user->boxes.size(), 2);
        QCOMPARE(user->texts()[0], QStringLiteral("Sätze nur zwischen 0 und 2 zulässig!"));
        // The window gets the focus back when it is active again (a window manager does
        // that when the box closes; the offscreen platform has none).
        QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("Edit56"));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(focused(), QStringLiteral("Edit56"));
        QCOMPARE(edit("Edit9")->text(), QStringLiteral("0"));
        QCOMPARE(edit("Edit56")->text(), QStringLiteral("0"));
        QCOMPARE(edit("Edit8")->text(), QStringLiteral("0"));
        QCOMPARE(edit("Edit55")->text(), QStringLiteral("0"));
        // Neither the boxes nor the focus coming back evaluated any other game.
        QTest::qWait(100);
        QCOMPARE(user->boxes.size(), 2);
        QCOMPARE(edit("Edit6")->text(), QString());
    }
};

QTEST_MAIN(SetsTest)
#include "guitest_sets.moc"
