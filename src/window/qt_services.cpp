#include "window/qt_services.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "base/text.h"

namespace klw {

namespace {

// The program's messages break their lines with a line feed followed by a carriage
// return; a message box shows the line feed and would draw the carriage return as a box.
QString shown(const QString& text)
{
    return withLineFeeds(text);
}

// The untitled boxes carry the application title, as the task-bar entry shows it: that of
// the main window, also for a box of a window that the main window owns (the mail window).
QString applicationTitle(const QWidget* parent)
{
    const QWidget* main = parent ? parent->window() : nullptr;
    while (main && main->parentWidget())
        main = main->parentWidget()->window();
    const QString title = main ? main->windowIconText() : QString();
    return title.isEmpty() ? QStringLiteral("KLW") : title;
}

}  // namespace

void QtDialogs::information(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), shown(text), QMessageBox::NoButton,
                    parent_);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool QtDialogs::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), shown(text), QMessageBox::NoButton, parent_);
    QPushButton* ja = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* nein = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(ja);
    box.setEscapeButton(nein);
    box.exec();
    return box.clickedButton() == ja;
}

void QtDialogs::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(parent_), shown(text), QMessageBox::Ok, parent_);
    box.exec();
}

void QtDialogs::error(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(parent_), shown(text), QMessageBox::Ok, parent_);
    box.exec();
}

std::optional<QColor> QtDialogs::chooseColour(const QColor& initial)
{
    const QColor c = QColorDialog::getColor(initial, parent_);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

QString QtDialogs::chooseFile()
{
    return QFileDialog::getOpenFileName(parent_);
}

QString QtDialogs::chooseSaveFile(const QString& proposed)
{
    return QFileDialog::getSaveFileName(parent_, QStringLiteral("Speichern unter"), proposed,
                                        QStringLiteral("PDF-Dateien (*.pdf)"));
}

// A radio group takes the focus on its chosen button, or on its first when none is chosen.
QWidget* focusTarget(QWidget* w)
{
    if (!w || w->focusPolicy() != Qt::NoFocus)
        return w;
    const QList<QRadioButton*> radios = w->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (QRadioButton* r : radios) {
        if (r->isChecked())
            return r;
    }
    return radios.isEmpty() ? w : radios.first();
}

bool canTakeFocus(QWidget* w)
{
    return w && w->isVisibleTo(w->window()) && w->isEnabled() && w->focusPolicy() != Qt::NoFocus;
}

}  // namespace klw
