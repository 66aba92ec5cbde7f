#include "data/statement.h"

#include <stdexcept>

namespace klw {

QString Format(QStringView fragment, std::initializer_list<FormatWert> werte)
{
    QString result;
    result.reserve(fragment.size() + 32);
    auto wert = werte.begin();
    for (qsizetype i = 0; i < fragment.size(); ++i) {
        const QChar ch = fragment[i];
        if (ch != QLatin1Char('%') || i + 1 == fragment.size()) {
            result += ch;
            continue;
        }
        const QChar kind = fragment[++i];
        if (kind == QLatin1Char('%')) {
            result += kind;
            continue;
        }
        if (wert == werte.end())
            throw std::logic_error("statement fragment has more placeholders than values");
        if (kind == QLatin1Char('s') && std::holds_alternative<QString>(*wert)) {
            QString text = std::get<QString>(*wert);
            result += text.replace(QLatin1Char('\''), QLatin1String("''"));
        } else if (kind == QLatin1Char('d') && std::holds_alternative<int>(*wert)) {
            result += QString::number(std::get<int>(*wert));
        } else {
            throw std::logic_error("statement fragment placeholder does not match its value");
        }
        ++wert;
    }
    if (wert != werte.end())
        throw std::logic_error("statement fragment has fewer placeholders than values");
    return result;
}

}  // namespace klw
