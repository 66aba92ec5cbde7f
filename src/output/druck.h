#pragma once
// Putting the sheet on paper: the preview and PDF buttons, and the PDF file.

#include <QString>
#include <optional>

#include "sheet/tables.h"

namespace klw {

struct Context;
class Spielbogen;

namespace reportengine {
class Report;
}

// The click on bt_druck (preview) or bt_pdf (the report as a PDF file).
void bt_druckClick(Context& c, ControlId sender);

// The PDF printer is Qt's own PDF output, which is always there. Asks where to save the
// report under the title (proposing ~/PDF/<title>.pdf, the folder made when missing) and
// writes it there whole. The written file's path; nothing when the user cancelled or the
// file could not be written (after saying why).
std::optional<QString> PdfDrucken(Context& c, reportengine::Report& report, const QString& titel);
// The job title: league, match day and home team joined by "_".
QString PdfJobtitel(const Spielbogen& sheet);
// ~/PDF/<title>.pdf, a '/' of the title made '-' so that it stays one file name.
QString proposedPdfPath(const QString& titel);

}  // namespace klw
