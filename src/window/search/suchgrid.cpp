#include "window/search/suchgrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>

#include "window/dataset_grid.h"

namespace klw {

Suchgrid::Suchgrid(db::DatasetModel& model, QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("DBGrid1"));
    setUpDatasetGrid(*this, model);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
}

QPushButton* suchknopf(const QString& name, const QString& caption, const QRect& geometry, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QComboBox* ligafeld(const QStringList& ligen, const QRect& geometry, QWidget* parent)
{
    auto* liga = new QComboBox(parent);
    liga->setObjectName(QStringLiteral("f_liga"));
    liga->setGeometry(geometry);
    liga->setEditable(true);
    liga->setInsertPolicy(QComboBox::NoInsert);
    liga->setCompleter(nullptr);
    liga->addItems(ligen);
    liga->setMaxVisibleItems(int(ligen.size()));
    liga->setEditText(QString());
    return liga;
}

}  // namespace klw
