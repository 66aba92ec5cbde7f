#include "output/vcard.h"

#include <QFile>

namespace klw {

namespace {

// Unfolds continuation lines (a line that starts with a blank or a TAB continues the one before).
QStringList logischeZeilen(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList zeilen;
    for (const QString& zeile : t.split(QLatin1Char('\n'))) {
        if (!zeilen.isEmpty() && (zeile.startsWith(QLatin1Char(' ')) || zeile.startsWith(QLatin1Char('\t'))))
            zeilen.last() += zeile.mid(1);
        else
            zeilen << zeile;
    }
    return zeilen;
}

QString entschluesselt(const QString& wert)
{
    QString r;
    r.reserve(wert.size());
    for (qsizetype i = 0; i < wert.size(); ++i) {
        const QChar c = wert[i];
        if (c == QLatin1Char('\\') && i + 1 < wert.size()) {
            const QChar n = wert[++i];
            r += (n == QLatin1Char('n') || n == QLatin1Char('N')) ? QChar(QLatin1Char('\n')) : n;
        } else {
            r += c;
        }
    }
    return r;
}

struct Eigenschaft {
    QString name;  // upper case, without group
    QString wert;
};

std::optional<Eigenschaft> eigenschaft(const QString& zeile)
{
    const qsizetype doppelpunkt = zeile.indexOf(QLatin1Char(':'));
    if (doppelpunkt <= 0)
        return std::nullopt;
    QString name = zeile.left(doppelpunkt).section(QLatin1Char(';'), 0, 0).trimmed().toUpper();
    name = name.section(QLatin1Char('.'), -1);  // "item1.EMAIL" is an EMAIL
    if (name.isEmpty())
        return std::nullopt;
    return Eigenschaft{name, zeile.mid(doppelpunkt + 1)};
}

}  // namespace

QList<VCard> VCardsLesen(const QByteArray& inhalt)
{
    QList<VCard> karten;
    std::optional<VCard> karte;  // the card being read
    bool fehlerhaft = false;
    for (const QString& zeile : logischeZeilen(QString::fromUtf8(inhalt))) {
        if (zeile.trimmed().isEmpty())
            continue;
        const std::optional<Eigenschaft> e = eigenschaft(zeile);
        if (e && e->name == QLatin1String("BEGIN") && e->wert.trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0) {
            // A card that never ended is dropped; the new one starts clean.
            karte = VCard{};
            fehlerhaft = false;
            continue;
        }
        if (!karte)
            continue;  // outside any card
        if (!e) {
            fehlerhaft = true;
            continue;
        }
        if (e->name == QLatin1String("END")) {
            if (!fehlerhaft)
                karten << *karte;
            karte.reset();
        } else if (e->name == QLatin1String("FN")) {
            karte->name = entschluesselt(e->wert);
        } else if (e->name == QLatin1String("EMAIL")) {
            karte->adressen << entschluesselt(e->wert);
        }
    }
    return karten;
}

std::optional<QList<VCard>> VCardDateiLesen(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return std::nullopt;
    return VCardsLesen(datei.readAll());
}

}  // namespace klw
