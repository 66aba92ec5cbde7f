#pragma once
// The program's mail service: the mail is built as MIME and handed to the system's mail
// submission program through the sendmail interface (program -t -oi, the message on its
// standard input); the submission program's account settings lie outside the program.
// The address book is a folder of vCard files: the list named N is N.vcf, the contacts
// store is Kontakte.vcf.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>

#include "output/postdienst.h"

namespace klw {

class SendmailPost : public Postdienst {
public:
    static constexpr const char* kSendmail = "/usr/sbin/sendmail";

    // `programm` with `argumente` before "-t -oi" (a test passes msmtp and "-C", its
    // configuration). Throws when the program is not installed.
    SendmailPost(const QString& programm, const QStringList& argumente, const QString& adressbuchOrdner);

    void adressbuchOeffnen() override;
    QStringList adressliste(const QString& name) override;
    QStringList kontaktAdressen() override;
    void senden(const Mail& mail) override;

    // The message as it goes to the submission program; display names resolved.
    QByteArray nachricht(const Mail& mail) const;

    // How long the submission program may take before the send fails.
    std::chrono::milliseconds wartezeit{30000};

private:
    QString adresseZuName(const QString& name) const;

    QString programm_;
    QStringList argumente_;
    QString adressbuch_;  // with trailing '/'
};

}  // namespace klw
