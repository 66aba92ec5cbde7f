#pragma once
// Putting the sheet on paper: the preview and PDF buttons, and the search for a PDF printer.

#include <QString>
#include <QStringList>

namespace klw {

struct Context;
class Spielbogen;

namespace reportengine {
class Report;
}

// The PDF printers we print to, in order of preference, compared without letter case.
extern const QStringList kPdfDrucker;

// The click on bt_druck (preview) or bt_pdf (straight to the PDF printer).
void bt_druckClick(Context& c, const QString& sender);

// The index of the first installed PDF printer, in order of preference; -1 after telling
// the user that there is none.
int PdfDruckerSuchen(Context& c);
// Prints the report on the PDF printer under the title; nothing when there is no PDF printer.
int PdfDrucken(Context& c, reportengine::Report& report, const QString& titel);
// The job title: league, match day and home team joined by "_".
QString PdfJobtitel(const Spielbogen& sheet);

}  // namespace klw
