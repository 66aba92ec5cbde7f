#pragma once
// Looking up a league official by key.

#include <QString>

namespace klw {

struct Context;
namespace db {
class Dataset;
}

// Runs the official statement on `query`: 1 when SACHBEARBEITER has a row with this KZX,
// else 0. Failures reach the caller.
int TabelleSachbearbeiterLesen(Context& c, db::Dataset& query, const QString& kz);

}  // namespace klw
