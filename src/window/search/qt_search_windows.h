#pragma once
// The search windows on screen: each pick creates the window over the main window's
// connection, shows it modally, reads the chosen row and destroys it.

#include <QPointer>
#include <QWidget>

#include "sheet/services.h"

namespace klw {

struct Context;

class QtSearchWindows : public SearchWindows {
public:
    QtSearchWindows(QWidget* parent, Context& c) : parent_(parent), c_(c) {}
    Suchergebnis spielerauswahl(const QString& verein, const QString& liga, const QColor& farbe) override;
    Suchergebnis teamauswahl(const QString& liga) override;

private:
    QPointer<QWidget> parent_;
    Context& c_;
};

}  // namespace klw
