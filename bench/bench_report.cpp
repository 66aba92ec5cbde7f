// The printed report: filling and rendering the doubles form to a PDF file, beside the
// floor of the same labels, frames, lines and pictures drawn with a bare QPainter on a
// QPdfWriter; and the time from the click on the preview button (questions answered) to
// the preview window showing the page.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "output/qr_klw.h"
#include "support/fakes.h"
#include "support/filled_sheet.h"
#include "window/tfklw.h"

namespace {

using namespace klw;

void BM_TQRKLW2_FuellenUndDrucken(benchmark::State& state)
{
    test::Harness h;
    test::fillMatch(h.c, true);
    QTemporaryDir dir;
    const QString file = dir.filePath("bericht.pdf");
    for (auto _ : state) {
        TQRKLW2 form(h.sheet);
        QPdfWriter writer(file);
        form.print(writer);
    }
}
BENCHMARK(BM_TQRKLW2_FuellenUndDrucken)->Unit(benchmark::kMillisecond);

// The floor: the filled form's printables, drawn straight from their boxes with plain
// QPainter calls (text in a rectangle, rectangles, lines, stretched pictures), no engine.
void BM_NackterQPainter(benchmark::State& state)
{
    test::Harness h;
    test::fillMatch(h.c, true);
    TQRKLW2 form(h.sheet);
    reportengine::Band& band = form.titleBand();
    band.beforePrint(band);
    QTemporaryDir dir;
    const QString file = dir.filePath("boden.pdf");
    for (auto _ : state) {
        QPdfWriter writer(file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p(&writer);
        const double dots = writer.resolution() / 25.4;
        auto box = [dots](const QRectF& mm) {
            return QRectF((mm.x() + 10) * dots, (mm.y() + 10) * dots, mm.width() * dots, mm.height() * dots);
        };
        for (const auto& printable : band.printables()) {
            const QRectF r = box(printable->geometry);
            if (auto* label = dynamic_cast<reportengine::Label*>(printable.get())) {
                p.setFont(label->font.value_or(form.defaultFont));
                p.fillRect(r, Qt::white);
                p.drawText(r, int(label->alignment) | Qt::TextWordWrap, label->caption);
            } else if (auto* memo = dynamic_cast<reportengine::Memo*>(printable.get())) {
                p.setFont(form.defaultFont);
                p.drawText(r, Qt::TextWordWrap, memo->lines.join('\n'));
            } else if (auto* image = dynamic_cast<reportengine::Image*>(printable.get())) {
                p.drawImage(r, image->picture);
            } else if (auto* shape = dynamic_cast<reportengine::Shape*>(printable.get())) {
                p.setPen(QPen(Qt::black, shape->lineWidth * 25.4 / 96 * dots));
                if (shape->kind == reportengine::Shape::Rectangle)
                    p.drawRect(r);
                else
                    p.drawLine(r.topLeft(),
                               shape->kind == reportengine::Shape::VerticalLine ? r.bottomLeft() : r.topRight());
            }
        }
    }
}
BENCHMARK(BM_NackterQPainter)->Unit(benchmark::kMillisecond);

// A click on bt_druck in the real window, both questions answered Ja, until the preview
// window shows its one page; then the preview is closed (not timed).
void BM_KlickBisVorschau(benchmark::State& state)
{
    TDM_SYS dmSys;
    TDM_DAT dmDat;
    test::ScriptedScreen dialogs;
    TFKLW window(dmSys, dmDat, &dialogs);
    window.show();
    QApplication::processEvents();
    test::fillMatch(window.context(), true);
    window.sheet().setText("f_h1punkte", "0");  // both questions are asked
    QElapsedTimer clock;
    double seconds = 0;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!preview || !preview->isVisible())
            return;
        auto* pages = preview->findChild<QPrintPreviewWidget*>();
        if (!pages || pages->pageCount() != 1)
            return;
        seconds = clock.nsecsElapsed() / 1e9;
        preview->reject();
    });
    watcher.start(0);
    for (auto _ : state) {
        dialogs.answers << true << true;
        seconds = -1;
        clock.start();
        qobject_cast<QAbstractButton*>(window.control("bt_druck"))->click();
        if (seconds < 0) {
            state.SkipWithError("no preview");
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_KlickBisVorschau)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
