#include "sheet/fields.h"

#include "sheet/tables.h"

namespace klw {

namespace {

FieldDef edit(FieldId id, bool tabStop, int maxLength = 0)
{
    FieldDef d{id};
    d.tabStop = tabStop;
    d.maxLength = maxLength;
    return d;
}

FieldDef computed(FieldId name, int maxLength)
{
    FieldDef d = edit(name, false, maxLength);
    d.readOnly = true;
    return d;
}

FieldDef ofKind(FieldId name, FieldKind kind, bool tabStop)
{
    FieldDef d = edit(name, tabStop);
    d.kind = kind;
    return d;
}

std::vector<FieldDef> buildFields()
{
    std::vector<FieldDef> f;

    FieldDef spieltag = ofKind("f_spieltag", FieldKind::Choice, true);
    for (int i = 1; i <= 18; ++i)
        spieltag.items << QString::number(i);
    f.push_back(spieltag);

    FieldDef datum = ofKind("f_datum", FieldKind::MaskEdit, true);
    datum.maxLength = 10;
    datum.text = kLeeresDatum;
    f.push_back(datum);

    FieldDef liga = ofKind("f_liga", FieldKind::Choice, true);
    for (const char* l : kLeagues)
        liga.items << QString::fromLatin1(l);
    f.push_back(liga);

    f.push_back(edit("f_Heimteam", true));
    f.push_back(edit("f_gastteam", true));
    f.push_back(ofKind("l_version", FieldKind::Label, false));

    for (const auto& z : kPlayerRows) {
        f.push_back(edit(z.passNr, true));
        f.push_back(edit(z.name, false));
        f.push_back(edit(z.nickname, true));
        f.push_back(computed(z.points, 2));
    }

    for (const auto& s : kGameTable) {
        if (s.isDoubles()) {
            FieldDef pair = edit(s.homeChoice, true);
            pair.visible = false;
            f.push_back(pair);
            pair.id = s.guestChoice;
            f.push_back(pair);
        } else {
            for (bool home : {true, false}) {
                FieldDef wahl = ofKind(home ? s.homeChoice : s.guestChoice, FieldKind::Choice, false);
                for (const char* item : choiceItems(s, home))
                    wahl.items << QString::fromLatin1(item);
                wahl.text = wahl.items.first();
                f.push_back(wahl);
            }
            f.push_back(edit(*s.line, false));
        }
        FieldDef sets = edit(s.homeSets, true, 1);
        FieldDef points = computed(s.homePoint, 1);
        sets.visible = points.visible = !s.isDoubles();
        f.push_back(sets);
        sets.id = s.guestSets;
        f.push_back(sets);
        f.push_back(points);
        points.id = s.guestPoint;
        f.push_back(points);
    }
    const std::array<FieldId, 2> doppelTitel{"Label11", "Label24"};
    for (int d = 0; d < 2; ++d) {
        FieldDef titel = ofKind(doppelTitel[size_t(d)], FieldKind::Label, false);
        titel.visible = false;
        titel.text = QStringLiteral("Doppel %1:").arg(d + 1);
        f.push_back(titel);
    }

    for (FieldId total : std::array<FieldId, 4>{"Edit50", "Edit85", "Edit49", "Edit84"})
        f.push_back(computed(total, 2));

    FieldDef ergebnis = ofKind("rg_ergebnis", FieldKind::Radio, true);
    ergebnis.items = QStringList{"2 : 0", "1 : 1", "0 : 2"};
    f.push_back(ergebnis);
    FieldDef druck = ofKind("rg_druck1", FieldKind::Radio, true);
    druck.items = QStringList{"ja", "nein"};
    druck.itemIndex = 0;
    f.push_back(druck);

    f.push_back(ofKind("m_bemerkung", FieldKind::Memo, true));
    f.push_back(edit("l_ligabearbeiter", true));
    f.push_back(edit("f_ort", true));
    FieldDef maildatei = ofKind("cb_maildatei", FieldKind::Check, false);
    maildatei.visible = false;
    maildatei.text = QStringLiteral("Maildatei erstellen");
    f.push_back(maildatei);
    f.push_back(computed("f_bde2", 0));
    f.push_back(ofKind("l_sicherung", FieldKind::Label, false));

    FieldDef panel = ofKind("p_admin", FieldKind::Panel, false);
    panel.visible = false;
    f.push_back(panel);
    f.push_back(edit("f_intervall", true));
    return f;
}

QStringList buildTabOrder()
{
    QStringList order{"f_spieltag", "f_datum", "f_liga", "f_Heimteam", "bts_hteam", "f_gastteam", "bts_gteam"};
    for (const auto& z : kPlayerRows)
        order << z.button << z.passNr << z.name << z.nickname << z.points;
    order << "bt_namenuebernehmen2";
    for (const auto& s : kDoubles)
        order << s.homeChoice << s.guestChoice << s.homeSets << s.guestSets << s.homePoint << s.guestPoint;
    for (const auto& s : kSingles)
        order << s.homeChoice << s.guestChoice << *s.line << s.homeSets << s.guestSets << s.homePoint << s.guestPoint;
    order << "Edit50"
          << "Edit85"
          << "Edit49"
          << "Edit84";
    order << "rg_druck1"
          << "rg_ergebnis"
          << "m_bemerkung"
          << "l_ligabearbeiter"
          << "f_ort";
    order << "bt_sicherung"
          << "bt_farben"
          << "bt_info"
          << "bt_pdf"
          << "bt_druck"
          << "bt_ende";
    order << "bt_schliessen3"
          << "f_intervall"
          << "bt_laden"
          << "DBGrid1";
    return order;
}

}  // namespace

const std::vector<FieldDef>& sheetFields()
{
    static const std::vector<FieldDef> fields = buildFields();
    return fields;
}

const QStringList& tabOrder()
{
    static const QStringList order = buildTabOrder();
    return order;
}

}  // namespace klw
