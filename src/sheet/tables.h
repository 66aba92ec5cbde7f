#pragma once
// The two tables every subsystem iterates: the games of the sheet (sixteen singles in
// round order, then the two doubles) and the twelve player rows, and from them the list of
// every field name of the sheet. Nothing else in the program repeats these field names:
// elsewhere a field is a FieldId, which a misspelt name does not become.

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include <QStringView>

#include "sheet/checked_name.h"

namespace klw {

namespace table_text {

struct GameText {
    int nr, round, slot;
    const char *homePosition, *guestPosition, *homeChoice, *guestChoice, *line, *homeSets, *guestSets, *homePoint,
        *guestPoint;
};

inline constexpr std::array<GameText, 18> kGames{{
    {1, 1, 1, "H1", "G1", "ComboBox1", "ComboBox2", "Edit1", "Edit9", "Edit56", "Edit8", "Edit55"},
    {2, 1, 2, "H2", "G2", "ComboBox3", "ComboBox4", "Edit4", "Edit7", "Edit54", "Edit6", "Edit52"},
    {3, 1, 3, "H3", "G3", "ComboBox5", "ComboBox6", "Edit3", "Edit5", "Edit51", "Edit14", "Edit59"},
    {4, 1, 4, "H4", "G4", "ComboBox7", "ComboBox8", "Edit2", "Edit13", "Edit58", "Edit12", "Edit57"},
    {5, 2, 1, "H1", "G2", "ComboBox9", "ComboBox10", "Edit10", "Edit21", "Edit64", "Edit20", "Edit63"},
    {6, 2, 2, "H2", "G3", "ComboBox11", "ComboBox12", "Edit16", "Edit19", "Edit62", "Edit18", "Edit61"},
    {7, 2, 3, "H4", "G1", "ComboBox13", "ComboBox14", "Edit15", "Edit17", "Edit60", "Edit24", "Edit67"},
    {8, 2, 4, "H3", "G4", "ComboBox15", "ComboBox16", "Edit11", "Edit23", "Edit66", "Edit22", "Edit65"},
    {9, 3, 1, "H1", "G3", "ComboBox17", "ComboBox18", "Edit25", "Edit33", "Edit72", "Edit32", "Edit71"},
    {10, 3, 2, "H4", "G2", "ComboBox19", "ComboBox20", "Edit28", "Edit31", "Edit70", "Edit30", "Edit69"},
    {11, 3, 3, "H3", "G1", "ComboBox21", "ComboBox22", "Edit27", "Edit29", "Edit68", "Edit36", "Edit75"},
    {12, 3, 4, "H2", "G4", "ComboBox23", "ComboBox24", "Edit26", "Edit35", "Edit74", "Edit34", "Edit73"},
    {13, 4, 1, "H4", "G3", "ComboBox25", "ComboBox26", "Edit37", "Edit45", "Edit80", "Edit44", "Edit79"},
    {14, 4, 2, "H3", "G2", "ComboBox27", "ComboBox28", "Edit40", "Edit43", "Edit78", "Edit42", "Edit77"},
    {15, 4, 3, "H1", "G4", "ComboBox29", "ComboBox30", "Edit39", "Edit41", "Edit76", "Edit48", "Edit83"},
    {16, 4, 4, "H2", "G1", "ComboBox31", "ComboBox32", "Edit38", "Edit47", "Edit82", "Edit46", "Edit81"},
    {17, 0, 1, nullptr, nullptr, "l_hdoppel1", "l_gdoppel1", nullptr, "l_hdoppelsaetze1", "l_gdoppelsaetze1",
     "l_hdoppelspiele1", "l_gdoppelspiele1"},
    {18, 0, 2, nullptr, nullptr, "l_hdoppel2", "l_gdoppel2", nullptr, "l_hdoppelsaetze2", "l_gdoppelsaetze2",
     "l_hdoppelspiele2", "l_gdoppelspiele2"},
}};

struct RowText {
    const char *position, *passNr, *name, *nickname, *points, *button, *teamField;
    bool home;
    int number;
};

inline constexpr std::array<RowText, 12> kRows{{
    {"H1", "f_h1pnr", "f_h1name", "f_h1rname", "f_h1punkte", "bt_H1", "f_Heimteam", true, 1},
    {"H2", "f_h2pnr", "f_h2name", "f_h2rname", "f_h2punkte", "bt_H2", "f_Heimteam", true, 2},
    {"H3", "f_h3pnr", "f_h3name", "f_h3rname", "f_h3punkte", "bt_H3", "f_Heimteam", true, 3},
    {"H4", "f_h4pnr", "f_h4name", "f_h4rname", "f_h4punkte", "bt_H4", "f_Heimteam", true, 4},
    {"H5", "f_h5pnr", "f_h5name", "f_h5rname", "f_h5punkte", "bt_H5", "f_Heimteam", true, 5},
    {"H6", "f_h6pnr", "f_h6name", "f_h6rname", "f_h6punkte", "bt_H6", "f_Heimteam", true, 6},
    {"G1", "f_g1pnr", "f_g1name", "f_g1rname", "f_g1punkte", "bt_G1", "f_gastteam", false, 1},
    {"G2", "f_g2pnr", "f_g2name", "f_g2rname", "f_g2punkte", "bt_G2", "f_gastteam", false, 2},
    {"G3", "f_g3pnr", "f_g3name", "f_g3rname", "f_g3punkte", "bt_G3", "f_gastteam", false, 3},
    {"G4", "f_g4pnr", "f_g4name", "f_g4rname", "f_g4punkte", "bt_G4", "f_gastteam", false, 4},
    {"G5", "f_g5pnr", "f_g5name", "f_g5rname", "f_g5punkte", "bt_G5", "f_gastteam", false, 5},
    {"G6", "f_g6pnr", "f_g6name", "f_g6rname", "f_g6punkte", "bt_G6", "f_gastteam", false, 6},
}};

// The fields that stand once on the sheet, around the tables' fields.
inline constexpr std::array<const char*, 6> kHeader{"f_spieltag", "f_datum",    "f_liga",
                                                    "f_Heimteam", "f_gastteam", "l_version"};
inline constexpr std::array<const char*, 16> kFooter{
    "Label11",     "Label24",          "Edit50", "Edit85",       "Edit49", "Edit84",      "rg_ergebnis", "rg_druck1",
    "m_bemerkung", "l_ligabearbeiter", "f_ort",  "cb_maildatei", "f_bde2", "l_sicherung", "p_admin",     "f_intervall"};

// The window's controls that hold no value of the sheet (besides the rows' buttons): buttons,
// pictures, the snapshot list, and the two timers, which call handlers as controls do.
inline constexpr std::array<const char*, 16> kOtherControls{
    "bts_hteam", "bts_gteam", "bt_namenuebernehmen2", "bt_sicherung", "bt_farben", "bt_info", "bt_pdf",
    "bt_druck",  "bt_ende",   "bt_schliessen3",       "bt_laden",     "DBGrid1",   "Image2",  "Image3",
    "Timer1",    "Timer2"};

template <typename Visit> constexpr void forEachFieldName(Visit visit)
{
    for (const char* n : kHeader)
        visit(n);
    for (const RowText& z : kRows)
        for (const char* n : {z.passNr, z.name, z.nickname, z.points})
            visit(n);
    for (const GameText& s : kGames)
        for (const char* n : {s.homeChoice, s.guestChoice, s.line, s.homeSets, s.guestSets, s.homePoint, s.guestPoint})
            if (n)
                visit(n);
    for (const char* n : kFooter)
        visit(n);
}

constexpr int fieldCount()
{
    int n = 0;
    forEachFieldName([&n](const char*) { ++n; });
    return n;
}

constexpr std::array<std::string_view, fieldCount()> fieldNames()
{
    std::array<std::string_view, fieldCount()> names{};
    size_t i = 0;
    forEachFieldName([&](const char* n) { names[i++] = n; });
    return names;
}

template <typename Visit> constexpr void forEachControlName(Visit visit)
{
    forEachFieldName(visit);
    for (const RowText& z : kRows)
        visit(z.button);
    for (const char* n : kOtherControls)
        visit(n);
}

constexpr int controlCount()
{
    int n = 0;
    forEachControlName([&n](const char*) { ++n; });
    return n;
}

constexpr std::array<std::string_view, controlCount()> controlNames()
{
    std::array<std::string_view, controlCount()> names{};
    size_t i = 0;
    forEachControlName([&](const char* n) { names[i++] = n; });
    return names;
}

}  // namespace table_text

// Every field name of the sheet, once.
inline constexpr auto kFieldNames = table_text::fieldNames();
using FieldId = CheckedName<kFieldNames>;

// Every control of the main window: the fields first, so that each field is also a control.
inline constexpr auto kControlNames = table_text::controlNames();
using ControlId = CheckedName<kControlNames>;

struct Game {
    int nr;  // 1..16 for the singles; 17, 18 for doubles 1 and 2
    int round;  // 1..4, 0 for the doubles
    int slot;  // 1..4 within the round, the doubles' number for the doubles
    const char* homePosition;  // scheduled position ("H1"); nullptr for the doubles
    const char* guestPosition;
    FieldId homeChoice;  // ComboBox(2k-1); for the doubles the home pair field
    FieldId guestChoice;  // ComboBox(2k);   for the doubles the guest pair field
    std::optional<FieldId> line;  // Spielzeile; none for the doubles
    FieldId homeSets;
    FieldId guestSets;
    FieldId homePoint;
    FieldId guestPoint;

