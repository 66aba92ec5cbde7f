#include "reportengine/printables.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include "reportengine/device_units.h"

namespace klw::reportengine {

namespace {

// Lays the text out in lines as wide as the box and draws those whose bottom stays inside
// the box; the first line is drawn even when the box is lower than a line.
void drawTextLines(QPainter& painter, const QRectF& box, QString text, const QFont& font, Qt::Alignment alignment,
                   bool wrap)
{
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);

    const QFont deviceFont(font, painter.device());
    QTextLayout layout(text, deviceFont, painter.device());
    QTextOption option(alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);

    int fitting = 0;
    double y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        if (fitting > 0 && y + line.height() > box.height())
            break;
        line.setPosition(QPointF(0, y));
        y += line.height();
        ++fitting;
    }
    layout.endLayout();

    painter.save();
    painter.setClipRect(box);
    painter.setPen(Qt::black);
    for (int i = 0; i < fitting; ++i)
        layout.lineAt(i).draw(&painter, box.topLeft());
    painter.restore();
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
    drawTextLines(dc.painter, box, caption, font.value_or(dc.defaultFont), alignment, wordWrap && !autoSize);
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
    drawTextLines(dc.painter, box, lines.join(QLatin1Char('\n')), font.value_or(dc.defaultFont), alignment, wordWrap);
}

}  // namespace klw::reportengine
