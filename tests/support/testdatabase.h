#pragma once
// A fresh copy of the shipped database in a temporary folder laid out like the program
// folder: <folder>/Datenbank/KLW.abs.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace klw::test {

struct TestDatabase {
    QTemporaryDir dir;

    TestDatabase()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Datenbank"));
        const bool copied = QFile::copy(QStringLiteral(KLW_BIN_DIR "/Datenbank/KLW.abs"), file());
        if (!copied)
            qFatal("the shipped database %s is missing; build the klw_database target",
                   KLW_BIN_DIR "/Datenbank/KLW.abs");
        QFile::setPermissions(file(), QFile::ReadOwner | QFile::WriteOwner);
    }

    QString programFolder() const { return dir.path() + QLatin1Char('/'); }
    QString file() const { return dir.path() + QStringLiteral("/Datenbank/KLW.abs"); }
};

}  // namespace klw::test
