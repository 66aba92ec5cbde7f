#pragma once
// Scripted screen services for logic tests: every message is recorded, questions are
// answered from a queue, focus moves are recorded.

#include <QColor>
#include <QQueue>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>

#include "lifecycle/events.h"
#include "sheet/context.h"
#include "sheet/services.h"
#include "sheet/spielbogen.h"

namespace klw::test {

struct Shown {
    enum Kind { Information, Confirmation, Message, Error } kind;
    QString text;
};

class ScriptedDialogs : public Dialogs {
public:
    QList<Shown> shown;
    QQueue<bool> answers;  // for confirm(); an empty queue answers No
    std::optional<QColor> colour;
    QString file;
    QStringList proposedSaveFiles;  // what each save dialog proposed
    QString saveFile;  // the path chosen in the save dialog; empty cancels

    void information(const QString& text) override { shown.append({Shown::Information, text}); }
    bool confirm(const QString& text) override
    {
        shown.append({Shown::Confirmation, text});
        return answers.isEmpty() ? false : answers.dequeue();
    }
    void message(const QString& text) override { shown.append({Shown::Message, text}); }
    void error(const QString& text) override { shown.append({Shown::Error, text}); }
    std::optional<QColor> chooseColour(const QColor&) override { return colour; }
    QString chooseFile() override { return file; }
    QString chooseSaveFile(const QString& proposed) override
    {
        proposedSaveFiles << proposed;
        return saveFile;
    }

    QStringList texts() const
    {
        QStringList t;
        for (const auto& s : shown)
            t << s.text;
        return t;
    }
};

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

// A sheet with scripted services, as the handlers see it.
struct Harness {
    Spielbogen sheet;
    ScriptedDialogs dialogs;
    FakeFocus focus{sheet};
    QTimer timer1;
    Context c{sheet, dialogs, focus};
    bool quitCalled = false;
    QString applicationTitle;

    Harness()
    {
        c.Timer1 = &timer1;
        c.quit = [this] { quitCalled = true; };
        c.setApplicationTitle = [this](const QString& title) { applicationTitle = title; };
        connectChangeHandlers(c);
    }
};

}  // namespace klw::test
