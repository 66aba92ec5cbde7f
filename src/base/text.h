#pragma once
// Small text operations that the whole program shares: blank texts, lists typed into one
// field, line breaks, replacing, and the Windows-1252 bytes of the result file.

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

namespace klw {

// True when nothing is left of the text once leading and trailing white space is removed.
bool isBlank(const QString& text);

// The parts between the separators, each trimmed; blank parts are left out.
QStringList trimmedParts(const QString& text, QChar separator);

// Every line break as one line feed: CR LF, LF CR (the program's own messages break their
// lines so) and a lone CR.
QString withLineFeeds(QString text);
QByteArray withLineFeeds(QByteArray text);

// Every line break, in any of the forms above, as CR LF.
QString withCrLf(const QString& text);

// Every occurrence of `search` replaced, scanning left to right and going on after each
// replacement; an empty search string changes nothing.
QString replaceAll(const QString& text, const QString& search, const QString& replacement);

// Windows-1252 bytes of a text; a character that Windows-1252 cannot hold becomes '?'.
QByteArray toWindows1252(const QString& text);

}  // namespace klw
