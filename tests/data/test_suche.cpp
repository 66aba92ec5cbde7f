// The statements and operations of the two search windows over a fresh copy of the
// shipped database: filters, both spellings of a name, sorting by a column title, and
// what a window hands back.

#include <QTest>

#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "data/suche.h"
#include "support/testdatabase.h"

Q_DECLARE_METATYPE(klw::PlayerFilter)

using namespace klw;

namespace {

struct Suche {
    test::TestDatabase database;
    Abfragen abfragen;
    TDM_SYS dm;
    db::Dataset Q_SUCHE{abfragen.ABSDatabase1};

    Suche() { abfragen.ABSDatabase1.open(database.file()); }

    QStringList spalte(const char* name)
    {
        QStringList werte;
        if (!Q_SUCHE.isOpen())
            return werte;
        const int column = Q_SUCHE.columnIndex(QString::fromLatin1(name));
        for (int row = 0; row < Q_SUCHE.recordCount(); ++row)
            werte << Q_SUCHE.text(row, column);
        return werte;
    }
};

const QString kAdlerBottrop{"10031,10065,10075,10137,10109,10016,10007"};

}  // namespace

class TestSuche : public QObject {
    Q_OBJECT

private slots:
    void playerStatementAndItsRows_data()
    {
        QTest::addColumn<PlayerFilter>("filter");
        QTest::addColumn<QString>("sortierung");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("passnummern");  // empty: not compared
        QTest::newRow("surname only")
            << PlayerFilter{"", "meier", "", ""} << "NACHNAME"
            << "select * from Mitglied  where PASSNR <> ''  and ((NACHNAME like '%Meier%') or "
               "      (NACHNAME like '%meier%'))  order by NACHNAME "
            << "";
        QTest::newRow("team and league, as a row button opens it")
            << PlayerFilter{"", "", "adler bottrop", "Oberliga"} << "NACHNAME"
            << "select * from Mitglied  where PASSNR <> ''  and LIGA = 'Oberliga'  and ((TEAM like '%Adler bottrop%') "
               "or "
               "      (TEAM like '%adler bottrop%'))  order by NACHNAME "
            << kAdlerBottrop;
        QTest::newRow("league is compared exactly") << PlayerFilter{"", "", "adler bottrop", "Oberlig"} << "NACHNAME"
                                                    << "select * from Mitglied  where PASSNR <> ''  and LIGA = "
                                                       "'Oberlig'  and ((TEAM like '%Adler bottrop%') or "
                                                       "      (TEAM like '%adler bottrop%'))  order by NACHNAME "
                                                    << "";
        QTest::newRow("all four filters")
            << PlayerFilter{"01", "Sch", "Adler", "Oberliga"} << "PASSNR"
            << "select * from Mitglied  where PASSNR <> ''  and PASSNR like '%01%'  and LIGA = 'Oberliga' "
               " and ((NACHNAME like '%Sch%') or       (NACHNAME like '%sch%')) "
               " and ((TEAM like '%Adler%') or       (TEAM like '%adler%'))  order by PASSNR "
            << "10016,10109,10137";
        QTest::newRow("pass number anywhere")
            << PlayerFilter{"12", "", "", ""} << "PASSNR"
            << "select * from Mitglied  where PASSNR <> ''  and PASSNR like '%12%'  order by PASSNR "
            << "";
        QTest::newRow("quote in a name")
            << PlayerFilter{"", "o'brien", "", ""} << "NACHNAME"
            << "select * from Mitglied  where PASSNR <> ''  and ((NACHNAME like '%O''brien%') or "
               "      (NACHNAME like '%o''brien%'))  order by NACHNAME "
            << "10075,11370,12502";
        QTest::newRow("quoted condition stays a text")
            << PlayerFilter{"' or '1'='1", "", "", ""} << "NACHNAME"
            << "select * from Mitglied  where PASSNR <> ''  and PASSNR like '%'' or ''1''=''1%'  order by NACHNAME "
            << "";
        QTest::newRow("percent is a percent sign")
            << PlayerFilter{"%", "", "", ""} << "PASSNR"
            << "select * from Mitglied  where PASSNR <> ''  and PASSNR like '%\\%%' escape '\\'  order by PASSNR "
            << "";
        QTest::newRow("underscore is an underscore")
            << PlayerFilter{"", "", "_", ""} << "TEAM"
            << "select * from Mitglied  where PASSNR <> ''  and ((TEAM like '%\\_%' escape '\\') or "
               "      (TEAM like '%\\_%' escape '\\'))  order by TEAM "
            << "";
        QTest::newRow("umlaut keeps its case; blanks kept")
            << PlayerFilter{"", " ölberg", "", ""} << "NACHNAME"
            << "select * from Mitglied  where PASSNR <> ''  and ((NACHNAME like '% ölberg%') or "
               "      (NACHNAME like '% ölberg%'))  order by NACHNAME "
            << "";
        const QString lang = QString(60, QLatin1Char('x'));
        QTest::newRow("name cut after 51 characters")
            << PlayerFilter{"", lang, "", ""} << "NACHNAME"
            << "select * from Mitglied  where PASSNR <> ''  and ((NACHNAME like '%X" + QString(50, 'x') +
                   "%') or       (NACHNAME like '%x" + QString(50, 'x') + "%'))  order by NACHNAME "
            << "";
    }
    void playerStatementAndItsRows()
    {
        QFETCH(PlayerFilter, filter);
        QFETCH(QString, sortierung);
        QFETCH(QString, statement);
        QFETCH(QString, passnummern);
        QCOMPARE(Spielerstatement(filter, sortierung), statement);
        Suche s;
        SpielerSucheStarten(s.dm, s.Q_SUCHE, filter, sortierung);
        QVERIFY(s.Q_SUCHE.isOpen());
        QCOMPARE(s.Q_SUCHE.sql(), statement);
        if (!passnummern.isEmpty())
            QCOMPARE(s.spalte("PASSNR").join(','), passnummern);
    }

