// GLib's headers go before Qt's, whose 'signals' keyword they would otherwise meet.
#include <glib.h>

#include "output/vcard.h"

#include <QFile>
#include <QStringDecoder>
#include <cctype>

#include "base/text.h"

namespace klw {

namespace {

// The part of a line before its first colon that is not inside double quotes (4.0 allows
// quoted parameter values holding ':' and ';'); -1 when there is none.
qsizetype kopfEnde(const QByteArray& zeile)
{
    bool inAnfuehrung = false;
    for (qsizetype i = 0; i < zeile.size(); ++i) {
        if (zeile[i] == '"')
            inAnfuehrung = !inAnfuehrung;
        else if (zeile[i] == ':' && !inAnfuehrung)
            return i;
    }
    return -1;
}

bool quotedPrintable(const QByteArray& zeile)
{
    const qsizetype ende = kopfEnde(zeile);
    return ende > 0 && zeile.left(ende).toUpper().contains("QUOTED-PRINTABLE");
}

// Joins folded lines on the bytes: a line that starts with a blank or a TAB continues the
// one before (without that blank), and a quoted-printable value that ends in '=' (a soft
// line break) goes on with the next line as it stands.
QList<QByteArray> logischeZeilen(QByteArray inhalt)
{
    if (inhalt.startsWith("\xEF\xBB\xBF"))
        inhalt.remove(0, 3);
    QList<QByteArray> zeilen;
    bool weich = false;
    for (const QByteArray& zeile : withLineFeeds(inhalt).split('\n')) {
        if (weich) {
            zeilen.last().chop(1);
            zeilen.last() += zeile;
        } else if (!zeilen.isEmpty() && (zeile.startsWith(' ') || zeile.startsWith('\t'))) {
            zeilen.last() += zeile.mid(1);
        } else {
            zeilen << zeile;
        }
        weich = zeilen.last().endsWith('=') && quotedPrintable(zeilen.last());
    }
    return zeilen;
}

// Splits at `trenner` outside double quotes and not escaped by a backslash.
QList<QByteArray> teilen(const QByteArray& text, char trenner)
{
    QList<QByteArray> teile{QByteArray()};
    bool inAnfuehrung = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            teile.last() += c;
            teile.last() += text[++i];
            continue;
        }
        if (c == '"')
            inAnfuehrung = !inAnfuehrung;
        if (c == trenner && !inAnfuehrung)
            teile << QByteArray();
        else
            teile.last() += c;
    }
    return teile;
}

int hexWert(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "=XX" is the byte XX; an '=' that does not start one stays as it is.
QByteArray quotedPrintableDecodiert(const QByteArray& wert)
{
    QByteArray r;
    r.reserve(wert.size());
    for (qsizetype i = 0; i < wert.size(); ++i) {
        const int hoch = wert[i] == '=' && i + 2 < wert.size() ? hexWert(wert[i + 1]) : -1;
        const int tief = hoch < 0 ? -1 : hexWert(wert[i + 2]);
        if (tief >= 0) {
            r += char(hoch * 16 + tief);
            i += 2;
        } else {
            r += wert[i];
        }
    }
    return r;
}

std::optional<QString> umgewandelt(const QByteArray& bytes, const QByteArray& zeichensatz)
{
    gsize geschrieben = 0;
    GError* fehler = nullptr;
    gchar* utf8 = g_convert(bytes.constData(), gssize(bytes.size()), "UTF-8", zeichensatz.constData(), nullptr,
                            &geschrieben, &fehler);
    if (!utf8) {
        g_clear_error(&fehler);
        return std::nullopt;
    }
    const QString text = QString::fromUtf8(utf8, qsizetype(geschrieben));
    g_free(utf8);
    return text;
}

// The value's text in its CHARSET. Without one the text is UTF-8 (3.0 and 4.0); bytes that
// are not UTF-8 come from an old Windows export and are Windows-1252.
std::optional<QString> alsText(const QByteArray& bytes, const QByteArray& zeichensatz)
{
    if (!zeichensatz.isEmpty() && zeichensatz.compare("UTF-8", Qt::CaseInsensitive) != 0)
        return umgewandelt(bytes, zeichensatz);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return umgewandelt(bytes, "WINDOWS-1252");
}

QString entschluesselt(const QByteArray& wert, const QByteArray& zeichensatz, bool& lesbar)
{
    const std::optional<QString> text = alsText(wert, zeichensatz);
    lesbar = text.has_value();
    if (!text)
        return {};
    QString r;
    r.reserve(text->size());
    for (qsizetype i = 0; i < text->size(); ++i) {
        const QChar c = text->at(i);
        if (c == QLatin1Char('\\') && i + 1 < text->size()) {
            const QChar n = text->at(++i);
            r += (n == QLatin1Char('n') || n == QLatin1Char('N')) ? QChar(QLatin1Char('\n')) : n;
        } else {
            r += c;
        }
    }
    return r;
}

struct Eigenschaft {
    QByteArray name;  // upper case, without group
    QByteArray wert;  // transfer encoding removed, still escaped
    QByteArray zeichensatz;
    bool bevorzugt = false;  // TYPE=PREF (2.1, 3.0) or PREF=n (4.0)
};

bool gueltigerName(const QByteArray& name)
{
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-'))
            return false;
    }
    return true;
}

