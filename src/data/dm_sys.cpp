#include "data/dm_sys.h"

#include <exception>

#include "data/statement.h"
#include "dbengine/dataset.h"

namespace klw {

int TDM_SYS::ABSQueryOpen(db::Dataset& set, const QString& sql)
{
    set.close();
    if (!sql.isEmpty())
        set.open(sql);
    return set.bof() && set.eof() ? 0 : 1;
}

int TDM_SYS::ABSQueryAppend(db::Dataset& query, const QString& table, const QString& column)
{
    if (!query.isOpen()) {
        ABSQueryOpen(query,
                     column.isEmpty() ? table : Format(u"select * from %s  Nolock  where '%s' = ''", {table, column}));
    }
    int result = 1;
    try {
        query.append();
    } catch (const std::exception&) {
        result = 0;
    }
    try {
        query.edit();
    } catch (const std::exception&) {}
    return result;
}

int TDM_SYS::ABSQueryEdit(db::Dataset& query)
{
    query.edit();
    return 0;
}

int TDM_SYS::ABSQueryPost(db::Dataset& query)
{
    try {
        query.post();
        return 0;
    } catch (const std::exception&) {
        query.cancel();
        return 1;
    }
}

int TDM_SYS::ABSQueryDelete(db::Dataset& set)
{
    try {
        set.edit();
    } catch (const std::exception&) {
        return 0;
    }
    try {
        set.remove();
    } catch (const std::exception&) {}
    return 0;
}

int TDM_SYS::ABSQueryUpdate(db::Dataset& query, const QString& sql)
{
    try {
        query.execute(sql);
    } catch (const std::exception&) {}
    return 1;
}

}  // namespace klw
