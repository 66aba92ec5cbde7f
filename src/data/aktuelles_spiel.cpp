#include "data/aktuelles_spiel.h"

#include "data/statement.h"
#include "sheet/spielbogen.h"

namespace klw {

QString AktuellesSpiel(const Spielbogen& s)
{
    return Format(u" where SAISONX = '%s' ", s.Saison) + Format(u"   and LIGAX = '%s' ", s.text("f_liga")) +
           Format(u"   and HTEAMX = '%s' ", s.text("f_Heimteam")) +
           Format(u"   and GTEAMX = '%s' ", s.text("f_gastteam")) +
           Format(u"   and SPIELTAGI = %d ", s.number("f_spieltag"));
}

}  // namespace klw
