#pragma once
// What the two search windows do with their query Q_SUCHE, without widgets: the player and
// team statements built from the filters, the re-sorting by a column title, and the row
// handed back when a window closes.

#include <array>
#include <string_view>

#include <QString>
#include <QStringList>

#include "sheet/checked_name.h"
#include "sheet/services.h"

namespace klw {

// The member and team columns that the search windows show or sort by and that the
// handlers read from a picked row.
inline constexpr std::array<std::string_view, 11> kSearchColumnNames{
    "PASSNR", "VORNAME", "NACHNAME", "NICKNAMEX", "TEAM", "LIGA", "STRASSE", "PLZ", "ORT", "CLUBTELEFON", "TELEFON2"};
using SearchColumn = CheckedName<kSearchColumnNames>;

class TDM_SYS;

namespace db {
class Dataset;
}

// The filter fields of the player search; a filter counts when its text is not empty, and
// is used as typed.
struct PlayerFilter {
    QString nr;  // f_nr: pass number contains
    QString name;  // f_name: surname contains, either case of the first letter
    QString verein;  // f_verein: team contains, either case of the first letter
    QString liga;  // f_liga: league equals
};

// The league filter's items: the main window's leagues without "B6-Liga", and for the team
// search also without "C8-Liga".
QStringList Suchligen(bool teamsuche);

// The text with its first letter (a to z only) in upper or lower case, followed by its
// characters 2 to 51.
QString Schreibweise(const QString& text, bool grossAnfang);

QString Spielerstatement(const PlayerFilter& filter, const QString& sortierung);
QString Teamstatement(const QString& liga);
// The statement with its order clause replaced by one on `spalte`, in the direction
// opposite to the old clause's (ascending after none).
QString Sortierstatement(const QString& statement, const QString& spalte);

// Run the statements on the window's query. A failure leaves the query closed, so the
// grid shows nothing; nothing is reported.
void SpielerSucheStarten(TDM_SYS& dm, db::Dataset& suche, const PlayerFilter& filter, const QString& sortierung);
void TeamSucheStarten(TDM_SYS& dm, db::Dataset& suche, const QString& liga);
// A click on a column title: re-sorts an open, non-empty result by that column.
void SucheSortieren(TDM_SYS& dm, db::Dataset& suche, const QString& spalte);

// The current row of an open query with rows, as texts by column name.
SearchResult Auswahl(db::Dataset& suche);

}  // namespace klw
