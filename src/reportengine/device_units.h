#pragma once
// The one place where millimetres of a report become dots of the device it is drawn on.
// The painter is never scaled: fonts keep the point sizes the device resolves for them.

#include <QPaintDevice>
#include <QPointF>
#include <QRectF>

namespace klw::reportengine {

class DeviceUnits {
public:
    // `originMm`: where the band's top-left corner lies, in millimetres from the painter's origin.
    DeviceUnits(const QPaintDevice& device, QPointF originMm)
        : dotsPerMmX_(device.logicalDpiX() / 25.4), dotsPerMmY_(device.logicalDpiY() / 25.4), origin_(originMm)
    {}

    QRectF rect(const QRectF& mm) const
    {
        return QRectF(x(mm.left()), y(mm.top()), mm.width() * dotsPerMmX_, mm.height() * dotsPerMmY_);
    }
    QPointF point(QPointF mm) const { return QPointF(x(mm.x()), y(mm.y())); }
    double widthToMm(double dots) const { return dots / dotsPerMmX_; }
    // A line width of the design: one unit is one pixel of a 96 dpi screen.
    double lineWidth(int units) const { return units * 25.4 / 96.0 * dotsPerMmX_; }

private:
    double x(double mm) const { return (origin_.x() + mm) * dotsPerMmX_; }
    double y(double mm) const { return (origin_.y() + mm) * dotsPerMmY_; }

    double dotsPerMmX_;
    double dotsPerMmY_;
    QPointF origin_;
};

}  // namespace klw::reportengine
