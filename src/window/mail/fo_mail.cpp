#include "window/mail/fo_mail.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>

#include "output/dm_dat_mail.h"
#include "sheet/context.h"

namespace klw {

namespace {

void setzen(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

void setzen(QListWidget* liste, const QStringList& eintraege, int index, bool sichtbar)
{
    QStringList jetzt;
    for (int i = 0; i < liste->count(); ++i)
        jetzt << liste->item(i)->text();
    if (jetzt != eintraege) {
        QSignalBlocker still(liste);
        liste->clear();
        liste->addItems(eintraege);
    }
    if (liste->currentRow() != index) {
        QSignalBlocker still(liste);
        liste->setCurrentRow(index);
    }
    liste->setVisible(sichtbar);
    if (sichtbar)
        liste->raise();
}

}  // namespace

TFO_FMAIL::TFO_FMAIL(QWidget* owner, TDM_DAT_Mail& dmDat, Dialogs* dialogs)
    : QDialog(owner), dialogs_(dialogs ? *dialogs : qtDialogs_), kontext_{form_, dialogs_, focus_, dmDat}
{
    setObjectName(QStringLiteral("FO_MAIL"));
    setWindowTitle(QStringLiteral("Mailversand"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kBreite, kHoehe);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    const QIcon oeffnen = style()->standardIcon(QStyle::SP_DialogOpenButton);
    const QIcon leeren = style()->standardIcon(QStyle::SP_TrashIcon);

    button(QStringLiteral("bt_an"), {7, 13, 35, 25}, QStringLiteral("An:"), {}, FO_MAIL::bt_anClick);
    f_an = add(new QLineEdit(this), QStringLiteral("f_an"), {56, 15, 610, 21});
    lb_adressen = add(new QListWidget(this), QStringLiteral("lb_adressen"), {56, 35, 250, 175});
    button(QStringLiteral("bt_ancc"), {7, 45, 35, 25}, QStringLiteral("CC:"), {}, FO_MAIL::bt_anccClick);
    f_ancc = add(new QLineEdit(this), QStringLiteral("f_ancc"), {56, 45, 610, 21});
    lb_adressencc = add(new QListWidget(this), QStringLiteral("lb_adressencc"), {56, 65, 250, 175});
    f_betreff = add(new QLineEdit(this), QStringLiteral("f_betreff"), {56, 75, 610, 21});
    f_memo = add(new QTextEdit(this), QStringLiteral("f_memo"), {7, 105, 660, 350});
    f_anhang = add(new QLineEdit(this), QStringLiteral("f_anhang"), {56, 470, 540, 21});
    button(QStringLiteral("bt_pfad1"), {644, 468, 25, 25}, {}, oeffnen, FO_MAIL::bt_pfad1Click);
    button(QStringLiteral("bt_leeren"), {608, 468, 25, 25}, {}, leeren, FO_MAIL::bt_leerenClick);
    button(QStringLiteral("bt_senden"), {228, 500, 150, 25}, QStringLiteral("&Senden"),
           style()->standardIcon(QStyle::SP_DialogOkButton), FO_MAIL::bt_sendenClick);
    button(QStringLiteral("bt_close"), {392, 500, 150, 25}, QStringLiteral("ende"),
           style()->standardIcon(QStyle::SP_DialogCloseButton), FO_MAIL::bt_closeClick);

    auto* label3 = add(new QLabel(QStringLiteral("Betreff:"), this), QStringLiteral("Label3"), {15, 80, 40, 13});
    auto* label1 = add(new QLabel(QStringLiteral("Anhang"), this), QStringLiteral("Label1"), {7, 475, 45, 13});
    label3->adjustSize();
    label1->adjustSize();
    f_memo->setTabChangesFocus(true);

    // The window's tab order; the pickers are reached with the mouse.
    const char* reihenfolge[] = {"bt_an",         "f_an",      "lb_adressen", "bt_ancc",  "f_ancc",
                                 "lb_adressencc", "f_betreff", "f_memo",      "f_anhang", "bt_pfad1",
                                 "bt_leeren",     "bt_senden", "bt_close"};
    for (size_t i = 1; i < std::size(reihenfolge); ++i)
        setTabOrder(widgets_.value(QLatin1String(reihenfolge[i - 1])), widgets_.value(QLatin1String(reihenfolge[i])));

    kontext_.versand = [this](bool laeuft) { beschaeftigt(laeuft); };

    connect(f_an, &QLineEdit::textChanged, this, [this](const QString& t) { form_.f_an = t; });
    connect(f_ancc, &QLineEdit::textChanged, this, [this](const QString& t) { form_.f_ancc = t; });
    connect(f_betreff, &QLineEdit::textChanged, this, [this](const QString& t) { form_.f_betreff = t; });
    connect(f_anhang, &QLineEdit::textChanged, this, [this](const QString& t) { form_.f_anhang = t; });
    connect(f_memo, &QTextEdit::textChanged, this, [this] { form_.f_memo = f_memo->toPlainText(); });
    connect(lb_adressen, &QListWidget::currentRowChanged, this, [this](int row) { form_.lb_adressenIndex = row; });
    connect(lb_adressencc, &QListWidget::currentRowChanged, this, [this](int row) { form_.lb_adressenccIndex = row; });
    connect(lb_adressen, &QListWidget::itemDoubleClicked, this, [this] { run(FO_MAIL::lb_adressenDblClick); });
    connect(lb_adressencc, &QListWidget::itemDoubleClicked, this, [this] { run(FO_MAIL::lb_adressenccDblClick); });
    zeigen();
}

template <typename W> W* TFO_FMAIL::add(W* widget, const QString& name, const QRect& geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    widgets_.insert(name, widget);
    return widget;
}

void TFO_FMAIL::button(const QString& name, const QRect& geometry, const QString& caption, const QIcon& icon,
                       void (*handler)(MailContext&))
{
    QAbstractButton* b = nullptr;
    if (caption.isEmpty()) {
        auto* glyph = new QToolButton(this);
        glyph->setIcon(icon);
        glyph->setFocusPolicy(Qt::StrongFocus);
        b = glyph;
    } else {
        auto* push = new QPushButton(icon, caption, this);
        push->setAutoDefault(false);
        b = push;
    }
    add(b, name, geometry);
    connect(b, &QAbstractButton::clicked, this, [this, handler] { run(handler); });
}

void TFO_FMAIL::vorbelegen(const MailDraft& vorlage)
{
    form_.f_betreff = vorlage.betreff;
    form_.f_an = vorlage.an;
    form_.f_memo = vorlage.zeilen.join(QLatin1Char('\n'));
    form_.f_anhang = AnhangText(vorlage.anhaenge);
    zeigen();
}

void TFO_FMAIL::run(void (*handler)(MailContext&))
{
    dispatch(dialogs_, [&] { handler(kontext_); });
    zeigen();
    if (form_.geschlossen)
        accept();
}

void TFO_FMAIL::zeigen()
{
    setzen(f_an, form_.f_an);
    setzen(f_ancc, form_.f_ancc);
    setzen(f_betreff, form_.f_betreff);
    setzen(f_anhang, form_.f_anhang);
    if (f_memo->toPlainText() != form_.f_memo)
        f_memo->setPlainText(form_.f_memo);
    setzen(lb_adressen, form_.lb_adressen, form_.lb_adressenIndex, form_.lb_adressenVisible);
    setzen(lb_adressencc, form_.lb_adressencc, form_.lb_adressenccIndex, form_.lb_adressenccVisible);
}

void TFO_FMAIL::beschaeftigt(bool laeuft)
{
    // While the mail program works the window takes no input and shows a busy cursor.
    if (laeuft) {
        fokusVorher_ = QApplication::focusWidget();
        setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
        setEnabled(true);
        if (fokusVorher_)
            fokusVorher_->setFocus(Qt::OtherFocusReason);
    }
}

void TFO_FMAIL::mousePressEvent(QMouseEvent* event)
{
    QDialog::mousePressEvent(event);
    run(FO_MAIL::FormClick);
}

void TFO_FMAIL::keyPressEvent(QKeyEvent* event)
{
    // The window closes through "ende" or after a send only; Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFO_FMAIL::closeEvent(QCloseEvent* event)
{
    if (form_.geschlossen)
        event->accept();
    else
        event->ignore();
}

}  // namespace klw
