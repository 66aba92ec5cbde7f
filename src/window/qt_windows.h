#pragma once
// The Qt side of the window service: the search, mail, preview and imprint windows, each
// made for one showing, shown modally over the main window and destroyed again; and the
// main window's background, task-bar title and closing.

class QWidget;

#include "sheet/services.h"

namespace klw {

class TDM_SYS;
class TDM_DAT;
struct Abfragen;

class QtWindows : public Windows {
public:
    // The search windows run their statements through `dm` on the main window's connection;
    // the mail window sends with `dmDat`. `dialogs`, when given, stands in for the mail
    // window's own message boxes.
    QtWindows(QWidget& main, TDM_SYS& dm, Abfragen& abfragen, TDM_DAT& dmDat, Dialogs* dialogs)
        : main_(main), dm_(dm), abfragen_(abfragen), dmDat_(dmDat), dialogs_(dialogs)
    {}

    SearchResult playerSearch(const QString& verein, const QString& liga, const QColor& farbe) override;
    SearchResult teamSearch(const QString& liga) override;
    void mail(const MailDraft& vorlage) override;
    void preview(reportengine::Report& report) override;
    void imprint() override;
    void setBackground(const QColor& colour) override;
    void setApplicationTitle(const QString& title) override;
    void quit() override;

private:
    QWidget& main_;
    TDM_SYS& dm_;
    Abfragen& abfragen_;
    TDM_DAT& dmDat_;
    Dialogs* dialogs_;
};

}  // namespace klw
