// Cost of the result output: writing the result file (record, Windows-1252 bytes, the
// temporary file and its rename) and drawing the record as a QR code on a 600 dpi page.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "output/ergebnis.h"
#include "output/qrcode.h"
#include "output/txtdatei.h"
#include "sheet/tables.h"
#include "support/fakes.h"

namespace {

void kopf(klw::Spielbogen& s, int bemerkungZeichen)
{
    s.setText("f_spieltag", "12");
    s.setText("f_liga", "Bezirksliga 2");
    s.setText("f_Heimteam", QStringLiteral("Höllenhunde Gelsenkirchen"));
    s.setText("f_gastteam", QStringLiteral("Bull's Eye Club"));
    int i = 0;
    for (const klw::PlayerRow& z : klw::kPlayerRows) {
        s.setText(z.passNr, QString::number(10000 + 37 * i));
        s.setText(z.points, QString::number(i++ % 9));
    }
    s.setText("m_bemerkung", QString(bemerkungZeichen, QChar(u'ä')));
}

void BM_TxtDateiErstellen(benchmark::State& state)
{
    klw::test::Harness h;
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("MEKO");
    h.c.programFolder = dir.path() + '/';
    kopf(h.sheet, 200);
    for (auto _ : state)
        klw::TxtDateiErstellen(h.c);  // the mail question is answered No
}
BENCHMARK(BM_TxtDateiErstellen)->Unit(benchmark::kMicrosecond);

// The QR box of the report (19.8 mm) at 600 dpi; the argument is the remark's length.
void BM_QrCodeZeichnen(benchmark::State& state)
{
    klw::Spielbogen s;
    kopf(s, int(state.range(0)));
    const QString satz = klw::Ergebnissatz(s);
    QImage seite(600, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&seite);
        klw::QrCodeZeichnen(p, QRectF(60, 60, 468, 468), satz);
    }
}
BENCHMARK(BM_QrCodeZeichnen)->Arg(0)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