std::optional<Eigenschaft> eigenschaft(const QByteArray& zeile)
{
    const qsizetype ende = kopfEnde(zeile);
    if (ende <= 0)
        return std::nullopt;
    const QList<QByteArray> kopf = teilen(zeile.left(ende), ';');
    Eigenschaft e;
    e.name = kopf.first().trimmed().toUpper();
    e.name = e.name.mid(e.name.lastIndexOf('.') + 1);  // "item1.EMAIL" is an EMAIL
    if (!gueltigerName(e.name))
        return std::nullopt;
    bool qp = false;
    for (qsizetype i = 1; i < kopf.size(); ++i) {
        const QByteArray parameter = kopf[i].trimmed().toUpper();
        const qsizetype gleich = parameter.indexOf('=');
        const QByteArray schluessel = gleich < 0 ? QByteArray() : parameter.left(gleich);
        QByteArray wert = gleich < 0 ? parameter : parameter.mid(gleich + 1);
        wert.replace('"', QByteArray());
        if (schluessel == "CHARSET")
            e.zeichensatz = wert;
        else if (schluessel == "PREF")
            e.bevorzugt = true;
        else if ((schluessel.isEmpty() || schluessel == "ENCODING") && wert == "QUOTED-PRINTABLE")
            qp = true;
        else if ((schluessel.isEmpty() || schluessel == "TYPE") && wert.split(',').contains("PREF"))
            e.bevorzugt = true;
    }
    e.wert = zeile.mid(ende + 1);
    if (qp)
        e.wert = quotedPrintableDecodiert(e.wert);
    return e;
}

// N is family;given;additional;prefixes;suffixes; the name reads prefixes to suffixes.
QString nameAusN(const Eigenschaft& e, bool& lesbar)
{
    const QList<QByteArray> teile = teilen(e.wert, ';');
    QStringList name;
    for (const int i : {3, 1, 2, 0, 4}) {
        if (i < teile.size()) {
            const QString teil = entschluesselt(teile[i], e.zeichensatz, lesbar).trimmed();
            if (!lesbar)
                return {};
            if (!teil.isEmpty())
                name << teil;
        }
    }
    return name.join(QLatin1Char(' '));
}

struct Karte {
    VCard karte;
    QString nameAusN;
    qsizetype bevorzugt = -1;  // index of the preferred address

    VCard fertig() const
    {
        VCard k = karte;
        if (k.name.isEmpty())
            k.name = nameAusN;
        if (bevorzugt > 0)
            k.adressen.move(bevorzugt, 0);
        return k;
    }
};

}  // namespace

QList<VCard> VCardsLesen(const QByteArray& inhalt)
{
    QList<VCard> karten;
    std::optional<Karte> karte;  // the card being read
    for (const QByteArray& zeile : logischeZeilen(inhalt)) {
        const std::optional<Eigenschaft> e = eigenschaft(zeile);
        if (!e)
            continue;  // a blank or unreadable line; the card goes on
        const bool vcard = e->wert.trimmed().compare("VCARD", Qt::CaseInsensitive) == 0;
        if (e->name == "BEGIN" && vcard) {
            karte = Karte{};  // a card that never ended is dropped; the new one starts clean
            continue;
        }
        if (!karte)
            continue;  // outside any card
        bool lesbar = true;
        if (e->name == "END" && vcard) {
            karten << karte->fertig();
            karte.reset();
        } else if (e->name == "FN") {
            const QString name = entschluesselt(e->wert, e->zeichensatz, lesbar);
            if (lesbar)
                karte->karte.name = name;
        } else if (e->name == "N") {
            const QString name = nameAusN(*e, lesbar);
            if (lesbar)
                karte->nameAusN = name;
        } else if (e->name == "EMAIL") {
            QString adresse = entschluesselt(e->wert, e->zeichensatz, lesbar);
            if (adresse.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
                adresse.remove(0, 7);
            if (lesbar) {
                if (e->bevorzugt && karte->bevorzugt < 0)
                    karte->bevorzugt = karte->karte.adressen.size();
                karte->karte.adressen << adresse;
            }
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
