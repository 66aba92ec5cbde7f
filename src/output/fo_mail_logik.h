#pragma once
// What the mail window does, over its own small model: the window binds its widgets to
// MailForm and routes its events to these handlers.

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <string_view>

#include "sheet/services.h"

namespace klw {

class Dialogs;
class TDM_DAT_Mail;

// The controls of the mail window that a handler names.
inline constexpr std::array<std::string_view, 5> kMailControlNames{"f_an", "f_ancc", "f_betreff", "f_memo", "f_anhang"};
using MailControlId = CheckedName<kMailControlNames>;
using MailFocus = FocusOn<MailControlId>;

struct MailForm {
    QString f_an;  // recipients, separated by ';'
    QString f_ancc;  // copy recipients
    QString f_betreff;
    QString f_memo;  // lines separated by '\n'
    QString f_anhang;  // paths of the attachments, separated by "; "
    QStringList lb_adressen;
    QStringList lb_adressencc;
    int lb_adressenIndex = -1;  // selected entry, -1 for none
    int lb_adressenccIndex = -1;
    bool lb_adressenVisible = false;
    bool lb_adressenccVisible = false;
    bool geschlossen = false;  // the window is to close
};

struct MailContext {
    MailForm& form;
    Dialogs& dialogs;
    MailFocus& focus;
    TDM_DAT_Mail& DM_DAT;
    // Told while the mail is being handed over: the window shows it is busy.
    std::function<void(bool laeuft)> versand = {};
};

inline const QString kGlobalesAdressbuch = QStringLiteral("Globales Adressbuch");

// The attachment paths in the text of f_anhang, in order: the parts between the ';', without
// the blanks around them; blank parts are no path.
QStringList AnhangListe(const QString& f_anhang);
// The text of f_anhang for these paths.
QString AnhangText(const QStringList& pfade);

namespace FO_MAIL {

void bt_anClick(MailContext& m);
void bt_anccClick(MailContext& m);
void lb_adressenDblClick(MailContext& m);
void lb_adressenccDblClick(MailContext& m);
void FormClick(MailContext& m);
void bt_pfad1Click(MailContext& m);
void bt_leerenClick(MailContext& m);
void bt_sendenClick(MailContext& m);
void bt_closeClick(MailContext& m);

}  // namespace FO_MAIL

}  // namespace klw
