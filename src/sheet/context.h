#pragma once
// Everything a handler may reach: the sheet, the screen services, the data module with the
// window's queries, the autosave timer and the clock. Every service is always there; the
// window owns one context, tests build theirs with scripted services.

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <functional>

#include "sheet/services.h"
#include "sheet/spielbogen.h"

class QTimer;

namespace klw {

class TDM_SYS;
struct Abfragen;

struct Context {
    Context(Spielbogen& s, Dialogs& d, Focus& f, Windows& w, TDM_SYS& dm, Abfragen& q, QTimer& autosave)
        : sheet(s), dialogs(d), focus(f), windows(w), DM_SYS(dm), abfragen(q), Timer1(autosave)
    {}

    Spielbogen& sheet;
    Dialogs& dialogs;
    Focus& focus;
    Windows& windows;
    TDM_SYS& DM_SYS;  // the query operations
    // ABSDatabase1 and the six named queries of the window. ABSDatabase1 is connected by
    // ProgrammStart; until then, or when that failed, every statement fails with the
    // engine's error.
    Abfragen& abfragen;
    QTimer& Timer1;  // autosave
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    QString programFolder;  // folder of the executable, with its trailing '/'

    // What the handlers keep between two events.
    bool autosaveFehlerOffen = false;  // the error box of a failed autosave is on screen
    // The pass-number fields of the rows whose member could not be stored; they are stored
    // again when the row's name is left again and before every snapshot.
    QSet<FieldId> offeneMitglieder;
};

// Runs one handler as the window's event handling does: a failure shows its text in the
// general error box and the program goes on with the sheet as it stands.
template <typename F> void dispatch(Dialogs& dialogs, F&& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        dialogs.error(QString::fromUtf8(e.what()));
    }
}

}  // namespace klw
