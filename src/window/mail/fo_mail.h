#pragma once
// The mail window "Mailversand": recipients with address pickers, subject, text and the
// attachments. It binds its widgets to a MailForm and runs the handlers of FO_MAIL.

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <memory>

#include "output/fo_mail_logik.h"
#include "window/qt_services.h"

class QLineEdit;
class QListWidget;
class QTextEdit;

namespace klw {

class TFO_FMAIL : public QDialog {
    Q_OBJECT
public:
    // `dialogs` replaces the window's own message boxes (tests script them).
    TFO_FMAIL(QWidget* owner, TDM_DAT_Mail& dmDat, Dialogs* dialogs = nullptr);

    void vorbelegen(const MailDraft& vorlage);
    const MailForm& formular() const { return form_; }
    QWidget* control(const QString& name) const { return widgets_.value(name); }

    static constexpr int kBreite = 701;
    static constexpr int kHoehe = 570;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    template <typename W> W* add(W* widget, const QString& name, const QRect& geometry);
    void button(const QString& name, const QRect& geometry, const QString& caption, const QIcon& icon,
                void (*handler)(MailContext&));
    void run(void (*handler)(MailContext&));
    void zeigen();
    void beschaeftigt(bool laeuft);

    MailForm form_;
    QtDialogs qtDialogs_{this};
    Dialogs& dialogs_;
    QHash<QString, QWidget*> widgets_;
    WidgetFocusOn<MailControlId> focus_{widgets_};
    MailContext kontext_;
    QLineEdit* f_an = nullptr;
    QLineEdit* f_ancc = nullptr;
    QLineEdit* f_betreff = nullptr;
    QLineEdit* f_anhang = nullptr;
    QTextEdit* f_memo = nullptr;
    QListWidget* lb_adressen = nullptr;
    QListWidget* lb_adressencc = nullptr;
    QPointer<QWidget> fokusVorher_;
};

}  // namespace klw
