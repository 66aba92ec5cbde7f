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

class WidgetFocus : public Focus {
public:
    explicit WidgetFocus(const QHash<QString, QWidget*>& widgets) : widgets_(widgets) {}
    bool canFocus(const QString& name) const override;
    void setFocus(const QString& name) override;

private:
    const QHash<QString, QWidget*>& widgets_;
};

}  // namespace klw
