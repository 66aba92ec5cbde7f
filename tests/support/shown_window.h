#pragma once
// The real main window over scripted message boxes, as the window tests drive it: made and
// shown afresh for every test, and gone with the fixture.

#include <QApplication>
#include <QtTest>
#include <memory>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "support/fakes.h"
#include "window/tfklw.h"

namespace klw::test {

struct ShownWindow {
    ScriptedScreen dialogs;
    TDM_SYS dmSys;
    TDM_DAT dmDat;
    std::unique_ptr<TFKLW> window = std::make_unique<TFKLW>(dmSys, dmDat, &dialogs);

    // Shows the window; false when it does not become the active one.
    bool show()
    {
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }
};

// The name of the control that has the keyboard focus, empty for none.
inline QString focusedName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

}  // namespace klw::test
