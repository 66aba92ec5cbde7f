// The individual points of the twelve players: three per decided single, credited to the
// positions that the game's two choices name.
#include <array>
#include <optional>

#include "scoring/scoring.h"
#include "sheet/context.h"
#include "sheet/tables.h"
#include "sheet/wahl.h"

namespace klw {

namespace {

struct Punkte {
    int heim;
    int gast;
};

// Only the four decisive results earn points; any other pair, "2" : "2" included, none.
std::optional<Punkte> punkteAusSaetzen(const QString& heim, const QString& gast)
{
    struct Eintrag {
        const char* heim;
        const char* gast;
        Punkte points;
    };
    static constexpr std::array<Eintrag, 4> tabelle{{
        {"2", "0", {3, 0}},
        {"2", "1", {2, 1}},
        {"1", "2", {1, 2}},
        {"0", "2", {0, 3}},
    }};
    for (const Eintrag& e : tabelle)
        if (heim == QLatin1String(e.heim) && gast == QLatin1String(e.gast))
            return e.points;
    return std::nullopt;
}

}  // namespace

void EinzelpunkteErrechnen(Context& c)
{
    Spielbogen& s = c.sheet;
    std::array<int, kPlayerRows.size()> summe{};
    auto gutschreiben = [&](const PlayerRow* zeile, int punkte) {
        if (zeile)
            summe[size_t(zeile - kPlayerRows.data())] += punkte;
    };
    for (const Game& spiel : kSingles) {
        const auto punkte = punkteAusSaetzen(s.text(spiel.homeSets), s.text(spiel.guestSets));
        if (!punkte)
            continue;
        gutschreiben(chosenRow(s, spiel, true), punkte->heim);
        gutschreiben(chosenRow(s, spiel, false), punkte->gast);
    }
    // Written home and guest row by row: H1, G1, H2, G2, ...
    for (size_t n = 0; n < kHomeRows.size(); ++n) {
        s.setText(kHomeRows[n].points, QString::number(summe[n]));
        s.setText(kGuestRows[n].points, QString::number(summe[kHomeRows.size() + n]));
    }
}

}  // namespace klw
