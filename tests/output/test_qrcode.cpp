// The result record as a QR code: drawn into a 19.8 mm box of an A4 PDF, rendered by
// pdftoppm and read back by zbarimg, as a scanner of the league official would.

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "output/ergebnis.h"
#include "output/qr_klw.h"
#include "output/qrcode.h"
#include "sheet/spielbogen.h"
#include "sheet/tables.h"
#include "support/fakes.h"
#include "support/filled_sheet.h"

namespace {

// The QR box of the report without doubles, on the page (band offset 10 mm).
const QRectF kBoxMm(175.4, 10.5, 19.8, 19.8);

// The top right corner of the first page, around the box, at 600 dpi.
bool eckeRendern(const QString& pdf, const QString& png)
{
    QProcess ppm;
    ppm.start("pdftoppm", {"-r", "600", "-x", "4000", "-y", "150", "-W", "800", "-H", "700", "-png", "-singlefile", pdf,
                           png.chopped(4)});
    return ppm.waitForFinished(60000) && ppm.exitCode() == 0;
}

QString zbar(const QString& png)
{
    QProcess p;
    p.start("zbarimg", {"--raw", "-q", "-Sdisable", "-Sqrcode.enable", png});
    if (!p.waitForFinished(30000))
        return "zbarimg did not finish";
    QString text = QString::fromUtf8(p.readAllStandardOutput());
    if (text.endsWith('\n'))
        text.chop(1);
    return text;
}

QString sheetRecord(const QString& bemerkung)
{
    klw::Spielbogen s;
    s.setText("f_spieltag", "12");
    s.setText("f_liga", "Bezirksliga 2");
    s.setText("f_Heimteam", QStringLiteral("Höllenhunde Gelsenkirchen"));
    s.setText("f_gastteam", QStringLiteral("Bull's Eye € Club"));
    int i = 0;
    for (const klw::Spielerzeile& z : klw::Spielerzeilen) {
        s.setText(z.passNr, QString::number(10000 + 37 * i));
        s.setText(z.punkte, QString::number(i++ % 9));
    }
    s.setText("f_h6pnr", "");
    s.setText("Edit50", "31");
    s.setText("Edit85", "22");
    s.setText("Edit49", "10");
    s.setText("Edit84", "6");
    s.setText("m_bemerkung", bemerkung);
    return klw::Ergebnissatz(s);
}

}  // namespace

class TestQrCode : public QObject {
    Q_OBJECT

private slots:
    void scannedFromThePdf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("record, empty remark") << sheetRecord("");
        QTest::newRow("record, two-line remark with umlauts")
            << sheetRecord(QStringLiteral("H5 für H2 ab Runde 3.\nGast kam 20 Minuten später."));
        QTest::newRow("long remark") << sheetRecord(QString("Bemerkung ").repeated(40));
    }
    void scannedFromThePdf()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("qr.pdf");
        {
            QPdfWriter writer(pdf);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
            writer.setResolution(1200);
            QPainter p(&writer);
            const qreal proMm = writer.resolution() / 25.4;
            p.scale(proMm, proMm);
            QVERIFY(klw::QrCodeZeichnen(p, kBoxMm, text));
        }
        QVERIFY(eckeRendern(pdf, dir.filePath("qr.png")));
        QCOMPARE(zbar(dir.filePath("qr.png")), text);
    }

    // The printed report without doubles carries the sheet's record; the one with doubles
    // has its second logo there and no code.
    void scannedFromTheReport_data()
    {
        QTest::addColumn<bool>("mitDoppel");
        QTest::newRow("TQRKLW") << false;
        QTest::newRow("TQRKLW2") << true;
    }
    void scannedFromTheReport()
    {
        QFETCH(bool, mitDoppel);
        klw::test::Harness h;
        klw::test::fillMatch(h.c, mitDoppel);
        std::unique_ptr<klw::Spielberichtsform> form;
        if (mitDoppel)
            form = std::make_unique<klw::TQRKLW2>(h.sheet);
        else
            form = std::make_unique<klw::TQRKLW>(h.sheet);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("bericht.pdf");
        {
            QPdfWriter writer(pdf);
            form->print(writer);
        }
        QVERIFY(eckeRendern(pdf, dir.filePath("ecke.png")));
        QCOMPARE(zbar(dir.filePath("ecke.png")), mitDoppel ? QString() : klw::Ergebnissatz(h.sheet));
    }

    // Everything drawn lies in the square box, the quiet zone included.
    void staysInItsBox()
    {
        QImage bild(400, 300, QImage::Format_RGB32);
        bild.fill(Qt::blue);
        const QRectF box(50, 40, 200, 200);
        {
            QPainter p(&bild);
            QVERIFY(klw::QrCodeZeichnen(p, box, sheetRecord("x")));
        }
        int dunkel = 0;
        for (int y = 0; y < bild.height(); ++y) {
            for (int x = 0; x < bild.width(); ++x) {
                const QRgb c = bild.pixel(x, y);
                if (c == QColor(Qt::blue).rgb())
                    continue;
                QVERIFY2(box.contains(x, y), qPrintable(QString("drawn outside at %1,%2").arg(x).arg(y)));
                dunkel += qGray(c) < 128;
            }
        }
        QVERIFY(dunkel > 1000);
        // The quiet zone: the box's outer rows are white.
        for (int x = 52; x < 248; ++x)
            QCOMPARE(bild.pixel(x, 42), QColor(Qt::white).rgb());
    }

    void tooLongDrawsNothing()
    {
        QImage bild(100, 100, QImage::Format_RGB32);
        bild.fill(Qt::blue);
        QPainter p(&bild);
        QVERIFY(!klw::QrCodeZeichnen(p, QRectF(0, 0, 100, 100), QString(3000, 'x')));
        p.end();
        QCOMPARE(bild.pixel(50, 50), QColor(Qt::blue).rgb());
    }
};

QTEST_MAIN(TestQrCode)
#include "test_qrcode.moc"
