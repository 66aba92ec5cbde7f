#include "reportengine/report.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <stdexcept>

#include "reportengine/device_units.h"

namespace klw::reportengine {

QPageLayout PageSetup::layout() const
{
    QPageLayout l(pageSize, orientation, marginsMm, QPageLayout::Millimeter);
    l.setMode(QPageLayout::FullPageMode);
    return l;
}

QSizeF PageSetup::printableSizeMm() const
{
    QSizeF paper = pageSize.size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape)
        paper.transpose();
    return paper.shrunkBy(marginsMm);
}

Report::Report() : band_(QStringLiteral("TitleBand"))
{
    defaultFont = QFont(QStringLiteral("Arial"));
    defaultFont.setPointSizeF(10);
}

Report::~Report() = default;

void Report::print(QPagedPaintDevice& device)
{
    device.setPageLayout(page.layout());
    QPainter painter;
    if (!painter.begin(&device))
        throw std::runtime_error("Der Bericht konnte nicht gedruckt werden.");
    draw(painter);
    if (!painter.end())
        throw std::runtime_error("Der Bericht konnte nicht fertig gedruckt werden.");
}

void Report::savePdf(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(file.errorString().toStdString());
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        print(writer);
    }
    if (!file.commit())
        throw std::runtime_error(file.errorString().toStdString());
}

QStringList Report::notFitting()
{
    // Laid out at the resolution a print has; nothing of it is kept.
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter device(&sink);
    device.setPageLayout(page.layout());
    QPainter painter(&device);
    QStringList names;
    withDrawContext(painter, [&](const DrawContext& dc) {
        for (const auto& p : band_.printables()) {
            if (!p->fitsWhole(dc))
                names << p->name;
        }
    });
    return names;
}

void Report::draw(QPainter& painter)
{
    withDrawContext(painter, [&](const DrawContext& dc) {
        painter.fillRect(dc.units.rect(QRectF(QPointF(0, 0), band_.geometry.size())), band_.colour);
        for (bool onTop : {false, true}) {
            for (const auto& p : band_.printables()) {
                if (p->drawnOnTop() == onTop)
                    p->draw(dc);
            }
        }
    });
}

template <typename F> void Report::withDrawContext(QPainter& painter, F&& use)
{
    auto* device = dynamic_cast<QPagedPaintDevice*>(painter.device());
    if (!device)
        throw std::logic_error("a report is drawn on a paged device");
    if (band_.beforePrint)
        band_.beforePrint(band_);

    // A device that kept margins of its own puts the painter's origin there.
    const QRectF painted = device->pageLayout().paintRect(QPageLayout::Millimeter);
    const QPointF bandOrigin(page.marginsMm.left() - painted.left() + band_.geometry.left(),
                             page.marginsMm.top() - painted.top() + band_.geometry.top());
    const DeviceUnits units(*device, bandOrigin);
    use(DrawContext{painter, units, defaultFont});
}

}  // namespace klw::reportengine
