#pragma once
// A QR code of a text, drawn as dark squares with a painter, so that it stays sharp on any
// device (printer, PDF, preview).

#include <QRectF>
#include <QString>

class QPainter;

namespace klw {

// Draws the code of `text` (UTF-8 bytes announced as UTF-8, error correction level L) as large as fits
// into the square centred in `box`, with the four-module quiet zone inside the box. False,
// and nothing drawn, when the text is too long for a QR code.
bool QrCodeZeichnen(QPainter& painter, const QRectF& box, const QString& text);

}  // namespace klw
