#pragma once
// What printing needs of the system: the installed printers, the modal print preview and
// a print job. The window supplies the Qt implementation; tests supply scripted ones.

#include <QString>
#include <QStringList>

namespace klw {

namespace reportengine {
class Report;
}

class Druckausgabe {
public:
    virtual ~Druckausgabe() = default;
    // The names of the installed printers, in the system's order; empty without any.
    virtual QStringList druckerNamen() const = 0;
    // Shows the report in a modal preview, from which the user may print it; returns when
    // the preview is closed.
    virtual void vorschau(reportengine::Report& report) = 0;
    // Prints the report directly, without a progress window, to the printer of that index
    // in druckerNamen(), with the report's title as the job title.
    virtual void drucken(reportengine::Report& report, int druckerIndex) = 0;
};

}  // namespace klw
