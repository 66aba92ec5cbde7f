#include "window/qt_windows.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "data/abfragen.h"
#include "data/suche.h"
#include "output/dm_dat.h"
#include "window/impressum.h"
#include "window/mail/fo_mail.h"
#include "window/print/preview.h"
#include "window/search/tsspieler.h"
#include "window/search/tsteam.h"
#include "window/taskbar_title.h"

namespace klw {

SearchResult QtWindows::playerSearch(const QString& verein, const QString& liga, const QColor& farbe)
{
    TSSPIELER fenster(abfragen_.ABSDatabase1, dm_, &main_);
    fenster.f_verein->setText(verein);
    fenster.f_liga->setEditText(liga);
    fenster.setFarbe(farbe);
    fenster.exec();
    return Auswahl(fenster.Q_SUCHE);
}

SearchResult QtWindows::teamSearch(const QString& liga)
{
    TSTEAM fenster(abfragen_.ABSDatabase1, dm_, liga, &main_);
    fenster.exec();
    return Auswahl(fenster.Q_SUCHE);
}

void QtWindows::mail(const MailDraft& vorlage)
{
    TFO_FMAIL fenster(&main_, dmDat_, dialogs_);
    fenster.vorbelegen(vorlage);
    fenster.exec();
}

void QtWindows::preview(reportengine::Report& report)
{
    showPreview(&main_, report);
}

void QtWindows::imprint()
{
    TFIMPRESSUM fenster(&main_);
    fenster.exec();
}

void QtWindows::setBackground(const QColor& colour)
{
    QPalette p = main_.palette();
    p.setColor(QPalette::Window, colour);
    main_.setPalette(p);
    if (auto* canvas = main_.findChild<QWidget*>(QStringLiteral("canvas"))) {
        canvas->setAutoFillBackground(true);
        canvas->setPalette(p);
    }
    main_.update();
}

void QtWindows::setApplicationTitle(const QString& title)
{
    // On X11 the task-bar entry shows the window's icon name; the caption stays as it is.
    setTaskbarTitle(&main_, title);
}

void QtWindows::quit()
{
    main_.close();
}

}  // namespace klw
