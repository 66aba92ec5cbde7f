#include "sheet/version.h"

namespace klw {

QString GetVersionsInformationen(const QByteArray& record, const QString& key)
{
    const QByteArray head = record.left(2000);
    QString text;
    text.reserve(1000);
    for (qsizetype i = 0; i < head.size(); i += 2) {
        const char low = head[i];
        text.append(low == '\0' ? QChar('#') : QChar::fromLatin1(low));
    }
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        return QStringLiteral("NI");
    const qsizetype start = at + key.size() + 2;
    const qsizetype end = text.indexOf(QLatin1Char('#'), start);
    if (end < 0)
        return QStringLiteral("NI");
    return text.mid(start, end - start);
}

}  // namespace klw
