#include "map_watch.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>

MapWatch::MapWatch() : display_(XOpenDisplay(nullptr))
{
    if (display_) {
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
        XSync(display_, False);
    }
}

MapWatch::~MapWatch()
{
    if (display_)
        XCloseDisplay(display_);
}

void MapWatch::forget()
{
    XSync(display_, False);
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
    }
}

bool MapWatch::waitForMap(int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        if (!XPending(display_)) {
            pollfd connection{ConnectionNumber(display_), POLLIN, 0};
            poll(&connection, 1, 5);
            continue;
        }
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect)
            return true;
    }
    return false;
}
