#pragma once
// The life of the program around the sheet: start-up, the window-wide services and the end.

#include <QDate>
#include <QString>
#include <QStringList>

#include "sheet/tables.h"

namespace klw {

class Spielbogen;
struct Context;

inline const QString kFensterTitel = QStringLiteral("Spielberichtsbogen des MEKO e. V.");

// What the command line asks of the start.
struct StartOptions {
    bool maildatei = false;  // --maildatei: "Maildatei erstellen" shown and checked
};
// Reads the command line (the program's name first). --help prints the options and an
// unknown option its error, and both end the program there.
StartOptions readStartOptions(const QStringList& argumente);
// Whether klw.conf beside the database (<program folder>/Datenbank/klw.conf) says
// Maildatei=true. No file, no key: false.
bool mailFileConfigured(const QString& programFolder);

// Sets Saison and returns the season text for l_version ("Saison: 05/06" or empty).
QString JahresVersion(Spielbogen& sheet, const QDate& today);
// "klein" when the program folder holds the marker 720X760 (exact case), else "gross".
QString Bildschirmvariante(const QString& programFolder);

// Connects the database, adds what an older file's snapshot table lacks, and returns the
// window caption, with the version when there is one. A failure to connect or to add
// reaches the caller; the caption then has no version.
QString ProgrammStart(Context& c);
void BdeAuslesen(Context& c);
// Puts the sheet into its initial state when the window is first shown. "Maildatei
// erstellen" stays hidden and unchecked unless the command line or klw.conf switch it on.
void FormShow(Context& c, const StartOptions& optionen = {});
void f_spieltagExit(Context& c, ControlId sender);
void bt_farbenClick(Context& c, ControlId sender);
// Shows the imprint.
void bt_infoClick(Context& c, ControlId sender);
// The application title: "KLW", or "KLW_" and the league.
void Timer2Timer(Context& c, ControlId sender);
// Ends the program, after a question and a last snapshot when the header holds anything.
void bt_endeClick(Context& c, ControlId sender);

}  // namespace klw
