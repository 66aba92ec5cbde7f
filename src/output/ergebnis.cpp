#include "output/ergebnis.h"

#include <QStringView>

#include "output/dm_dat_mail.h"
#include "sheet/spielbogen.h"
#include "sheet/tables.h"

namespace klw {

namespace {

// Line breaks of a memo as CR LF, whichever form the text holds them in.
QString mitCrLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

// Windows-1252 bytes 0x80..0x9F; 0 where the code page leaves the byte unassigned.
constexpr char16_t kCp1252Hoch[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char cp1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252Hoch[i] != 0 && kCp1252Hoch[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

}  // namespace

QStringList ErgebnisFelder(const Spielbogen& s)
{
    QStringList f{s.text("f_spieltag"), s.text("f_liga"), s.text("f_Heimteam"), s.text("f_gastteam")};
    for (const Spielerzeile& z : Spielerzeilen)
        f << s.text(z.passNr) << s.text(z.punkte);
    f << s.text("Edit50") << s.text("Edit85") << s.text("Edit49") << s.text("Edit84");
    f << mitCrLf(s.text("m_bemerkung"));
    return f;
}

QString Ergebnissatz(const Spielbogen& sheet)
{
    return ErgebnisFelder(sheet).join(QLatin1Char('\t'));
}

QByteArray Windows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t c : QStringView(text).toUcs4())
        bytes.append(cp1252Byte(c));
    return bytes;
}

QString ErgebnisDateiname(const Spielbogen& s)
{
    QString name = s.text("f_liga") + QStringLiteral("_SPT") + s.text("f_spieltag") + QLatin1Char('_') +
                   TDM_DAT_Mail::ReplaceStr(s.text("f_Heimteam"), QStringLiteral(" "), QString()) +
                   QStringLiteral(".txt");
    return name.replace(QLatin1Char('/'), QLatin1Char('-'));
}

}  // namespace klw