    constexpr bool isDoubles() const { return round == 0; }
};

struct PlayerRow {
    const char* position;  // "H1" .. "G6"
    FieldId passNr;
    FieldId name;
    FieldId nickname;
    FieldId points;
    ControlId button;
    FieldId teamField;  // the team written into the member record
    bool home;
    int number;  // 1..6
};

namespace table_text {

constexpr Game typed(const GameText& g)
{
    return {g.nr,
            g.round,
            g.slot,
            g.homePosition,
            g.guestPosition,
            FieldId::named(g.homeChoice),
            FieldId::named(g.guestChoice),
            g.line ? std::optional<FieldId>(FieldId::named(g.line)) : std::nullopt,
            FieldId::named(g.homeSets),
            FieldId::named(g.guestSets),
            FieldId::named(g.homePoint),
            FieldId::named(g.guestPoint)};
}

constexpr PlayerRow typed(const RowText& z)
{
    return {z.position,
            FieldId::named(z.passNr),
            FieldId::named(z.name),
            FieldId::named(z.nickname),
            FieldId::named(z.points),
            ControlId::named(z.button),
            FieldId::named(z.teamField),
            z.home,
            z.number};
}

template <typename In, size_t N, size_t... I>
constexpr auto typedTable(const std::array<In, N>& rows, std::index_sequence<I...>)
{
    return std::array{typed(rows[I])...};
}

}  // namespace table_text

inline constexpr std::array<Game, 18> kGameTable =
    table_text::typedTable(table_text::kGames, std::make_index_sequence<18>{});

inline constexpr std::span<const Game, 16> kSingles{kGameTable.data(), 16};
inline constexpr std::span<const Game, 2> kDoubles{kGameTable.data() + 16, 2};

inline constexpr std::array<PlayerRow, 12> kPlayerRows =
    table_text::typedTable(table_text::kRows, std::make_index_sequence<12>{});

inline constexpr std::span<const PlayerRow, 6> kHomeRows{kPlayerRows.data(), 6};
inline constexpr std::span<const PlayerRow, 6> kGuestRows{kPlayerRows.data() + 6, 6};

// The row whose field or button `member` is the control named; nullptr for any other control.
template <typename Id> const PlayerRow* rowWith(Id PlayerRow::*member, ControlId control)
{
    for (const PlayerRow& row : kPlayerRows)
        if (control == row.*member)
            return &row;
    return nullptr;
}

// The row of a position code, compared exactly ("H5" yes, "h5" no); nullptr for any other text.
const PlayerRow* rowAtPosition(QStringView position);

// The game (searched in table order) whose guest-sets field, or whose home or guest choice, is the field named.
const Game* gameWithGuestSets(ControlId guestSetsField);
const Game* gameWithChoice(ControlId choiceField);  // singles only

// The three items of a choice: the scheduled position, then the team's two substitutes.
std::array<const char*, 3> choiceItems(const Game& spiel, bool home);

// The fourteen doubles controls that DoppelSpiel shows or hides, in their order.
inline constexpr std::array<FieldId, 14> kDoublesControls{
    "Label11",          "l_hdoppel1",       "l_gdoppel1",       "l_hdoppelsaetze1", "l_gdoppelsaetze1",
    "l_hdoppelspiele1", "l_gdoppelspiele1", "Label24",          "l_hdoppel2",       "l_gdoppel2",
    "l_hdoppelsaetze2", "l_gdoppelsaetze2", "l_hdoppelspiele2", "l_gdoppelspiele2"};

// The items of the league list of the main window.
inline constexpr std::array<const char*, 21> kLeagues{
    "Oberliga", "Bezirksliga 1", "Bezirksliga 2", "A1-Liga", "A2-Liga", "A3-Liga", "A4-Liga",
    "B1-Liga",  "B2-Liga",       "B3-Liga",       "B4-Liga", "B5-Liga", "B6-Liga", "C1-Liga",
    "C2-Liga",  "C3-Liga",       "C4-Liga",       "C5-Liga", "C6-Liga", "C7-Liga", "C8-Liga"};

}  // namespace klw
