#include "sheet/spielbogen.h"

#include <stdexcept>

namespace klw {

Spielbogen::Spielbogen()
{
    const auto& defs = sheetFields();
    values_.reserve(defs.size());
    for (const auto& d : defs) {
        index_.insert(d.name, int(values_.size()));
        values_.push_back(Value{d.text, d.visible, d.itemIndex, false, QRect()});
    }
}

int Spielbogen::indexOf(const QString& name) const
{
    const auto it = index_.constFind(name);
    if (it == index_.constEnd())
        throw std::logic_error("Feld \"" + name.toStdString() + "\" gibt es auf dem Spielbogen nicht.");
    return *it;
}

void Spielbogen::setText(const QString& name, const QString& text)
{
    const int i = indexOf(name);
    Value& v = values_[size_t(i)];
    if (sheetFields()[size_t(i)].kind == FieldKind::Choice && v.selected != -1) {
        v.selected = -1;
        emit stateChanged(name);
    }
    if (v.text == text)
        return;
    v.text = text;
    emit textChanged(name);
}

void Spielbogen::setVisible(const QString& name, bool visible)
{
    Value& v = field(name);
    if (v.visible == visible)
        return;
    v.visible = visible;
    emit stateChanged(name);
}

void Spielbogen::selectItem(const QString& name, int index)
{
    const FieldDef& d = def(name);
    if (index < -1 || index >= d.items.size())
        throw std::out_of_range("Auswahl " + std::to_string(index) + " gibt es in " + name.toStdString() + " nicht.");
    Value& v = field(name);
    if (index >= 0 && v.text != d.items[index]) {
        v.text = d.items[index];
        emit textChanged(name);
    }
    if (v.selected != index) {
        v.selected = index;
        emit stateChanged(name);
    }
}

void Spielbogen::setItemIndex(const QString& name, int index)
{
    Value& v = field(name);
    if (v.selected == index)
        return;
    v.selected = index;
    emit stateChanged(name);
}

void Spielbogen::setGeometry(const QString& name, const QRect& geometry)
{
    Value& v = field(name);
    if (v.geometry == geometry)
        return;
    v.geometry = geometry;
    emit stateChanged(name);
}

void Spielbogen::setChecked(const QString& name, bool checked)
{
    Value& v = field(name);
    if (v.checked == checked)
        return;
    v.checked = checked;
    emit stateChanged(name);
}

int Spielbogen::number(const QString& name) const
{
    bool ok = false;
    const int n = text(name).toInt(&ok);
    return ok ? n : 0;
}

}  // namespace klw
