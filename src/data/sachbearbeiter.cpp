#include "data/sachbearbeiter.h"

#include "data/dm_sys.h"
#include "data/statement.h"
#include "sheet/context.h"

namespace klw {

int TabelleSachbearbeiterLesen(Context& c, db::Dataset& query, const QString& kz)
{
    return c.DM_SYS->ABSQueryOpen(query, Format(QStringLiteral("select * from SACHBEARBEITER") +
                                                    QStringLiteral(" where KZX = '%s' "),
                                                kz));
}

}  // namespace klw
