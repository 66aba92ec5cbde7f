#include "output/qt_druckausgabe.h"

#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <exception>
#include <stdexcept>

#include "reportengine/report.h"

namespace klw {

namespace {

void einrichten(QPrinter& printer, const reportengine::Report& report)
{
    printer.setPageLayout(report.page.layout());
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setDocName(report.title);
}

}  // namespace

QStringList QtDruckausgabe::druckerNamen() const
{
    return QPrinterInfo::availablePrinterNames();
}

void QtDruckausgabe::vorschau(reportengine::Report& report)
{
    QPrinter printer(QPrinter::HighResolution);
    einrichten(printer, report);
    QPrintPreviewDialog preview(&printer, parent_);
    preview.setWindowTitle(QStringLiteral("Druckvorschau"));
    // Large enough to read the page: nine tenths of the screen's height, three quarters of that wide.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableSize() * 0.9;
        preview.resize(qMin(room.width(), room.height() * 3 / 4), room.height());
    }
    // A failure must not travel through Qt's signal delivery: it closes the preview and
    // reaches the caller once the preview's event loop has ended.
    std::exception_ptr failure;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* p) {
        if (failure)
            return;
        try {
            report.print(*p);
        } catch (...) {
            failure = std::current_exception();
            QMetaObject::invokeMethod(&preview, &QDialog::reject, Qt::QueuedConnection);
        }
    });
    preview.exec();
    if (failure)
        std::rethrow_exception(failure);
}

void QtDruckausgabe::drucken(reportengine::Report& report, int druckerIndex)
{
    const QStringList namen = druckerNamen();
    if (druckerIndex < 0 || druckerIndex >= namen.size())
        throw std::runtime_error("Der Drucker ist nicht mehr installiert.");
    const QString name = namen[druckerIndex];
    QPrinter printer(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
    // Without that queue Qt would quietly write a PDF file instead; the job goes to the
    // printer or nowhere.
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != name)
        throw std::runtime_error(QStringLiteral("Der Drucker %1 ist nicht erreichbar.").arg(name).toStdString());
    einrichten(printer, report);
    report.print(printer);
}

}  // namespace klw
