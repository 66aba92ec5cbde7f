#include "reportengine/printables.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <memory>

#include "base/text.h"
#include "reportengine/device_units.h"

namespace klw::reportengine {

namespace {

constexpr double kSmallestPointSize = 6.0;
constexpr double kPointSizeStep = 0.5;

QString withLineSeparators(const QString& text)
{
    return withLineFeeds(text).replace(QLatin1Char('\n'), QChar::LineSeparator);
}

// A text laid out in lines as wide as its box, at the largest size from its own down to
// 6 pt at which it fits whole: every line inside the box, none wider. A single line may be
// higher than a low box. Lines that do not fit even at 6 pt are left out.
struct FittedText {
    std::unique_ptr<QTextLayout> layout;
    int lines = 0;  // the lines that lie inside the box
    bool whole = false;
};

FittedText layOut(QPaintDevice* device, const QSizeF& box, const QString& text, const QFont& font, double pointSize,
                  Qt::Alignment alignment, bool wrap)
{
    QFont sized(font);
    sized.setPointSizeF(pointSize);
    FittedText t;
    t.layout = std::make_unique<QTextLayout>(text, QFont(sized, device), device);
    QTextOption option(alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    t.layout->setTextOption(option);

    constexpr double slack = 0.01;  // rounding of the device's dots
    bool tooWide = false;
    bool tooLow = false;
    double y = 0;
    t.layout->beginLayout();
    for (QTextLine line = t.layout->createLine(); line.isValid(); line = t.layout->createLine()) {
        line.setLineWidth(box.width());
        tooWide = tooWide || line.naturalTextWidth() > box.width() + slack;
        if (t.lines > 0 && y + line.height() > box.height() + slack) {
            tooLow = true;
            break;
        }
        line.setPosition(QPointF(0, y));
        y += line.height();
        ++t.lines;
    }
    t.layout->endLayout();
    t.whole = !tooWide && !tooLow;
    return t;
}

FittedText fit(QPaintDevice* device, const QSizeF& box, const QString& text, const QFont& font, Qt::Alignment alignment,
               bool wrap)
{
    const QString laidOut = withLineSeparators(text);
    double size = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    for (;;) {
        FittedText t = layOut(device, box, laidOut, font, size, alignment, wrap);
        if (t.whole || size <= kSmallestPointSize)
            return t;
        size = qMax(kSmallestPointSize, size - kPointSizeStep);
    }
}

void drawFitted(QPainter& painter, const QRectF& box, const FittedText& t)
{
    painter.save();
    painter.setClipRect(box);
    painter.setPen(Qt::black);
    for (int i = 0; i < t.lines; ++i)
        t.layout->lineAt(i).draw(&painter, box.topLeft());
    painter.restore();
}

FittedText captionLayout(const Label& l, const DrawContext& dc, const QSizeF& box)
{
    return fit(dc.painter.device(), box, l.caption, l.font.value_or(dc.defaultFont), l.alignment,
               l.wordWrap && !l.autoSize);
}

FittedText memoLayout(const Memo& m, const DrawContext& dc, const QSizeF& box)
{
    return fit(dc.painter.device(), box, m.lines.join(QLatin1Char('\n')), m.font.value_or(dc.defaultFont), m.alignment,
               m.wordWrap);
}

}  // namespace

double Label::printedWidthMm(const DrawContext& dc) const
{
    if (!autoSize)
        return geometry.width();
    const QFont deviceFont(font.value_or(dc.defaultFont), dc.painter.device());
    return dc.units.widthToMm(QFontMetricsF(deviceFont, dc.painter.device()).horizontalAdvance(caption));
}

void Label::draw(const DrawContext& dc) const
{
    if (!enabled)
        return;
    QRectF mm = geometry;
    mm.setWidth(printedWidthMm(dc));
    const QRectF box = dc.units.rect(mm);
    if (!transparent)
        dc.painter.fillRect(box, Qt::white);
    drawFitted(dc.painter, box, captionLayout(*this, dc, box.size()));
}

bool Label::fitsWhole(const DrawContext& dc) const
{
    if (!enabled)
        return true;
    QRectF mm = geometry;
    mm.setWidth(printedWidthMm(dc));
    return captionLayout(*this, dc, dc.units.rect(mm).size()).whole;
}

void Shape::draw(const DrawContext& dc) const
{
    QPainter& p = dc.painter;
    p.save();
    QPen pen(colour);
    pen.setWidthF(dc.units.lineWidth(lineWidth));
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF box = dc.units.rect(geometry);
    switch (kind) {
    case Rectangle:
        p.drawRect(box);
        break;
    case VerticalLine:
        p.drawLine(box.topLeft(), box.bottomLeft());
        break;
    case HorizontalLine:
        p.drawLine(box.topLeft(), box.topRight());
        break;
    }
    p.restore();
}

void Image::draw(const DrawContext& dc) const
{
    const QRectF box = dc.units.rect(geometry);
    if (drawPicture) {
        dc.painter.save();
        drawPicture(dc.painter, box);
        dc.painter.restore();
    } else if (!picture.isNull()) {
        dc.painter.drawImage(box, picture);
    }
}

void Memo::draw(const DrawContext& dc) const
{
    const QRectF box = dc.units.rect(geometry);
    dc.painter.fillRect(box, Qt::white);
    drawFitted(dc.painter, box, memoLayout(*this, dc, box.size()));
}

bool Memo::fitsWhole(const DrawContext& dc) const
{
    return memoLayout(*this, dc, dc.units.rect(geometry).size()).whole;
}

}  // namespace klw::reportengine
