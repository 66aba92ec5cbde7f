#include "data/suche.h"

#include <exception>

#include "data/dm_sys.h"
#include "data/statement.h"
#include "dbengine/dataset.h"
#include "sheet/tables.h"

namespace klw {

namespace {

constexpr int kSchreibweiseLaenge = 51;

QChar alsAscii(QChar c, bool gross)
{
    const char16_t u = c.unicode();
    if (gross && u >= u'a' && u <= u'z')
        return QChar(char16_t(u - u'a' + u'A'));
    if (!gross && u >= u'A' && u <= u'Z')
        return QChar(char16_t(u - u'A' + u'a'));
    return c;
}

// A like pattern that finds the text anywhere. A '%' or '_' typed into a filter is meant
// as itself, so such a pattern escapes them and its fragment names the escape character;
// for every other text the fragment stays as it is.
QString enthaelt(QStringView fragment, const QString& text)
{
    if (!text.contains(QLatin1Char('%')) && !text.contains(QLatin1Char('_')))
        return Format(fragment, QLatin1Char('%') + text + QLatin1Char('%'));
    QString muster = text;
    muster.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('%'), QLatin1String("\\%"))
        .replace(QLatin1Char('_'), QLatin1String("\\_"));
    QString mitEscape = fragment.toString();
    mitEscape.replace(QLatin1String("like '%s'"), QLatin1String("like '%s' escape '\\'"));
    return Format(mitEscape, QLatin1Char('%') + muster + QLatin1Char('%'));
}

// Both spellings of a name's first letter, for an engine that compares letter case.
QString beideSchreibweisen(QStringView erstes, QStringView zweites, const QString& text)
{
    return enthaelt(erstes, Schreibweise(text, true)) + enthaelt(zweites, Schreibweise(text, false));
}

void oeffnen(TDM_SYS& dm, db::Dataset& suche, const QString& sql)
{
    try {
        dm.ABSQueryOpen(suche, sql);
    } catch (const std::exception&) {
        suche.close();
    }
}

}  // namespace

QStringList Suchligen(bool teamsuche)
{
    QStringList ligen;
    for (const char* liga : kLeagues)
        ligen << QString::fromLatin1(liga);
    ligen.removeOne(QStringLiteral("B6-Liga"));
    if (teamsuche)
        ligen.removeOne(QStringLiteral("C8-Liga"));
    return ligen;
}

QString Schreibweise(const QString& text, bool grossAnfang)
{
    if (text.isEmpty())
        return text;
    return alsAscii(text[0], grossAnfang) + text.mid(1, kSchreibweiseLaenge - 1);
}

QString Spielerstatement(const PlayerFilter& f, const QString& sortierung)
{
    QString sql = QStringLiteral("select * from Mitglied  where PASSNR <> '' ");
    if (!f.nr.isEmpty())
        sql += enthaelt(u" and PASSNR like '%s' ", f.nr);
    if (!f.liga.isEmpty())
        sql += Format(u" and LIGA = '%s' ", f.liga);
    if (!f.name.isEmpty())
        sql += beideSchreibweisen(u" and ((NACHNAME like '%s') or ", u"      (NACHNAME like '%s')) ", f.name);
    if (!f.verein.isEmpty())
        sql += beideSchreibweisen(u" and ((TEAM like '%s') or ", u"      (TEAM like '%s')) ", f.verein);
    return sql + Format(u" order by %s ", sortierung);
}

QString Teamstatement(const QString& liga)
{
    QString sql = QStringLiteral("select * from TEAMS");
    const QString l = liga.trimmed();
    sql += l.isEmpty() ? QStringLiteral(" ") : enthaelt(u" where LIGA like '%s' ", l);
    return sql + QStringLiteral("order by LIGA, TEAM");
}

QString Sortierstatement(const QString& statement, const QString& spalte)
{
    QString s = statement.section(QLatin1Char('\n'), 0, 0);
    if (s.endsWith(QLatin1Char('\r')))
        s.chop(1);
    const QString gross = s.toUpper();
    // The order clause is the statement's last part; a filter text such as "Border" that
    // stands before it must not be taken for it.
    const qsizetype p = gross.lastIndexOf(QLatin1String("ORDER"));
    QString alteOrdnung;
    if (p >= 0 && gross.indexOf(QLatin1String("BY"), p) >= 0) {
        alteOrdnung = s.mid(p);
        s.truncate(p);
    }
    const QString richtung =
        alteOrdnung.toUpper().contains(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
    return s + QStringLiteral(" Order By ") + spalte + richtung;
}

void SpielerSucheStarten(TDM_SYS& dm, db::Dataset& suche, const PlayerFilter& filter, const QString& sortierung)
{
    oeffnen(dm, suche, Spielerstatement(filter, sortierung));
}

void TeamSucheStarten(TDM_SYS& dm, db::Dataset& suche, const QString& liga)
{
    oeffnen(dm, suche, Teamstatement(liga));
}

void SucheSortieren(TDM_SYS& dm, db::Dataset& suche, const QString& spalte)
{
    if (!suche.isOpen() || suche.isEmpty())
        return;
    oeffnen(dm, suche, Sortierstatement(suche.sql(), spalte));
}

SearchResult Auswahl(db::Dataset& suche)
{
    if (!suche.isOpen() || suche.recNo() < 0)
        return std::nullopt;
    QHash<QString, QString> row;
    for (int i = 0; i < suche.columnCount(); ++i)
        row.insert(suche.columnName(i), suche.text(suche.recNo(), i));
    return row;
}

}  // namespace klw
