#pragma once
// Everything a handler may reach: the sheet, the two screen services, the data module with
// the window's queries, the autosave timer and the clock. The window owns one; tests build
// their own with scripted services.

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
class TDM_DAT;
class MailFensterDienst;
struct Abfragen;
class Druckausgabe;

struct Context {
    Context(Spielbogen& s, Dialogs& d, Focus& f) : sheet(s), dialogs(d), focus(f) {}

    Spielbogen& sheet;
    Dialogs& dialogs;
    Focus& focus;
    SearchWindows* searchWindows = nullptr;  // player and team search
    TDM_SYS* DM_SYS = nullptr;  // the query operations
    TDM_DAT* DM_DAT = nullptr;  // printer and mail operations
    MailFensterDienst* mailFenster = nullptr;  // opens the mail window
    Abfragen* abfragen = nullptr;  // ABSDatabase1 and the six named queries of the window
    QTimer* Timer1 = nullptr;  // autosave
    bool autosaveFehlerOffen = false;  // the error box of a failed autosave is on screen
    // The pass-number fields of the rows whose member could not be stored; they are stored
    // again when the row's name is left again and before every snapshot.
    QSet<FieldId> offeneMitglieder;
    Druckausgabe* druck = nullptr;  // printers, print preview and print jobs
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    QString programFolder;  // folder of the executable, with its trailing '/'
    std::function<void()> quit = [] {};  // ends the program
    // The application title of the task-bar entry ("KLW", "KLW_Oberliga"); never a caption.
    std::function<void(const QString&)> setApplicationTitle = [](const QString&) {};
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
