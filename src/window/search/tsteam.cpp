#include "window/search/tsteam.h"
#include "data/suche.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

#include "window/search/suchgrid.h"

namespace klw {

namespace {

const QList<db::DatasetModel::Column> kSpalten{
    {SearchColumn("LIGA").name(), QStringLiteral("Liga"), 85},
    {SearchColumn("TEAM").name(), QStringLiteral("Mannschaft"), 135},
    {SearchColumn("STRASSE").name(), QStringLiteral("Strasse"), 100},
    {SearchColumn("PLZ").name(), QString(), 50},
    {SearchColumn("ORT").name(), QStringLiteral("Ort"), 100},
    {SearchColumn("CLUBTELEFON").name(), QStringLiteral("Clubtelefon"), 115},
    {SearchColumn("TELEFON2").name(), QStringLiteral("Telefon 2"), 115},
};

}  // namespace

TSTEAM::TSTEAM(db::Connection& connection, TDM_SYS& dm, const QString& liga, QWidget* parent)
    : Suchfenster(connection, dm, kSpalten, parent)
{
    setObjectName(QStringLiteral("STEAM"));
    setWindowTitle(QStringLiteral("Teamauswahl"));
    resize(770, 400);
    move(452, 246);

    bt_liga = suchknopf(QStringLiteral("bt_liga"), QStringLiteral("Liga"), QRect(272, 18, 75, 25), this);
    f_liga = ligafeld(Suchligen(true), QRect(363, 20, 125, 21), this);
    f_liga->setEditText(liga);
    DBGrid1->setGeometry(10, 60, 740, 250);
    endeknopfSetzen(QRect(344, 331, 100, 25));

    setTabOrder(bt_ende, DBGrid1);
    setTabOrder(DBGrid1, bt_liga);
    setTabOrder(bt_liga, f_liga);

    connect(bt_liga, &QPushButton::clicked, this, &TSTEAM::SucheStarten);
    connect(f_liga, &QComboBox::editTextChanged, this, &TSTEAM::SucheStarten);
}

void TSTEAM::SucheStarten()
{
    TeamSucheStarten(dm_, Q_SUCHE, f_liga->currentText());
}

// The close box keeps the query open: the current row is handed back.
void TSTEAM::closeEvent(QCloseEvent* event)
{
    event->accept();
    done(QDialog::Accepted);
}

}  // namespace klw
