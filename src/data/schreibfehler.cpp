#include "data/schreibfehler.h"

#include "dbengine/error.h"

namespace klw {

namespace {

QString grund(const std::exception& fehler)
{
    const auto* db = dynamic_cast<const db::Error*>(&fehler);
    if (!db)
        return QString();
    switch (db->kind()) {
    case db::Error::Kind::Busy:
    case db::Error::Kind::StaleSnapshot:
        return QStringLiteral("Die Datenbank ist von einem anderen Programm gesperrt. Bitte das andere Programm "
                              "beenden und es noch einmal versuchen.");
    case db::Error::Kind::DiskFull:
        return QStringLiteral("Der Datenträger ist voll. Bitte Platz schaffen und es noch einmal versuchen.");
    case db::Error::Kind::ReadOnly:
        return QStringLiteral("Die Datenbankdatei ist schreibgeschützt.");
    case db::Error::Kind::FileGone:
        return QStringLiteral("Die Datenbankdatei Datenbank/KLW.abs wurde gelöscht oder ersetzt, während KLW lief. "
                              "Bis zu einem Neustart von KLW wird nichts gespeichert.");
    case db::Error::Kind::Other:
        break;
    }
    return QString();
}

}  // namespace

QString writeFailureText(const QString& was, const std::exception& fehler)
{
    const QString warum = grund(fehler);
    const QString engine = QString::fromUtf8(fehler.what());
    QString text = was + QStringLiteral("\n\r");
    if (!warum.isEmpty())
        text += warum + QLatin1Char(' ');
    return text + QLatin1Char('(') + engine + QLatin1Char(')');
}

}  // namespace klw
