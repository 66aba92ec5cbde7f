#pragma once
// The main window's connection ABSDatabase1 and its six named queries. Each query keeps its
// last result open and readable until the next statement runs on it.

#include "dbengine/connection.h"
#include "dbengine/dataset.h"

namespace klw {

struct Abfragen {
    db::Connection ABSDatabase1;
    db::Dataset Q_SPIELER{ABSDatabase1};  // members: look-up, new members, names (changeable)
    db::Dataset Q_SB{ABSDatabase1};  // league official look-up
    db::Dataset Q_LIGA{ABSDatabase1};  // league look-up; its row is read again later
    db::Dataset Q_DELETE{ABSDatabase1};  // clean-up statements
    db::Dataset Q_LESEN{ABSDatabase1};  // snapshot list, numbering, restore
    db::Dataset Q_SICH{ABSDatabase1};  // new snapshot rows (changeable)
};

}  // namespace klw
