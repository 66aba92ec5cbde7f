// Cost of one set entry: leaving a guest-sets field evaluates its game and recomputes the
// players' points and the final score over a finished sheet.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "scoring/scoring.h"
#include "sheet/tables.h"
#include "support/fakes.h"
#include "window/tfklw.h"

namespace {

// A finished match of a league with doubles: twelve players, substitutes in two singles,
// every single and both doubles entered. Only what the user enters is written; auswerten()
// brings the computed fields up to date.
void vollerSpielbogen(klw::Spielbogen& s)
{
    s.MitDoppel = true;
    for (klw::FieldId control : klw::kDoublesControls)
        s.setVisible(control, true);
    s.setText("f_Heimteam", "DC Heim");
    s.setText("f_gastteam", "DC Gast");
    for (const auto& zeile : klw::kPlayerRows) {
        s.setText(zeile.passNr, QStringLiteral("4711-") + zeile.position);
        s.setText(zeile.name, QStringLiteral("Spieler ") + zeile.position);
        s.setText(zeile.nickname, QStringLiteral("Ruf ") + zeile.position);
    }
    s.selectItem("ComboBox11", 1);  // H5 in game 6
    s.selectItem("ComboBox26", 2);  // G6 in game 13
    s.setText("l_hdoppel1", "Ruf H1 / Ruf H2");
    s.setText("l_gdoppel1", "Ruf G1 / Ruf G2");
    s.setText("l_hdoppel2", "Ruf H3 / Ruf H4");
    s.setText("l_gdoppel2", "Ruf G3 / Ruf G4");

    static constexpr std::array<std::pair<const char*, const char*>, 4> ergebnisse{
        {{"2", "0"}, {"2", "1"}, {"1", "2"}, {"0", "2"}}};
    for (size_t i = 0; i < klw::kGameTable.size(); ++i) {
        const auto& [heim, gast] = ergebnisse[(i * 3) % ergebnisse.size()];
        s.setText(klw::kGameTable[i].homeSets, heim);
        s.setText(klw::kGameTable[i].guestSets, gast);
    }
}

// Evaluates all eighteen games in table order, as the user tabbing through the sheet does.
void auswerten(klw::Context& c)
{
    for (const auto& spiel : klw::kGameTable)
        klw::Edit56Exit(c, spiel.guestSets);
}

// Game 1 turns from a home win into a guest win and back, so that every entry changes the
// game points, the points of two players, both totals and the match result.
void satzeingabeSpielEins(klw::Context& c, bool heimSieg)
{
    c.sheet.setText("Edit9", heimSieg ? "2" : "1");
    c.sheet.setText("Edit56", heimSieg ? "1" : "2");
    klw::Edit56Exit(c, "Edit56");
}

void BM_Edit56Exit_Modell(benchmark::State& state)
{
    klw::test::Harness h;
    vollerSpielbogen(h.sheet);
    auswerten(h.c);
    bool heimSieg = false;
    for (auto _ : state) {
        heimSieg = !heimSieg;
        satzeingabeSpielEins(h.c, heimSieg);
    }
    if (!h.dialogs.shown.isEmpty())
        state.SkipWithError(qPrintable(h.dialogs.shown.first().text));
}
BENCHMARK(BM_Edit56Exit_Modell);

// The same with the main window's widgets bound to the sheet: every changed field is also
// written into its widget.
void BM_Edit56Exit_Fenster(benchmark::State& state)
{
    klw::TDM_SYS dmSys;
    klw::TDM_DAT dmDat;
    klw::test::ScriptedScreen dialogs;
    klw::TFKLW window(dmSys, dmDat, &dialogs);
    window.show();
    QApplication::processEvents();
    vollerSpielbogen(window.sheet());
    auswerten(window.context());
    dialogs.shown.clear();
    bool heimSieg = false;
    for (auto _ : state) {
        heimSieg = !heimSieg;
        satzeingabeSpielEins(window.context(), heimSieg);
    }
    if (!dialogs.shown.isEmpty())
        state.SkipWithError(qPrintable(dialogs.shown.first().text));
}
BENCHMARK(BM_Edit56Exit_Fenster);

}  // namespace
