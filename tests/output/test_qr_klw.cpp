// The printed report as a PDF, read back with poppler's tools: one A4 page, and the texts
// of the sheet standing inside the boxes of their printables (page position = band
// position + 10 mm margin).

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#include "output/qr_klw.h"
#include "output/qr_layout.h"
#include "support/fakes.h"
#include "support/filled_sheet.h"
#include "support/pdfwords.h"

using namespace klw;
using test::PdfWord;

namespace {

constexpr double kRand = 10.0;  // page margin, mm
constexpr double kToleranz = 0.3;  // mm
// TQRKLW has the header frame and the player tables lower by this, below its QR square.
constexpr double kKopfTiefer = 7.5;

QRectF tiefer(QRectF box)
{
    return box.translated(0, kKopfTiefer);
}

QRectF aufSeite(const QRectF& bandMm)
{
    return bandMm.translated(kRand, kRand).adjusted(-kToleranz, -kToleranz, kToleranz, kToleranz);
}

QString drucken(ReportForm& form, const QString& file)
{
    QPdfWriter writer(file);
    form.print(writer);
    return file;
}

QString describe(const QList<PdfWord>& words)
{
    QStringList out;
    for (const PdfWord& w : words)
        out << QStringLiteral("%1@(%2,%3 %4x%5)")
                   .arg(w.text)
                   .arg(w.mm.x() - kRand, 0, 'f', 1)
                   .arg(w.mm.y() - kRand, 0, 'f', 1)
                   .arg(w.mm.width(), 0, 'f', 1)
                   .arg(w.mm.height(), 0, 'f', 1);
    return out.join(QStringLiteral(", "));
}

// The words near a band box (grown by 5 mm), to show where a text went instead.
QString umgebung(const QList<PdfWord>& words, const QRectF& bandMm)
{
    return describe(test::wordsIn(words, aufSeite(bandMm).adjusted(-5, -5, 5, 5)));
}

}  // namespace

class QrKlwTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QList<PdfWord> ohneDoppel;  // the filled match on TQRKLW
    QList<PdfWord> mitDoppel;  // and on TQRKLW2

    QString render(bool doppel, const std::function<void(Spielbogen&)>& change, const QString& name)
    {
        test::Harness h;
        test::fillMatch(h.c, doppel);
        change(h.sheet);
        std::unique_ptr<ReportForm> form;
        if (doppel)
            form = std::make_unique<TQRKLW2>(h.sheet);
        else
            form = std::make_unique<TQRKLW>(h.sheet);
        return drucken(*form, dir.filePath(name));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        for (bool doppel : {false, true}) {
            const QString file = render(
                doppel, [](Spielbogen&) {}, doppel ? "mit.pdf" : "ohne.pdf");
            const test::PdfInfo info = test::pdfInfo(file);
            QCOMPARE(info.pages, 1);
            QVERIFY2(qAbs(info.sizePt.width() - 595.28) < 1 && qAbs(info.sizePt.height() - 841.89) < 1,
                     qPrintable(QStringLiteral("page %1 x %2 pt").arg(info.sizePt.width()).arg(info.sizePt.height())));
            (doppel ? mitDoppel : ohneDoppel) = test::pdfWords(file);
        }
    }

    void textStandsInItsBox_data()
    {
        QTest::addColumn<bool>("doppel");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRectF>("box");  // band millimetres

        struct Row {
            const char* tag;
            const char* text;
            QRectF ohne;  // on TQRKLW
            QRectF mit;  // on TQRKLW2; empty when the same
        };
        const Row rows[] = {
            // Auto-size labels: as wide as their caption, which must not reach the picture (TQRKLW2)
            // or the QR square (TQRKLW) on the right.
            {"title", "S P I E L B E R I C H T S B O G E N", {31.8, 2.1, 129.7, 9.0}, {31.8, 2.1, 129.0, 9.0}},
            {"association", "MEKO DARTVERBAND E. V.", {44.5, 12.7, 110.0, 6.6}, {}},
            {"match day", "5.", tiefer({25.4, 23.8, 6.6, 4.5}), {25.4, 23.8, 6.6, 4.5}},
            {"home team", "Dart Club", tiefer({6.3, 34.4, 52.9, 4.5}), {6.3, 34.4, 52.9, 4.5}},
            {"pass number H3", "H3: 4713", tiefer({6.3, 68.8, 19.8, 4.5}), {6.3, 68.8, 19.8, 4.5}},
            {"pass number G6", "G6: 820", tiefer({96.6, 84.7, 19.8, 4.5}), {96.6, 84.7, 19.8, 4.5}},
            {"player name G3", "Ingo Igel", tiefer({119.1, 68.8, 46.3, 4.5}), {119.1, 68.8, 46.3, 4.5}},
            {"pairing of game 1", "H5 : G1", {6.3, 107.2, 12.4, 4.5}, {6.3, 111.17, 13.2, 4.5}},
            {"home nickname of game 1", "Eule", {19.3, 107.7, 18.5, 4.0}, {19.3, 111.67, 18.5, 4.0}},
            {"guest nickname of game 16", "Ganter", {129.6, 167.2, 18.5, 4.0}, {129.6, 169.85, 18.5, 4.0}},
            {"sets of game 7", "2 : 1", {150.8, 120.4, 11.9, 4.5}, {150.8, 124.37, 11.9, 4.5}},
            {"game points of game 14", "1 : 0", {166.7, 153.5, 14.6, 4.5}, {166.7, 156.15, 14.6, 4.5}},
            {"round 3 caption", "Runde 3", {6.3, 140.2, 15.9, 4.5}, {6.3, 142.85, 15.9, 4.5}},
            {"result caption", "Endstand:", {127.0, 179.9, 20.0, 4.5}, {127.0, 180.69, 20.0, 4.5}},
            {"place", "Musterstadt, 14.03.2025", {6.3, 219.6, 48.9, 4.5}, {}},
            {"guest signature", "Unterschirft Gastteam", {124.4, 224.9, 52.9, 4.5}, {}},
            {"league official", "Liga-Bearbeiter: Erika Muster, Tel. 0123 456789", {6.3, 258.0, 174.6, 4.5}, {}},
        };
        for (const Row& r : rows) {
            QTest::addRow("TQRKLW %s", r.tag) << false << QString::fromUtf8(r.text) << r.ohne;
            QTest::addRow("TQRKLW2 %s", r.tag)
                << true << QString::fromUtf8(r.text) << (r.mit.isEmpty() ? r.ohne : r.mit);
        }
        QTest::addRow("TQRKLW2 doubles caption") << true << "Doppel 1" << QRectF(6.3, 93.9, 15.3, 4.5);
        QTest::addRow("TQRKLW2 doubles home pair") << true << "Hammer / Blitz" << QRectF(22.5, 93.1, 33.1, 2.9);
        QTest::addRow("TQRKLW2 doubles guest pair") << true << "Stachel / Juni" << QRectF(113.5, 96.3, 33.1, 2.9);
        QTest::addRow("TQRKLW2 doubles sets") << true << "1 - 2" << QRectF(150.8, 93.9, 11.9, 4.5);
    }
    void textStandsInItsBox()
    {
        QFETCH(bool, doppel);
        QFETCH(QString, text);
        QFETCH(QRectF, box);
        const QList<PdfWord>& words = doppel ? mitDoppel : ohneDoppel;
        const QList<PdfWord> inside = test::wordsIn(words, aufSeite(box));
        QVERIFY2(test::joined(inside) == text, qPrintable(QStringLiteral("found: ") + umgebung(words, box)));
        // Across, every word lies in the box; down, its top does, and its height is the
        // font's line height, which for the headings' substitute fonts exceeds the box.
        const QRectF page = aufSeite(box);
        for (const PdfWord& w : inside) {
            QVERIFY2(w.mm.left() >= page.left() && w.mm.right() <= page.right(), qPrintable(describe({w})));
            QVERIFY2(w.mm.top() >= page.top() && w.mm.top() < page.bottom(), qPrintable(describe({w})));
        }
    }

    // A text longer than its box is printed smaller until it fits whole, on one line where
    // the box holds one.
    void longTextIsPrintedSmallerAndWhole_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRectF>("box");  // band millimetres
        QTest::newRow("place with its date") << "f_ort"
                                             << "Mülheim an der Ruhr, 11.12.2026" << QRectF(6.3, 219.6, 48.9, 4.5);
        QTest::newRow("long player name") << "f_h1name"
                                          << "Hans-Jürgen Müller-Lüdenscheidt" << tiefer({27.5, 58.2, 46.3, 4.5});
        QTest::newRow("long guest team") << "f_gastteam"
                                         << "Sportfreunde Dartabteilung Gelsenkirchen-Buer"
                                         << tiefer({124.4, 34.4, 52.9, 4.5});
        QTest::newRow("long nickname") << "f_h2rname"
                                       << "Hammerwerferin" << QRectF(19.3, 114.3, 18.5, 4.0);
    }
    void longTextIsPrintedSmallerAndWhole()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QRectF, box);
        const QString file = render(
            false, [&](Spielbogen& s) { s.setText(klw::test::fieldNamed(field), text); }, field + ".pdf");
        const QList<PdfWord> words = test::pdfWords(file);
        const QRectF page = aufSeite(box);
        const QList<PdfWord> inside = test::wordsIn(words, page);
        QVERIFY2(test::joined(inside) == text, qPrintable(QStringLiteral("found: ") + umgebung(words, box)));
        for (const PdfWord& w : inside) {
            QVERIFY2(page.contains(w.mm), qPrintable(describe({w})));
            QVERIFY2(qAbs(w.mm.top() - inside.first().mm.top()) < kToleranz, qPrintable(describe(inside)));
        }
    }

    void doublesRowOnlyOnTheDoublesForm()
    {
        // The sheet of a league without doubles may still hold pair texts: none is printed.
        for (const PdfWord& w : ohneDoppel)
            QVERIFY2(w.text != QLatin1String("Doppel") && w.text != QLatin1String("/"), qPrintable(describe({w})));
        // Between the player tables and the singles nothing is printed.
        QCOMPARE(describe(test::wordsIn(ohneDoppel, aufSeite(QRectF(0, 89.5 + kKopfTiefer, 190.0, 2.0)))), QString());
        QCOMPARE(test::joined(test::wordsIn(mitDoppel, aufSeite(QRectF(96.6, 93.9, 15.3, 4.5)))),
                 QStringLiteral("Doppel 2"));
    }

    // The QR square of TQRKLW lies on the paper beside the title and above the header frame,
    // with no text in it; the other form prints no code.
    void qrSquareCoversNoText()
    {
        const QRectF box = kFormOhneDoppel.bild2;
        QVERIFY(QRectF(-kRand, -kRand, 210, 297).contains(box));
        for (const PdfWord& w : ohneDoppel)
            QVERIFY2(!box.translated(kRand, kRand).intersects(w.mm), qPrintable(describe({w})));
        QVERIFY(box.bottom() < 20.4 + kKopfTiefer);  // the header frame's top
    }

    void neinLeavesTheNicknameColumnsEmpty()
    {
        const QString file = render(
            true, [](Spielbogen& s) { s.setItemIndex("rg_druck1", 1); }, "nein.pdf");
        const QList<PdfWord> words = test::pdfWords(file);
        const QRectF einzelblock = aufSeite(QRectF(0, 102.0, 190.0, 72.0));
        for (const PdfWord& w : test::wordsIn(words, einzelblock)) {
            for (const char* ruf : test::kRufnamen)
                QVERIFY2(w.text != QString::fromUtf8(ruf), qPrintable(describe({w})));
        }
        QCOMPARE(test::joined(test::wordsIn(words, aufSeite(QRectF(6.3, 111.17, 13.2, 4.5)))),
                 QStringLiteral("H5 : G1"));
        QCOMPARE(test::joined(test::wordsIn(words, aufSeite(QRectF(59.5, 111.17, 11.9, 4.5)))),
                 QStringLiteral("2 : 1"));
    }

    void remarkKeepsItsLinesInItsBox_data()
    {
        QTest::addColumn<bool>("doppel");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("printedLines");  // at least; as many as the box holds at 6 pt
        QTest::addColumn<QRectF>("box");
        const QRectF ohne(29.1, 193.1, 150.8, 15.9);
        const QRectF mit(33.1, 193.1, 145.5, 15.9);
        QTest::newRow("TQRKLW three lines") << false << 3 << 3 << ohne;
        QTest::newRow("TQRKLW2 three lines") << true << 3 << 3 << mit;
        QTest::newRow("TQRKLW six lines, smaller") << false << 6 << 6 << ohne;
        QTest::newRow("TQRKLW2 six lines, smaller") << true << 6 << 6 << mit;
        QTest::newRow("TQRKLW forty lines") << false << 40 << 6 << ohne;
        QTest::newRow("TQRKLW2 forty lines") << true << 40 << 6 << mit;
    }
    void remarkKeepsItsLinesInItsBox()
    {
        QFETCH(bool, doppel);
        QFETCH(int, lines);
        QFETCH(int, printedLines);
        QFETCH(QRectF, box);
        QStringList remark;
        for (int i = 1; i <= lines; ++i)
            remark << QStringLiteral("Zeile%1 der Bemerkung").arg(i);
        const QString file = render(
            doppel, [&](Spielbogen& s) { s.setText("m_bemerkung", remark.join("\r\n")); },
            QStringLiteral("bemerkung%1.pdf").arg(lines));
        const QList<PdfWord> words = test::pdfWords(file);

        QList<PdfWord> zeilen;
        for (const PdfWord& w : words) {
            if (w.text.startsWith(QLatin1String("Zeile"))) {
                QVERIFY2(aufSeite(box).contains(w.mm), qPrintable(describe({w})));
                zeilen << w;
            }
        }
        if (lines == printedLines)
            QCOMPARE(zeilen.size(), printedLines);
        else
            QVERIFY2(zeilen.size() >= printedLines && zeilen.size() < 8, qPrintable(describe(zeilen)));
        for (int i = 0; i < zeilen.size(); ++i) {
            QCOMPARE(zeilen[i].text, QStringLiteral("Zeile%1").arg(i + 1));
            if (i > 0)
                QVERIFY(zeilen[i].mm.top() >= zeilen[i - 1].mm.bottom() - kToleranz);
        }
        // The caption beside the box and the frame's neighbours stay where they were.
        QCOMPARE(test::joined(test::wordsIn(words, aufSeite(QRectF(6.3, 219.6, 48.9, 4.5)))),
                 QStringLiteral("Musterstadt, 14.03.2025"));
    }
};

QTEST_MAIN(QrKlwTest)
#include "test_qr_klw.moc"
