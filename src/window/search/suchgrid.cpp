#include "window/search/suchgrid.h"

#include <QHeaderView>
#include <QPushButton>

namespace klw {

Suchgrid::Suchgrid(db::DatasetModel& model, QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("DBGrid1"));
    setModel(&model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    for (int i = 0; i < model.columns().size(); ++i)
        if (model.columns()[i].width > 0)
            setColumnWidth(i, model.columns()[i].width);
    model.followCurrentRow(selectionModel());
}

QPushButton* suchknopf(const QString& name, const QString& caption, const QRect& geometry, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

}  // namespace klw
