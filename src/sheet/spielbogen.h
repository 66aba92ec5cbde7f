#pragma once
// The match sheet: one value per named field of the main window, and the window state
// variables. Handlers read and write fields by their FieldId; the window binds its widgets to them.

#include <QColor>
#include <QObject>
#include <QRect>
#include <QString>
#include <array>

#include "sheet/fields.h"

namespace klw {

class Spielbogen : public QObject {
    Q_OBJECT
public:
    Spielbogen();

    const FieldDef& def(FieldId name) const { return sheetFields()[size_t(defIndex_[size_t(name.index())])]; }

    const QString& text(FieldId name) const { return field(name).text; }
    // For a choice, setting the text leaves it without a selected item, even when the text
    // equals one of its items; only selectItem() selects.
    void setText(FieldId name, const QString& text);

    bool isVisible(FieldId name) const { return field(name).visible; }
    void setVisible(FieldId name, bool visible);

    // Choices: the selected item, -1 for none. Selecting also sets the text to the item.
    int selectedItem(FieldId name) const { return field(name).selected; }
    void selectItem(FieldId name, int index);

    // Radio groups: the chosen item, -1 for none.
    int itemIndex(FieldId name) const { return field(name).selected; }
    void setItemIndex(FieldId name, int index);

    // Where a panel stands in the window; an empty rectangle leaves it where the window put it.
    QRect geometry(FieldId name) const { return field(name).geometry; }
    void setGeometry(FieldId name, const QRect& geometry);

    bool isChecked(FieldId name) const { return field(name).checked; }
    void setChecked(FieldId name, bool checked);

    // A field's text read as a decimal integer; empty or non-numeric text is 0.
    int number(FieldId name) const;

    // Window state, kept for the run only.
    bool MitDoppel = false;
    QString Saison;
    QString Bildschirm;
    QString Programmpfad;
    bool NamenUebergeben = false;
    bool SicherungGeladen = false;
    bool FarbeGewaehlt = false;
    QColor Hintergrundfarbe;
    int SicherungsIntervall = 300000;

signals:
    // Emitted only when a text really changes.
    void textChanged(FieldId name);
    // Visibility, geometry, selected item, radio item or check state changed.
    void stateChanged(FieldId name);

private:
    struct Value {
        QString text;
        bool visible = true;
        int selected = -1;
        bool checked = false;
        QRect geometry;
    };
    const Value& field(FieldId name) const { return values_[size_t(name.index())]; }
    Value& field(FieldId name) { return values_[size_t(name.index())]; }

    std::array<Value, FieldId::count> values_;
    std::array<int, FieldId::count> defIndex_;  // where each field stands in sheetFields()
};

}  // namespace klw
