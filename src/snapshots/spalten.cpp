#include "snapshots/spalten.h"

#include "sheet/tables.h"

namespace klw {

QString passNumberColumn(const PlayerRow& zeile)
{
    return QStringLiteral("PNR%1X").arg(QLatin1String(zeile.position));
}

QString choiceColumn(const Game& einzel, bool heim)
{
    return QStringLiteral("R%1%2%3X").arg(einzel.round).arg(heim ? 'H' : 'G').arg(einzel.slot);
}

QString setsColumn(const Game& einzel, bool heim)
{
    return QStringLiteral("R%1%2%3SI").arg(einzel.round).arg(heim ? 'H' : 'G').arg(einzel.slot);
}

DoublesColumns doublesColumns(const Game& doppel)
{
    const QString n = QString::number(doppel.slot);
    return {QStringLiteral("HDOPPEL") + n,       QStringLiteral("GDOPPEL") + n,
            QStringLiteral("HD0PELLSPIELE") + n, QStringLiteral("GD0PELLSPIELE") + n,
            QStringLiteral("HDOPPELSAETEZ") + n, QStringLiteral("GDOPPELSAETEZ") + n};
}

namespace {

std::vector<SnapshotColumn> buildSpalten()
{
    auto text = [](const QString& spalte, FieldId feld) { return SnapshotColumn{spalte, feld, ColumnKind::Text}; };
    auto zahl = [](const QString& spalte, FieldId feld) { return SnapshotColumn{spalte, feld, ColumnKind::Number}; };
    std::vector<SnapshotColumn> s{
        text(QStringLiteral("LIGAX"), "f_liga"),
        zahl(QStringLiteral("SPIELTAGI"), "f_spieltag"),
        {QStringLiteral("DATUMD"), "f_datum", ColumnKind::Date},
        text(QStringLiteral("HTEAMX"), "f_Heimteam"),
        text(QStringLiteral("GTEAMX"), "f_gastteam"),
        text(QStringLiteral("BEMERKUNGX"), "m_bemerkung"),
    };
    for (const PlayerRow& z : kPlayerRows)
        s.push_back(text(passNumberColumn(z), z.passNr));
    for (const Game& e : kSingles) {
        s.push_back(text(choiceColumn(e, true), e.homeChoice));
        s.push_back(text(choiceColumn(e, false), e.guestChoice));
    }
    for (const Game& e : kSingles) {
        s.push_back(zahl(setsColumn(e, true), e.homeSets));
        s.push_back(zahl(setsColumn(e, false), e.guestSets));
    }
    // The doubles in the row's own order: both pairs, then game points, then sets.
    const Game& d1 = kDoubles[0];
    const Game& d2 = kDoubles[1];
    const DoublesColumns s1 = doublesColumns(d1);
    const DoublesColumns s2 = doublesColumns(d2);
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

const std::vector<SnapshotColumn>& snapshotColumns()
{
    static const std::vector<SnapshotColumn> spalten = buildSpalten();
    return spalten;
}

}  // namespace klw
