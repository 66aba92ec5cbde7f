// Writes to the database in the real window while another program shares the file, the
// file goes away under the program, or the disk fills up: every write that fails says
// why, nothing typed is lost, and another program's write never makes the next one fail.

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QtTest>
#include <atomic>
#include <functional>
#include <thread>
#include <unistd.h>

#include <QPushButton>

#include "data/dm_sys.h"
#include "dbengine/connection.h"
#include "dbengine/dataset.h"
#include "output/dm_dat.h"
#include "support/fakes.h"
#include "support/testdatabase.h"
#include "window/search/suchgrid.h"
#include "window/search/tsspieler.h"
#include "window/tfklw.h"

using namespace klw;
using klw::test::Shown;

namespace {

const QString kNichtGesichert = QStringLiteral("Die Sicherung wurde nicht gespeichert.\n\r");

struct Mitglied {
    QString name, vorname, nachname, team, liga;
    bool operator==(const Mitglied&) const = default;
};

// A program folder on a small disk of its own (a tmpfs, when the test may mount one), so
// that the disk can be filled up for real.
struct KleinePlatte {
    QTemporaryDir dir;
    bool mounted = false;

    KleinePlatte()
    {
        mounted = ::geteuid() == 0 && QProcess::execute(QStringLiteral("mount"),
                                                        {"-t", "tmpfs", "-o", "size=2m", "tmpfs", dir.path()}) == 0;
        QDir(dir.path()).mkpath(QStringLiteral("Datenbank"));
        QFile::copy(QStringLiteral(KLW_BIN_DIR "/Datenbank/KLW.abs"), file());
        QFile::setPermissions(file(), QFile::ReadOwner | QFile::WriteOwner);
    }
    ~KleinePlatte()
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {dir.path()});
    }
    QString programFolder() const { return dir.path() + QLatin1Char('/'); }
    QString file() const { return dir.path() + QStringLiteral("/Datenbank/KLW.abs"); }
    QString filler() const { return dir.path() + QStringLiteral("/voll"); }

    // Takes the rest of the disk; without a disk of its own, the database is held at its size.
    void fuellen(db::Connection& programm)
    {
        if (!mounted) {
            db::Dataset seiten(programm);
            seiten.open(QStringLiteral("pragma page_count"));
            programm.execute(
                QStringLiteral("pragma max_page_count = %1").arg(seiten.fieldByName("page_count").asInteger()));
            try {
                for (;;)
                    programm.execute(QStringLiteral("insert into TEAMS (TEAM) values (hex(randomblob(200)))"));
            } catch (const std::exception&) {}
            return;
        }
        QFile voll(filler());
        voll.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'x');
        while (voll.write(block) == block.size() && voll.flush()) {}
    }
    void freigeben(db::Connection& programm)
    {
        if (mounted)
            QFile::remove(filler());
        else
            programm.execute(QStringLiteral("pragma max_page_count = 1000000"));
    }
};

}  // namespace

class SchreibfehlerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> database;
    std::unique_ptr<KleinePlatte> platte;
    QString file;
    test::ScriptedScreen dialogs;
    TDM_SYS dmSys;
    TDM_DAT dmDat;
    std::unique_ptr<TFKLW> window;

    QWidget* w(const char* name) { return window->control(QString::fromLatin1(name)); }
    db::Connection& programm() { return window->context().abfragen.ABSDatabase1; }
    QString label() { return qobject_cast<QLabel*>(w("l_sicherung"))->text(); }

    void starten(const QString& programFolder)
    {
        window = std::make_unique<TFKLW>(dmSys, dmDat, &dialogs, programFolder);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    // Typed, then left with Tab.
    void tippe(const char* field, const QString& text)
    {
        w(field)->setFocus();
        if (!w(field)->hasFocus())  // leaving the match day puts the focus into the league
            w(field)->setFocus();
        QTRY_VERIFY(w(field)->hasFocus());
        QTest::keyClick(w(field), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w(field), text);
        QTest::keyClick(w(field), Qt::Key_Tab);
    }
    void kopf()
    {
        tippe("f_spieltag", "7");
        tippe("f_liga", "Oberliga");
        tippe("f_Heimteam", "DC Adler Bottrop");
        tippe("f_gastteam", "Highlander Herten");
    }
    // A new member: the pass number, Tab, then the name, which takes the focus, and Tab.
    void neuesMitglied(const char* passnr, const QString& nummer, const char* name, const QString& text)
    {
        tippe(passnr, nummer);
        QTRY_VERIFY(w(name)->hasFocus());
        QTest::keyClicks(w(name), text);
        QTest::keyClick(w(name), Qt::Key_Tab);
    }
    QList<Mitglied> mitglieder(const QString& passnr)
    {
        db::Connection db;
        db.open(file);
        db::Dataset d(db);
        d.open(QStringLiteral("select * from Mitglied where PASSNR = '%1'").arg(passnr));
        QList<Mitglied> result;
        for (; !d.eof(); d.next())
            result.append({d.fieldByName("NAME").asString(), d.fieldByName("VORNAME").asString(),
                           d.fieldByName("NACHNAME").asString(), d.fieldByName("TEAM").asString(),
                           d.fieldByName("LIGA").asString()});
        return result;
    }
    int sicherungen(db::Connection& db)
    {
        db::Dataset d(db);
        d.open(QStringLiteral("select count(*) n from SICHERUNG"));
        return d.fieldByName("n").asInteger();
    }

private slots:
    void init()
    {
        dialogs.shown.clear();
        database = std::make_unique<test::TestDatabase>();
        file = database->file();
    }
    void cleanup()
    {
        window.reset();
        database.reset();
        platte.reset();
    }

    // Another program writes between two member entries: both members are stored with their
    // names, and the player search lists the new one by first and last name.
    void anotherProgramWritesBetweenTwoMemberEntries()
    {
        starten(database->programFolder());
        kopf();
        neuesMitglied("f_h1pnr", "77001", "f_h1name", "Uwe O'Neill");
        {
            db::Connection andere;
            andere.open(file);
            andere.execute(QStringLiteral("insert into SICHERUNG (LFDNRI, SAISONX) values (900, '1999')"));
        }
        neuesMitglied("f_h2pnr", "77002", "f_h2name", "Anna Maria Zwirbel");
        QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.texts().join('|')));
        QCOMPARE(mitglieder("77001"),
                 (QList<Mitglied>{{"Uwe O'Neill", "Uwe", "O'Neill", "DC Adler Bottrop", "Oberliga"}}));
        QCOMPARE(mitglieder("77002"),
                 (QList<Mitglied>{{"Anna Maria Zwirbel", "Anna Maria", "Zwirbel", "DC Adler Bottrop", "Oberliga"}}));

        QStringList gefunden;
        QTimer::singleShot(0, [&] {
            TSSPIELER* suche = nullptr;
            QTRY_VERIFY((suche = qobject_cast<TSSPIELER*>(QApplication::activeModalWidget())) != nullptr);
            QTest::keyClicks(suche->f_name, QStringLiteral("zwirbel"));
            QTest::mouseClick(suche->bt_name, Qt::LeftButton);
            for (int row = 0; row < suche->DBGrid1->model()->rowCount(); ++row) {
                QStringList zeile;
                for (int col = 0; col < 3; ++col)
                    zeile << suche->DBGrid1->model()->index(row, col).data().toString();
                gefunden << zeile.join(',');
            }
            QTest::mouseClick(suche->bt_ende, Qt::LeftButton);
        });
        QTest::mouseClick(w("bt_H3"), Qt::LeftButton);
        QCOMPARE(gefunden, QStringList{"77002,Anna Maria,Zwirbel"});
    }

    // A pass number typed before the header, Tab through the nickname: the member keeps
    // its team and league until the header is there.
    void passNumberBeforeTheHeader()
    {
        starten(database->programFolder());
        tippe("f_h1pnr", "10016");
        QTRY_VERIFY(w("f_h1rname")->hasFocus());
        QTest::keyClick(w("f_h1rname"), Qt::Key_Tab);
        QCOMPARE(qobject_cast<QLineEdit*>(w("f_h1name"))->text(), QStringLiteral("Sabine Schwarz"));
        QCOMPARE(mitglieder("10016"),
                 (QList<Mitglied>{{"Sabine Schwarz", "Sabine", "Schwarz", "DC Adler Bottrop", "Oberliga"}}));

        tippe("f_liga", "B1-Liga");
        tippe("f_Heimteam", "DC Eule");
        tippe("f_h1rname", "Tiger");
        QCOMPARE(mitglieder("10016"), (QList<Mitglied>{{"Sabine Schwarz", "Sabine", "Schwarz", "DC Eule", "B1-Liga"}}));
        QVERIFY(dialogs.shown.isEmpty());
    }

    // The disk button against a file that another program holds or that is no longer there.
    void saveButtonAgainstTheFile_data()
    {
        QTest::addColumn<QString>("fehler");
        QTest::addColumn<QString>("box");  // the error box's text up to the engine's own, empty for none
        QTest::newRow("locked 1 s: waits, then saves") << "sperre 1 s"
                                                       << "";
        QTest::newRow("locked beyond the wait")
            << "sperre"
            << kNichtGesichert + "Die Datenbank ist von einem anderen Programm gesperrt. Bitte das andere Programm "
                                 "beenden und es noch einmal versuchen. (";
        const QString weg = kNichtGesichert +
                            "Die Datenbankdatei Datenbank/KLW.abs wurde gelöscht oder ersetzt, während KLW "
                            "lief. Bis zu einem Neustart von KLW wird nichts gespeichert. (";
        QTest::newRow("file deleted") << "geloescht" << weg;
        QTest::newRow("file replaced") << "ersetzt" << weg;
        QTest::newRow("disk full")
            << "voll"
            << kNichtGesichert + "Der Datenträger ist voll. Bitte Platz schaffen und es noch einmal versuchen. (";
    }
    void saveButtonAgainstTheFile()
    {
        QFETCH(QString, fehler);
        QFETCH(QString, box);
        if (fehler == "voll") {
            platte = std::make_unique<KleinePlatte>();
            file = platte->file();
            starten(platte->programFolder());
        } else {
            starten(database->programFolder());
        }
        kopf();
        tippe("f_h1pnr", "10016");
        tippe("f_h1rname", "Tiger");  // on to the next pass number, which is empty

        std::atomic<bool> gesperrt = false, freigeben = false;
        std::thread sperre;
        if (fehler.startsWith("sperre")) {
            const int ms = fehler == "sperre 1 s" ? 1000 : -1;
            sperre = std::thread([&, ms] {
                db::Connection andere;
                andere.open(file);
                andere.execute(
                    QStringLiteral("begin immediate; insert into SICHERUNG (LFDNRI, SAISONX) values (900, '1999')"));
                gesperrt = true;
                if (ms > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                else  // held until the save has given up waiting
                    while (!freigeben)
                        std::this_thread::sleep_for(std::chrono::milliseconds(20));
                andere.execute(QStringLiteral("rollback"));
            });
            QTRY_VERIFY(gesperrt);
        } else if (fehler == "geloescht") {
            QVERIFY(QFile::remove(file));
        } else if (fehler == "ersetzt") {
            QVERIFY(QFile::copy(QStringLiteral(KLW_BIN_DIR "/Datenbank/KLW.abs"), file + ".neu"));
            QVERIFY(QFile::rename(file + ".neu", file) || (QFile::remove(file) && QFile::rename(file + ".neu", file)));
        } else if (fehler == "voll") {
            platte->fuellen(programm());
        }

        QElapsedTimer uhr;
        uhr.start();
        QTest::mouseClick(w("bt_sicherung"), Qt::LeftButton);
        const qint64 gewartet = uhr.elapsed();
        freigeben = true;
        if (sperre.joinable())
            sperre.join();

        if (box.isEmpty()) {
            QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.texts().join('|')));
            QVERIFY(gewartet >= 800);
            QVERIFY(label().startsWith(QStringLiteral("letzte Sicherung: ")));
            QCOMPARE(sicherungen(programm()), 1);
            return;
        }
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].kind, Shown::Error);
        QVERIFY2(dialogs.shown[0].text.startsWith(box), qPrintable(dialogs.shown[0].text));
        QCOMPARE(label(), QString());
        QCOMPARE(sicherungen(programm()), 0);  // nothing half-written, not even in a file that is gone
        if (QFile::exists(file)) {
            db::Connection db;
            db.open(file);
            QCOMPARE(sicherungen(db), 0);
        }
    }

    // A full disk: a new member and a changed name each say so, stay on the sheet, and go in
    // with the next save once there is room again, so that a restore finds the names.
    void fullDiskKeepsTheTypedNames()
    {
        platte = std::make_unique<KleinePlatte>();
        file = platte->file();
        starten(platte->programFolder());
        kopf();
        tippe("f_g1pnr", "10031");
        w("f_h1pnr")->setFocus();  // the nickname is left while there is room
        QTRY_VERIFY(w("f_h1pnr")->hasFocus());
        platte->fuellen(programm());
        neuesMitglied("f_h1pnr", "77005", "f_h1name", "Kalle Kamps");
        tippe("f_g1rname", "Rakete2");
        const QString voll =
            QStringLiteral("\n\rDer Datenträger ist voll. Bitte Platz schaffen und es noch einmal versuchen. (");
        // The new member; its name, tried again as the nickname is left on the way; the changed nickname.
        QVERIFY2(dialogs.shown.size() == 4, qPrintable(dialogs.texts().join("||")));
        QVERIFY2(dialogs.shown[0].text.startsWith(
                     "Das neue Mitglied mit der Passnummer 77005 wurde nicht gespeichert." + voll),
                 qPrintable(dialogs.shown[0].text));
        QVERIFY2(
            dialogs.shown[1].text.startsWith("Name und Rufname des Mitglieds mit der Passnummer 77005 wurden nicht "
                                             "gespeichert. Sie bleiben im Spielbogen und werden erneut gespeichert." +
                                             voll),
            qPrintable(dialogs.shown[1].text));
        QCOMPARE(dialogs.shown[2].text, dialogs.shown[1].text);
        QVERIFY(dialogs.shown[3].text.startsWith("Name und Rufname des Mitglieds mit der Passnummer 10031"));
        QCOMPARE(qobject_cast<QLineEdit*>(w("f_h1name"))->text(), QStringLiteral("Kalle Kamps"));
        QCOMPARE(mitglieder("77005"), QList<Mitglied>{});

        platte->freigeben(programm());
        QTest::mouseClick(w("bt_sicherung"), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 4);
        QCOMPARE(sicherungen(programm()), 1);
        QCOMPARE(mitglieder("77005"),
                 (QList<Mitglied>{{"Kalle Kamps", "Kalle", "Kamps", "DC Adler Bottrop", "Oberliga"}}));
        QCOMPARE(mitglieder("10031").value(0).name, QStringLiteral("Wolfgang Hartmann"));
        db::Connection db;
        db.open(file);
        db::Dataset d(db);
        d.open(QStringLiteral("select NICKNAMEX, TEAM from Mitglied where PASSNR = '10031'"));
        QCOMPARE(d.fieldByName("NICKNAMEX").asString(), QStringLiteral("Rakete2"));
        QCOMPARE(d.fieldByName("TEAM").asString(), QStringLiteral("Highlander Herten"));
    }
};

QTEST_MAIN(SchreibfehlerTest)
#include "guitest_schreibfehler.moc"
