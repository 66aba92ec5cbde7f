#pragma once
// The text and mail operations of DM_DAT. The mail service is acquired for one operation
// and released at its end, as a desktop mail program would be.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "output/postdienst.h"

namespace klw {

class Dialogs;

class TDM_DAT_Mail {
public:
    // The program's service: /usr/sbin/sendmail and the vCards of <program folder>/Adressbuch/.
    TDM_DAT_Mail();

    // Every occurrence of `suche` replaced, scanning left to right and going on after each
    // replacement; an empty search string changes nothing.
    static QString ReplaceStr(const QString& text, const QString& suche, const QString& ersatz);

    // The mail service; throws when it cannot be had (no submission program installed).
    std::unique_ptr<Postdienst> OleObjektHolen();

    // Fills a mail, asks "Mail senden?" and sends it only on Ja; true when it was sent. A
    // missing attachment or a failed hand-over throws, and nothing is sent. `versand` is told
    // when the hand-over starts (true) and when it has ended (false), also when it failed.
    bool MailSenden(Dialogs& dialogs, const QString& betreff, const QString& an, const QString& cc, const QString& text,
                    const QStringList* anhaenge = nullptr, const std::function<void(bool laeuft)>& versand = {});

    // Clears `ziel`, then lists the names of "Kontakte", the names of the list named
    // `liste` and the contacts' addresses that are not blank. Missing lists are skipped.
    void AdressenLesen(Dialogs& dialogs, const QString& liste, QStringList& ziel);

    // How the mail service is made; tests put their own here.
    std::function<std::unique_ptr<Postdienst>()> postdienstHolen;
};

}  // namespace klw
