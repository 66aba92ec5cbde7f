#pragma once
// Scripted search windows for logic tests: every opening is recorded with its filters,
// and each hands back the row the test queued (nothing when the queue is empty).

#include <QColor>
#include <QQueue>
#include <QStringList>

#include "sheet/services.h"

namespace klw::test {

class ScriptedSearchWindows : public SearchWindows {
public:
    struct Opened {
        QString window;  // "Spielerauswahl" or "Teamauswahl"
        QString verein;
        QString liga;
        QColor farbe;
    };
    QList<Opened> opened;
    QQueue<Suchergebnis> picks;

    Suchergebnis spielerauswahl(const QString& verein, const QString& liga, const QColor& farbe) override
    {
        opened.append({QStringLiteral("Spielerauswahl"), verein, liga, farbe});
        return next();
    }
    Suchergebnis teamauswahl(const QString& liga) override
    {
        opened.append({QStringLiteral("Teamauswahl"), QString(), liga, QColor()});
        return next();
    }

private:
    Suchergebnis next() { return picks.isEmpty() ? std::nullopt : picks.dequeue(); }
};

}  // namespace klw::test
