#pragma once
// Every named field of the sheet with its kind and its properties, built once from the
// tables. The window creates its widgets from this list; the sheet model holds one value
// per entry.

#include <QString>
#include <QStringList>
#include <vector>

#include "sheet/tables.h"

namespace klw {

enum class FieldKind {
    Edit,  // one-line text
    MaskEdit,  // the date field
    Choice,  // drop-down list that also takes typed text
    Radio,  // radio group: item index, -1 for none
    Check,  // check box
    Memo,  // several lines
    Label,  // text shown only
    Panel,  // a container whose only state is its visibility
};

struct FieldDef {
    FieldId id;
    FieldKind kind = FieldKind::Edit;
    int maxLength = 0;  // 0: unlimited
    QStringList items;  // choices and radio groups
    bool readOnly = false;  // silver, bold, written by the program only
    bool tabStop = false;
    bool visible = true;
    QString text;  // initial text
    int itemIndex = -1;  // initial radio item

    QString name() const { return id.name(); }
};

const std::vector<FieldDef>& sheetFields();

// The controls of the main window in tab order, tab stops and others alike (buttons
// included). The backup panel's controls come last, in their own order.
const QStringList& tabOrder();

// The empty date field as its mask leaves it: separators kept, blanks as blanks.
inline const QString kLeeresDatum = QStringLiteral("  .  .    ");

}  // namespace klw
