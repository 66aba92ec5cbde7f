#include "reportengine/band.h"

#include <stdexcept>

namespace klw::reportengine {

Printable* Band::find(const QString& name) const
{
    const auto it = index_.constFind(name);
    return it == index_.constEnd() ? nullptr : printables_[*it].get();
}

void Band::throwUnknown(const QString& name) const
{
    throw std::logic_error(QStringLiteral("%1 has no printable %2 of that kind").arg(this->name, name).toStdString());
}

}  // namespace klw::reportengine
