#pragma once
// The application title of the task-bar entry. On X11 that is the main window's icon name
// (_NET_WM_ICON_NAME and WM_ICON_NAME); the window caption is left alone. Qt 6 keeps the
// widget's icon text but no longer hands it to the window system, so it is written here.

#include <QString>

class QWidget;

namespace klw {

void setTaskbarTitle(QWidget* window, const QString& title);

}  // namespace klw
