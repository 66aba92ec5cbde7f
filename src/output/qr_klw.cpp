#include "output/qr_klw.h"

#include <QPainter>
#include <QTextBoundaryFinder>

#include "output/ergebnis.h"
#include "output/qr_layout.h"
#include "output/qrcode.h"
#include "sheet/spielbogen.h"
#include "sheet/tables.h"
#include "sheet/wahl.h"

// The pictures live in the static core library; this pulls them into the program.
static void initPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace klw {

using reportengine::Band;

namespace {

// The band's printables by the names of the fill's list.
reportengine::Label& label(Band& band, ReportName name)
{
    return band.label(name.name());
}

QString verbunden(const Spielbogen& s, FieldId home, FieldId guest, const QString& zwischen)
{
    return s.text(home) + zwischen + s.text(guest);
}

// The position that plays a game for one side, by the rule the game line and the points
// follow: the choice's text when it is one of its items, else the scheduled position.
QString spielendePosition(const Spielbogen& s, const Game& spiel, bool home)
{
    const PlayerRow* zeile = chosenRow(s, spiel, home);
    return QString::fromLatin1(zeile ? zeile->position : home ? spiel.homePosition : spiel.guestPosition);
}

// The nickname of the player the choice names; empty for a text that names none.
QString rufnameZu(const Spielbogen& s, const Game& spiel, bool home)
{
    const PlayerRow* zeile = chosenRow(s, spiel, home);
    return zeile ? s.text(zeile->nickname) : QString();
}

// The record as the code carries it. Where the whole record does not fit, the remark is cut
// after the last whole character (a letter with its accents, a CR LF) that still lets it fit
// with "…" marking the cut. Where the rest of the record does not fit even with the mark
// alone, or without any remark, there is no code (empty). The paper prints the remark whole.
QString satzFuerDenCode(const Spielbogen& sheet)
{
    const QString satz = Ergebnissatz(sheet);
    if (QrCodePasst(satz))
        return satz;
    QStringList felder = ErgebnisFelder(sheet);
    const QString bemerkung = felder.takeLast();  // the remark is the record's last field
    const QString vorne = felder.join(QLatin1Char('\t')) + QLatin1Char('\t');
    const QString auslassung = QStringLiteral("\u2026");
    if (bemerkung.isEmpty() || !QrCodePasst(vorne + auslassung))
        return QString();

    QList<qsizetype> grenzen;  // the places between two characters, shortest cut first
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, bemerkung);
    for (qsizetype i = finder.toNextBoundary(); i > 0 && i < bemerkung.size(); i = finder.toNextBoundary())
        grenzen << i;
    // The longest cut that fits: those up to `passt` fit, those from `zuLang` on do not.
    qsizetype passt = -1;
    qsizetype zuLang = grenzen.size();
    while (zuLang - passt > 1) {
        const qsizetype mitte = (passt + zuLang) / 2;
        if (QrCodePasst(vorne + bemerkung.left(grenzen[mitte]) + auslassung))
            passt = mitte;
        else
            zuLang = mitte;
    }
    return vorne + (passt < 0 ? QString() : bemerkung.left(grenzen[passt])) + auslassung;
}

}  // namespace

ReportForm::ReportForm(const Spielbogen& sheet, const FormDifferences& form) : sheet_(sheet)
{
    initPictures();
    formularAufbauen(*this, form);
    titleBand().beforePrint = [this](Band& band) { QRBand1BeforePrint(band); };
}

void ReportForm::QRBand1BeforePrint(Band& band)
{
    KopfFuellen(band);
    SpielerFuellen(band);
    label(band, "l_sachbeabeiter").caption = sheet_.text("l_ligabearbeiter");
    RundenFuellen(band);
    reportengine::Memo& memo = band.memo(ReportName("QRMemo1").name());
    memo.lines.clear();
    memo.lines << sheet_.text("m_bemerkung");
    ErgebnisFuellen(band);
    label(band, "l_ort").caption = sheet_.text("f_ort");
}

void ReportForm::KopfFuellen(Band& band) const
{
    label(band, "l_sptag").caption = sheet_.text("f_spieltag") + QLatin1Char('.');
    label(band, "l_datum").caption = sheet_.text("f_datum");
    label(band, "l_liga").caption = sheet_.text("f_liga");
    label(band, "l_hteam").caption = sheet_.text("f_Heimteam");
    label(band, "l_gteam").caption = sheet_.text("f_gastteam");
}

