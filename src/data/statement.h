#pragma once
// Statements are joined from fixed fragments, each formatted with values: "%s" takes a
// text, "%d" an integer in decimal. Every single quote of a text is doubled, so that a
// value such as O'Neill or ' or '1'='1 stays one literal between the fragment's quotes
// and neither breaks the statement nor changes its meaning. The fragment's blanks are kept.

#include <QString>
#include <QStringView>
#include <initializer_list>
#include <variant>

namespace klw {

using FormatWert = std::variant<QString, int>;

// Throws std::logic_error when the placeholders and the values do not match in number and
// kind; fragments are fixed texts of the program, so that is a fault of the program.
QString Format(QStringView fragment, std::initializer_list<FormatWert> werte);

inline QString Format(QStringView fragment, const QString& text)
{
    return Format(fragment, {FormatWert(text)});
}

inline QString Format(QStringView fragment, int zahl)
{
    return Format(fragment, {FormatWert(zahl)});
}

}  // namespace klw
