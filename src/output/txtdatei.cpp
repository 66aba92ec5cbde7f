#include "output/txtdatei.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>

#include "base/text.h"
#include "data/abfragen.h"
#include "data/lookups.h"
#include "output/ergebnis.h"
#include "sheet/context.h"

namespace klw {

namespace {

[[noreturn]] void schreibfehler(const QString& pfad, const QString& grund)
{
    throw std::runtime_error(
        QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(pfad, grund).toStdString());
}

// The whole record goes to a temporary file beside the target, which then takes the
// target's name: the result file is either complete or not there.
void schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly))
        schreibfehler(pfad, datei.errorString());
    if (datei.write(inhalt) != inhalt.size())
        schreibfehler(pfad, datei.errorString());
    if (!datei.commit())
        schreibfehler(pfad, datei.errorString());
}

}  // namespace

MailDraft mailDraftOf(Context& c)
{
    const Spielbogen& s = c.sheet;
    MailDraft v;
    v.betreff = QStringLiteral("KLW: ") + s.text("f_liga") + QStringLiteral(" Spieltag: ") + s.text("f_spieltag");

    // Without a league record read in this run there is no official to address; the
    // window then opens with the subject only, as for an official that is not found.
    db::Dataset& liga = c.abfragen.Q_LIGA;
    if (!liga.isOpen() || liga.isEmpty())
        return v;
    db::Dataset& sb = c.abfragen.Q_SB;
    if (TabelleSachbearbeiterLesen(c, sb, liga.fieldByName(QStringLiteral("BEARBEITERX")).asString()) != 1)
        return v;
    v.an = sb.fieldByName(QStringLiteral("EMAILX")).asString();
    v.zeilen = QStringList{
        QStringLiteral("Hallo ") + sb.fieldByName(QStringLiteral("VNAMEX")).asString() + QLatin1Char(' ') +
            sb.fieldByName(QStringLiteral("NNAMEX")).asString(),
        QString(),
        QStringLiteral("Liga:  ") + s.text("f_liga"),
        QStringLiteral("Spieltag:  ") + s.text("f_spieltag") + QStringLiteral("  vom  ") + s.text("f_datum"),
        QStringLiteral("Paarung:  <") + s.text("f_Heimteam") + QStringLiteral("> gegen <") + s.text("f_gastteam") +
            QLatin1Char('>'),
        QString(),
        QStringLiteral("Als Anhang unser aktuelle Spielberichtsbogen"),
        QString(),
        s.text("f_Heimteam"),
    };
    return v;
}

QString writeResultFile(Context& c)
{
    Spielbogen& s = c.sheet;
    if (isBlank(s.text("f_liga")) || isBlank(s.text("f_spieltag")) || isBlank(s.text("f_Heimteam")) ||
        isBlank(s.text("f_gastteam")))
        return {};

    s.Programmpfad = c.programFolder + QStringLiteral("MEKO/");
    const QString pfad = s.Programmpfad + ErgebnisDateiname(s);

    if (QFileInfo::exists(pfad) && !QFile::remove(pfad)) {
        c.dialogs.information(
            QStringLiteral("Datei konnte nicht gelöscht werden!\n\rDas Erzeugen der TXT-Datei wurde abgebrochen."));
        return {};
    }
    schreiben(pfad, toWindows1252(Ergebnissatz(s) + QStringLiteral("\r\n")));
    return pfad;
}

void TxtDateiErstellen(Context& c, const QString& berichtPdf)
{
    const QString datei = writeResultFile(c);
    if (datei.isEmpty())
        return;
    if (!c.dialogs.confirm(QStringLiteral("Ergebniss als Mail verschicken?")))
        return;
    MailDraft vorlage = mailDraftOf(c);
    if (!berichtPdf.isEmpty())
        vorlage.anhaenge = QStringList{berichtPdf, datei};
    c.windows.mail(vorlage);
}

}  // namespace klw
