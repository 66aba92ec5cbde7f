#include "window/sicherungsliste.h"

#include <QHeaderView>
#include <QTableView>

#include "dbengine/dataset_model.h"

namespace klw {

void sicherungslisteBinden(QTableView& DBGrid1, db::Dataset& Q_LESEN)
{
    auto* liste = new db::DatasetModel(Q_LESEN,
                                       {{QStringLiteral("LIGAX"), QStringLiteral("Liga:"), 75},
                                        {QStringLiteral("SPIELTAGI"), QStringLiteral("Spieltag:"), 45},
                                        {QStringLiteral("GESPEICHERTD"), QStringLiteral("gesichert:"), 115},
                                        {QStringLiteral("HTEAMX"), QStringLiteral("Heimteam"), 100},
                                        {QStringLiteral("GTEAMX"), QStringLiteral("Gastteam"), 100}},
                                       &DBGrid1);
    DBGrid1.setModel(liste);
    DBGrid1.setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1.setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1.setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1.verticalHeader()->setDefaultSectionSize(18);
    // A new list resets the header, and with it the widths.
    auto breiten = [&DBGrid1, liste] {
        for (int i = 0; i < liste->columns().size(); ++i)
            DBGrid1.setColumnWidth(i, liste->columns()[i].width);
    };
    breiten();
    QObject::connect(liste, &QAbstractItemModel::modelReset, &DBGrid1, breiten);
    liste->followCurrentRow(DBGrid1.selectionModel());
}

}  // namespace klw
