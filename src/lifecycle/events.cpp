#include "lifecycle/events.h"

#include <QHash>

#include "data/lookups.h"
#include "data/player_entry.h"
#include "data/search_buttons.h"
#include "lifecycle/start.h"
#include "lineup/lineup.h"
#include "output/druck.h"
#include "scoring/scoring.h"
#include "sheet/context.h"
#include "sheet/tables.h"
#include "snapshots/snapshots.h"

namespace klw {

namespace {

QHash<ControlId, Handler> buildExitHandlers()
{
    QHash<ControlId, Handler> h;
    h.insert("f_spieltag", f_spieltagExit);
    h.insert("f_liga", f_ligaExit);
    h.insert("f_Heimteam", f_HeimteamExit);
    h.insert("f_gastteam", f_HeimteamExit);
    for (const PlayerRow& z : kPlayerRows) {
        h.insert(z.passNr, f_h1pnrExit);
        h.insert(z.name, f_h1nameExit);
        h.insert(z.nickname, f_h1nameExit);
    }
    for (const Game& s : kGameTable) {
        h.insert(s.guestSets, Edit56Exit);
        if (!s.isDoubles()) {
            h.insert(s.homeChoice, ComboBox1Exit);
            h.insert(s.guestChoice, ComboBox1Exit);
        }
    }
    return h;
}

QHash<ControlId, Handler> buildClickHandlers()
{
    QHash<ControlId, Handler> h;
    h.insert("bt_namenuebernehmen2", bt_namenuebernehmen2Click);
    h.insert("bt_farben", bt_farbenClick);
    h.insert("bt_info", bt_infoClick);
    h.insert("bt_ende", bt_endeClick);
    h.insert("bt_schliessen3", bt_schliessen3Click);
    h.insert("bt_sicherung", bt_sicherungClick);
    h.insert("Image2", Image2Click);
    h.insert("bt_laden", bt_ladenClick);
    h.insert("bts_hteam", bts_hteamClick);
    h.insert("bts_gteam", bts_gteamClick);
    for (const PlayerRow& z : kPlayerRows)
        h.insert(z.button, bt_H1Click);
    h.insert("bt_druck", bt_druckClick);
    h.insert("bt_pdf", bt_druckClick);
    return h;
}

QHash<ControlId, Handler> buildPickHandlers()
{
    QHash<ControlId, Handler> h;
    for (const Game& s : kSingles) {
        h.insert(s.homeChoice, ComboBox1Click);
        h.insert(s.guestChoice, ComboBox1Click);
    }
    return h;
}

Handler find(const QHash<ControlId, Handler>& table, ControlId name)
{
    return table.value(name, nullptr);
}

}  // namespace

Handler exitHandler(ControlId field)
{
    static const auto table = buildExitHandlers();
    return find(table, field);
}

Handler clickHandler(ControlId control)
{
    static const auto table = buildClickHandlers();
    return find(table, control);
}

Handler pickHandler(ControlId choice)
{
    static const auto table = buildPickHandlers();
    return find(table, choice);
}

void connectChangeHandlers(Context& c)
{
    QObject::connect(&c.sheet, &Spielbogen::textChanged, &c.sheet, [&c](FieldId name) {
        if (name == "Edit49" || name == "Edit84")
            dispatch(c.dialogs, [&] { Edit49Change(c, name); });
    });
}

}  // namespace klw