    void filtersFindWhatTheySay()
    {
        Suche s;
        s.abfragen.ABSDatabase1.execute("insert into Mitglied (PASSNR, NACHNAME, TEAM) values ('99%1', 'Pro%zent', "
                                        "'A_B'), ('99x1', 'Proxzent', 'AxB')");
        SpielerSucheStarten(s.dm, s.Q_SUCHE, {"%", "", "", ""}, "PASSNR");
        QCOMPARE(s.spalte("PASSNR"), QStringList{"99%1"});
        SpielerSucheStarten(s.dm, s.Q_SUCHE, {"", "pro%", "a_", ""}, "PASSNR");
        QCOMPARE(s.spalte("PASSNR"), QStringList{"99%1"});
        SpielerSucheStarten(s.dm, s.Q_SUCHE, {"' or '1'='1", "", "", ""}, "PASSNR");
        QVERIFY(s.Q_SUCHE.isOpen() && s.Q_SUCHE.isEmpty());

        SpielerSucheStarten(s.dm, s.Q_SUCHE, {"12", "", "", ""}, "PASSNR");
        const QStringList zwoelf = s.spalte("PASSNR");
        QCOMPARE(zwoelf.size(), 58);
        for (const QString& p : zwoelf)
            QVERIFY2(p.contains("12"), qPrintable(p));

        // Emptying team and league lists every member that has a pass number.
        s.abfragen.ABSDatabase1.execute("insert into Mitglied (PASSNR, NACHNAME) values ('', 'Ohne')");
        SpielerSucheStarten(s.dm, s.Q_SUCHE, {}, "NACHNAME");
        QCOMPARE(s.Q_SUCHE.recordCount(), 413);
        QVERIFY(!s.spalte("NACHNAME").contains("Ohne"));
    }

    void teamStatementAndItsRows_data()
    {
        QTest::addColumn<QString>("liga");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("teams");
        QTest::newRow("league part") << " A1 "
                                     << "select * from TEAMS where LIGA like '%A1%' order by LIGA, TEAM"
                                     << "DC Glückauf Witten,DC Löwen Bochum,Die Knappen Duisburg";
        QTest::newRow("no league: one blank before order") << "  "
                                                           << "select * from TEAMS order by LIGA, TEAM"
                                                           << "";
        QTest::newRow("quote") << "O'Liga"
                               << "select * from TEAMS where LIGA like '%O''Liga%' order by LIGA, TEAM"
                               << "";
    }
    void teamStatementAndItsRows()
    {
        QFETCH(QString, liga);
        QFETCH(QString, statement);
        QFETCH(QString, teams);
        QCOMPARE(Teamstatement(liga), statement);
        Suche s;
        TeamSucheStarten(s.dm, s.Q_SUCHE, liga);
        if (!teams.isEmpty())
            QCOMPARE(s.spalte("TEAM").join(','), teams);
    }

    void allTeamsAreOrderedByLeagueAndTeam()
    {
        Suche s;
        TeamSucheStarten(s.dm, s.Q_SUCHE, QString());
        QCOMPARE(s.Q_SUCHE.recordCount(), 63);
        const QStringList ligen = s.spalte("LIGA");
        const QStringList teams = s.spalte("TEAM");
        for (int i = 1; i < ligen.size(); ++i)
            QVERIFY(ligen[i - 1] < ligen[i] || (ligen[i - 1] == ligen[i] && teams[i - 1] < teams[i]));
    }

