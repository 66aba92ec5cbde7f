#include "output/qrcode.h"

#include <QPainter>
#include <QPainterPath>
#include <memory>

#include <qrencode.h>

namespace klw {

namespace {

constexpr unsigned kEciUtf8 = 26;  // tells the scanner that the bytes are UTF-8

using Code = std::unique_ptr<QRcode, decltype(&QRcode_free)>;

// The code of the text's UTF-8 bytes, announced as UTF-8; empty when it does not fit into
// the symbol. libqrencode takes the version as the least one and grows it for more data,
// so a code of another version means that the text does not fit.
Code kodieren(const QString& text)
{
    const QByteArray daten = text.toUtf8();
    std::unique_ptr<QRinput, decltype(&QRinput_free)> eingabe(QRinput_new2(kQrVersion, QR_ECLEVEL_M), &QRinput_free);
    Code code(nullptr, &QRcode_free);
    if (!eingabe || QRinput_appendECIheader(eingabe.get(), kEciUtf8) != 0 ||
        QRinput_append(eingabe.get(), QR_MODE_8, int(daten.size()),
                       reinterpret_cast<const unsigned char*>(daten.constData())) != 0)
        return code;
    code.reset(QRcode_encodeInput(eingabe.get()));
    if (code && code->version != kQrVersion)
        code.reset();
    return code;
}

}  // namespace

bool QrCodePasst(const QString& text)
{
    return bool(kodieren(text));
}

bool QrCodeZeichnen(QPainter& painter, const QRectF& box, const QString& text)
{
    const Code code = kodieren(text);
    if (!code)
        return false;

    const int breite = code->width;
    const qreal seite = qMin(box.width(), box.height());
    const qreal modul = seite / kQrModuleQuer;
    const QPointF ursprung(box.center().x() - seite / 2 + kQrRuhezone * modul,
                           box.center().y() - seite / 2 + kQrRuhezone * modul);

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
