// "Maildatei erstellen" at start in the real window: hidden and unchecked, unless the
// command line (--maildatei) or klw.conf beside the database (Maildatei=true) ask for it.

#include <QCheckBox>
#include <QFile>
#include <QtTest>

#include "data/dm_sys.h"
#include "lifecycle/start.h"
#include "output/dm_dat.h"
#include "support/fakes.h"
#include "support/testdatabase.h"
#include "window/tfklw.h"

using namespace klw;

class MaildateiStartTest : public QObject {
    Q_OBJECT
private slots:
    void checkBoxAtStart_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("conf");  // klw.conf; none when empty
        QTest::addColumn<bool>("on");
        QTest::newRow("neither") << QStringList{"klw"} << QByteArray() << false;
        QTest::newRow("--maildatei") << QStringList{"klw", "--maildatei"} << QByteArray() << true;
        QTest::newRow("klw.conf Maildatei=true") << QStringList{"klw"} << QByteArray("Maildatei=true\n") << true;
        QTest::newRow("klw.conf Maildatei=false") << QStringList{"klw"} << QByteArray("Maildatei=false\n") << false;
        QTest::newRow("klw.conf, key in a section of its own")
            << QStringList{"klw"} << QByteArray("[Druck]\nMaildatei=true\n") << false;
        QTest::newRow("both") << QStringList{"klw", "--maildatei"} << QByteArray("Maildatei=true\n") << true;
    }
    void checkBoxAtStart()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, conf);
        QFETCH(bool, on);
        test::TestDatabase database;
        if (!conf.isEmpty()) {
            QFile file(database.dir.filePath("Datenbank/klw.conf"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(conf);
        }
        test::ScriptedScreen dialogs;
        TDM_SYS dmSys;
        TDM_DAT dmDat;
        TFKLW window(dmSys, dmDat, &dialogs, database.programFolder(), readStartOptions(arguments));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        auto* box = qobject_cast<QCheckBox*>(window.control("cb_maildatei"));
        QCOMPARE(box->isVisible(), on);
        QCOMPARE(box->isChecked(), on);
        QCOMPARE(window.sheet().isChecked("cb_maildatei"), on);
        QCOMPARE(dialogs.texts(), QStringList());
        if (on) {  // the user may still take it off for this match
            QTest::mouseClick(box, Qt::LeftButton);
            QVERIFY(!window.sheet().isChecked("cb_maildatei"));
        }
    }
};

QTEST_MAIN(MaildateiStartTest)
#include "guitest_maildatei.moc"
