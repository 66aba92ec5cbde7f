#pragma once

#include <QByteArray>
#include <QString>

namespace klw {

// The version record compiled into the program.
QByteArray versionRecord();

// The value of `key` in a version record, read as the program always has: the first 2000
// bytes taken as 1000 sixteen-bit characters, low byte only, zero bytes as '#'; the value
// starts two characters after the key and runs to the next '#'. "NI" when there is none.
QString GetVersionsInformationen(const QByteArray& record, const QString& key = QStringLiteral("FileVersion"));

}  // namespace klw
