#pragma once
// Printing through Qt PrintSupport and CUPS: the installed queues, the modal preview
// window and direct print jobs.

#include <QPointer>
#include <QWidget>

#include "output/druckausgabe.h"

namespace klw {

class QtDruckausgabe : public Druckausgabe {
public:
    explicit QtDruckausgabe(QWidget* parent) : parent_(parent) {}
    QStringList druckerNamen() const override;
    void vorschau(reportengine::Report& report) override;
    void drucken(reportengine::Report& report, int druckerIndex) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace klw
