#pragma once
// The result file of a match, written before the report when "Maildatei erstellen" is
// checked, and the offer to mail the result to the league official.

namespace klw {

struct Context;
struct MailVorlage;

// Writes <program folder>/MEKO/<league>_SPT<match day>_<home team>.txt and offers the
// mail. Does nothing when league, match day or a team is blank. A file that cannot be
// written throws, which ends the print; no partial file is left behind.
void TxtDateiErstellen(Context& c);

// The mail window's pre-fill: subject, and the official's address and greeting when the
// current league record names an official that is found.
MailVorlage MailVorlageErstellen(Context& c);

}  // namespace klw
