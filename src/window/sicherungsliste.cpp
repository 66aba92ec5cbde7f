#include "window/sicherungsliste.h"

#include <QHeaderView>
#include <QTableView>

#include "dbengine/dataset_model.h"
#include "window/dataset_grid.h"

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
    setUpDatasetGrid(DBGrid1, *liste);
    DBGrid1.verticalHeader()->setDefaultSectionSize(18);
}

}  // namespace klw
