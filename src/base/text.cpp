#include "base/text.h"

#include <QStringView>

namespace klw {

namespace {

template <typename Text> Text lineFeedsOnly(Text text)
{
    text.replace("\r\n", "\n");
    text.replace("\n\r", "\n");
    text.replace('\r', '\n');
    return text;
}

// Windows-1252 bytes 0x80..0x9F; 0 where the code page leaves the byte unassigned.
constexpr char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char cp1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] != 0 && kCp1252High[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

}  // namespace

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

QStringList trimmedParts(const QString& text, QChar separator)
{
    QStringList parts;
    for (const QString& part : text.split(separator)) {
        if (!isBlank(part))
            parts << part.trimmed();
    }
    return parts;
}

QString withLineFeeds(QString text)
{
    return lineFeedsOnly(std::move(text));
}

QByteArray withLineFeeds(QByteArray text)
{
    return lineFeedsOnly(std::move(text));
}

QString withCrLf(const QString& text)
{
    return withLineFeeds(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString replaceAll(const QString& text, const QString& search, const QString& replacement)
{
    if (search.isEmpty())
        return text;
    return QString(text).replace(search, replacement);
}

QByteArray toWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t c : QStringView(text).toUcs4())
        bytes.append(cp1252Byte(c));
    return bytes;
}

}  // namespace klw
