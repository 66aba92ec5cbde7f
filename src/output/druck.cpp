#include "output/druck.h"

#include <QDir>
#include <QFileInfo>
#include <memory>
#include <stdexcept>

#include "output/ergebnispruefung.h"
#include "output/qr_klw.h"
#include "output/txtdatei.h"
#include "sheet/context.h"
#include "sheet/tables.h"

namespace klw {

namespace {

const QString kNicht48 =
    QStringLiteral("Die Punkte der Einzelspielerwertung ergeben NICHT 48.\n\rÜberprüfen Sie Ihre Eingabe?\n\r\n\r"
                   "Soll der Druck denoch gestartet werden?");
const QString kBemerkungFrage =
    QStringLiteral("Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\n\rDruck starten?");
const QString kBemerkungPasstNicht =
    QStringLiteral("Die Bemerkung passt nicht ganz auf den Spielberichtsbogen. Trotzdem drucken?");
constexpr FieldId kBemerkung = "m_bemerkung";

}  // namespace

QString proposedPdfPath(const QString& titel)
{
    return QDir::homePath() + QStringLiteral("/PDF/") + QString(titel).replace(QLatin1Char('/'), QLatin1Char('-')) +
           QStringLiteral(".pdf");
}

std::optional<QString> PdfDrucken(Context& c, reportengine::Report& report, const QString& titel)
{
    report.title = titel.trimmed();
    const QString vorschlag = proposedPdfPath(report.title);
    QDir().mkpath(QFileInfo(vorschlag).path());
    const QString pfad = c.dialogs.chooseSaveFile(vorschlag);
    if (pfad.isEmpty())
        return std::nullopt;
    try {
        report.savePdf(pfad);
    } catch (const std::exception& e) {
        c.dialogs.error(QStringLiteral("Die PDF-Datei %1 konnte nicht gespeichert werden:\n%2")
                            .arg(pfad, QString::fromUtf8(e.what())));
        return std::nullopt;
    }
    return pfad;
}

QString PdfJobtitel(const Spielbogen& s)
{
    const QString titel =
        s.text("f_liga") + QLatin1Char('_') + s.text("f_spieltag") + QLatin1Char('_') + s.text("f_Heimteam").trimmed();
    return titel.trimmed();
}

void bt_druckClick(Context& c, ControlId sender)
{
    if (sender != "bt_druck" && sender != "bt_pdf")
        return;
    const bool pdf = sender == "bt_pdf";

    int summe = 0;
    for (const PlayerRow& z : kPlayerRows)
        summe += c.sheet.number(z.points);
    if (summe != 48 && !c.dialogs.confirm(kNicht48))
        return;
    if (const auto frage = printQuestion(c.sheet); frage && !c.dialogs.confirm(frage->text)) {
        c.focus.focusIfPossible(frage->fokus);
        return;
    }
    if (!c.dialogs.confirm(kBemerkungFrage)) {
        c.focus.focusIfPossible(kBemerkung);
        return;
    }

    std::unique_ptr<ReportForm> form;
    if (c.sheet.MitDoppel)
        form = std::make_unique<TQRKLW2>(c.sheet);
    else
        form = std::make_unique<TQRKLW>(c.sheet);
    if (form->notFitting().contains(QStringLiteral("QRMemo1")) && !c.dialogs.confirm(kBemerkungPasstNicht)) {
        c.focus.focusIfPossible(kBemerkung);
        return;
    }
    const bool maildatei = c.sheet.isChecked("cb_maildatei");

    // A print from the preview carries the same job title as the PDF.
    form->title = PdfJobtitel(c.sheet);
    if (!pdf) {
        if (maildatei)
            TxtDateiErstellen(c);
        c.windows.preview(*form);
        return;
    }
    // The PDF comes first, so that the mail can carry this match's sheet. Without a PDF
    // there is nothing to mail; the result file is written all the same, as before a
    // print that is cancelled.
    const std::optional<QString> bericht = PdfDrucken(c, *form, form->title);
    if (!maildatei)
        return;
    if (bericht)
        TxtDateiErstellen(c, *bericht);
    else
        writeResultFile(c);
}

}  // namespace klw
