#include "sheet/spielbogen.h"

#include <stdexcept>

namespace klw {

Spielbogen::Spielbogen()
{
    defIndex_.fill(-1);
    const auto& defs = sheetFields();
    for (size_t i = 0; i < defs.size(); ++i) {
        const FieldDef& d = defs[i];
        values_[size_t(d.id.index())] = Value{d.text, d.visible, d.itemIndex, false, QRect()};
        defIndex_[size_t(d.id.index())] = int(i);
    }
    for (int i : defIndex_)
        if (i < 0)
            throw std::logic_error("Ein Feld des Spielbogens hat keine Beschreibung.");
}

void Spielbogen::setText(FieldId name, const QString& text)
{
    Value& v = field(name);
    if (def(name).kind == FieldKind::Choice && v.selected != -1) {
        v.selected = -1;
        emit stateChanged(name);
    }
    if (v.text == text)
        return;
    v.text = text;
    emit textChanged(name);
}

void Spielbogen::setVisible(FieldId name, bool visible)
{
    Value& v = field(name);
    if (v.visible == visible)
        return;
    v.visible = visible;
    emit stateChanged(name);
}

void Spielbogen::selectItem(FieldId name, int index)
{
    const FieldDef& d = def(name);
    if (index < -1 || index >= d.items.size())
        throw std::out_of_range("Auswahl " + std::to_string(index) + " gibt es in " + name.name().toStdString() +
                                " nicht.");
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

void Spielbogen::setItemIndex(FieldId name, int index)
{
    Value& v = field(name);
    if (v.selected == index)
        return;
    v.selected = index;
    emit stateChanged(name);
}

void Spielbogen::setGeometry(FieldId name, const QRect& geometry)
{
    Value& v = field(name);
    if (v.geometry == geometry)
        return;
    v.geometry = geometry;
    emit stateChanged(name);
}

void Spielbogen::setChecked(FieldId name, bool checked)
{
    Value& v = field(name);
    if (v.checked == checked)
        return;
    v.checked = checked;
    emit stateChanged(name);
}

int Spielbogen::number(FieldId name) const
{
    bool ok = false;
    const int n = text(name).toInt(&ok);
    return ok ? n : 0;
}

}  // namespace klw
