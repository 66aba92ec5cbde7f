// GLib's headers go before Qt's, whose 'signals' keyword they would otherwise meet.
#include <gmime/gmime.h>

#include "output/sendmail_post.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QTimer>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "base/text.h"
#include "output/vcard.h"

namespace klw {

namespace {

const QString kKontakte = QStringLiteral("Kontakte");

[[noreturn]] void fehler(const QString& text)
{
    throw std::runtime_error(text.toStdString());
}

void gmimeStarten()
{
    static std::once_flag einmal;
    std::call_once(einmal, [] { g_mime_init(); });
}

// Owns one GObject reference.
template <typename T> struct GRef {
    T* p;
    explicit GRef(T* object) : p(object) {}
    ~GRef()
    {
        if (p)
            g_object_unref(p);
    }
    GRef(const GRef&) = delete;
    GRef& operator=(const GRef&) = delete;
};

// The text as UTF-8, labelled so. (g_mime_text_part_set_text would convert it to the
// smallest charset that holds it, and the label would then no longer fit the bytes.)
GMimeObject* textTeil(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    GMimeTextPart* teil = g_mime_text_part_new_with_subtype("plain");
    g_mime_text_part_set_charset(teil, "utf-8");
    GRef<GMimeStream> strom(g_mime_stream_mem_new_with_buffer(utf8.constData(), size_t(utf8.size())));
    GRef<GMimeDataWrapper> daten(g_mime_data_wrapper_new_with_stream(strom.p, GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(GMIME_PART(teil), daten.p);
    // Base64 keeps the text's line ends exactly as they are.
    g_mime_part_set_content_encoding(GMIME_PART(teil), GMIME_CONTENT_ENCODING_BASE64);
    return GMIME_OBJECT(teil);
}

GMimeObject* anhangTeil(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        fehler(QStringLiteral("Der Anhang \"%1\" kann nicht gelesen werden: %2").arg(pfad, datei.errorString()));
    const QByteArray inhalt = datei.readAll();
    const QString typ = QMimeDatabase().mimeTypeForFile(pfad).name();

    GMimePart* teil = g_mime_part_new_with_type(typ.section(QLatin1Char('/'), 0, 0).toUtf8().constData(),
                                                typ.section(QLatin1Char('/'), 1).toUtf8().constData());
    GRef<GMimeStream> strom(g_mime_stream_mem_new_with_buffer(inhalt.constData(), size_t(inhalt.size())));
    GRef<GMimeDataWrapper> daten(g_mime_data_wrapper_new_with_stream(strom.p, GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(teil, daten.p);
    g_mime_part_set_filename(teil, QFileInfo(pfad).fileName().toUtf8().constData());
    g_mime_part_set_content_encoding(teil, GMIME_CONTENT_ENCODING_BASE64);
    return GMIME_OBJECT(teil);
}

}  // namespace

SendmailPost::SendmailPost(const QString& programm, const QStringList& argumente, const QString& adressbuchOrdner)
    : programm_(programm), argumente_(argumente), adressbuch_(adressbuchOrdner)
{
    if (!adressbuch_.endsWith(QLatin1Char('/')))
        adressbuch_ += QLatin1Char('/');
    const QFileInfo info(programm_);
    if (!info.isFile() || !info.isExecutable())
        fehler(QStringLiteral("Das Mailprogramm %1 ist nicht installiert.").arg(programm_));
}

void SendmailPost::adressbuchOeffnen()
{
    const QFileInfo ordner(adressbuch_);
    if (ordner.exists() && (!ordner.isDir() || !ordner.isReadable()))
        fehler(
            QStringLiteral("Das Adressbuch %1 kann nicht gelesen werden.").arg(QDir::toNativeSeparators(adressbuch_)));
}

QStringList SendmailPost::adressliste(const QString& name)
{
    const auto karten = VCardDateiLesen(adressbuch_ + name + QStringLiteral(".vcf"));
    if (!karten)
        fehler(QStringLiteral("Die Adressliste %1 gibt es nicht.").arg(name));
    QStringList namen;
    for (const VCard& k : *karten) {
        if (!k.name.isEmpty())
            namen << k.name;
    }
    return namen;
}

QStringList SendmailPost::kontaktAdressen()
{
    const auto karten = VCardDateiLesen(adressbuch_ + kKontakte + QStringLiteral(".vcf"));
    if (!karten)
        fehler(QStringLiteral("Es gibt keine Kontakte."));
    QStringList adressen;
    for (const VCard& k : *karten)
        adressen << (k.adressen.isEmpty() ? QString() : k.adressen.first());
    return adressen;
}

QString SendmailPost::adresseZuName(const QString& name) const
{
    // The contacts first, then every address list in name order.
    QStringList dateien{kKontakte + QStringLiteral(".vcf")};
    for (const QString& d : QDir(adressbuch_).entryList({QStringLiteral("*.vcf")}, QDir::Files, QDir::Name)) {
        if (d != dateien.first())
            dateien << d;
    }
    for (const QString& d : dateien) {
        const auto karten = VCardDateiLesen(adressbuch_ + d);
        if (!karten)
            continue;
        for (const VCard& k : *karten) {
            if (k.name == name) {
                for (const QString& a : k.adressen) {
                    if (!isBlank(a))
                        return a.trimmed();
                }
            }
        }
    }
    fehler(QStringLiteral("Der Empfänger \"%1\" ist im Adressbuch nicht zu finden.").arg(name));
}

QByteArray SendmailPost::nachricht(const Mail& mail) const
{
    gmimeStarten();
    GRef<GMimeMessage> m(g_mime_message_new(TRUE));
    g_mime_message_set_subject(m.p, mail.betreff.toUtf8().constData(), "utf-8");

    // Display names, like the subject, go into the headers as RFC 2047 words in UTF-8.
    auto empfaenger = [&](const QString& liste, GMimeAddressType art) {
        InternetAddressList* ziel = g_mime_message_get_addresses(m.p, art);
        for (const QString& teil : trimmedParts(liste, QLatin1Char(';'))) {
            if (teil.contains(QLatin1Char('@'))) {
                GRef<InternetAddressList> gelesen(internet_address_list_parse(nullptr, teil.toUtf8().constData()));
                if (!gelesen.p || internet_address_list_length(gelesen.p) == 0)
                    fehler(QStringLiteral("Die Adresse \"%1\" ist ungültig.").arg(teil));
                for (int i = 0; i < internet_address_list_length(gelesen.p); ++i)
                    internet_address_set_charset(internet_address_list_get_address(gelesen.p, i), "utf-8");
                internet_address_list_append(ziel, gelesen.p);
            } else {
                const QString adresse = adresseZuName(teil);
                GRef<InternetAddress> a(
                    internet_address_mailbox_new(teil.toUtf8().constData(), adresse.toUtf8().constData()));
                internet_address_set_charset(a.p, "utf-8");
                internet_address_list_add(ziel, a.p);
            }
        }
    };
    empfaenger(mail.an, GMIME_ADDRESS_TYPE_TO);
    empfaenger(mail.cc, GMIME_ADDRESS_TYPE_CC);

    GDateTime* jetzt = g_date_time_new_now_local();
    g_mime_message_set_date(m.p, jetzt);
    g_date_time_unref(jetzt);
    char* kennung = g_mime_utils_generate_message_id("klw.invalid");
    g_mime_message_set_message_id(m.p, kennung);
    g_free(kennung);

    if (mail.anhaenge.isEmpty()) {
        GRef<GMimeObject> text(textTeil(mail.text));
        g_mime_message_set_mime_part(m.p, text.p);
    } else {
        GRef<GMimeMultipart> teile(g_mime_multipart_new_with_subtype("mixed"));
        {
            GRef<GMimeObject> text(textTeil(mail.text));
            g_mime_multipart_add(teile.p, text.p);
        }
        for (const QString& pfad : mail.anhaenge) {
            GRef<GMimeObject> anhang(anhangTeil(pfad));
            g_mime_multipart_add(teile.p, anhang.p);
        }
        g_mime_message_set_mime_part(m.p, GMIME_OBJECT(teile.p));
    }

    GRef<GMimeStream> strom(g_mime_stream_mem_new());
    g_mime_object_write_to_stream(GMIME_OBJECT(m.p), nullptr, strom.p);
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(strom.p));
    return QByteArray(reinterpret_cast<const char*>(bytes->data), qsizetype(bytes->len));
}

void SendmailPost::senden(const Mail& mail)
{
    const QByteArray daten = nachricht(mail);

    // The submission program runs while the event loop goes on, so that the windows are
    // still drawn; the caller keeps the user's input away meanwhile (a disabled window).
    QProcess prozess;
    QEventLoop warten;
    bool gestartet = false;
    QObject::connect(&prozess, &QProcess::started, &warten, [&] {
        gestartet = true;
        prozess.write(daten);
        prozess.closeWriteChannel();
    });
    QObject::connect(&prozess, &QProcess::finished, &warten, &QEventLoop::quit);
    QObject::connect(&prozess, &QProcess::errorOccurred, &warten, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            warten.quit();
    });
    QTimer uhr;
    uhr.setSingleShot(true);
    QObject::connect(&uhr, &QTimer::timeout, &warten, &QEventLoop::quit);

    uhr.start(wartezeit);
    prozess.start(programm_, argumente_ + QStringList{QStringLiteral("-t"), QStringLiteral("-oi")});
    if (prozess.state() != QProcess::NotRunning)
        warten.exec();

    if (!gestartet)
        fehler(QStringLiteral("Das Mailprogramm %1 konnte nicht gestartet werden: %2")
                   .arg(programm_, prozess.errorString()));
    if (prozess.state() != QProcess::NotRunning) {
        prozess.kill();
        prozess.waitForFinished(5000);
        fehler(
            QStringLiteral(
                "Das Mailprogramm %1 hat nicht innerhalb von %2 Sekunden geantwortet; die Mail wurde nicht gesendet.")
                .arg(programm_)
                .arg(wartezeit.count() / 1000.0));
    }
    if (prozess.exitStatus() != QProcess::NormalExit)
        fehler(QStringLiteral("Das Mailprogramm %1 ist abgebrochen; die Mail wurde nicht gesendet.").arg(programm_));
    if (prozess.exitCode() != 0) {
        QString meldung = QString::fromLocal8Bit(prozess.readAllStandardError()).trimmed();
        if (meldung.isEmpty())
            meldung = QString::fromLocal8Bit(prozess.readAllStandardOutput()).trimmed();
        if (meldung.isEmpty())
            fehler(QStringLiteral("Das Mailprogramm %1 hat mit dem Fehlercode %2 geendet, ohne den Grund zu nennen; "
                                  "die Mail wurde nicht gesendet.")
                       .arg(programm_)
                       .arg(prozess.exitCode()));
        fehler(QStringLiteral("Das Mailprogramm %1 meldet einen Fehler (%2): %3")
                   .arg(programm_)
                   .arg(prozess.exitCode())
                   .arg(meldung));
    }
}

}  // namespace klw
