#pragma once
// Opening the mail window from a handler: the window shows modally, pre-filled, and
// returns when the user has closed it. The Qt window implements it; tests script it.

#include <QString>
#include <QStringList>

namespace klw {

struct MailVorlage {
    QString betreff;  // f_betreff
    QString an;  // f_an
    QStringList zeilen;  // lines of f_memo
    QStringList anhaenge = {};  // paths for f_anhang, in this order
};

class MailFensterDienst {
public:
    virtual ~MailFensterDienst() = default;
    virtual void mailFensterZeigen(const MailVorlage& vorlage) = 0;
};

}  // namespace klw
