#pragma once
// What the handlers need of the user's screen. The window supplies Qt implementations;
// tests supply scripted ones.

#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>
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
template <typename Id> class FocusOn {
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
using SearchResult = std::optional<QHash<QString, QString>>;

// What the mail window opens with.
struct MailDraft {
    QString betreff;  // f_betreff
    QString an;  // f_an
    QStringList zeilen;  // lines of f_memo
    QStringList anhaenge = {};  // paths for f_anhang, in this order
};

namespace reportengine {
class Report;
}

// The main window and the windows it opens. Each window opens modally, owned by the main
// window, and hands back what the user chose there once it is closed.
class Windows {
public:
    virtual ~Windows() = default;
    // The player search, opened with the team and league filters; painted in `farbe` when
    // that is valid, else in the system's colour.
    virtual SearchResult playerSearch(const QString& verein, const QString& liga, const QColor& farbe) = 0;
    // The team search, opened with the league filter.
    virtual SearchResult teamSearch(const QString& liga) = 0;
    // The mail window "Mailversand", pre-filled; returns when the user has closed it.
    virtual void mail(const MailDraft& vorlage) = 0;
    // The report in the print preview, from which the user may print it; returns when the
    // preview is closed. A print job that the printer did not take throws.
    virtual void preview(reportengine::Report& report) = 0;
    // The imprint window "Impressum".
    virtual void imprint() = 0;

    // The main window's background, as the user chose it.
    virtual void setBackground(const QColor& colour) = 0;
    // The application title of the task-bar entry ("KLW", "KLW_Oberliga"); never a caption.
    virtual void setApplicationTitle(const QString& title) = 0;
    // Closes the main window, which ends the program.
    virtual void quit() = 0;
};

}  // namespace klw
