#pragma once
// An editable drop-down list that tells a pick from a typed text. Qt's QComboBox emits
// `activated` for a pick from the open list, but also when its edit field loses the focus or
// gets Enter with a text that equals an item. Only a real pick may select an item: an entry
// chosen in the open list, or the arrow keys or the wheel stepping through the items while
// the choice has the focus. `picked` is emitted for those alone.

#include <QComboBox>

namespace klw {

class ChoiceBox : public QComboBox {
    Q_OBJECT
public:
    explicit ChoiceBox(QWidget* parent = nullptr);

signals:
    void picked(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Set while a user action that picks is being handled; Qt emits `activated` inside it.
    bool picking_ = false;
};

}  // namespace klw
