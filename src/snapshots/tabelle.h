#pragma once
// The snapshot table of a database file made by an older version of the program.

namespace klw::db {
class Connection;
}

namespace klw {

// Adds the columns of SICHERUNG that the file lacks (the place ORTX), leaving every row
// and every other column as it is; a file that has them is not touched. A file without
// the table is left alone. A failure (the file locked by another program) reaches the
// caller.
void SicherungstabelleErgaenzen(db::Connection& db);

}  // namespace klw
