#pragma once
// What a band carries: text labels, shapes, pictures and a memo, each placed by its
// top-left corner and size in millimetres from the band's top-left corner.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPainter;

namespace klw::reportengine {

class DeviceUnits;

struct DrawContext {
    QPainter& painter;
    const DeviceUnits& units;
    const QFont& defaultFont;  // the report's font, for printables that name none
};

class Printable {
public:
    Printable(const QString& name, const QRectF& mm) : name(name), geometry(mm) {}
    virtual ~Printable() = default;

    virtual void draw(const DrawContext& dc) const = 0;
    // Lines and frames are drawn after every text and picture, so that no opaque label
    // hides a frame it touches.
    virtual bool drawnOnTop() const { return false; }
    // Whether a text is printed whole, at its own size or smaller down to 6 pt.
    virtual bool fitsWhole(const DrawContext&) const { return true; }

    const QString name;
    QRectF geometry;  // millimetres from the band's top-left corner
};

// A caption that does not fit its box at its font's size is printed smaller, down to 6 pt,
// until it fits whole.
class Label : public Printable {
public:
    using Printable::Printable;
    void draw(const DrawContext& dc) const override;
    bool fitsWhole(const DrawContext& dc) const override;
    // The width the label takes on the device: its own, or with auto-size its caption's.
    double printedWidthMm(const DrawContext& dc) const;

    QString caption;
    std::optional<QFont> font;  // none: the report's font
    Qt::Alignment alignment = Qt::AlignLeft;
    bool wordWrap = true;
    bool autoSize = false;
    bool enabled = true;  // a disabled label is not printed
    bool transparent = false;  // opaque white unless set
};

class Shape : public Printable {
public:
    enum Kind { Rectangle, VerticalLine, HorizontalLine };
    Shape(const QString& name, const QRectF& mm, Kind kind, int lineWidth = 1)
        : Printable(name, mm), kind(kind), lineWidth(lineWidth)
    {}
    void draw(const DrawContext& dc) const override;
    bool drawnOnTop() const override { return true; }

    Kind kind;
    int lineWidth;  // pixels of a 96 dpi design screen
    QColor colour = Qt::black;
};

// A picture stretched to its box. The picture may be set, or drawn by a callback, at print
// time (for example from the before-print hook); the callback wins when both are there.
class Image : public Printable {
public:
    using Printable::Printable;
    void draw(const DrawContext& dc) const override;

    QImage picture;
    std::function<void(QPainter& painter, const QRectF& deviceRect)> drawPicture;
};

// Lines of text in a box of fixed size: the lines wrap at the box's width and are printed
// smaller, down to 6 pt, until they all fit; lines that do not fit even then are not printed.
class Memo : public Printable {
public:
    using Printable::Printable;
    void draw(const DrawContext& dc) const override;
    bool fitsWhole(const DrawContext& dc) const override;

    QStringList lines;
    std::optional<QFont> font;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool wordWrap = true;
};

}  // namespace klw::reportengine
