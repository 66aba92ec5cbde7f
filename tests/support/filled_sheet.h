#pragma once
// A match played to the end on the sheet, as the home team hands it in: header, both
// teams, a substitute in game 1, every set entered and evaluated, the doubles, a remark of
// three lines. The report tests, the benchmark and the README picture print it.

#include <QString>
#include <array>

#include "scoring/scoring.h"
#include "sheet/context.h"
#include "sheet/tables.h"

namespace klw::test {

inline constexpr std::array<const char*, 12> kPassNummern{"4711", "4712", "4713", "4714", "4715", "4716",
                                                          "815",  "816",  "817",  "818",  "819",  "820"};
inline constexpr std::array<const char*, 12> kNamen{"Anton Adler", "Bernd Berger", "Carla Conrad", "Dieter Dorn",
                                                    "Emil Eck",    "Frieda Fuchs", "Gustav Gans",  "Hanna Hahn",
                                                    "Ingo Igel",   "Jana Jung",    "Karl Kranz",   "Lena Lorenz"};
inline constexpr std::array<const char*, 12> kRufnamen{"Hammer", "Blitz", "Kralle",  "Rakete", "Eule",    "Fuchsi",
                                                       "Ganter", "Henne", "Stachel", "Juni",   "Kranich", "Lolli"};
inline const QString kBemerkung = QStringLiteral(
    "Spiel 1: Emil Eck (H5) für Anton Adler.\r\nSpiel 7 nach Stromausfall wiederholt.\r\nKeine weiteren Vorkommnisse.");

// Sets of the sixteen singles (home, guest) and of the two doubles.
inline constexpr std::array<std::pair<const char*, const char*>, 18> kSaetze{{
    {"2", "1"},
    {"2", "0"},
    {"1", "2"},
    {"2", "0"},
    {"0", "2"},
    {"2", "1"},
    {"2", "1"},
    {"2", "0"},
    {"1", "2"},
    {"2", "0"},
    {"2", "1"},
    {"0", "2"},
    {"2", "0"},
    {"2", "1"},
    {"1", "2"},
    {"2", "0"},
    {"2", "1"},
    {"1", "2"},
}};

inline void fillMatch(Context& c, bool mitDoppel)
{
    Spielbogen& s = c.sheet;
    s.MitDoppel = mitDoppel;
    DoppelSpiel(c);
    s.setText("f_spieltag", QStringLiteral("5"));
    s.setText("f_datum", QStringLiteral("14.03.2025"));
    s.setText("f_liga", mitDoppel ? QStringLiteral("Oberliga") : QStringLiteral("A1-Liga"));
    s.setText("f_Heimteam", QStringLiteral("Dart Club"));
    s.setText("f_gastteam", QStringLiteral("Bulls Eye"));
    s.setText("f_ort", QStringLiteral("Musterstadt, 14.03.2025"));
    s.setText("l_ligabearbeiter", QStringLiteral("Liga-Bearbeiter: Erika Muster, Tel. 0123 456789"));
    for (size_t i = 0; i < kPlayerRows.size(); ++i) {
        s.setText(kPlayerRows[i].passNr, QString::fromLatin1(kPassNummern[i]));
        s.setText(kPlayerRows[i].name, QString::fromUtf8(kNamen[i]));
        s.setText(kPlayerRows[i].nickname, QString::fromUtf8(kRufnamen[i]));
    }
    for (const Game& spiel : kSingles) {
        s.selectItem(spiel.homeChoice, 0);
        s.selectItem(spiel.guestChoice, 0);
    }
    s.selectItem("ComboBox1", 1);  // H5 plays game 1
    s.setText("l_hdoppel1", QStringLiteral("Hammer / Blitz"));
    s.setText("l_gdoppel1", QStringLiteral("Ganter / Henne"));
    s.setText("l_hdoppel2", QStringLiteral("Kralle / Rakete"));
    s.setText("l_gdoppel2", QStringLiteral("Stachel / Juni"));
    for (size_t i = 0; i < kGameTable.size(); ++i) {
        if (kGameTable[i].isDoubles() && !mitDoppel)
            continue;
        s.setText(kGameTable[i].homeSets, QString::fromLatin1(kSaetze[i].first));
        s.setText(kGameTable[i].guestSets, QString::fromLatin1(kSaetze[i].second));
        Edit56Exit(c, kGameTable[i].guestSets);
    }
    s.setText("m_bemerkung", kBemerkung);
}

}  // namespace klw::test
