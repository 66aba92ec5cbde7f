#pragma once
// What the mail window does, over its own small model: the window binds its widgets to
// MailFormular and routes its events to these handlers.

#include <QString>
#include <QStringList>

namespace klw {

class Dialogs;
class Focus;
class TDM_DAT_Mail;

struct MailFormular {
    QString f_an;      // recipients, separated by ';'
    QString f_ancc;    // copy recipients
    QString f_betreff;
    QString f_memo;    // lines separated by '\n'
    QString f_anhang;  // path of the one attachment
    QStringList lb_adressen;
    QStringList lb_adressencc;
    int lb_adressenIndex = -1;  // selected entry, -1 for none
    int lb_adressenccIndex = -1;
    bool lb_adressenVisible = false;
    bool lb_adressenccVisible = false;
    bool geschlossen = false;  // the window is to close
};

struct MailKontext {
    MailFormular& form;
    Dialogs& dialogs;
    Focus& focus;
    TDM_DAT_Mail& DM_DAT;
};

inline const QString kGlobalesAdressbuch = QStringLiteral("Globales Adressbuch");

namespace FO_MAIL {

void bt_anClick(MailKontext& m);
void bt_anccClick(MailKontext& m);
void lb_adressenDblClick(MailKontext& m);
void lb_adressenccDblClick(MailKontext& m);
void FormClick(MailKontext& m);
void bt_pfad1Click(MailKontext& m);
void bt_leerenClick(MailKontext& m);
void bt_sendenClick(MailKontext& m);
void bt_closeClick(MailKontext& m);

}  // namespace FO_MAIL

}  // namespace klw
