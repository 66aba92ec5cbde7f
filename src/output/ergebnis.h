#pragma once
// The result record of a match: the 33 fields that the league official processes, written
// into the result file and printed as the QR code of the report. Built in one place so
// that file and code always carry the same record.

#include <QString>
#include <QStringList>

namespace klw {

class Spielbogen;

// Match day, league, the two teams, pass number and points of H1..H6 and G1..G6, the four
// totals and the remark: each field's text as it stands, neither trimmed nor quoted.
QStringList ErgebnisFelder(const Spielbogen& sheet);

// The fields joined by TAB. The remark keeps its line breaks, as CR LF.
QString Ergebnissatz(const Spielbogen& sheet);

// League + "_SPT" + match day + "_" + home team without any blank + ".txt". A '/' would
// put the file into another folder, so it becomes '-'.
QString ErgebnisDateiname(const Spielbogen& sheet);

}  // namespace klw
