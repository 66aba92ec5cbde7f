#pragma once
// A one-page banded report: page set-up in millimetres, a default font, and one title band
// drawn at the top-left corner of the printable area. It draws on any paged device (a
// QPrinter for preview and print, a QPdfWriter for a file) at the device's own resolution.

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include "reportengine/band.h"

class QPagedPaintDevice;
class QPainter;

namespace klw::reportengine {

struct PageSetup {
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{10, 10, 10, 10};

    // The layout handed to the device: the whole sheet is the painter's area, so that the
    // margins are kept by the report and not by what a printer driver allows.
    QPageLayout layout() const;
    QSizeF printableSizeMm() const;
};

class Report {
public:
    Report();
    virtual ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    Band& titleBand() { return band_; }

    // Sets the device's page layout and prints the page; a device that cannot be painted
    // on, or on which the page cannot be finished, fails with an exception.
    void print(QPagedPaintDevice& device);
    // Writes the page as a PDF file, whole or not at all: into a temporary file beside it
    // that replaces the file only when complete. Fails with an exception that says why.
    void savePdf(const QString& path);
    // The names of the printables whose text does not fit whole even at the smallest size,
    // as a print would lay them out after the before-print hook.
    QStringList notFitting();
    // Draws the page with a painter already active on a paged device.
    void draw(QPainter& painter);

    PageSetup page;
    QFont defaultFont;
    QString title;  // the job title handed to the printer

private:
    template <typename F> void withDrawContext(QPainter& painter, F&& use);

    Band band_;
};

}  // namespace klw::reportengine
