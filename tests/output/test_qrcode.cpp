// The result record as a QR code: the printed report written as a PDF, the page rendered by
// pdftoppm at the resolution of an ordinary scan and read back by zbarimg, as the league
// official's scanner would.

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBoundaryFinder>

#include "output/ergebnis.h"
#include "output/qr_klw.h"
#include "output/qr_layout.h"
#include "output/qrcode.h"
#include "sheet/spielbogen.h"
#include "sheet/tables.h"
#include "support/fakes.h"
#include "support/filled_sheet.h"

namespace {

constexpr double kRand = 10.0;  // page margin, mm
// UTF-8 bytes a version 10 symbol at level M holds beside the UTF-8 announcement.
constexpr int kKapazitaet = 210;
constexpr double kScanModulMm = 25.4 / 150 * 3;  // three pixels of a 150 dpi scan

// The QR square of the report without doubles, on the page.
QRectF codeAufSeite()
{
    return klw::kFormOhneDoppel.bild2.translated(kRand, kRand);
}

// The page as a PNG at `dpi`, as a scanner gives it; its file name, empty when it failed.
QString seiteRendern(const QString& pdf, int dpi)
{
    QProcess ppm;
    ppm.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, pdf});
    if (!ppm.waitForFinished(60000) || ppm.exitCode() != 0)
        return QString();
    return pdf + QStringLiteral(".png");
}

// The bytes zbarimg reads from the picture, without its closing line break.
QByteArray zbar(const QString& png)
{
    QProcess p;
    p.start("zbarimg", {"--raw", "-q", "-Sdisable", "-Sqrcode.enable", png});
    if (!p.waitForFinished(30000))
        return "zbarimg did not finish";
    QByteArray text = p.readAllStandardOutput();
    if (text.endsWith('\n'))
        text.chop(1);
    return text;
}

QRect inPixeln(const QRectF& mm, int dpi)
{
    const double proMm = dpi / 25.4;
    return QRectF(mm.x() * proMm, mm.y() * proMm, mm.width() * proMm, mm.height() * proMm).toAlignedRect();
}

// The first pixel in `bereich` that is not white, as text; empty when all are white.
QString nichtWeiss(const QImage& seite, const QRect& bereich, const QRect& ausser = QRect())
{
    for (int y = bereich.top(); y <= bereich.bottom(); ++y) {
        for (int x = bereich.left(); x <= bereich.right(); ++x) {
            if (!ausser.contains(x, y) && qGray(seite.pixel(x, y)) < 250)
                return QStringLiteral("grey %1 at %2,%3").arg(qGray(seite.pixel(x, y))).arg(x).arg(y);
        }
    }
    return QString();
}

// A remark of `laenge` characters in lines, with umlauts, some of them written as a letter
// followed by a combining diaeresis: two code points that make one character.
QString bemerkungMitUmlauten(int laenge)
{
    const QString zeile = QStringLiteral("Gru\u0308ße an Ju\u0308rgen Müller: Spiel 7 u\u0308ber Strom wiederholt, "
                                         "Ga\u0308ste ka\u0308men spa\u0308ter.\r\n");
    return zeile.repeated(laenge / zeile.size() + 1).left(laenge);
}

enum class Erwartung { Ganz, Gekuerzt, KeinCode };

}  // namespace

Q_DECLARE_METATYPE(Erwartung)

