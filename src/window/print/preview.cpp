#include "window/print/preview.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <exception>
#include <stdexcept>

#include "reportengine/report.h"
#include "window/print/cups_warteschlange.h"

namespace klw {

namespace {

void einrichten(QPrinter& printer, const reportengine::Report& report)
{
    printer.setPageLayout(report.page.layout());
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setDocName(report.title);
}

// The preview lays its pages out on a picture engine of its own; a print goes to the
// printer's engine.
bool isPreview(QPrinter& printer)
{
    return printer.paintEngine() && printer.paintEngine()->type() == QPaintEngine::Picture;
}

// Prints on the printer as it stands; on a CUPS queue only when the queue takes jobs now,
// and then the job must have been taken.
void druckAuftrag(QPrinter& printer, reportengine::Report& report)
{
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        report.print(printer);  // a file chosen in the print dialog
        return;
    }
    const QString queue = printer.printerName();
    cups::WarteschlangeBereit(queue);
    const int letzter = cups::LetzterAuftrag(queue);
    try {
        report.print(printer);
    } catch (const std::exception& e) {
        throw std::runtime_error(
            QStringLiteral("%1 (Drucker %2)").arg(QString::fromUtf8(e.what()), queue).toStdString());
    }
    cups::AuftragAngenommen(queue, letzter);
}

}  // namespace

void showPreview(QWidget* owner, reportengine::Report& report)
{
    QPrinter printer(QPrinter::HighResolution);
    einrichten(printer, report);
    QPrintPreviewDialog preview(&printer, owner);
    preview.setWindowTitle(QStringLiteral("Druckvorschau"));
    // As large as the screen allows, so that the page can be read and the whole tool bar,
    // its print button included, shows.
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        preview.setGeometry(screen->availableGeometry());
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    // The tool bar's buttons take no focus; Ctrl+P, which opened the preview, prints from it.
    const QString drucken = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() == drucken)
            action->setShortcut(QKeySequence::Print);
    }
    // A failure must not travel through Qt's signal delivery: it closes the preview and
    // reaches the caller once the preview's event loop has ended.
    std::exception_ptr failure;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* p) {
        if (failure)
            return;
        try {
            if (isPreview(*p))
                report.print(*p);
            else
                druckAuftrag(*p, report);
        } catch (...) {
            failure = std::current_exception();
            QMetaObject::invokeMethod(&preview, &QDialog::reject, Qt::QueuedConnection);
        }
    });
    preview.exec();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace klw
