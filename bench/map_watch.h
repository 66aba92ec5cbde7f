#pragma once

// Watches the X display named in DISPLAY for top-level windows being mapped, by any client.
// Kept apart from Qt code: Xlib's macros (Expose, None, ...) clash with Qt's names.
class MapWatch {
public:
    MapWatch();
    ~MapWatch();
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    bool connected() const { return display_ != nullptr; }
    // Drops the maps seen so far.
    void forget();
    // Waits for the next top-level window (not a popup) to be mapped; false after timeoutMs.
    bool waitForMap(int timeoutMs);

private:
    struct _XDisplay* display_ = nullptr;
};
