#pragma once
// The design of the printed match report, written once as tables of printables, and the
// row of differences that makes the form without doubles (TQRKLW) or with doubles (TQRKLW2).

#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

#include "output/report_names.h"

namespace klw {

namespace reportengine {
class Report;
}

// Names the filling step uses for the labels of single game k (1..16).
ReportName paarungLabel(int k);  // l_sp<k>
ReportName saetzeLabel(int k);  // l_sp<k>_2
ReportName spielpunkteLabel(int k);  // l_sp<k>_3
ReportName rufnameLabel(int k, bool home);  // l_name<2k-1> (home), l_name<2k> (guest)
// Labels of a player row: pass number, name and points ("l_h1", "l_hname1", "l_hpkt1").
ReportName passLabel(bool home, int number);
ReportName nameLabel(bool home, int number);
ReportName punkteLabel(bool home, int number);
// The doubles row's labels of doubles d (1, 2): both pairs, sets, game points.
ReportName doppelLabel(const char* part, int d);

// What differs between the two forms. Everything else is common.
struct FormDifferences {
    bool doppelzeile;  // the doubles row is printed
    double kopfTiefer;  // the header frame with its texts and the player tables lie lower by this
    double runden12Tiefer;  // rounds 1 and 2 lie lower by this many millimetres
    double runden34Tiefer;
    double ergebnisTiefer;  // the result row
    double paarungBreite;  // width of the pairing labels
    QRectF bild2;  // QRImage2; it may reach into the page margins
    const char* bild2Datei;  // its picture; none where the form draws it
    double memoX;
    double memoBreite;
};

extern const FormDifferences kFormOhneDoppel;  // TQRKLW
extern const FormDifferences kFormMitDoppel;  // TQRKLW2

// Puts the page set-up, the band QRBand1 and all its printables into the report.
void formularAufbauen(reportengine::Report& report, const FormDifferences& form);

}  // namespace klw
