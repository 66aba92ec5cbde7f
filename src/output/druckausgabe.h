#pragma once
// What printing needs of the system: the modal print preview, from which the user prints.
// The window supplies the Qt implementation; tests supply scripted ones.

namespace klw {

namespace reportengine {
class Report;
}

class Druckausgabe {
public:
    virtual ~Druckausgabe() = default;
    // Shows the report in a modal preview, from which the user may print it; returns when
    // the preview is closed.
    virtual void vorschau(reportengine::Report& report) = 0;
};

}  // namespace klw
