#include "output/ergebnis.h"

#include "base/text.h"
#include "output/dm_dat_mail.h"
#include "sheet/spielbogen.h"
#include "sheet/tables.h"

namespace klw {

QStringList ErgebnisFelder(const Spielbogen& s)
{
    QStringList f{s.text("f_spieltag"), s.text("f_liga"), s.text("f_Heimteam"), s.text("f_gastteam")};
    for (const PlayerRow& z : kPlayerRows)
        f << s.text(z.passNr) << s.text(z.points);
    f << s.text("Edit50") << s.text("Edit85") << s.text("Edit49") << s.text("Edit84");
    f << withCrLf(s.text("m_bemerkung"));
    return f;
}

QString Ergebnissatz(const Spielbogen& sheet)
{
    return ErgebnisFelder(sheet).join(QLatin1Char('\t'));
}

QString ErgebnisDateiname(const Spielbogen& s)
{
    QString name = s.text("f_liga") + QStringLiteral("_SPT") + s.text("f_spieltag") + QLatin1Char('_') +
                   TDM_DAT_Mail::ReplaceStr(s.text("f_Heimteam"), QStringLiteral(" "), QString()) +
                   QStringLiteral(".txt");
    return name.replace(QLatin1Char('/'), QLatin1Char('-'));
}

}  // namespace klw
