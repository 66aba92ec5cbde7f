#pragma once
// The result text file, written before the report when "Maildatei erstellen" is checked.

namespace klw {

struct Context;

// Writes the result record into the MEKO folder and offers to send it by mail.
void TxtDateiErstellen(Context& c);

}  // namespace klw
