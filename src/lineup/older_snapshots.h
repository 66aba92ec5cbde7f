#pragma once

namespace klw {

struct Context;

// Offers to delete older snapshots of the match on the sheet (called by the name transfer).
void SicherungObVorhandenPruefen(Context& c);

}  // namespace klw
