#pragma once
// The mail service behind the mail operations of DM_DAT: it sends a mail and reads names
// and addresses from the address book. The program's own one hands the mail to the
// system's submission program; tests script one.

#include <QString>
#include <QStringList>

namespace klw {

struct Mail {
    QString betreff;
    QString an;  // recipients separated by ';': addresses or display names
    QString cc;
    QString text;
    QStringList anhaenge;  // file paths, in this order
};

class Postdienst {
public:
    virtual ~Postdienst() = default;
    // Opens the address book; throws when it exists but cannot be read.
    virtual void adressbuchOeffnen() = 0;
    // The display names of the address list with this name; throws when there is no such list.
    virtual QStringList adressliste(const QString& name) = 0;
    // The first e-mail address of every contact of the contacts store, blank ones included;
    // throws when there is no contacts store.
    virtual QStringList kontaktAdressen() = 0;
    // Sends the mail; throws with the reason when it could not be handed over.
    virtual void senden(const Mail& mail) = 0;
};

}  // namespace klw
