#include "window/search/suchfenster.h"

#include <QKeyEvent>
#include <QPushButton>

#include "window/search/suchgrid.h"

namespace klw {

Suchfenster::Suchfenster(db::Connection& connection, TDM_SYS& dm, const QList<db::DatasetModel::Column>& spalten,
                         QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), Q_SUCHE(connection), SUCHE(Q_SUCHE, spalten), dm_(dm)
{
    DBGrid1 = new Suchgrid(SUCHE, this);
    connect(DBGrid1, &QTableView::doubleClicked, this, &QDialog::accept);
    DBGrid1->installEventFilter(this);
}

Suchfenster::~Suchfenster()
{
    delete DBGrid1;
}

void Suchfenster::endeknopfSetzen(const QRect& geometry)
{
    bt_ende = suchknopf(QStringLiteral("bt_ende"), QStringLiteral("&ende"), geometry, this);
    connect(bt_ende, &QPushButton::clicked, this, &Suchfenster::bt_endeClick);
}

void Suchfenster::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    DBGrid1->setFocus();
    ersteSuche();
}

bool Suchfenster::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Suchfenster::bt_endeClick()
{
    Q_SUCHE.close();
    QDialog::reject();
}

// Escape closes the window as "&ende" does.
void Suchfenster::reject()
{
    bt_endeClick();
}

}  // namespace klw
