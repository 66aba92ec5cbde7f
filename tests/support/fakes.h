#pragma once
// Scripted services for logic tests: the scripted screen answers every box and window, focus
// moves are recorded, and a harness puts them together with a sheet into a context.

#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "lifecycle/events.h"
#include "sheet/context.h"
#include "sheet/services.h"
#include "sheet/spielbogen.h"
#include "support/scripted_screen.h"

namespace klw::test {

// A control can take the focus when the sheet shows it (controls that are not sheet fields
// always can), unless the test has blocked it.
class FakeFocus : public Focus {
public:
    explicit FakeFocus(const Spielbogen& sheet) : sheet_(sheet) {}
    QStringList moves;
    QSet<QString> blocked;

    bool canFocus(ControlId name) const override
    {
        if (blocked.contains(name.name()))
            return false;
        const auto field = name.as<FieldId>();
        return !field || sheet_.isVisible(*field);
    }
    void setFocus(ControlId name) override { moves << name.name(); }
    QString current() const { return moves.isEmpty() ? QString() : moves.last(); }

private:
    const Spielbogen& sheet_;
};

// A name that a data table of a test holds as text; a name the program lacks fails the test.
inline FieldId fieldNamed(const QString& name)
{
    if (const auto id = FieldId::find(name))
        return *id;
    throw std::logic_error("no field " + name.toStdString());
}
inline ControlId controlNamed(const QString& name)
{
    if (const auto id = ControlId::find(name))
        return *id;
    throw std::logic_error("no control " + name.toStdString());
}

// A sheet with scripted services, as the handlers see it. The window's queries are not
// connected; DatabaseHarness adds a database for them.
struct Harness {
    Spielbogen sheet;
    ScriptedScreen dialogs;  // the boxes and the windows
    FakeFocus focus{sheet};
    TDM_SYS dm;
    Abfragen abfragen;
    QTimer timer1;
    Context c{sheet, dialogs, focus, dialogs, dm, abfragen, timer1};

    Harness() { connectChangeHandlers(c); }
};

}  // namespace klw::test
