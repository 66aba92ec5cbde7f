// Where every control of the main window stands on the 1022 x 736 design canvas.

#include <QFont>
#include <QLabel>
#include <QTableView>
#include <functional>

#include "sheet/tables.h"
#include "window/sicherungsliste.h"
#include "window/tfklw.h"

namespace klw {

namespace {

constexpr int kRowHeight = 21;
constexpr int kLeft = 10;  // left half of the sheet
constexpr int kRight = 540;  // right half

constexpr int kPlayerRowTops[6] = {120, 142, 164, 185, 207, 229};
constexpr int kGameTops[2][4] = {{310, 334, 357, 382}, {430, 453, 477, 500}};
constexpr int kRoundCaptionTops[2] = {290, 411};

// Columns of a game row and of the doubles row, from the left edge of its half.
constexpr int kSetsX = 370, kPointsX = 424, kCellWidth = 22;

// A picture that reacts to a click, like the small icon that opens the backup panel.
class ClickablePicture : public QLabel {
public:
    std::function<void()> clicked;
    using QLabel::QLabel;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QLabel::mouseReleaseEvent(e);
        if (clicked)
            clicked();
    }
};

QFont boldFont(QFont f)
{
    f.setBold(true);
    return f;
}

}  // namespace

void TFKLW::buildSheet(QWidget* canvas)
{
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPointSize(8);
    canvas->setFont(base);

    // Title band
    addField("l_version", QRect(kLeft, 7, 150, 16));
    auto* title = new QLabel(QStringLiteral("SPIELBERICHTSBOGEN"), canvas);
    title->setObjectName(QStringLiteral("l_titel"));
    QFont titleFont(QStringLiteral("URW Bookman"));
    titleFont.setPointSize(22);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(260, 4, 500, 40);
    auto* logo = new QLabel(canvas);
    logo->setObjectName(QStringLiteral("Image3"));
    logo->setPixmap(QPixmap(QStringLiteral(":/pictures/logo.jpg")));
    logo->setScaledContents(true);
    logo->setGeometry(912, 4, 100, 55);
    widgets_.insert(QStringLiteral("Image3"), logo);

    // Header
    addCaption(QStringLiteral("Spieltag"), 10, 52);
    addField("f_spieltag", QRect(10, 68, 55, kRowHeight));
    addCaption(QStringLiteral("Datum"), 75, 52);
    addField("f_datum", QRect(75, 68, 80, kRowHeight));
    addCaption(QStringLiteral("Liga"), 165, 52);
    addField("f_liga", QRect(165, 68, 120, kRowHeight));
    addCaption(QStringLiteral("Heimmannschaft"), 295, 52);
    addField("f_Heimteam", QRect(295, 68, 200, kRowHeight));
    addButton("bts_hteam", QRect(497, 68, 21, kRowHeight), QStringLiteral("?"));
    addCaption(QStringLiteral("Gastmannschaft"), kRight + 28, 52);
    addField("f_gastteam", QRect(kRight + 28, 68, 200, kRowHeight));
    addButton("bts_gteam", QRect(kRight + 230, 68, 21, kRowHeight), QStringLiteral("?"));

    // Player rows
    for (int half = 0; half < 2; ++half) {
        const int x = half == 0 ? kLeft : kRight;
        addCaption(half == 0 ? QStringLiteral("Heim:") : QStringLiteral("Gast:"), x, 100);
        addCaption(QStringLiteral("PassNr.:"), x + 30, 100);
        addCaption(QStringLiteral("Spielername"), x + 94, 100);
        addCaption(QStringLiteral("Rufname"), x + 268, 100);
        addCaption(QStringLiteral("Punkte"), x + 400, 100);
    }
    for (const PlayerRow& z : kPlayerRows) {
        const int x = z.home ? kLeft : kRight;
        const int y = kPlayerRowTops[z.number - 1];
        addButton(z.button, QRect(x, y, 26, kRowHeight), QString::fromLatin1(z.position));
        addField(z.passNr, QRect(x + 30, y, 60, kRowHeight));
        addField(z.name, QRect(x + 94, y, 170, kRowHeight));
        addField(z.nickname, QRect(x + 268, y, 128, kRowHeight));
        addField(z.points, QRect(x + 400, y, 30, kRowHeight));
    }
    addButton("bt_namenuebernehmen2", QRect(462, 152, 58, 44), QString(),
              QStringLiteral("Rufnamen (wenn vorhanden) in die Runden übernehmen"),
              QStringLiteral(":/pictures/uebernehmen.jpg"));

    // Doubles row
    for (const Game& s : kDoubles) {
        const int x = s.slot == 1 ? kLeft : kRight;
        addField(s.slot == 1 ? FieldId("Label11") : FieldId("Label24"), QRect(x, 266, 58, 16));
        addField(s.homeChoice, QRect(x + 60, 263, 150, kRowHeight));
        addField(s.guestChoice, QRect(x + 214, 263, 150, kRowHeight));
        addField(s.homeSets, QRect(x + kSetsX, 263, kCellWidth, kRowHeight));
        addField(s.guestSets, QRect(x + kSetsX + 24, 263, kCellWidth, kRowHeight));
        addField(s.homePoint, QRect(x + kPointsX, 263, kCellWidth, kRowHeight));
        addField(s.guestPoint, QRect(x + kPointsX + 24, 263, kCellWidth, kRowHeight));
    }

    // The four rounds: 1 and 2 side by side, 3 and 4 below them.
    for (int round = 1; round <= 4; ++round) {
        const int x = round % 2 == 1 ? kLeft : kRight;
        const int y = kRoundCaptionTops[(round - 1) / 2];
        addCaption(QStringLiteral("Runde %1:").arg(round), x, y, nullptr, true);
        addCaption(QStringLiteral("Sätze:"), x + kSetsX, y);
        addCaption(QStringLiteral("Spiele:"), x + kPointsX, y);
    }
    for (const Game& s : kSingles) {
        const int x = s.round % 2 == 1 ? kLeft : kRight;
        const int y = kGameTops[(s.round - 1) / 2][s.slot - 1];
        addField(s.homeChoice, QRect(x, y, 50, kRowHeight));
        addField(s.guestChoice, QRect(x + 52, y, 50, kRowHeight));
        addField(*s.line, QRect(x + 106, y, 258, kRowHeight));
        addField(s.homeSets, QRect(x + kSetsX, y, kCellWidth, kRowHeight));
        addField(s.guestSets, QRect(x + kSetsX + 24, y, kCellWidth, kRowHeight));
        addField(s.homePoint, QRect(x + kPointsX, y, kCellWidth, kRowHeight));
        addField(s.guestPoint, QRect(x + kPointsX + 24, y, kCellWidth, kRowHeight));
    }

    // Footer: remark and official on the left; print option, totals, result, place on the right.
    addCaption(QStringLiteral("Bemerkung: z.B. Spielerwechsel, nicht eingetragene Spieler, Protest, "
                              "Besonderheiten usw."),
               kLeft, 530);
    addField("m_bemerkung", QRect(kLeft, 546, 470, 75));
    addCaption(QStringLiteral("Ligasachbearbeiter:"), kLeft, 630);
    addField("l_ligabearbeiter", QRect(kLeft + 105, 627, 365, kRowHeight));

    addCaption(QStringLiteral("Spielername auf"), kRight, 534);
    addCaption(QStringLiteral("Spielberichtsbogen"), kRight, 548);
    addCaption(QStringLiteral("andrucken?"), kRight, 562);
    addField("rg_druck1", QRect(kRight + 100, 528, 70, 50));
    addField("cb_maildatei", QRect(kRight, 596, 150, 20));

    addCaption(QStringLiteral("Endstand:"), 735, 536, nullptr, true);
    addField("Edit50", QRect(800, 532, 26, kRowHeight));
    addField("Edit85", QRect(828, 532, 26, kRowHeight));
    for (FieldId total : std::array<FieldId, 2>{"Edit49", "Edit84"}) {
        QWidget* w = addField(total, QRect(total == "Edit49" ? 866 : 910, 526, 40, 32));
        QFont big = boldFont(base);
        big.setPointSize(14);
        w->setFont(big);
        QPalette p = w->palette();
        p.setColor(QPalette::Text, Qt::blue);
        w->setPalette(p);
    }
    addCaption(QStringLiteral("Ergebnis:"), 735, 580, nullptr, true);
    addField("rg_ergebnis", QRect(800, 570, 210, 30));
    addCaption(QStringLiteral("Ort, Datum"), 735, 627);
    addField("f_ort", QRect(800, 624, 210, kRowHeight));

    // Status line and buttons
    auto* icon = new ClickablePicture(canvas);
    icon->setObjectName(QStringLiteral("Image2"));
    icon->setPixmap(QPixmap(QStringLiteral(":/pictures/sicherung.jpg")));
    icon->setScaledContents(true);
    icon->setGeometry(kLeft, 666, 25, 25);
    icon->clicked = [this] { run("Image2", clickHandler("Image2")); };
    widgets_.insert(QStringLiteral("Image2"), icon);
    addCaption(QStringLiteral("Pfad:"), 42, 670);
    addField("f_bde2", QRect(72, 666, 330, kRowHeight));
    QWidget* status = addField("l_sicherung", QRect(410, 669, 280, 16));
    QPalette blue = status->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    status->setPalette(blue);

    struct ButtonDef {
        ControlId name;
        const char* caption;
        const char* hint;
        const char* picture;
    };
    const ButtonDef buttons[] = {
        {"bt_sicherung", "", "Sicherung erstellen", ":/pictures/speichern.jpg"},
        {"bt_farben", "", "Hintergrundfarbe einstellen", ":/pictures/farben.jpg"},
        {"bt_info", "", "Info", ":/pictures/info.jpg"},
        {"bt_pdf", "PDF", "als PDF (Acrobat) speichern", ":/pictures/pdf.jpg"},
        {"bt_druck", "", "Druckvorschau öffnen", ":/pictures/drucken.jpg"},
        {"bt_ende", "", "Programm beeenden", ":/pictures/ende.jpg"},
    };
    int x = 700;
    for (const ButtonDef& b : buttons) {
        addButton(b.name, QRect(x, 660, 50, 44), QString::fromUtf8(b.caption), QString::fromUtf8(b.hint),
                  QString::fromLatin1(b.picture));
        x += 52;
    }

    // Backup panel, hidden until the small picture is clicked.
    QWidget* panel = addField("p_admin", QRect(344, 400, 500, 300));
    auto* grid = new QTableView(panel);
    grid->setObjectName(QStringLiteral("DBGrid1"));
    grid->setGeometry(10, 16, 475, 193);
    sicherungslisteBinden(*grid, abfragen_.Q_LESEN);
    widgets_.insert(QStringLiteral("DBGrid1"), grid);
    addCaption(QStringLiteral("Intervall zu automatischen Speichern:"), 64, 234, panel, true);
    addField("f_intervall", QRect(296, 226, 25, kRowHeight), panel);
    addCaption(QStringLiteral("in Minuten"), 336, 234, panel, true);
    addButton("bt_laden", QRect(10, 260, 200, 25), QStringLiteral("&Sicherung wiederherstellen"), {}, {}, panel);
    addButton("bt_schliessen3", QRect(277, 260, 200, 25), QStringLiteral("&speichern / ende"), {}, {}, panel);
}

}  // namespace klw
