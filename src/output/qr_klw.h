#pragma once
// The two forms of the printed match report: TQRKLW for leagues without doubles and
// TQRKLW2 for leagues with doubles. A form fills itself from the sheet each time its band
// is laid out, for preview and print alike, and never writes to the sheet.

#include "reportengine/report.h"

namespace klw {

class Spielbogen;
struct FormDifferences;

class ReportForm : public reportengine::Report {
public:
    const Spielbogen& sheet() const { return sheet_; }
    virtual bool mitDoppel() const = 0;

protected:
    ReportForm(const Spielbogen& sheet, const FormDifferences& form);
    // The band hook: the common filling steps; the forms add their own.
    virtual void QRBand1BeforePrint(reportengine::Band& band);

private:
    void KopfFuellen(reportengine::Band& band) const;
    void SpielerFuellen(reportengine::Band& band) const;
    void RundenFuellen(reportengine::Band& band) const;
    void ErgebnisFuellen(reportengine::Band& band) const;

    const Spielbogen& sheet_;
};

class TQRKLW : public ReportForm {
public:
    explicit TQRKLW(const Spielbogen& sheet);
    bool mitDoppel() const override { return false; }

protected:
    void QRBand1BeforePrint(reportengine::Band& band) override;

private:
    // The square at the top right of this form: the result record as a QR code, drawn at
    // print time from the sheet, its remark shortened where the whole does not fit. A record
    // too long even without its remark leaves the square white.
    void QRCodeFuellen(reportengine::Image& image) const;
};

class TQRKLW2 : public ReportForm {
public:
    explicit TQRKLW2(const Spielbogen& sheet);
    bool mitDoppel() const override { return true; }

protected:
    void QRBand1BeforePrint(reportengine::Band& band) override;
};

}  // namespace klw
