#include "output/qr_layout.h"

#include <array>
#include <optional>

#include <QFont>

#include "reportengine/report.h"

namespace klw {

namespace {

using reportengine::Band;
using reportengine::Shape;

enum class Art { Text, Rahmen, Senkrecht, Waagerecht, Bild, Memo };

struct Schrift {
    const char* familie = nullptr;  // none: the report's font, Arial 10 pt
    double groesse = 10;
    bool fett = false;
    bool unterstrichen = false;
};

const Schrift kStandard{};
const Schrift kFett{"Arial", 10, true};
const Schrift kBookman20{"Bookman Old Style", 20, true, true};
const Schrift kBookman16{"Bookman Old Style", 16, true, true};
const Schrift kArial6{"Arial", 6};
const Schrift kArial8{"Arial", 8};
const Schrift kArial12{"Arial", 12};
const Schrift kArial14Fett{"Arial", 14, true};

constexpr auto kLinks = Qt::AlignLeft;
constexpr auto kMitte = Qt::AlignHCenter;
constexpr auto kRechts = Qt::AlignRight;

struct Element {
    Art art;
    QString name;
    QRectF mm;
    QString text;
    Schrift schrift;
    Qt::Alignment ausrichtung = kLinks;
    bool autoSize = false;
    int linie = 1;
};

// The name of a printable: a literal, or a name of the fill's list.
struct ElementName {
    QString text;
    ElementName(const char* name) : text(QString::fromLatin1(name)) {}
    ElementName(const QString& name) : text(name) {}
    ElementName(ReportName name) : text(name.name()) {}
};

Element text(const ElementName& name, double x, double y, double w, double h, const char* caption = "",
             const Schrift& schrift = kStandard, Qt::Alignment ausrichtung = kLinks)
{
    return {Art::Text, name.text, QRectF(x, y, w, h), QString::fromUtf8(caption), schrift, ausrichtung};
}
// Auto-size labels take the width of their caption; `w` is the design's width.
Element autoText(const ElementName& name, double x, double y, double w, double h, const char* caption,
                 const Schrift& schrift)
{
    Element e = text(name, x, y, w, h, caption, schrift);
    e.autoSize = true;
    return e;
}
Element rahmen(const ElementName& name, double x, double y, double w, double h, int linie = 1)
{
    return {Art::Rahmen, name.text, QRectF(x, y, w, h), {}, {}, kLinks, false, linie};
}
Element senkrecht(const ElementName& name, double x, double y, double h)
{
    return {Art::Senkrecht, name.text, QRectF(x, y, 0, h), {}, {}};
}
Element waagerecht(const ElementName& name, double x, double y, double w)
{
    return {Art::Waagerecht, name.text, QRectF(x, y, w, 0), {}, {}};
}

QString n(const char* prefix, int number)
{
    return QString::fromLatin1(prefix) + QString::number(number);
}

// --- the design ----------------------------------------------------------------------

std::vector<Element> titel(const FormDifferences& form)
{
    return {
        {Art::Bild, "QRImage1", QRectF(3.2, 2.6, 23.8, 13.2), ":/pictures/logo.jpg", {}},
        autoText("QRLabel1", 31.8, 2.1, 150.0, 9.0, "S P I E L B E R I C H T S B O G E N", kBookman20),
        autoText("QRLabel2", 44.5, 12.7, 100.0, 6.6, "MEKO DARTVERBAND E. V.", kBookman16),
        {Art::Bild, ReportName("QRImage2").name(), form.bild2, QString::fromLatin1(form.bild2Datei), {}},
    };
}

std::vector<Element> kopf()
{
    return {
        rahmen("QRShape42", 4.5, 20.4, 178.6, 26.5),
        text(ReportName("l_sptag"), 25.4, 23.8, 6.6, 4.5, "", kStandard, kRechts),
        text("l_sptag2", 33.9, 23.8, 19.8, 4.5, "Spieltag", kFett),
        text("l_datum2", 72.0, 23.8, 13.2, 4.5, "Datum:", kFett),
        text(ReportName("l_datum"), 86.0, 23.8, 26.5, 4.5),
        text(ReportName("l_liga"), 133.9, 23.8, 33.1, 4.5, "", kStandard, kMitte),
        text(ReportName("l_hteam"), 6.3, 34.4, 52.9, 4.5, "", kStandard, kMitte),
        text(ReportName("l_gteam"), 124.4, 34.4, 52.9, 4.5, "", kStandard, kMitte),
        waagerecht("QRShape40", 6.3, 38.9, 52.9),
        waagerecht("QRShape41", 124.4, 38.9, 52.9),
        text("QRLabel6", 6.3, 39.7, 52.9, 4.5, "Heimmannschaft", kFett, kMitte),
        text("QRLabel7", 124.4, 39.7, 52.9, 4.5, "Gastmannschaft", kFett, kMitte),
    };
}

// The two player tables: home on the left half, guest on the right.
struct Spielerhaelfte {
    bool heim;
    double rahmenX;
    std::array<const char*, 7> rahmen;  // header frame, then the six rows
    double passX, nameX, punkteX, punkteBreite, punkteKopfX, punkteKopfBreite;
    const char *passKopf, *nameKopf, *punkteKopf;
};
const std::array<Spielerhaelfte, 2> kSpielerhaelften{{
    {true,
     4.5,
     {"QRShape27", "QRShape26", "QRShape28", "QRShape29", "QRShape30", "QRShape32", "QRShape33"},
     6.3,
     27.5,
     78.1,
     11.9,
     78.1,
     11.9,
     "QRLabel3",
     "QRLabel5",
     "QRLabel4"},
    {false,
     93.9,
     {"QRShape31", "QRShape35", "QRShape34", "QRShape36", "QRShape37", "QRShape38", "QRShape39"},
     96.6,
     119.1,
     167.2,
     14.6,
     166.7,
     14.6,
     "QRLabel10",
     "QRLabel9",
     "QRLabel8"},
}};
constexpr std::array<double, 6> kSpielerRahmenY{57.7, 62.7, 68.0, 73.3, 78.6, 83.9};
constexpr std::array<double, 6> kSpielerRahmenH{5.3, 5.3, 5.3, 5.3, 5.3, 5.6};
constexpr std::array<double, 6> kSpielerZeileY{58.2, 63.5, 68.8, 74.1, 79.4, 84.7};

std::vector<Element> spielertabellen()
{
    std::vector<Element> e;
    for (const Spielerhaelfte& h : kSpielerhaelften) {
        e.push_back(rahmen(h.rahmen[0], h.rahmenX, 50.8, 88.9, 7.1));
        for (int i = 0; i < 6; ++i)
            e.push_back(rahmen(h.rahmen[size_t(i) + 1], h.rahmenX, kSpielerRahmenY[size_t(i)], 88.9,
                               kSpielerRahmenH[size_t(i)]));
        e.push_back(text(h.passKopf, h.passX, 52.9, 19.8, 4.5, "PassNr.", kFett));
        e.push_back(text(h.nameKopf, h.nameX, 52.9, 46.3, 4.5, "Spielername", kFett));
        e.push_back(text(h.punkteKopf, h.punkteKopfX, 52.9, h.punkteKopfBreite, 4.5, "Punkte", kFett, kMitte));
        for (int nr = 1; nr <= 6; ++nr) {
            const double y = kSpielerZeileY[size_t(nr) - 1];
            e.push_back(text(passLabel(h.heim, nr), h.passX, y, 19.8, 4.5));
            e.push_back(text(nameLabel(h.heim, nr), h.nameX, y, 46.3, 4.5));
            e.push_back(text(punkteLabel(h.heim, nr), h.punkteX, y, h.punkteBreite, 4.5, "", kStandard, kMitte));
        }
    }
    for (auto [name, x] :
         {std::pair{"QRShape43", 26.5}, {"QRShape44", 73.8}, {"QRShape46", 117.2}, {"QRShape45", 164.0}})
        e.push_back(senkrecht(name, x, 50.8, 38.6));
    return e;
}

std::vector<Element> doppelzeile()
{
    return {
        rahmen("QRShape59", 4.5, 92.6, 88.9, 7.1),
        rahmen("QRShape60", 93.9, 92.6, 88.9, 7.1),
        senkrecht("QRShape61", 56.9, 92.6, 7.1),
        senkrecht("QRShape62", 72.8, 92.6, 7.1),
        senkrecht("QRShape63", 148.2, 92.6, 7.1),
        senkrecht("QRShape64", 164.0, 92.6, 7.1),
        text("QRLabel29", 6.3, 93.9, 15.3, 4.5, "Doppel 1", kFett),
        text("QRLabel30", 96.6, 93.9, 15.3, 4.5, "Doppel 2", kFett),
        text(ReportName("l_hdoppel1"), 22.5, 93.1, 33.1, 2.9, "", kArial6),
        text(ReportName("l_hdoppel2"), 113.5, 93.1, 33.1, 2.9, "", kArial6),
        text(ReportName("l_gdoppel1"), 22.5, 96.3, 33.1, 2.9, "", kArial6),
        text(ReportName("l_gdoppel2"), 113.5, 96.3, 33.1, 2.9, "", kArial6),
        text(ReportName("l_doppelsaetze1"), 59.5, 93.9, 11.9, 4.5, "", kStandard, kMitte),
        text(ReportName("l_doppelsaetze2"), 150.8, 93.9, 11.9, 4.5, "", kStandard, kMitte),
        text(ReportName("l_doppelspiele1"), 78.1, 93.9, 11.9, 4.5, "", kStandard, kMitte),
        text(ReportName("l_doppelspiele2"), 166.7, 93.9, 11.9, 4.5, "", kStandard, kMitte),
    };
}

// The singles block: rounds 1 and 2 side by side, rounds 3 and 4 below them.
struct Spalten {
    double rahmenX, paarungX, heimRufX, gastRufX, saetzeX, spieleX, spieleBreite;
};
constexpr Spalten kLinkeHaelfte{4.5, 6.3, 19.3, 38.4, 59.5, 78.1, 11.9};
constexpr Spalten kRechteHaelfte{93.9, 96.6, 109.8, 129.6, 150.8, 166.7, 14.6};

struct Zeilen {  // header row, then the four games; y of the frames and of the 10 pt labels
    std::array<double, 5> rahmenY;
    std::array<double, 5> labelY;
    std::array<const char*, 4> linien;  // at x 56.9, 72.8, 148.2 and 164.0
};
const Zeilen kRunden12{{99.0, 105.8, 112.4, 119.3, 125.9},
                       {100.5, 107.2, 113.8, 120.4, 127.0},
                       {"QRShape47", "QRShape48", "QRShape50", "QRShape49"}};
const Zeilen kRunden34{{138.6, 145.5, 152.1, 159.0, 165.6},
                       {140.2, 146.8, 153.5, 160.1, 166.7},
                       {"QRShape51", "QRShape52", "QRShape53", "QRShape54"}};

struct Runde {
    const Spalten& spalten;
    const Zeilen& zeilen;
    const char* kopfRahmen;
    std::array<const char*, 4> spielRahmen;
    const char* rundeLabel;
    const char* rundeText;
    double rundeBreite;
    const char* saetzeLabel;
    const char* spieleLabel;
};
const std::array<Runde, 4> kRunden{{
    {kLinkeHaelfte,
     kRunden12,
     "QRShape21",
     {"QRShape22", "QRShape23", "QRShape24", "QRShape25"},
     "QRLabel11",
     "Runde 1",
     50.3,
     "QRLabel12",
     "QRLabel13"},
    {kRechteHaelfte,
     kRunden12,
     "QRShape12",
     {"QRShape17", "QRShape18", "QRShape19", "QRShape20"},
     "QRLabel15",
     "Runde 2",
     15.9,
     "QRLabel14",
     "QRLabel16"},
    {kLinkeHaelfte,
     kRunden34,
     "QRShape6",
     {"QRShape8", "QRShape9", "QRShape10", "QRShape11"},
     "QRLabel17",
     "Runde 3",
     15.9,
     "QRLabel26",
     "QRLabel27"},
    {kRechteHaelfte,
     kRunden34,
     "QRShape16",
     {"QRShape14", "QRShape15", "QRShape7", "QRShape13"},
     "QRLabel36",
     "Runde 4",
     15.9,
     "QRLabel37",
     "QRLabel46"},
}};

std::vector<Element> einzelblock(const FormDifferences& form)
{
    std::vector<Element> e;
    for (int r = 1; r <= 4; ++r) {
        const Runde& runde = kRunden[size_t(r) - 1];
        const Spalten& s = runde.spalten;
        const Zeilen& z = runde.zeilen;
        const double tiefer = r <= 2 ? form.runden12Tiefer : form.runden34Tiefer;
        auto frameY = [&](int row) { return z.rahmenY[size_t(row)] + tiefer; };
        auto labelY = [&](int row) { return z.labelY[size_t(row)] + tiefer; };

        e.push_back(rahmen(runde.kopfRahmen, s.rahmenX, frameY(0), 88.9, 7.1));
        e.push_back(text(runde.rundeLabel, s.paarungX, labelY(0), runde.rundeBreite, 4.5, runde.rundeText, kFett));
        e.push_back(text(runde.saetzeLabel, s.saetzeX, labelY(0), 11.9, 4.5, "Sätze", kFett, kMitte));
        e.push_back(text(runde.spieleLabel, s.spieleX, labelY(0), s.spieleBreite, 4.5, "Spiele", kFett, kMitte));
        for (int slot = 1; slot <= 4; ++slot) {
            const int k = 4 * (r - 1) + slot;
            e.push_back(rahmen(runde.spielRahmen[size_t(slot) - 1], s.rahmenX, frameY(slot), 88.9, 7.1));
            e.push_back(text(paarungLabel(k), s.paarungX, labelY(slot), form.paarungBreite, 4.5));
            e.push_back(text(rufnameLabel(k, true), s.heimRufX, labelY(slot) + 0.5, 18.5, 4.0, "", kArial8));
            e.push_back(text(rufnameLabel(k, false), s.gastRufX, labelY(slot) + 0.5, 18.5, 4.0, "", kArial8));
            e.push_back(text(saetzeLabel(k), s.saetzeX, labelY(slot), 11.9, 4.5, "", kStandard, kMitte));
            e.push_back(text(spielpunkteLabel(k), s.spieleX, labelY(slot), s.spieleBreite, 4.5, "", kStandard, kMitte));
        }
        if (r % 2 == 0) {  // the dividing lines run through both rounds of a row
            const std::array<double, 4> x{56.9, 72.8, 148.2, 164.0};
            for (size_t i = 0; i < 4; ++i)
                e.push_back(senkrecht(z.linien[i], x[i], frameY(0) + 0.2, 33.9));
        }
    }
    return e;
}

std::vector<Element> ergebniszeile(const FormDifferences& form)
{
    std::vector<Element> e{
        rahmen("QRShape4", 4.0, 177.3, 121.7, 9.8, 5),
        rahmen("QRShape5", 124.4, 177.3, 58.7, 9.8, 5),
        senkrecht("QRShape55", 148.2, 177.3, 9.3),
        senkrecht("QRShape56", 164.0, 177.3, 9.3),
        autoText("QRLabel18", 6.3, 179.9, 23.5, 4.5, "Spielergebnis", kFett),
        text(ReportName("l_erg1"), 47.6, 179.4, 10.6, 5.3, "2 : 0", kArial12, kMitte),
        text(ReportName("l_erg2"), 68.8, 179.4, 10.6, 5.3, "1 : 1", kArial12, kMitte),
        text(ReportName("l_erg3"), 90.0, 179.4, 10.6, 5.3, "0 : 2", kArial12, kMitte),
        autoText("QRLabel19", 127.0, 179.9, 16.7, 4.5, "Endstand:", kFett),
        text(ReportName("l_erg5"), 150.8, 179.9, 11.9, 4.5, "", kStandard, kMitte),
        text(ReportName("l_erg4"), 166.7, 179.9, 14.6, 4.5, "", kStandard, kMitte),
    };
    for (Element& el : e)
        el.mm.translate(0, form.ergebnisTiefer);
    return e;
}

std::vector<Element> bemerkungUndFuss(const FormDifferences& form)
{
    return {
        rahmen("QRShape57", 4.0, 190.5, 178.6, 22.5),
        autoText("QRLabel20", 6.3, 193.1, 20.6, 4.5, "Bemerkung:", kFett),
        {Art::Memo, ReportName("QRMemo1").name(), QRectF(form.memoX, 193.1, form.memoBreite, 15.9), {}, {}},
        rahmen("QRShape58", 4.0, 214.3, 178.6, 19.8),
        text(ReportName("l_ort"), 6.3, 219.6, 48.9, 4.5, "", kStandard, kMitte),
        waagerecht("QRShape2", 58.2, 222.2, 52.9),
        waagerecht("QRShape1", 124.4, 222.2, 52.9),
        text("QRLabel21", 6.3, 224.9, 48.9, 4.5, "Ort, Datum", kFett, kMitte),
        text("QRLabel22", 58.2, 224.9, 52.9, 4.5, "Unterschrift Heimteam", kFett, kMitte),
        text("QRLabel23", 124.4, 224.9, 52.9, 4.5, "Unterschirft Gastteam", kFett, kMitte),
        rahmen("QRShape3", 4.0, 236.8, 178.6, 9.8, 5),
        text("QRLabel24", 6.3, 239.4, 174.6, 6.1,
             "Spielberichtsbogen bitte nur an den zuständigen Liga-Bearbeiter senden", kArial14Fett, kMitte),
        text("QRLabel28", 6.3, 247.4, 174.6, 4.5, "Bei Nichteinhaltung gilt das Spiel für das Heimtam als verloren.",
             kFett, kMitte),
        text("QRLabel25", 6.3, 252.7, 174.6, 4.5,
             "Die Spielberichtsbögen müssen innerhalb von drei Tagen beim Liga-Bearbeiter eingehen.", kFett, kMitte),
        text(ReportName("l_sachbeabeiter"), 6.3, 258.0, 174.6, 4.5, "", kStandard, kMitte),
    };
}

std::vector<Element> formular(const FormDifferences& form)
{
    std::vector<Element> all;
    auto append = [&all](std::vector<Element> part, double tiefer = 0.0) {
        for (Element& el : part)
            el.mm.translate(0, tiefer);
        all.insert(all.end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
    };
    append(titel(form));
    append(kopf(), form.kopfTiefer);
    append(spielertabellen(), form.kopfTiefer);
    if (form.doppelzeile)
        append(doppelzeile());
    append(einzelblock(form));
    append(ergebniszeile(form));
    append(bemerkungUndFuss(form));
    return all;
}

std::optional<QFont> schriftart(const Schrift& s)
{
    if (!s.familie)
        return std::nullopt;
    QFont f(QString::fromLatin1(s.familie));
    f.setPointSizeF(s.groesse);
    f.setBold(s.fett);
    f.setUnderline(s.unterstrichen);
    return f;
}

}  // namespace

// The form without doubles has the doubles row's height to spare: its header frame and player
// tables take 7.5 mm of it, so that the QR code at the top right gets a square of 33.3 mm (a
// module of 0.51 mm, 3 pixels of a 150 dpi scan). The square begins right of the title and
// ends 0.5 mm above the header frame; it reaches into the page margins, to 4.1 mm from the
// paper's top edge and 5.2 mm from its right edge. Its quiet zone keeps the dark modules
// 2 mm further in, where every printer prints; the quiet zone there is blank paper.
const FormDifferences kFormOhneDoppel{false,   7.5,  0.0,  0.0, 0.0, 12.4, QRectF(161.5, -5.9, 33.3, 33.3),
                                      nullptr, 29.1, 150.8};
const FormDifferences kFormMitDoppel{
    true, 0.0, 3.97, 2.65, 0.79, 13.2, QRectF(161.9, 2.6, 23.8, 13.2), ":/pictures/logo.jpg", 33.1, 145.5};

namespace {

// A numbered name of the list in report_names.h; a rule that makes a name outside it is a
// fault of the program.
ReportName listed(const QString& name)
{
    if (const auto listed = ReportName::find(name))
        return *listed;
    throw std::logic_error("Druckfeld " + name.toStdString() + " fehlt in der Namensliste.");
}

}  // namespace

ReportName paarungLabel(int k)
{
    return listed(n("l_sp", k));
}
ReportName saetzeLabel(int k)
{
    return listed(n("l_sp", k) + QStringLiteral("_2"));
}
ReportName spielpunkteLabel(int k)
{
    return listed(n("l_sp", k) + QStringLiteral("_3"));
}
ReportName rufnameLabel(int k, bool home)
{
    return listed(n("l_name", home ? 2 * k - 1 : 2 * k));
}
ReportName passLabel(bool home, int number)
{
    return listed(n(home ? "l_h" : "l_g", number));
}
ReportName nameLabel(bool home, int number)
{
    return listed(n(home ? "l_hname" : "l_gname", number));
}
ReportName punkteLabel(bool home, int number)
{
    return listed(n(home ? "l_hpkt" : "l_gpkt", number));
}
ReportName doppelLabel(const char* part, int d)
{
    return listed(n(part, d));
}

void formularAufbauen(reportengine::Report& report, const FormDifferences& form)
{
    report.defaultFont = QFont(QStringLiteral("Arial"));
    report.defaultFont.setPointSizeF(10);
    Band& band = report.titleBand();
    band.geometry = QRectF(0, 0, 189.97, 264.58);
    band.colour = Qt::white;

    for (const Element& e : formular(form)) {
        switch (e.art) {
        case Art::Text: {
            auto& label = band.add<reportengine::Label>(e.name, e.mm);
            label.caption = e.text;
            label.font = schriftart(e.schrift);
            label.alignment = e.ausrichtung;
            label.autoSize = e.autoSize;
            break;
        }
        case Art::Rahmen:
            band.add<Shape>(e.name, e.mm, Shape::Rectangle, e.linie);
            break;
        case Art::Senkrecht:
            band.add<Shape>(e.name, e.mm, Shape::VerticalLine, e.linie);
            break;
        case Art::Waagerecht:
            band.add<Shape>(e.name, e.mm, Shape::HorizontalLine, e.linie);
            break;
        case Art::Bild: {
            auto& image = band.add<reportengine::Image>(e.name, e.mm);
            if (!e.text.isEmpty())
                image.picture = QImage(e.text);
            break;
        }
        case Art::Memo:
            band.add<reportengine::Memo>(e.name, e.mm).font = schriftart({"Arial", 10});
            break;
        }
    }
}

}  // namespace klw
