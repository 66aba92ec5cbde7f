#pragma once
// The match sheet: one value per named field of the main window, and the window state
// variables. Handlers read and write fields by name; the window binds its widgets to them.

#include <QColor>
#include <QHash>
#include <QObject>
#include <QRect>
#include <QString>
#include <vector>

#include "sheet/fields.h"

namespace klw {

class Spielbogen : public QObject {
    Q_OBJECT
public:
    Spielbogen();

    bool has(const QString& name) const { return index_.contains(name); }
    const FieldDef& def(const QString& name) const { return sheetFields()[size_t(indexOf(name))]; }

    const QString& text(const QString& name) const { return field(name).text; }
    // For a choice, setting the text leaves it without a selected item, even when the text
    // equals one of its items; only selectItem() selects.
    void setText(const QString& name, const QString& text);

    bool isVisible(const QString& name) const { return field(name).visible; }
    void setVisible(const QString& name, bool visible);

    // Choices: the selected item, -1 for none. Selecting also sets the text to the item.
    int selectedItem(const QString& name) const { return field(name).selected; }
    void selectItem(const QString& name, int index);

    // Radio groups: the chosen item, -1 for none.
    int itemIndex(const QString& name) const { return field(name).selected; }
    void setItemIndex(const QString& name, int index);

    // Where a panel stands in the window; an empty rectangle leaves it where the window put it.
    QRect geometry(const QString& name) const { return field(name).geometry; }
    void setGeometry(const QString& name, const QRect& geometry);

    bool isChecked(const QString& name) const { return field(name).checked; }
    void setChecked(const QString& name, bool checked);

    // A field's text read as a decimal integer; empty or non-numeric text is 0.
    int number(const QString& name) const;

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
    void textChanged(const QString& name);
    // Visibility, geometry, selected item, radio item or check state changed.
    void stateChanged(const QString& name);

private:
    struct Value {
        QString text;
        bool visible = true;
        int selected = -1;
        bool checked = false;
        QRect geometry;
    };
    int indexOf(const QString& name) const;
    const Value& field(const QString& name) const { return values_[size_t(indexOf(name))]; }
    Value& field(const QString& name) { return values_[size_t(indexOf(name))]; }

    QHash<QString, int> index_;
    std::vector<Value> values_;
};

}  // namespace klw
