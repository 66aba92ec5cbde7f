#include "lifecycle/start.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QPalette>
#include <QSettings>

#include "base/text.h"
#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "scoring/scoring.h"
#include "sheet/context.h"
#include "sheet/tables.h"
#include "sheet/version.h"
#include "snapshots/snapshots.h"
#include "snapshots/tabelle.h"

namespace klw {

namespace {

struct Season {
    QDate first;
    QDate last;
    const char* text;
    const char* year;
};

const Season kSeasons[] = {
    {QDate(2005, 8, 1), QDate(2006, 7, 31), "Saison: 05/06", "2005"},
    {QDate(2006, 8, 1), QDate(2007, 7, 31), "Saison: 06/07", "2006"},
    {QDate(2007, 8, 1), QDate(2008, 7, 31), "Saison: 07/08", "2007"},
    {QDate(2008, 8, 1), QDate(2009, 7, 31), "Saison: 08/09", "2008"},
    {QDate(2009, 8, 1), QDate(2010, 7, 31), "Saison: 09/10", "2009"},
    {QDate(2010, 8, 1), QDate(2011, 7, 31), "Saison: 10/11", "2010"},
    {QDate(2011, 8, 1), QDate(2012, 7, 31), "Saison: 11/12", "2011"},
};

}  // namespace

QString JahresVersion(Spielbogen& sheet, const QDate& today)
{
    for (const Season& s : kSeasons) {
        if (s.first <= today && today <= s.last) {
            sheet.Saison = QString::fromLatin1(s.year);
            return QString::fromLatin1(s.text);
        }
    }
    sheet.Saison = today.toString(QStringLiteral("yyyy"));
    return QString();
}

QString Bildschirmvariante(const QString& programFolder)
{
    return programFolder.contains(QStringLiteral("720X760"), Qt::CaseSensitive) ? QStringLiteral("klein")
                                                                                : QStringLiteral("gross");
}

StartOptions readStartOptions(const QStringList& argumente)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(kFensterTitel);
    parser.addHelpOption();
    const QCommandLineOption maildatei(
        QStringLiteral("maildatei"),
        QStringLiteral("\"Maildatei erstellen\" zeigen und ankreuzen: PDF und Druck schreiben die "
                       "Ergebnisdatei nach MEKO/ und bieten die Mail an."));
    parser.addOption(maildatei);
    parser.process(argumente);
    return StartOptions{.maildatei = parser.isSet(maildatei)};
}

bool mailFileConfigured(const QString& programFolder)
{
    const QSettings konfiguration(programFolder + QStringLiteral("Datenbank/klw.conf"), QSettings::IniFormat);
    return konfiguration.value(QStringLiteral("Maildatei"), false).toBool();
}

QString ProgrammStart(Context& c)
{
    // A missing or broken file throws here, before the caption gets its version.
    c.abfragen.ABSDatabase1.close();
    c.abfragen.ABSDatabase1.open(c.programFolder + QStringLiteral("Datenbank/KLW.abs"));
    SicherungstabelleErgaenzen(c.abfragen.ABSDatabase1);
    QString caption = kFensterTitel;
    const QString version = GetVersionsInformationen(versionRecord());
    if (version != QLatin1String("NI"))
        caption += QStringLiteral(" - Version: ") + version;
    BdeAuslesen(c);
    return caption;
}

void BdeAuslesen(Context& c)
{
    c.sheet.setText("f_bde2", c.programFolder);
}

void FormShow(Context& c, const StartOptions& optionen)
{
    Spielbogen& s = c.sheet;
    s.setText("f_datum", c.today().toString(QStringLiteral("dd.MM.yyyy")));
    s.Programmpfad = c.programFolder;
    s.Bildschirm = Bildschirmvariante(s.Programmpfad);
    s.Hintergrundfarbe = QGuiApplication::palette().color(QPalette::Button);
    s.FarbeGewaehlt = false;
    const bool maildatei = optionen.maildatei || mailFileConfigured(c.programFolder);
    s.setChecked("cb_maildatei", maildatei);
    s.setVisible("cb_maildatei", maildatei);
    // Ignores its failure, e.g. without a connection.
    c.DM_SYS.ABSQueryUpdate(c.abfragen.Q_DELETE,
                            QStringLiteral("delete from Mitglied where VORNAME = '' and NACHNAME = '' and NAME = '' "));
    s.NamenUebergeben = false;
    s.setText("l_version", JahresVersion(s, c.today()));
    s.setText("l_sicherung", QString());
    for (const Game& spiel : kSingles) {
        s.selectItem(spiel.homeChoice, 0);
        s.selectItem(spiel.guestChoice, 0);
    }
    s.MitDoppel = false;
    DoppelSpiel(c);
    s.SicherungGeladen = false;
    bt_schliessen3Click(c, "bt_schliessen3");
    c.focus.focusIfPossible("f_spieltag");
}

void f_spieltagExit(Context& c, ControlId)
{
    c.focus.focusIfPossible("f_liga");
}

void bt_farbenClick(Context& c, ControlId)
{
    const auto colour = c.dialogs.chooseColour(c.sheet.Hintergrundfarbe);
    if (!colour)
        return;
    c.sheet.FarbeGewaehlt = true;
    c.sheet.Hintergrundfarbe = *colour;
    c.windows.setBackground(*colour);
}

void bt_infoClick(Context& c, ControlId)
{
    c.windows.imprint();
}

void Timer2Timer(Context& c, ControlId)
{
    const QString& liga = c.sheet.text("f_liga");
    c.windows.setApplicationTitle(isBlank(liga) ? QStringLiteral("KLW") : QStringLiteral("KLW_") + liga);
}

void bt_endeClick(Context& c, ControlId)
{
    const Spielbogen& s = c.sheet;
    const bool headerEmpty = isBlank(s.text("f_spieltag")) && isBlank(s.text("f_liga")) &&
                             isBlank(s.text("f_Heimteam")) && isBlank(s.text("f_gastteam"));
    if (!headerEmpty) {
        if (!c.dialogs.confirm(QStringLiteral("Durch das Beenden werden alle Daten gelöscht!\n\rLöschen?")))
            return;
        try {
            SicherungErstellen(c);
        } catch (const std::exception& e) {
            c.dialogs.error(QString::fromUtf8(e.what()));
            if (!c.dialogs.confirm(
                    QStringLiteral("Die letzte Sicherung konnte nicht gespeichert werden. Trotzdem beenden?")))
                return;
        }
    }
    c.windows.quit();
}

}  // namespace klw
