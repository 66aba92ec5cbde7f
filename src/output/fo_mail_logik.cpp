#include "output/fo_mail_logik.h"

#include "base/text.h"
#include "output/dm_dat_mail.h"
#include "sheet/services.h"

namespace klw {

QStringList AnhangListe(const QString& f_anhang)
{
    return trimmedParts(f_anhang, QLatin1Char(';'));
}

QString AnhangText(const QStringList& pfade)
{
    return pfade.join(QStringLiteral("; "));
}

}  // namespace klw

namespace klw::FO_MAIL {

namespace {

void uebernehmen(const QStringList& liste, int index, QString& feld)
{
    if (index < 0 || index >= liste.size())
        return;
    feld = isBlank(feld) ? liste[index] : feld + QLatin1Char(';') + liste[index];
}

}  // namespace

void bt_anClick(MailContext& m)
{
    m.form.lb_adressenIndex = -1;
    m.DM_DAT.AdressenLesen(m.dialogs, kGlobalesAdressbuch, m.form.lb_adressen);
    m.form.lb_adressenVisible = true;
}

void bt_anccClick(MailContext& m)
{
    m.form.lb_adressenccIndex = -1;
    m.DM_DAT.AdressenLesen(m.dialogs, kGlobalesAdressbuch, m.form.lb_adressencc);
    m.form.lb_adressenccVisible = true;
}

void lb_adressenDblClick(MailContext& m)
{
    uebernehmen(m.form.lb_adressen, m.form.lb_adressenIndex, m.form.f_an);
}

void lb_adressenccDblClick(MailContext& m)
{
    uebernehmen(m.form.lb_adressencc, m.form.lb_adressenccIndex, m.form.f_ancc);
}

void FormClick(MailContext& m)
{
    m.form.lb_adressenVisible = false;
    m.form.lb_adressenccVisible = false;
}

void bt_pfad1Click(MailContext& m)
{
    const QString datei = m.dialogs.chooseFile();
    if (!datei.isEmpty())
        m.form.f_anhang = AnhangText(AnhangListe(m.form.f_anhang) << datei);
}

void bt_leerenClick(MailContext& m)
{
    if (m.dialogs.confirm(QStringLiteral("Sollen wirklich alle Anhänge aus der Mail gelöscht werden?")))
        m.form.f_anhang.clear();
}

void bt_sendenClick(MailContext& m)
{
    MailForm& f = m.form;
    if (isBlank(f.f_an)) {
        m.dialogs.information(QStringLiteral("Feld Empfänger muß gefüllt werden!"));
        m.focus.setFocus("f_an");
        return;
    }
    if (isBlank(f.f_betreff)) {
        m.dialogs.information(QStringLiteral("Feld Betreff muß gefüllt werden!"));
        m.focus.setFocus("f_betreff");
        return;
    }
    if (isBlank(f.f_anhang) && !m.dialogs.confirm(QStringLiteral("Kein Anhang eingetragen, dennoch senden?"))) {
        m.focus.setFocus("f_anhang");
        return;
    }
    const QStringList anhaenge = AnhangListe(f.f_anhang);
    m.DM_DAT.MailSenden(m.dialogs, f.f_betreff, f.f_an, f.f_ancc, withCrLf(f.f_memo), &anhaenge, m.versand);
    bt_closeClick(m);
}

void bt_closeClick(MailContext& m)
{
    m.form.geschlossen = true;
}

}  // namespace klw::FO_MAIL
