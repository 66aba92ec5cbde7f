#include "window/search/tsspieler.h"
#include "data/suche.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "window/search/suchgrid.h"

namespace klw {

namespace {

const QList<db::DatasetModel::Column> kSpalten{
    {SearchColumn("PASSNR").name(), QStringLiteral("PassNr."), 60},
    {SearchColumn("VORNAME").name(), QStringLiteral("Vorname"), 100},
    {SearchColumn("NACHNAME").name(), QStringLiteral("Nachname"), 100},
    {SearchColumn("NICKNAMEX").name(), QStringLiteral("Rufname"), 100},
    {SearchColumn("TEAM").name(), QStringLiteral("Team"), 175},
};

QLineEdit* filterfeld(const QString& name, const QRect& geometry, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    return edit;
}

}  // namespace

TSSPIELER::TSSPIELER(db::Connection& connection, TDM_SYS& dm, QWidget* parent)
    : Suchfenster(connection, dm, kSpalten, parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("SSPIELER"));
    setWindowTitle(QStringLiteral("Spielerauswahl"));
    setFixedSize(645, 500);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    bt_nummer = suchknopf(QStringLiteral("bt_nummer"), QStringLiteral("PassNr."), QRect(90, 10, 75, 25), this);
    f_nr = filterfeld(QStringLiteral("f_nr"), QRect(180, 15, 50, 21), this);
    bt_name = suchknopf(QStringLiteral("bt_name"), QStringLiteral("Name"), QRect(330, 10, 75, 25), this);
    f_name = filterfeld(QStringLiteral("f_name"), QRect(425, 15, 125, 21), this);
    bt_verein = suchknopf(QStringLiteral("bt_verein"), QStringLiteral("Verein"), QRect(90, 42, 75, 25), this);
    f_verein = filterfeld(QStringLiteral("f_verein"), QRect(180, 47, 125, 21), this);
    bt_liga = suchknopf(QStringLiteral("bt_liga"), QStringLiteral("Liga"), QRect(330, 42, 75, 25), this);
    f_liga = ligafeld(Suchligen(false), QRect(425, 44, 125, 21), this);
    DBGrid1->setGeometry(30, 72, 575, 340);
    Label1 = new QLabel(QStringLiteral("Zur Auswahl aller Spieler die Felder Verein und Liga leeren"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    Label1->setGeometry(30, 415, 575, 16);
    endeknopfSetzen(QRect(272, 435, 100, 25));

    QWidget* reihenfolge[] = {bt_ende, DBGrid1, bt_name, bt_nummer, bt_verein, f_name, f_nr, f_verein, bt_liga, f_liga};
    for (size_t i = 1; i < std::size(reihenfolge); ++i)
        setTabOrder(reihenfolge[i - 1], reihenfolge[i]);

    connect(bt_nummer, &QPushButton::clicked, this, [this] { SucheStarten(SearchColumn("PASSNR").name()); });
    connect(bt_name, &QPushButton::clicked, this, [this] { SucheStarten(SearchColumn("NACHNAME").name()); });
    connect(bt_liga, &QPushButton::clicked, this, [this] { SucheStarten(SearchColumn("NACHNAME").name()); });
    connect(bt_verein, &QPushButton::clicked, this, [this] { SucheStarten(SearchColumn("TEAM").name()); });
    // A click on a title first takes the focus into the grid, as a click into it does.
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionPressed, this,
            [this] { DBGrid1->setFocus(Qt::MouseFocusReason); });
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TSSPIELER::DBGrid1TitleClick);
}

void TSSPIELER::setFarbe(const QColor& farbe)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, farbe.isValid() ? farbe : QGuiApplication::palette().color(QPalette::Button));
    setPalette(p);
    setAutoFillBackground(true);
    update();
}

PlayerFilter TSSPIELER::filter() const
{
    return {f_nr->text(), f_name->text(), f_verein->text(), f_liga->currentText()};
}

void TSSPIELER::SucheStarten(const QString& sortierung)
{
    SpielerSucheStarten(dm_, Q_SUCHE, filter(), sortierung);
}

void TSSPIELER::DBGrid1TitleClick(int section)
{
    if (focusWidget() != DBGrid1)
        return;
    SucheSortieren(dm_, Q_SUCHE, SUCHE.fieldName(section));
}

void TSSPIELER::ersteSuche()
{
    bt_name->click();
}

}  // namespace klw
