#pragma once
// The imprint window: who made the program, and the legal notes.

#include <QDialog>

class QPushButton;
class QTextEdit;

namespace klw {

class TFIMPRESSUM : public QDialog {
    Q_OBJECT
public:
    explicit TFIMPRESSUM(QWidget* owner);

    static QString imprintText();

public slots:
    void BitBtn4Click();
    // A second way to close the window; no control of the window uses it.
    void bt_endeClick();

private:
    QTextEdit* text_ = nullptr;
    QPushButton* BitBtn4 = nullptr;
};

}  // namespace klw
