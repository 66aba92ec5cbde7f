#pragma once
// Answers the modal windows that come up while a test clicks through the real main window,
// as a user would: message boxes by their "&Ja" / "&Nein" / "OK" buttons from a queue of
// answers, every other modal window by a callback. Records what the user saw.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QQueue>
#include <QTimer>
#include <functional>

namespace klw::test {

class ModalAnswerer : public QObject {
public:
    struct Box {
        QString title;
        QString text;
    };
    QList<Box> boxes;
    QQueue<bool> answers;  // for questions; an empty queue answers No
    std::function<void(QWidget*)> otherWindow;

    ModalAnswerer()
    {
        connect(&timer_, &QTimer::timeout, this, [this] { answer(); });
        timer_.start(20);
    }

    QStringList texts() const
    {
        QStringList t;
        for (const Box& b : boxes)
            t << b.text;
        return t;
    }

private:
    void answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == handled_)
            return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            handled_ = box;
            boxes.append({box->windowTitle(), box->text()});
            QAbstractButton* chosen = nullptr;
            const bool question = box->buttons().size() > 1;
            const QString wanted = !question ? QString() : (!answers.isEmpty() && answers.dequeue()) ? "&Ja" : "&Nein";
            for (QAbstractButton* b : box->buttons()) {
                if (!question || b->text() == wanted)
                    chosen = b;
            }
            QTimer::singleShot(0, chosen, &QAbstractButton::click);
        } else if (otherWindow) {
            handled_ = modal;
            otherWindow(modal);
        }
    }

    QTimer timer_;
    QPointer<QWidget> handled_;
};

}  // namespace klw::test
