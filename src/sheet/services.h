#pragma once
// What the handlers need of the user's screen. The window supplies Qt implementations;
// tests supply scripted ones.

#include <QColor>
#include <QHash>
#include <QString>
#include <optional>

#include "sheet/tables.h"

namespace klw {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // "Information" box with one "OK" button.
    virtual void information(const QString& text) = 0;
    // "Bestätigung" box with "&Ja" and "&Nein"; true only for Ja.
    virtual bool confirm(const QString& text) = 0;
    // Untitled box with one OK button.
    virtual void message(const QString& text) = 0;
    // The general error box: a handler failed with this text, the program goes on.
    virtual void error(const QString& text) = 0;
    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;
    // Full path of a chosen file, empty when cancelled.
    virtual QString chooseFile() = 0;
    // The save dialog, opened on the proposed path; the path chosen, empty when cancelled.
    virtual QString chooseSaveFile(const QString& proposed) = 0;
};

// Focus moves among the named controls of one window.
template <typename Id>
class FocusOn {
public:
    virtual ~FocusOn() = default;
    // Whether the named control can take the focus now (shown and enabled).
    virtual bool canFocus(Id name) const = 0;
    virtual void setFocus(Id name) = 0;

    void focusIfPossible(Id name)
    {
        if (canFocus(name))
            setFocus(name);
    }
};

// The main window's focus.
using Focus = FocusOn<ControlId>;

// The current row of a search window's result when the window closed, as texts by column
// name; nothing when the window handed nothing back ("&ende", no result, no row).
using Suchergebnis = std::optional<QHash<QString, QString>>;

// The two search windows, each shown modally for one pick.
class SearchWindows {
public:
    virtual ~SearchWindows() = default;
    // The player search, opened with the team and league filters; painted in `farbe` when
    // that is valid, else in the system's colour.
    virtual Suchergebnis spielerauswahl(const QString& verein, const QString& liga, const QColor& farbe) = 0;
    // The team search, opened with the league filter.
    virtual Suchergebnis teamauswahl(const QString& liga) = 0;
};

}  // namespace klw
