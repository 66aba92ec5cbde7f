#include "snapshots/spalten.h"

#include "sheet/tables.h"

namespace klw {

QString passnummerSpalte(const PlayerRow& zeile)
{
    return QStringLiteral("PNR%1X").arg(QLatin1String(zeile.position));
}

QString wahlSpalte(const Game& einzel, bool heim)
{
    return QStringLiteral("R%1%2%3X").arg(einzel.round).arg(heim ? 'H' : 'G').arg(einzel.slot);
}

QString saetzeSpalte(const Game& einzel, bool heim)
{
    return QStringLiteral("R%1%2%3SI").arg(einzel.round).arg(heim ? 'H' : 'G').arg(einzel.slot);
}

Doppelspalten doppelSpalten(const Game& doppel)
{
    const QString n = QString::number(doppel.slot);
    return {QStringLiteral("HDOPPEL") + n,       QStringLiteral("GDOPPEL") + n,
            QStringLiteral("HD0PELLSPIELE") + n, QStringLiteral("GD0PELLSPIELE") + n,
            QStringLiteral("HDOPPELSAETEZ") + n, QStringLiteral("GDOPPELSAETEZ") + n};
}

namespace {

std::vector<Sicherungsspalte> buildSpalten()
{
    auto text = [](const QString& spalte, FieldId feld) { return Sicherungsspalte{spalte, feld, Spaltenart::Text}; };
    auto zahl = [](const QString& spalte, FieldId feld) { return Sicherungsspalte{spalte, feld, Spaltenart::Zahl}; };
    std::vector<Sicherungsspalte> s{
        text(QStringLiteral("LIGAX"), "f_liga"),
        zahl(QStringLiteral("SPIELTAGI"), "f_spieltag"),
        {QStringLiteral("DATUMD"), "f_datum", Spaltenart::Datum},
        text(QStringLiteral("HTEAMX"), "f_Heimteam"),
        text(QStringLiteral("GTEAMX"), "f_gastteam"),
        text(QStringLiteral("BEMERKUNGX"), "m_bemerkung"),
    };
    for (const PlayerRow& z : kPlayerRows)
        s.push_back(text(passnummerSpalte(z), z.passNr));
    for (const Game& e : kSingles) {
        s.push_back(text(wahlSpalte(e, true), e.homeChoice));
        s.push_back(text(wahlSpalte(e, false), e.guestChoice));
    }
    for (const Game& e : kSingles) {
        s.push_back(zahl(saetzeSpalte(e, true), e.homeSets));
        s.push_back(zahl(saetzeSpalte(e, false), e.guestSets));
    }
    // The doubles in the row's own order: both pairs, then game points, then sets.
    const Game& d1 = kDoubles[0];
    const Game& d2 = kDoubles[1];
    const Doppelspalten s1 = doppelSpalten(d1);
    const Doppelspalten s2 = doppelSpalten(d2);
    s.push_back(text(s1.heimPaar, d1.homeChoice));
    s.push_back(text(s1.gastPaar, d1.guestChoice));
    s.push_back(text(s2.heimPaar, d2.homeChoice));
    s.push_back(text(s2.gastPaar, d2.guestChoice));
    s.push_back(zahl(s1.heimSpiele, d1.homePoint));
    s.push_back(zahl(s2.heimSpiele, d2.homePoint));
    s.push_back(zahl(s1.gastSpiele, d1.guestPoint));
    s.push_back(zahl(s2.gastSpiele, d2.guestPoint));
    s.push_back(zahl(s1.heimSaetze, d1.homeSets));
    s.push_back(zahl(s1.gastSaetze, d1.guestSets));
    s.push_back(zahl(s2.heimSaetze, d2.homeSets));
    s.push_back(zahl(s2.gastSaetze, d2.guestSets));
    s.push_back(text(kOrtSpalte, "f_ort"));
    return s;
}

}  // namespace

const std::vector<Sicherungsspalte>& Sicherungsspalten()
{
    static const std::vector<Sicherungsspalte> spalten = buildSpalten();
    return spalten;
}

}  // namespace klw
