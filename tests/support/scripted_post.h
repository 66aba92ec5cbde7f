#pragma once
// A scripted mail service: address lists and contacts from tables, sent mails recorded.

#include <QHash>
#include <QList>
#include <QStringList>
#include <optional>
#include <stdexcept>

#include "output/postdienst.h"

namespace klw::test {

struct ScriptedPost : Postdienst {
    QHash<QString, QStringList> listen;  // a list that is not here is missing
    std::optional<QStringList> kontakte;  // missing when empty
    QString buchFehler;  // the address book cannot be opened
    QString sendeFehler;  // the hand-over fails
    QList<Mail>* gesendet = nullptr;

    void adressbuchOeffnen() override
    {
        if (!buchFehler.isEmpty())
            throw std::runtime_error(buchFehler.toStdString());
    }
    QStringList adressliste(const QString& name) override
    {
        if (!listen.contains(name))
            throw std::runtime_error("no such list");
        return listen.value(name);
    }
    QStringList kontaktAdressen() override
    {
        if (!kontakte)
            throw std::runtime_error("no contacts");
        return *kontakte;
    }
    void senden(const Mail& m) override
    {
        if (!sendeFehler.isEmpty())
            throw std::runtime_error(sendeFehler.toStdString());
        gesendet->append(m);
    }
};

}  // namespace klw::test
