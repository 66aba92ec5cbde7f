#pragma once

#include <QString>

namespace klw {

class Spielbogen;

// The condition that selects the snapshots of the match on the sheet: season, league,
// home team, guest team and match day.
QString AktuellesSpiel(const Spielbogen& s);

}  // namespace klw
