#include "window/search/qt_search_windows.h"

#include <QComboBox>
#include <QLineEdit>
#include <memory>

#include "data/abfragen.h"
#include "sheet/context.h"
#include "window/search/tsspieler.h"
#include "window/search/tsteam.h"

namespace klw {

Suchergebnis QtSearchWindows::spielerauswahl(const QString& verein, const QString& liga, const QColor& farbe)
{
    if (!c_.abfragen || !c_.DM_SYS)
        return std::nullopt;
    auto fenster = std::make_unique<TSSPIELER>(c_.abfragen->ABSDatabase1, *c_.DM_SYS, parent_);
    fenster->f_verein->setText(verein);
    fenster->f_liga->setEditText(liga);
    fenster->setFarbe(farbe);
    fenster->exec();
    return Auswahl(fenster->Q_SUCHE);
}

Suchergebnis QtSearchWindows::teamauswahl(const QString& liga)
{
    if (!c_.abfragen || !c_.DM_SYS)
        return std::nullopt;
    auto fenster = std::make_unique<TSTEAM>(c_.abfragen->ABSDatabase1, *c_.DM_SYS, liga, parent_);
    fenster->exec();
    return Auswahl(fenster->Q_SUCHE);
}

}  // namespace klw
