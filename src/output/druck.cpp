#include "output/druck.h"

#include <memory>
#include <stdexcept>

#include "output/druckausgabe.h"
#include "output/qr_klw.h"
#include "output/txtdatei.h"
#include "sheet/context.h"
#include "sheet/tables.h"

namespace klw {

const QStringList kPdfDrucker{QStringLiteral("PDF reDirect v2"), QStringLiteral("Adobe PDF"),
                              QStringLiteral("Acrobat Distiller"), QStringLiteral("PDF"), QStringLiteral("CUPS-PDF")};

namespace {

const QString kKeinPdfDrucker = QStringLiteral(
    "PDF-Drucker nicht auf diesem System installiert oder\r"
    "Acrobat Distiller konnte nicht mit dem Druckernamen 'Acrobat Distiller'\r"
    "oder 'Adobe PDF' gefunden werden! (Fehlercode:     ");
const QString kKeinPdfDruckenInstalliert = QStringLiteral(
    "Es ist kein PDF-Drucken installiert.\n\rVerwenden Sie den Standarddruck\n\rDer Vorgang wird abgebrochen");
const QString kNicht48 = QStringLiteral(
    "Die Punkte der Einzelspielerwertung ergeben NICHT 48.\n\rÜberprüfen Sie Ihre Eingabe?\n\r\n\r"
    "Soll der Druck denoch gestartet werden?");
const QString kBemerkungFrage =
    QStringLiteral("Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\n\rDruck starten?");

Druckausgabe& druckausgabe(Context& c)
{
    if (!c.druck)
        throw std::logic_error("printing is not available here");
    return *c.druck;
}

}  // namespace

int PdfDruckerSuchen(Context& c)
{
    const QStringList installiert = druckausgabe(c).druckerNamen();
    for (const QString& name : kPdfDrucker) {
        for (int i = 0; i < installiert.size(); ++i) {
            if (installiert[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
    }
    c.dialogs.message(kKeinPdfDrucker + QString::number(-1) + QLatin1Char(')'));
    return -1;
}

int PdfDrucken(Context& c, reportengine::Report& report, const QString& titel)
{
    const int index = PdfDruckerSuchen(c);
    if (index == -1)
        return 1;
    report.title = titel.trimmed();
    druckausgabe(c).drucken(report, index);
    return 1;
}

QString PdfJobtitel(const Spielbogen& s)
{
    const QString titel = s.text("f_liga") + QLatin1Char('_') + s.text("f_spieltag") + QLatin1Char('_') +
                          s.text("f_Heimteam").trimmed();
    return titel.trimmed();
}

void bt_druckClick(Context& c, const QString& sender)
{
    if (sender != QLatin1String("bt_druck") && sender != QLatin1String("bt_pdf"))
        return;
    const bool pdf = sender == QLatin1String("bt_pdf");

    int summe = 0;
    for (const Spielerzeile& z : Spielerzeilen)
        summe += c.sheet.number(z.punkte);

    if (pdf && PdfDruckerSuchen(c) < 0) {
        c.dialogs.information(kKeinPdfDruckenInstalliert);
        return;
    }
    if (summe != 48 && !c.dialogs.confirm(kNicht48))
        return;
    if (!c.dialogs.confirm(kBemerkungFrage)) {
        c.focus.focusIfPossible(QStringLiteral("m_bemerkung"));
        return;
    }
    if (c.sheet.isChecked("cb_maildatei"))
        TxtDateiErstellen(c);

    std::unique_ptr<Spielberichtsform> form;
    if (c.sheet.MitDoppel)
        form = std::make_unique<TQRKLW2>(c.sheet);
    else
        form = std::make_unique<TQRKLW>(c.sheet);
    if (pdf)
        PdfDrucken(c, *form, PdfJobtitel(c.sheet));
    else
        druckausgabe(c).vorschau(*form);
}

}  // namespace klw
