// The sheet by keyboard alone: the buttons' shortcuts, and a game's player choice opened
// from its sets field (the choices themselves are no tab stops).

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QShortcut>

#include "sheet/tables.h"
#include "window/tfklw.h"

namespace klw {

namespace {

struct Tastenkuerzel {
    const char* button;
    QKeyCombination keys;
    const char* shown;  // as the tooltip names it
};

constexpr Tastenkuerzel kKuerzel[] = {
    {"bt_sicherung", Qt::CTRL | Qt::Key_S, "Strg+S"},
    {"bt_druck", Qt::CTRL | Qt::Key_P, "Strg+P"},
    {"bt_pdf", Qt::CTRL | Qt::SHIFT | Qt::Key_P, "Strg+Umschalt+P"},
    {"bt_ende", Qt::CTRL | Qt::Key_Q, "Strg+Q"},
};

const QString kWahlHinweisHeim = QStringLiteral("F4 oder Alt+Pfeil runter: Heimspieler dieses Spiels wechseln");
const QString kWahlHinweisGast = QStringLiteral("F4 oder Alt+Pfeil runter: Gastspieler dieses Spiels wechseln");

}  // namespace

void TFKLW::addKeyboardWays()
{
    for (const Tastenkuerzel& k : kKuerzel) {
        auto* button = qobject_cast<QAbstractButton*>(widgets_.value(QString::fromLatin1(k.button)));
        if (!button)
            continue;
        button->setToolTip(button->toolTip() + QStringLiteral(" (") + QString::fromLatin1(k.shown) + QLatin1Char(')'));
        auto* shortcut = new QShortcut(QKeySequence(k.keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, button] { pressByKeyboard(button); });
    }
    for (const Game& s : kSingles) {
        widgets_.value(s.homeSets.name())->setToolTip(kWahlHinweisHeim);
        widgets_.value(s.guestSets.name())->setToolTip(kWahlHinweisGast);
    }
}

// As a click on the button: the focus moves onto it first, so the field being left runs
// its exit handler (a value just typed is stored, or refused) before the button's own.
void TFKLW::pressByKeyboard(QAbstractButton* button)
{
    if (!button->isVisible() || !button->isEnabled())
        return;
    if (QApplication::focusWidget() != button)
        button->setFocus(Qt::ShortcutFocusReason);
    button->click();
}

bool TFKLW::opensChoice(const QKeyEvent& key) const
{
    const auto modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_F4 && modifiers == Qt::NoModifier) ||
           (key.key() == Qt::Key_Down && modifiers == Qt::AltModifier);
}

// The choice of the player whose sets the field holds; nullptr for any other widget.
QComboBox* TFKLW::choiceOfSetsField(const QWidget* field) const
{
    for (const Game& s : kSingles) {
        if (widgets_.value(s.homeSets.name()) == field)
            return qobject_cast<QComboBox*>(widgets_.value(s.homeChoice.name()));
        if (widgets_.value(s.guestSets.name()) == field)
            return qobject_cast<QComboBox*>(widgets_.value(s.guestChoice.name()));
    }
    return nullptr;
}

}  // namespace klw
