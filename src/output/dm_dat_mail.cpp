#include "output/dm_dat_mail.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <stdexcept>

#include "base/text.h"
#include "output/sendmail_post.h"
#include "sheet/services.h"

namespace klw {

TDM_DAT_Mail::TDM_DAT_Mail()
{
    postdienstHolen = [] {
        return std::make_unique<SendmailPost>(QString::fromLatin1(SendmailPost::kSendmail), QStringList(),
                                              QCoreApplication::applicationDirPath() + QStringLiteral("/Adressbuch/"));
    };
}

QString TDM_DAT_Mail::ReplaceStr(const QString& text, const QString& suche, const QString& ersatz)
{
    return replaceAll(text, suche, ersatz);
}

std::unique_ptr<Postdienst> TDM_DAT_Mail::OleObjektHolen()
{
    std::unique_ptr<Postdienst> dienst = postdienstHolen();
    if (!dienst)
        throw std::runtime_error("Kein Mailprogramm verfügbar.");
    return dienst;
}

bool TDM_DAT_Mail::MailSenden(Dialogs& dialogs, const QString& betreff, const QString& an, const QString& cc,
                              const QString& text, const QStringList* anhaenge,
                              const std::function<void(bool laeuft)>& versand)
{
    std::unique_ptr<Postdienst> dienst = OleObjektHolen();
    Mail mail{betreff, an, cc, text + QStringLiteral("\r\r"), anhaenge ? *anhaenge : QStringList()};
    for (const QString& pfad : mail.anhaenge) {
        const QFileInfo datei(pfad);
        if (!datei.exists())
            throw std::runtime_error(
                QStringLiteral("Der Anhang \"%1\" ist nicht mehr vorhanden.\n\rDie Mail wurde nicht gesendet.")
                    .arg(pfad)
                    .toStdString());
        if (!datei.isFile() || !datei.isReadable())
            throw std::runtime_error(
                QStringLiteral("Der Anhang \"%1\" kann nicht gelesen werden.\n\rDie Mail wurde nicht gesendet.")
                    .arg(pfad)
                    .toStdString());
    }
    if (!dialogs.confirm(QStringLiteral("Mail senden?")))
        return false;
    struct Versand {
        const std::function<void(bool)>& melden;
        explicit Versand(const std::function<void(bool)>& m) : melden(m)
        {
            if (melden)
                melden(true);
        }
        ~Versand()
        {
            if (melden)
                melden(false);
        }
    } laeuft(versand);
    dienst->senden(mail);
    return true;
}

void TDM_DAT_Mail::AdressenLesen(Dialogs& dialogs, const QString& liste, QStringList& ziel)
{
    ziel.clear();
    std::unique_ptr<Postdienst> dienst = OleObjektHolen();
    auto schrittweise = [&ziel](auto&& lesen) {
        try {
            lesen();
        } catch (const std::exception&) {
            // A list that is missing or cannot be read is skipped; what it gave stays.
        }
    };
    try {
        dienst->adressbuchOeffnen();
        schrittweise([&] { ziel << dienst->adressliste(QStringLiteral("Kontakte")); });
        schrittweise([&] { ziel << dienst->adressliste(liste); });
        schrittweise([&] {
            for (const QString& adresse : dienst->kontaktAdressen()) {
                if (!isBlank(adresse))
                    ziel << adresse;
            }
        });
        if (ziel.isEmpty())
            dialogs.information(QStringLiteral("Die E-Mail Adressen können nicht nachgelesen werden."));
    } catch (const std::exception& e) {
        dialogs.information(
            QStringLiteral("Folgener Fehler ist beim Outlookadressbuch Nachlesen aufgetreten : \r\n\r\n") +
            QString::fromUtf8(e.what()));
    }
}

}  // namespace klw
