#pragma once
// A sheet with scripted services on a fresh copy of the shipped database: what the
// handlers see in the running program, DM_SYS and the window's queries included. The
// database is not connected yet; ProgrammStart does that.

#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "support/fakes.h"
#include "support/testdatabase.h"

namespace klw::test {

struct DatabaseHarness : Harness {
    TestDatabase database;
    TDM_SYS dm;
    Abfragen abfragen;

    DatabaseHarness()
    {
        c.DM_SYS = &dm;
        c.abfragen = &abfragen;
        c.programFolder = database.programFolder();
    }
};

}  // namespace klw::test
