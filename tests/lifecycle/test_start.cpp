// Start-up values, the window-wide services and the end of the program.

#include <QGuiApplication>
#include <QtTest>

#include "lifecycle/start.h"
#include "scoring/scoring.h"
#include "sheet/tables.h"
#include "sheet/version.h"
#include "snapshots/snapshots.h"
#include "support/database_harness.h"

using namespace klw;
using klw::test::Harness;
using klw::test::Shown;

namespace {

// A version record as the resource compiler lays it out: UTF-16LE, key, zero, one filler.
QByteArray record(const QString& texts)
{
    QByteArray bytes;
    for (QChar c : texts) {
        const char16_t u = c == QLatin1Char('~') ? u'\0' : char16_t(c.unicode());
        bytes.append(char(u & 0xFF));
        bytes.append(char(u >> 8));
    }
    return bytes;
}

}  // namespace

class StartTest : public QObject {
    Q_OBJECT
private slots:
    void season_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("saison");
        QTest::newRow("before the first season") << QDate(2005, 7, 31) << ""
                                                 << "2005";
        QTest::newRow("first day of 05/06") << QDate(2005, 8, 1) << "Saison: 05/06"
                                            << "2005";
        QTest::newRow("last day of 05/06") << QDate(2006, 7, 31) << "Saison: 05/06"
                                           << "2005";
        QTest::newRow("first day of 06/07") << QDate(2006, 8, 1) << "Saison: 06/07"
                                            << "2006";
        QTest::newRow("middle of 09/10") << QDate(2010, 1, 15) << "Saison: 09/10"
                                         << "2009";
        QTest::newRow("last day of 11/12") << QDate(2012, 7, 31) << "Saison: 11/12"
                                           << "2011";
        QTest::newRow("after the last season") << QDate(2012, 8, 1) << ""
                                               << "2012";
        QTest::newRow("spring 2013") << QDate(2013, 3, 15) << ""
                                     << "2013";
        QTest::newRow("long before") << QDate(1999, 12, 31) << ""
                                     << "1999";
    }
    void season()
    {
        QFETCH(QDate, today);
        QFETCH(QString, text);
        QFETCH(QString, saison);
        Spielbogen sheet;
        QCOMPARE(JahresVersion(sheet, today), text);
        QCOMPARE(sheet.Saison, saison);
    }

    void versionScan_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("version");
        QTest::newRow("found") << record("~~VS_VERSION_INFO~~FileVersion~~2.3.4.5~ProductName~~KLW~") << "2.3.4.5";
        QTest::newRow("first occurrence counts") << record("FileVersion~~1.0.0.7~FileVersion~~9.9.9.9~") << "1.0.0.7";
        QTest::newRow("key missing") << record("~~VS_VERSION_INFO~~ProductVersion~~1.0.0.0~") << "NI";
        QTest::newRow("no terminator") << record("~~FileVersion~~1.0.0.0") << "NI";
        QTest::newRow("empty record") << QByteArray() << "NI";
        QByteArray late = record(QString(1000, QLatin1Char('x')) + "FileVersion~~1.2.3.4~");
        QTest::newRow("beyond the first 2000 bytes") << late << "NI";
    }
    void versionScan()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, version);
        QCOMPARE(GetVersionsInformationen(bytes), version);
    }

    void compiledVersionRecordCarriesTheProjectVersion()
    {
        QCOMPARE(GetVersionsInformationen(versionRecord()), QStringLiteral(KLW_VERSION));
        klw::test::DatabaseHarness h;
        QCOMPARE(ProgrammStart(h.c), kFensterTitel + " - Version: " KLW_VERSION);
    }

    void screenVariant_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("variant");
        QTest::newRow("marker") << "/opt/KLW_720X760/"
                                << "klein";
        QTest::newRow("marker as folder") << "/home/verein/720X760/klw/"
                                          << "klein";
        QTest::newRow("lower case") << "/opt/klw_720x760/"
                                    << "gross";
        QTest::newRow("no marker") << "/opt/klw/"
                                   << "gross";
    }
    void screenVariant()
    {
        QFETCH(QString, folder);
        QFETCH(QString, variant);
        QCOMPARE(Bildschirmvariante(folder), variant);
    }

    void formShowPutsTheSheetIntoItsStartState()
    {
        Harness h;
        h.c.today = [] { return QDate(2006, 3, 4); };
        h.c.programFolder = QStringLiteral("/opt/KLW_720X760/");
        h.sheet.MitDoppel = true;
        h.sheet.NamenUebergeben = h.sheet.SicherungGeladen = true;
        for (klw::FieldId control : kDoublesControls)
            h.sheet.setVisible(control, true);
        h.sheet.setChecked("cb_maildatei", true);
        h.sheet.setVisible("cb_maildatei", true);
        h.sheet.setText("ComboBox5", "H5");

        FormShow(h.c);

        const Spielbogen& s = h.sheet;
        QCOMPARE(s.text("f_datum"), QStringLiteral("04.03.2006"));
        QCOMPARE(s.text("l_version"), QStringLiteral("Saison: 05/06"));
        QCOMPARE(s.Saison, QStringLiteral("2005"));
        QCOMPARE(s.Bildschirm, QStringLiteral("klein"));
        QCOMPARE(s.Programmpfad, QStringLiteral("/opt/KLW_720X760/"));
        QVERIFY(!s.FarbeGewaehlt);
        QVERIFY(!s.isChecked("cb_maildatei") && !s.isVisible("cb_maildatei"));
        QVERIFY(!s.MitDoppel && !s.NamenUebergeben && !s.SicherungGeladen);
        for (klw::FieldId control : kDoublesControls)
            QVERIFY2(!s.isVisible(control), control.view().data());
        for (const Game& spiel : kSingles) {
            QCOMPARE(s.selectedItem(spiel.homeChoice), 0);
            QCOMPARE(s.text(spiel.homeChoice), QString::fromLatin1(spiel.homePosition));
            QCOMPARE(s.selectedItem(spiel.guestChoice), 0);
            QCOMPARE(s.text(spiel.guestChoice), QString::fromLatin1(spiel.guestPosition));
        }
        QCOMPARE(s.text("f_intervall"), QStringLiteral("10"));
        QCOMPARE(s.SicherungsIntervall, 600000);
        QVERIFY(h.timer1.isActive());
        QCOMPARE(h.timer1.interval(), 600000);
        QVERIFY(!s.isVisible("p_admin"));
        QCOMPARE(h.focus.moves, QStringList{"f_spieltag"});
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void autosaveInterval_data()
    {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<int>("milliseconds");
        QTest::addColumn<bool>("ticking");
        QTest::newRow("empty becomes 10") << "  " << 600000 << true;
        QTest::newRow("5 minutes") << "5" << 300000 << true;
        QTest::newRow("no number gives 30") << "abc" << 1800000 << true;
        QTest::newRow("0 never ticks") << "0" << 0 << false;
        QTest::newRow("negative never ticks") << "-3" << -180000 << false;
        QTest::newRow("too long is held at the longest") << "99999999" << std::numeric_limits<int>::max() << true;
    }
    void autosaveInterval()
    {
        QFETCH(QString, minutes);
        QFETCH(int, milliseconds);
        QFETCH(bool, ticking);
        Harness h;
        h.sheet.setText("f_intervall", minutes);
        h.sheet.setVisible("p_admin", true);
        bt_schliessen3Click(h.c, "bt_schliessen3");
        QCOMPARE(h.sheet.SicherungsIntervall, milliseconds);
        QCOMPARE(h.timer1.isActive(), ticking);
        QVERIFY(!h.sheet.isVisible("p_admin"));
    }

    void leavingTheMatchDayGoesToTheLeague()
    {
        Harness h;
        f_spieltagExit(h.c, "f_spieltag");
        QCOMPARE(h.focus.moves, QStringList{"f_liga"});
        h.focus.blocked.insert("f_liga");
        f_spieltagExit(h.c, "f_spieltag");
        QCOMPARE(h.focus.moves, QStringList{"f_liga"});
    }

    void applicationTitle_data()
    {
        QTest::addColumn<QString>("liga");
        QTest::addColumn<QString>("title");
        QTest::newRow("no league") << ""
                                   << "KLW";
        QTest::newRow("blanks only") << "   "
                                     << "KLW";
        QTest::newRow("league") << "A1-Liga"
                                << "KLW_A1-Liga";
        QTest::newRow("leading blank kept") << " A1-Liga"
                                            << "KLW_ A1-Liga";
    }
    void applicationTitle()
    {
        QFETCH(QString, liga);
        QFETCH(QString, title);
        Harness h;
        h.sheet.setText("f_liga", liga);
        Timer2Timer(h.c, "Timer2");
        QCOMPARE(h.dialogs.applicationTitle, title);
    }

    void backgroundColour()
    {
        Harness h;
        h.sheet.Hintergrundfarbe = Qt::gray;
        bt_farbenClick(h.c, "bt_farben");  // cancelled
        QVERIFY(!h.sheet.FarbeGewaehlt);
        QCOMPARE(h.sheet.Hintergrundfarbe, QColor(Qt::gray));
        QVERIFY(!h.dialogs.background.isValid());  // the window keeps its colour

        h.dialogs.colour = QColor(Qt::yellow);
        bt_farbenClick(h.c, "bt_farben");
        QVERIFY(h.sheet.FarbeGewaehlt);
        QCOMPARE(h.sheet.Hintergrundfarbe, QColor(Qt::yellow));
        QCOMPARE(h.dialogs.background, QColor(Qt::yellow));
    }

    void endOfProgram_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("ends");
        QTest::newRow("only the date filled") << "f_datum"
                                              << "01.02.2010" << false << false << true;
        QTest::newRow("blank league") << "f_liga"
                                      << "   " << false << false << true;
        QTest::newRow("match day, No") << "f_spieltag"
                                       << "3" << false << true << false;
        QTest::newRow("league, Yes") << "f_liga"
                                     << "Oberliga" << true << true << true;
        QTest::newRow("home team, No") << "f_Heimteam"
                                       << "Adler" << false << true << false;
        QTest::newRow("guest team, Yes") << "f_gastteam"
                                         << "Falken" << true << true << true;
    }
    void endOfProgram()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        QFETCH(bool, ends);
        Harness h;
        h.sheet.setText(klw::test::fieldNamed(field), value);
        h.dialogs.answers.enqueue(answer);
        bt_endeClick(h.c, "bt_ende");
        QCOMPARE(h.dialogs.shown.size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(h.dialogs.shown[0].kind, Shown::Confirmation);
            QCOMPARE(h.dialogs.shown[0].text,
                     QStringLiteral("Durch das Beenden werden alle Daten gelöscht!\n\rLöschen?"));
        }
        QCOMPARE(h.dialogs.quitCalled, ends);
        QCOMPARE(h.sheet.text(klw::test::fieldNamed(field)), value);
    }

    void failingHandlerShowsItsTextAndTheProgramGoesOn()
    {
        Harness h;
        dispatch(h.dialogs, [&] { h.sheet.selectItem("ComboBox1", 7); });  // a choice has three items
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].kind, Shown::Error);
        QVERIFY(h.dialogs.shown[0].text.contains("ComboBox1"));
    }
};

QTEST_MAIN(StartTest)
#include "test_start.moc"
