#pragma once
// Reads a PDF back as a user's tools see it: its page count and size from pdfinfo, and its
// words with their boxes (in millimetres from the page's top-left corner) from
// pdftotext -bbox.

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTextDocumentFragment>
#include <QtTest>

namespace klw::test {

struct PdfWord {
    QString text;
    QRectF mm;
};

inline QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfInfo {
    int pages = 0;
    QSizeF sizePt;
};

inline PdfInfo pdfInfo(const QString& file)
{
    const QString out = runTool(QStringLiteral("pdfinfo"), {file});
    PdfInfo info;
    const auto pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(out);
    info.pages = pages.captured(1).toInt();
    const auto size = QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::MultilineOption)
                          .match(out);
    info.sizePt = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    return info;
}

inline QList<PdfWord> pdfWords(const QString& file)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">(.*?)</word>"));
    constexpr double mmPerPt = 25.4 / 72.0;
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble() * mmPerPt, m.captured(2).toDouble() * mmPerPt);
        const QPointF bottomRight(m.captured(3).toDouble() * mmPerPt, m.captured(4).toDouble() * mmPerPt);
        words.append({QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText(), QRectF(topLeft, bottomRight)});
    }
    return words;
}

// The words whose centre lies in the box, in reading order.
inline QList<PdfWord> wordsIn(const QList<PdfWord>& words, const QRectF& box)
{
    QList<PdfWord> inside;
    for (const PdfWord& w : words) {
        if (box.contains(w.mm.center()))
            inside.append(w);
    }
    return inside;
}

inline QString joined(const QList<PdfWord>& words)
{
    QStringList t;
    for (const PdfWord& w : words)
        t << w.text;
    return t.join(QLatin1Char(' '));
}

}  // namespace klw::test
