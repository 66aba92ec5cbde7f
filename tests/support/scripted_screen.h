#pragma once
// The user at the screen, scripted for logic tests: one object stands in for both screen
// services. It answers every message box and every window a handler opens from queues the
// test fills, and records what was shown and opened, in order.

#include <QColor>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "sheet/services.h"

namespace klw::test {

struct Shown {
    enum Kind { Information, Confirmation, Message, Error } kind;
    QString text;
};

class ScriptedScreen : public Dialogs, public Windows {
public:
    // --- message boxes and the standard dialogs
    QList<Shown> shown;
    QQueue<bool> answers;  // for confirm(); an empty queue answers No
    std::optional<QColor> colour;  // the colour dialog's choice; nothing cancels
    QString file;  // the open dialog's choice; empty cancels
    QStringList proposedSaveFiles;  // what each save dialog proposed
    QString saveFile;  // the path chosen in the save dialog; empty cancels
    // Runs while a box is on screen, before it is answered, as a timer tick does in the
    // box's event loop; not again for a box that it shows itself.
    std::function<void()> whileShown;

    // --- windows
    struct Opened {
        QString window;  // "Spielerauswahl", "Teamauswahl", "Mailversand", "Druckvorschau", "Impressum"
        QString verein;  // the filters a search window opened with
        QString liga;
        QColor farbe;
    };
    QList<Opened> opened;
    QQueue<SearchResult> picks;  // what each search window hands back; an empty queue hands nothing
    QList<MailDraft> mails;  // what each mail window opened with
    std::function<void(const MailDraft&)> onMail;  // looks at each mail window as it opens
    // Looks at the report of each preview while it is shown; may throw, as a failing print does.
    std::function<void(reportengine::Report&)> onPreview;
    QColor background;  // the main window's background; invalid until one is set
    QString applicationTitle;
    bool quitCalled = false;

    void information(const QString& text) override { show(Shown::Information, text); }
    bool confirm(const QString& text) override
    {
        show(Shown::Confirmation, text);
        return answers.isEmpty() ? false : answers.dequeue();
    }
    void message(const QString& text) override { show(Shown::Message, text); }
    void error(const QString& text) override { show(Shown::Error, text); }
    std::optional<QColor> chooseColour(const QColor&) override { return colour; }
    QString chooseFile() override { return file; }
    QString chooseSaveFile(const QString& proposed) override
    {
        proposedSaveFiles << proposed;
        return saveFile;
    }

    SearchResult playerSearch(const QString& verein, const QString& liga, const QColor& farbe) override
    {
        opened.append({QStringLiteral("Spielerauswahl"), verein, liga, farbe});
        return nextPick();
    }
    SearchResult teamSearch(const QString& liga) override
    {
        opened.append({QStringLiteral("Teamauswahl"), QString(), liga, QColor()});
        return nextPick();
    }
    void mail(const MailDraft& vorlage) override
    {
        opened.append({QStringLiteral("Mailversand"), {}, {}, {}});
        mails.append(vorlage);
        if (onMail)
            onMail(vorlage);
    }
    void preview(reportengine::Report& report) override
    {
        opened.append({QStringLiteral("Druckvorschau"), {}, {}, {}});
        if (onPreview)
            onPreview(report);
    }
    void imprint() override { opened.append({QStringLiteral("Impressum"), {}, {}, {}}); }
    void setBackground(const QColor& c) override { background = c; }
    void setApplicationTitle(const QString& title) override { applicationTitle = title; }
    void quit() override { quitCalled = true; }

    // The texts of the boxes shown, in order.
    QStringList texts() const
    {
        QStringList t;
        for (const auto& s : shown)
            t << s.text;
        return t;
    }
    // The windows opened, in order.
    QStringList windows() const
    {
        QStringList w;
        for (const auto& o : opened)
            w << o.window;
        return w;
    }

private:
    void show(Shown::Kind kind, const QString& text)
    {
        shown.append({kind, text});
        if (whileShown && !inWhileShown_) {
            inWhileShown_ = true;
            whileShown();
            inWhileShown_ = false;
        }
    }
    SearchResult nextPick() { return picks.isEmpty() ? std::nullopt : picks.dequeue(); }

    bool inWhileShown_ = false;
};

}  // namespace klw::test
