#include "data/search_buttons.h"
#include "data/suche.h"

#include "sheet/context.h"
#include "sheet/tables.h"

namespace klw {

namespace {

// The picked row's column, or nothing when the window handed no row or an empty value back.
QString gewaehlt(const SearchResult& auswahl, SearchColumn spalte)
{
    return auswahl ? auswahl->value(spalte.name()) : QString();
}

// The team search with the sheet's league; the picked row, or nothing.
SearchResult teamauswahl(Context& c)
{
    return c.windows.teamSearch(c.sheet.text("f_liga"));
}

}  // namespace

void bt_H1Click(Context& c, ControlId sender)
{
    const PlayerRow* zeile = rowWith(&PlayerRow::button, sender);
    if (!zeile)
        return;
    const Spielbogen& s = c.sheet;
    const QColor farbe = s.FarbeGewaehlt ? s.Hintergrundfarbe : QColor();
    const SearchResult auswahl = c.windows.playerSearch(s.text(zeile->teamField), s.text("f_liga"), farbe);
    const QString passnr = gewaehlt(auswahl, "PASSNR");
    if (passnr.isEmpty())
        return;
    c.sheet.setText(zeile->passNr, passnr);
    c.focus.focusIfPossible(zeile->passNr);
}

void bts_hteamClick(Context& c, ControlId)
{
    const SearchResult auswahl = teamauswahl(c);
    const QString team = gewaehlt(auswahl, "TEAM");
    if (team.isEmpty())
        return;
    c.sheet.setText("f_Heimteam", team);
    c.sheet.setText("f_ort",
                    gewaehlt(auswahl, "ORT") + QStringLiteral(", ") + c.today().toString(QStringLiteral("dd.MM.yyyy")));
    c.focus.focusIfPossible("f_gastteam");
}

void bts_gteamClick(Context& c, ControlId)
{
    const QString team = gewaehlt(teamauswahl(c), "TEAM");
    if (team.isEmpty())
        return;
    c.sheet.setText("f_gastteam", team);
    c.focus.focusIfPossible("f_h1pnr");
}

}  // namespace klw
