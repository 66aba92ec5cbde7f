#include "output/qrcode.h"

#include <QPainter>
#include <QPainterPath>
#include <memory>

#include <qrencode.h>

namespace klw {

namespace {

constexpr int kRuhezone = 4;  // modules of white around the code that scanners need
constexpr unsigned kEciUtf8 = 26;  // tells the scanner that the bytes are UTF-8

// The code of the text's UTF-8 bytes, announced as UTF-8; nullptr when it does not fit.
QRcode* kodieren(const QByteArray& daten)
{
    std::unique_ptr<QRinput, decltype(&QRinput_free)> eingabe(QRinput_new2(0, QR_ECLEVEL_L), &QRinput_free);
    if (!eingabe || QRinput_appendECIheader(eingabe.get(), kEciUtf8) != 0 ||
        QRinput_append(eingabe.get(), QR_MODE_8, int(daten.size()),
                       reinterpret_cast<const unsigned char*>(daten.constData())) != 0)
        return nullptr;
    return QRcode_encodeInput(eingabe.get());
}

}  // namespace

bool QrCodeZeichnen(QPainter& painter, const QRectF& box, const QString& text)
{
    const QByteArray daten = text.toUtf8();
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(kodieren(daten), &QRcode_free);
    if (!code)
        return false;

    const int breite = code->width;
    const qreal seite = qMin(box.width(), box.height());
    const qreal modul = seite / (breite + 2 * kRuhezone);
    const QPointF ursprung(box.center().x() - seite / 2 + kRuhezone * modul,
                           box.center().y() - seite / 2 + kRuhezone * modul);

    // One path of horizontal runs: neighbouring squares then show no seams between them.
    QPainterPath pfad;
    pfad.setFillRule(Qt::WindingFill);
    for (int y = 0; y < breite; ++y) {
        const unsigned char* zeile = code->data + y * breite;
        for (int x = 0; x < breite;) {
            if (!(zeile[x] & 1)) {
                ++x;
                continue;
            }
            int ende = x;
            while (ende < breite && (zeile[ende] & 1))
                ++ende;
            pfad.addRect(QRectF(ursprung.x() + x * modul, ursprung.y() + y * modul, (ende - x) * modul, modul));
            x = ende;
        }
    }
    painter.save();
    painter.fillRect(QRectF(box.center().x() - seite / 2, box.center().y() - seite / 2, seite, seite), Qt::white);
    painter.fillPath(pfad, Qt::black);
    painter.restore();
    return true;
}

}  // namespace klw
