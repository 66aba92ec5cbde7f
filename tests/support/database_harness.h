#pragma once
// A sheet with scripted services on a fresh copy of the shipped database, which is the
// program folder: what the handlers see in the running program. The database is not
// connected yet; ProgrammStart does that.

#include "support/fakes.h"
#include "support/testdatabase.h"

namespace klw::test {

struct DatabaseHarness : Harness {
    TestDatabase database;

    DatabaseHarness() { c.programFolder = database.programFolder(); }
};

}  // namespace klw::test
