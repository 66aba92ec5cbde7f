#pragma once
// The result file of a match, written before the report when "Maildatei erstellen" is
// checked, and the offer to mail the result to the league official.

#include <QString>

namespace klw {

struct Context;
struct MailDraft;

// Writes <program folder>/MEKO/<league>_SPT<match day>_<home team>.txt and offers the
// mail. Does nothing when league, match day or a team is blank. A file that cannot be
// written throws, which ends the print; no partial file is left behind.
// `berichtPdf`: the report just saved as a PDF file. The mail then carries it and the
// result file, in this order, so that its "Als Anhang ..." holds; without it the user
// chooses the attachments in the mail window.
void TxtDateiErstellen(Context& c, const QString& berichtPdf = {});
// The result file alone, without the mail offer: its path, empty when nothing was
// written (a blank header, an old file that could not be removed).
QString writeResultFile(Context& c);

// The mail window's pre-fill: subject, and the official's address and greeting when the
// current league record names an official that is found.
MailDraft mailDraftOf(Context& c);

}  // namespace klw
