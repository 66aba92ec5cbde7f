// The print preview on a real X server of 1280 x 1024: it opens over the screen's whole
// available area, so that every button of its tool bar shows, the print button included,
// and none is pushed into the tool bar's overflow.

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "support/filled_sheet.h"
#include "support/modal_answerer.h"
#include "window/tfklw.h"

using namespace klw;

class VorschauTest : public QObject {
    Q_OBJECT

private slots:
    void previewShowsItsWholeToolBar()
    {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "runs on a real X server only");
        TDM_SYS dmSys;
        TDM_DAT dmDat;
        TFKLW window(dmSys, dmDat);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        test::fillMatch(window.context(), false);
        const QRect room = window.screen()->availableGeometry();
        QCOMPARE(room.size(), QSize(1280, 1024));

        test::ModalAnswerer user;
        QRect shown;
        QStringList hidden;  // tool bar buttons that do not show
        bool print = false;
        user.otherWindow = [&](QWidget* w) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
            if (!preview)
                return;
            QTRY_VERIFY(preview->findChild<QPrintPreviewWidget*>()->pageCount() == 1);
            QTest::qWait(200);
            shown = preview->geometry();
            auto* bar = preview->findChild<QToolBar*>();
            for (QAction* a : bar->actions()) {
                QWidget* button = bar->widgetForAction(a);
                if (a->isSeparator() || !button)
                    continue;
                if (!button->isVisible() || !bar->rect().contains(button->geometry()))
                    hidden << a->text();
                print = print || a->text() == QLatin1String("Print");
            }
            if (auto* overflow = bar->findChild<QToolButton*>("qt_toolbar_ext_button");
                overflow && overflow->isVisible())
                hidden << QStringLiteral("overflow button");
            preview->reject();
        };
        user.answers << true;
        QTest::mouseClick(window.control("bt_druck"), Qt::LeftButton);
        QTRY_VERIFY(!shown.isNull());
        QCOMPARE(shown, room);
        QVERIFY(print);
        QCOMPARE(hidden, QStringList{});
    }
};

QTEST_MAIN(VorschauTest)
#include "x11test_vorschau.moc"
