#pragma once
// What the print asks about the match result before it puts the sheet on paper: games
// that have no result yet, or a chosen result that the games do not give.

#include <QString>
#include <optional>

#include "sheet/tables.h"

namespace klw {

class Spielbogen;

struct PrintQuestion {
    QString text;  // a question with Ja and Nein
    FieldId fokus;  // the field that gets the focus when the user says Nein
};

// Nothing when every game of the match is decided and the chosen result follows from the
// final score; otherwise the question to ask.
std::optional<PrintQuestion> printQuestion(const Spielbogen& sheet);

}  // namespace klw