void ReportForm::SpielerFuellen(Band& band) const
{
    for (const PlayerRow& z : kPlayerRows) {
        label(band, passLabel(z.home, z.number)).caption =
            QString::fromLatin1(z.position) + QStringLiteral(": ") + sheet_.text(z.passNr);
        label(band, nameLabel(z.home, z.number)).caption = sheet_.text(z.name);
        label(band, punkteLabel(z.home, z.number)).caption = sheet_.text(z.points);
    }
}

void ReportForm::RundenFuellen(Band& band) const
{
    const QString trenner = QStringLiteral(" : ");
    const bool rufnamen = sheet_.itemIndex("rg_druck1") == 0;  // "ja"
    for (const Game& spiel : kSingles) {
        const int k = spiel.nr;
        label(band, paarungLabel(k)).caption =
            spielendePosition(sheet_, spiel, true) + trenner + spielendePosition(sheet_, spiel, false);

        for (bool home : {true, false}) {
            reportengine::Label& ruf = label(band, rufnameLabel(k, home));
            ruf.enabled = rufnamen;
            ruf.caption = rufnamen ? rufnameZu(sheet_, spiel, home) : QString();
        }
        label(band, saetzeLabel(k)).caption = verbunden(sheet_, spiel.homeSets, spiel.guestSets, trenner);
        label(band, spielpunkteLabel(k)).caption = verbunden(sheet_, spiel.homePoint, spiel.guestPoint, trenner);
    }
}

void ReportForm::ErgebnisFuellen(Band& band) const
{
    // The chosen result stands out in bold 12 pt beside the others in 10 pt; with none
    // chosen all three keep the design's regular 12 pt.
    const int gewaehlt = sheet_.itemIndex("rg_ergebnis");
    const std::array<ReportName, 3> labels{"l_erg1", "l_erg2", "l_erg3"};
    for (int i = 0; i < 3; ++i) {
        reportengine::Label& erg = label(band, labels[size_t(i)]);
        QFont f = erg.font.value_or(defaultFont);
        f.setBold(i == gewaehlt);
        f.setPointSizeF(gewaehlt < 0 || i == gewaehlt ? 12 : 10);
        erg.font = f;
    }
    label(band, "l_erg5").caption = verbunden(sheet_, "Edit50", "Edit85", QStringLiteral(" : "));
    label(band, "l_erg4").caption = verbunden(sheet_, "Edit49", "Edit84", QStringLiteral(" : "));
}

TQRKLW::TQRKLW(const Spielbogen& sheet) : ReportForm(sheet, kFormOhneDoppel) {}

void TQRKLW::QRBand1BeforePrint(Band& band)
{
    ReportForm::QRBand1BeforePrint(band);
    QRCodeFuellen(band.image(ReportName("QRImage2").name()));
}

void TQRKLW::QRCodeFuellen(reportengine::Image& image) const
{
    image.drawPicture = [satz = satzFuerDenCode(sheet())](QPainter& painter, const QRectF& box) {
        if (!satz.isEmpty())
            QrCodeZeichnen(painter, box, satz);
    };
}

TQRKLW2::TQRKLW2(const Spielbogen& sheet) : ReportForm(sheet, kFormMitDoppel) {}

void TQRKLW2::QRBand1BeforePrint(Band& band)
{
    ReportForm::QRBand1BeforePrint(band);
    // The doubles join home and guest with " - " where the singles use " : ".
    const QString trenner = QStringLiteral(" - ");
    for (const Game& doppel : kDoubles) {
        const int d = doppel.slot;
        label(band, doppelLabel("l_hdoppel", d)).caption = sheet().text(doppel.homeChoice);
        label(band, doppelLabel("l_gdoppel", d)).caption = sheet().text(doppel.guestChoice);
        label(band, doppelLabel("l_doppelsaetze", d)).caption =
            verbunden(sheet(), doppel.homeSets, doppel.guestSets, trenner);
        label(band, doppelLabel("l_doppelspiele", d)).caption =
            verbunden(sheet(), doppel.homePoint, doppel.guestPoint, trenner);
    }
}

}  // namespace klw
