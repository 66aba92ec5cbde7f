#include "window/choice_box.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QTimer>
#include <QWheelEvent>

namespace klw {

ChoiceBox::ChoiceBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // The open list handles a click or Enter on an entry in its own event filter, which
    // closes the list and then emits `activated`. Ours is installed later and so runs first.
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (picking_)
            emit picked(index);
    });
}

void ChoiceBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!(event->modifiers() & Qt::AltModifier)) {  // Alt+Down opens the list
            picking_ = true;
            QComboBox::keyPressEvent(event);
            picking_ = false;
            return;
        }
        break;
    default:
        break;
    }
    QComboBox::keyPressEvent(event);
}

void ChoiceBox::wheelEvent(QWheelEvent* event)
{
    picking_ = hasFocus();
    QComboBox::wheelEvent(event);
    picking_ = false;
}

bool ChoiceBox::eventFilter(QObject* watched, QEvent* event)
{
    bool pick = event->type() == QEvent::MouseButtonRelease;
    // Enter is taken on its shortcut override already, before any key press.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        pick = key == Qt::Key_Return || key == Qt::Key_Enter;
    }
    if (pick) {
        // The list emits `activated` (or nothing, for a click beside the entries) while it
        // handles this event; the flag ends with it.
        picking_ = true;
        QTimer::singleShot(0, this, [this] { picking_ = false; });
    }
    return QComboBox::eventFilter(watched, event);
}

}  // namespace klw
