#pragma once
// Reading the address book's vCard files: display name (FN) and e-mail addresses (EMAIL)
// of every card. A card that is not well formed is skipped; the others are read.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace klw {

struct VCard {
    QString name;         // FN
    QStringList adressen;  // EMAIL, in file order
};

QList<VCard> VCardsLesen(const QByteArray& inhalt);

// The cards of a file; nothing when the file is missing or unreadable.
std::optional<QList<VCard>> VCardDateiLesen(const QString& pfad);

}  // namespace klw
