#include "window/taskbar_title.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

namespace klw {

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return a;
}

void setProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                 const QByteArray& value)
{
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, type, 8, uint32_t(value.size()),
                        value.constData());
}

}  // namespace

void setTaskbarTitle(QWidget* window, const QString& title)
{
    window->setWindowIconText(title);
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || !window->windowHandle())
        return;  // not on X11, or the window is not created yet (the next tick sets it)
    static const xcb_atom_t netIconName = atom(connection, "_NET_WM_ICON_NAME");
    static const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    const auto id = xcb_window_t(window->winId());
    setProperty(connection, id, netIconName, utf8, title.toUtf8());
    setProperty(connection, id, XCB_ATOM_WM_ICON_NAME, XCB_ATOM_STRING, title.toLatin1());
    xcb_flush(connection);
}

}  // namespace klw
