#pragma once
// A write to the database that failed, told to the user: what was not stored and why, in
// words a home team understands, with the engine's own text in brackets.

#include <QString>
#include <exception>
#include <stdexcept>

namespace klw {

// A failed write, its message ready for the error box.
class Schreibfehler : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "<was>\n\r<why> (<engine text>)"; `was` says what was not stored, e.g. "Die Sicherung
// wurde nicht gespeichert."
QString writeFailureText(const QString& was, const std::exception& fehler);

}  // namespace klw
