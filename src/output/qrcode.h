#pragma once
// The QR code of the printed report, drawn as dark squares with a painter, so that it stays
// sharp on any device (printer, PDF, preview).
//
// The symbol has one size: version 10 (57 × 57 modules) at error correction level M, which
// mends a fold, a stain or a pen stroke across 15 % of it. With the quiet zone it is 65
// modules across, so a box of 33.1 mm or more gives a module of 3 scanner pixels at 150 dpi.

#include <QRectF>
#include <QString>

class QPainter;

namespace klw {

inline constexpr int kQrVersion = 10;
inline constexpr int kQrRuhezone = 4;  // modules of white around the code that scanners need
inline constexpr int kQrModuleQuer = 17 + 4 * kQrVersion + 2 * kQrRuhezone;  // across, quiet zone included

// Whether the UTF-8 bytes of `text` fit into the symbol.
bool QrCodePasst(const QString& text);

// Draws the code of `text` (UTF-8 bytes announced as UTF-8) into the square centred in `box`,
// the quiet zone included and painted white. False, and nothing drawn, when the text does
// not fit into the symbol.
bool QrCodeZeichnen(QPainter& painter, const QRectF& box, const QString& text);

}  // namespace klw
