#pragma once
// Reading the address book's vCard files as the desktop address books export them
// (vCard 2.1, 3.0 and 4.0): display name (FN, else the name from N) and e-mail addresses
// (EMAIL) of every card. Folded lines are joined on the bytes before they are decoded, so
// that a letter split across two lines stays whole; quoted-printable values are decoded in
// their CHARSET. A line that cannot be read is skipped, the rest of its card is kept.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace klw {

struct VCard {
    QString name;  // FN
    QStringList adressen;  // EMAIL: the preferred one first, the others in file order
};

QList<VCard> VCardsLesen(const QByteArray& inhalt);

// The cards of a file; nothing when the file is missing or unreadable.
std::optional<QList<VCard>> VCardDateiLesen(const QString& pfad);

}  // namespace klw