class TestQrCode : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    // The square and its symbol: a module of at least three pixels of a 150 dpi scan, the
    // square on the paper.
    void squareOfTheForm()
    {
        const QRectF box = codeAufSeite();
        QCOMPARE(box.width(), box.height());
        QVERIFY2(box.width() / klw::kQrModuleQuer >= kScanModulMm, qPrintable(QString::number(box.width())));
        QVERIFY(QRectF(0, 0, 210, 297).contains(box));
    }

    void scannedFromTheReport_data()
    {
        QTest::addColumn<bool>("mitDoppel");
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<Erwartung>("erwartung");

        const QString langerName = QStringLiteral("Dartsportfreunde Höllenhunde Gelsenkirchen-Buer 1987 e. V.");
        QTest::newRow("no remark") << false << "m_bemerkung" << QString() << 150 << Erwartung::Ganz;
        QTest::newRow("no remark, 300 dpi") << false << "m_bemerkung" << QString() << 300 << Erwartung::Ganz;
        QTest::newRow("short remark with umlauts")
            << false << "m_bemerkung" << QStringLiteral("H5 für H2 ab Runde 3.\r\nGäste 20 Minuten später.") << 150
            << Erwartung::Ganz;
        QTest::newRow("the sheet's three-line remark")
            << false << "m_bemerkung" << klw::test::kBemerkung << 150 << Erwartung::Gekuerzt;
        QTest::newRow("300 characters")
            << false << "m_bemerkung" << QStringLiteral("Spiel 7 nach Stromausfall wiederholt. ").repeated(8).left(300)
            << 150 << Erwartung::Gekuerzt;
        QTest::newRow("1000 characters with umlauts")
            << false << "m_bemerkung" << bemerkungMitUmlauten(1000) << 150 << Erwartung::Gekuerzt;
        QTest::newRow("1000 characters with umlauts, 300 dpi")
            << false << "m_bemerkung" << bemerkungMitUmlauten(1000) << 300 << Erwartung::Gekuerzt;
        // e, combining dot below, combining circumflex: one character of five bytes.
        QTest::newRow("letters of three code points")
            << false << "m_bemerkung" << QStringLiteral("e\u0323\u0302").repeated(300) << 150 << Erwartung::Gekuerzt;
        QTest::newRow("names too long even without a remark")
            << false << "f_Heimteam" << langerName.repeated(3) << 150 << Erwartung::KeinCode;
        QTest::newRow("TQRKLW2 has its logo there") << true << "m_bemerkung" << QString() << 150 << Erwartung::KeinCode;
    }
    void scannedFromTheReport()
    {
        QFETCH(bool, mitDoppel);
        QFETCH(QString, feld);
        QFETCH(QString, text);
        QFETCH(int, dpi);
        QFETCH(Erwartung, erwartung);

        klw::test::Harness h;
        klw::test::fillMatch(h.c, mitDoppel);
        h.sheet.setText(klw::test::fieldNamed(feld), text);
        const QString satz = klw::Ergebnissatz(h.sheet);
        const QString datei = dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
        {
            std::unique_ptr<klw::ReportForm> form;
            if (mitDoppel)
                form = std::make_unique<klw::TQRKLW2>(h.sheet);
            else
                form = std::make_unique<klw::TQRKLW>(h.sheet);
            QPdfWriter writer(datei);
            form->print(writer);
        }
        // Printing changes nothing of the record that the result file carries.
        QCOMPARE(klw::Ergebnissatz(h.sheet), satz);

        const QString png = seiteRendern(datei, dpi);
        const QImage seite(png);
        QVERIFY(!seite.isNull());
        const QByteArray gelesen = zbar(png);
        const QRect box = inPixeln(codeAufSeite(), dpi);

        if (erwartung == Erwartung::KeinCode) {
            QCOMPARE(gelesen, QByteArray());
            if (!mitDoppel)
                QCOMPARE(nichtWeiss(seite, box), QString());
            return;
        }

        // The quiet zone, four modules wide, is white all round (one pixel given to the
        // edge of the dark modules).
        const double modul = double(box.width()) / klw::kQrModuleQuer;
        const int rand = int(4 * modul) - 1;
        QCOMPARE(nichtWeiss(seite, box, box.adjusted(rand, rand, -rand, -rand)), QString());

        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString code = utf8(gelesen);
        QVERIFY2(!utf8.hasError(), gelesen.toHex().constData());
        if (erwartung == Erwartung::Ganz) {
            QCOMPARE(code, satz);
            return;
        }

        // Shortened: the record up to its remark whole, then as much of the remark as fits,
        // cut between two characters, and the mark of the cut.
        const QString bemerkung = klw::ErgebnisFelder(h.sheet).constLast();
        const QString vorne = satz.left(satz.size() - bemerkung.size());
        QVERIFY2(code.endsWith(QChar(0x2026)), qPrintable(code.right(20)));
        const QString teil = code.mid(vorne.size()).chopped(1);
        QVERIFY2(code.startsWith(vorne) && bemerkung.startsWith(teil), qPrintable(code));
        QVERIFY(!teil.isEmpty());
        QTextBoundaryFinder zeichen(QTextBoundaryFinder::Grapheme, bemerkung);
        zeichen.setPosition(teil.size());
        QVERIFY2(zeichen.isAtBoundary(), qPrintable(teil.right(3)));
        // The next character would not have fitted.
        const qsizetype naechstes = zeichen.toNextBoundary();
        QVERIFY(gelesen.size() <= kKapazitaet);
        QVERIFY2(gelesen.size() + bemerkung.mid(teil.size(), naechstes - teil.size()).toUtf8().size() > kKapazitaet,
                 qPrintable(QStringLiteral("%1 bytes").arg(gelesen.size())));
    }

    // The symbol holds 210 bytes of UTF-8 and not one more.
    void fitsUpToItsCapacity_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("passt");
        QTest::newRow("210 ASCII") << QString(kKapazitaet, 'x') << true;
        QTest::newRow("211 ASCII") << QString(kKapazitaet + 1, 'x') << false;
        QTest::newRow("105 umlauts, 210 bytes") << QString(kKapazitaet / 2, QChar(0xFC)) << true;
        QTest::newRow("70 ellipses and one more byte") << QString(kKapazitaet / 3, QChar(0x2026)) + 'x' << false;
    }
    void fitsUpToItsCapacity()
    {
        QFETCH(QString, text);
        QFETCH(bool, passt);
        QCOMPARE(klw::QrCodePasst(text), passt);
        QImage bild(100, 100, QImage::Format_RGB32);
        bild.fill(Qt::blue);
        {
            QPainter p(&bild);
            QCOMPARE(klw::QrCodeZeichnen(p, QRectF(0, 0, 100, 100), text), passt);
        }
        if (!passt)
            QCOMPARE(bild.pixel(50, 50), QColor(Qt::blue).rgb());
    }

    // Everything drawn lies in the square box, the quiet zone included.
    void staysInItsBox()
    {
        QImage bild(400, 300, QImage::Format_RGB32);
        bild.fill(Qt::blue);
        const QRectF box(50, 40, 200, 200);
        {
            QPainter p(&bild);
            QVERIFY(klw::QrCodeZeichnen(p, box, QStringLiteral("x")));
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
};

QTEST_MAIN(TestQrCode)
#include "test_qrcode.moc"
