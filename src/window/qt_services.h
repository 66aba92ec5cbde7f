#pragma once
// The Qt side of the screen services: modal message boxes, the colour and file dialogs,
// and focus moves among the named widgets of a window.

#include <QHash>
#include <QPointer>
#include <QWidget>

#include "sheet/services.h"

namespace klw {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    void information(const QString& text) override;
    bool confirm(const QString& text) override;
    void message(const QString& text) override;
    void error(const QString& text) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    QString chooseFile() override;
    QString chooseSaveFile(const QString& proposed) override;

private:
    QPointer<QWidget> parent_;
};

// The widget a focus move goes to: the widget itself, or for a radio group its checked
// button (else its first); nullptr for none.
QWidget* focusTarget(QWidget* widget);
bool canTakeFocus(QWidget* widget);

// Focus among a window's widgets, found by their object names.
template <typename Id> class WidgetFocusOn : public FocusOn<Id> {
public:
    explicit WidgetFocusOn(const QHash<QString, QWidget*>& widgets) : widgets_(widgets) {}
    bool canFocus(Id name) const override { return canTakeFocus(focusTarget(widgets_.value(name.name()))); }
    void setFocus(Id name) override
    {
        if (QWidget* w = focusTarget(widgets_.value(name.name())))
            w->setFocus(Qt::OtherFocusReason);
    }

private:
    const QHash<QString, QWidget*>& widgets_;
};

using WidgetFocus = WidgetFocusOn<ControlId>;

}  // namespace klw
