#pragma once
// The print preview through Qt PrintSupport, whose print button sends the report to a CUPS
// queue.

class QWidget;

namespace klw {

namespace reportengine {
class Report;
}

// Shows the report in the modal preview "Druckvorschau" over the owner; returns when the
// preview is closed. A report that fails, or a print job that its queue did not take, closes
// the preview and throws.
void showPreview(QWidget* owner, reportengine::Report& report);

}  // namespace klw
