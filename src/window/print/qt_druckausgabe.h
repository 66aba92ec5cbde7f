#pragma once
// Printing through Qt PrintSupport and CUPS: the modal preview window, whose print button
// sends the report to a queue.

#include <QPointer>
#include <QWidget>

#include "output/druckausgabe.h"

namespace klw {

class QtDruckausgabe : public Druckausgabe {
public:
    explicit QtDruckausgabe(QWidget* parent) : parent_(parent) {}
    void vorschau(reportengine::Report& report) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace klw
