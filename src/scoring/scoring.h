#pragma once
// Scoring over the sheet: evaluation of one game, the players' points, the final score and
// the match result, and the doubles' visibility. Plain functions; the user is reached only
// through the context's dialog and focus services.

#include <QString>

#include "sheet/tables.h"

namespace klw {

struct Context;
struct Game;
class Spielbogen;

// Leaving a guest-sets field: evaluates that game, then recomputes points and totals.
void Edit56Exit(Context& c, ControlId sender);
// Whether the game's evaluation gave one side the game's point; a game without sets, or
// with sets that make no winner, is not decided yet.
bool SpielEntschieden(const Spielbogen& sheet, const Game& spiel);
// The result that follows from the games won: 0 ("2 : 0") for more home games, 1 ("1 : 1")
// for as many, 2 ("0 : 2") for fewer.
int ErgebnisAusSpielen(int heim, int gast);
// Rewrites the twelve points fields from the sixteen singles.
void EinzelpunkteErrechnen(Context& c);
// Rewrites the four totals and checks the games total against 16 or 18 games.
void EnddstandErrechnen(Context& c);
// A games total changed: preselects the match result.
void Edit49Change(Context& c, ControlId sender);
// Shows or hides the doubles row as MitDoppel says.
void DoppelSpiel(Context& c);

}  // namespace klw