    // Each title click takes the clicked column and flips the direction.
    void titleClicksSortAndFlipTheDirection()
    {
        Suche s;
        SpielerSucheStarten(s.dm, s.Q_SUCHE, {"", "", "Adler Bottrop", "Oberliga"}, "NACHNAME");
        const QString basis = Spielerstatement({"", "", "Adler Bottrop", "Oberliga"}, "NACHNAME").chopped(18);

        SucheSortieren(s.dm, s.Q_SUCHE, "NICKNAMEX");
        QCOMPARE(s.Q_SUCHE.sql(), basis + " Order By NICKNAMEX ASC");
        QCOMPARE(s.spalte("NICKNAMEX").join(','), QStringLiteral(",,Bomber,Kuddel,Rakete,Schorsch,Tiger"));
        SucheSortieren(s.dm, s.Q_SUCHE, "TEAM");
        // The blank before the old clause stays each time, so the blanks add up.
        QCOMPARE(s.Q_SUCHE.sql(), basis + "  Order By TEAM DESC");
        SucheSortieren(s.dm, s.Q_SUCHE, "PASSNR");
        QCOMPARE(s.Q_SUCHE.sql(), basis + "   Order By PASSNR ASC");
        QCOMPARE(s.spalte("PASSNR").join(','), QStringLiteral("10007,10016,10031,10065,10075,10109,10137"));
        SucheSortieren(s.dm, s.Q_SUCHE, "PASSNR");
        QCOMPARE(s.spalte("PASSNR").join(','), QStringLiteral("10137,10109,10075,10065,10031,10016,10007"));
    }

    void sortingStatements_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("sortiert");
        QTest::newRow("no order clause") << "select * from TEAMS"
                                         << "select * from TEAMS Order By ORT ASC";
        QTest::newRow("order without by") << "select * from TEAMS x_order"
                                          << "select * from TEAMS x_order Order By ORT ASC";
        QTest::newRow("descending becomes ascending") << "select * from TEAMS Order By TEAM DESC"
                                                      << "select * from TEAMS  Order By ORT ASC";
        QTest::newRow("only the first line") << "select * from TEAMS order by TEAM asc\nwhere 1 = 2"
                                             << "select * from TEAMS  Order By ORT DESC";
        // A filter text that holds the word must not be taken for the order clause.
        QTest::newRow("filter text Border")
            << "select * from Mitglied  where PASSNR <> ''  and ((NACHNAME like '%Border by%') or  order by NACHNAME "
            << "select * from Mitglied  where PASSNR <> ''  and ((NACHNAME like '%Border by%') or   Order By ORT ASC";
    }
    void sortingStatements()
    {
        QFETCH(QString, statement);
        QFETCH(QString, sortiert);
        QCOMPARE(Sortierstatement(statement, "ORT"), sortiert);
    }

    void sortingNeedsAnOpenResultWithRows()
    {
        Suche s;
        SpielerSucheStarten(s.dm, s.Q_SUCHE, {"nix", "", "", ""}, "NACHNAME");
        const QString sql = s.Q_SUCHE.sql();
        SucheSortieren(s.dm, s.Q_SUCHE, "TEAM");
        QCOMPARE(s.Q_SUCHE.sql(), sql);
        s.Q_SUCHE.close();
        SucheSortieren(s.dm, s.Q_SUCHE, "TEAM");
        QVERIFY(!s.Q_SUCHE.isOpen());
    }

    // A search whose statement fails leaves nothing to show and nothing to hand back.
    void failingSearchesLeaveTheGridEmpty_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("teamsuche");
        QTest::newRow("renamed surname column") << "alter table Mitglied rename column NACHNAME to NN" << false;
        QTest::newRow("renamed league column") << "alter table TEAMS rename column LIGA to L" << true;
    }
    void failingSearchesLeaveTheGridEmpty()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, teamsuche);
        Suche s;
        SpielerSucheStarten(s.dm, s.Q_SUCHE, {}, "NACHNAME");
        QVERIFY(Auswahl(s.Q_SUCHE).has_value());
        s.abfragen.ABSDatabase1.execute(fixture);
        if (teamsuche)
            TeamSucheStarten(s.dm, s.Q_SUCHE, "Oberliga");
        else
            SpielerSucheStarten(s.dm, s.Q_SUCHE, {}, "NACHNAME");
        QVERIFY(!s.Q_SUCHE.isOpen());
        QVERIFY(!Auswahl(s.Q_SUCHE).has_value());
    }

    void handedBackIsTheCurrentRow()
    {
        Suche s;
        TeamSucheStarten(s.dm, s.Q_SUCHE, "A1");
        s.Q_SUCHE.setRecNo(1);
        const SearchResult row = Auswahl(s.Q_SUCHE);
        QVERIFY(row.has_value());
        QCOMPARE(row->value("TEAM"), QStringLiteral("DC Löwen Bochum"));
        QCOMPARE(row->value("ORT"), QStringLiteral("Bochum"));
        TeamSucheStarten(s.dm, s.Q_SUCHE, "Z9");
        QVERIFY(!Auswahl(s.Q_SUCHE).has_value());
    }

    void leagueListsOfTheWindows()
    {
        QCOMPARE(Suchligen(false).size(), 20);
        QCOMPARE(Suchligen(false).last(), QStringLiteral("C8-Liga"));
        QVERIFY(!Suchligen(false).contains("B6-Liga"));
        QCOMPARE(Suchligen(true).size(), 19);
        QCOMPARE(Suchligen(true).last(), QStringLiteral("C7-Liga"));
    }
};

QTEST_MAIN(TestSuche)
#include "test_suche.moc"
