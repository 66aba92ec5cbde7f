// Member look-ups over a large member table: 100,000 generated members in a copy of the
// shipped database. The look-up by pass number runs the statement of SpielerLesen through
// ABSQueryOpen; the search runs the player search's surname filter (both spellings, like);
// the next one opens the whole table, as a new member's creation does. Then the handlers as
// the user meets them: leaving a pass-number field for a known and for a new member, and
// the player search from the row button's click to the first rows painted in its grid
// (offscreen), filtered by team and league and unfiltered.

#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "data/player_entry.h"
#include "data/search_buttons.h"
#include "data/statement.h"
#include "output/dm_dat.h"
#include "support/fakes.h"
#include "window/qt_windows.h"
#include "window/search/tsspieler.h"

namespace {

constexpr int kMembers = 100000;

struct LargeDatabase {
    QTemporaryDir dir;
    klw::Abfragen abfragen;
    klw::TDM_SYS dm;

    LargeDatabase()
    {
        const QString programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
        const QString shipped = programFolder + QStringLiteral("/Datenbank/KLW.abs");
        const QString file = dir.path() + QStringLiteral("/KLW.abs");
        if (!QFile::copy(shipped, file)) {
            std::fprintf(stderr, "%s is missing; build the klw_database target\n", qPrintable(shipped));
            std::exit(1);
        }
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        abfragen.ABSDatabase1.open(file);
        // Pass numbers 500000 ... 599999; surnames from 40 stems and 25 endings.
        abfragen.ABSDatabase1.execute(
            QStringLiteral(
                "begin;"
                "insert into Mitglied (PASSNR, VORNAME, NACHNAME, NAME, NICKNAMEX, TEAM, LIGA)"
                " with recursive n(i) as (select 0 union all select i + 1 from n where i < %1)"
                " select 500000 + i, 'Vorname' || (i % 97),"
                "  "
                "substr('MeierSchulKampsPohl_"
                "VogtWolffBraunLangeKrausFuchsBeckeWagneNeumaSchwaHartmWerneLehmaKoehlPeterSandeBoehmDreieWilmsGrossOst"
                "erHuseMErdmaLindeKayaaNowakSzymaJanseMayerMaierMeyerWiesnTerhoStratHuelsPiepe', 1 + (i % 40) * 5, 5)"
                "   || substr('er   mann ing  ke   s    ers  horstkampbrinkfeld hoff berg meyerwald dorf kötteheim "
                "hagenbach bergelandweg  stadtrode burg ', 1 + (i / 40 % 25) * 5, 5),"
                "  'Name ' || i, 'Ruf' || (i % 13), 'Team ' || (i % 600), 'Liga ' || (i % 21)"
                " from n;"
                "commit;")
                .arg(kMembers - 1));
    }
};

LargeDatabase& database()
{
    static LargeDatabase db;
    return db;
}

void SpielerLesen_Passnummer(benchmark::State& state)
{
    LargeDatabase& db = database();
    int i = 0;
    for (auto _ : state) {
        const QString passnr = QString::number(500000 + (i * 7919) % kMembers);
        ++i;
        const int found = db.dm.ABSQueryOpen(db.abfragen.Q_SPIELER, QStringLiteral("select * from Mitglied") +
                                                                        klw::Format(u" where PASSNR = '%s' ", passnr));
        benchmark::DoNotOptimize(db.abfragen.Q_SPIELER.fieldByName(QStringLiteral("NAME")).asString());
        if (found != 1)
            state.SkipWithError("member not found");
    }
}
BENCHMARK(SpielerLesen_Passnummer)->Unit(benchmark::kMicrosecond);

void Spielersuche_Nachname(benchmark::State& state)
{
    LargeDatabase& db = database();
    int rows = 0;
    for (auto _ : state) {
        const QString sql = QStringLiteral("select * from Mitglied  where PASSNR <> '' ") +
                            klw::Format(u" and ((NACHNAME like '%s') or ", QStringLiteral("%Meier%")) +
                            klw::Format(u"      (NACHNAME like '%s')) ", QStringLiteral("%meier%")) +
                            klw::Format(u" order by %s ", QStringLiteral("NACHNAME"));
        db.dm.ABSQueryOpen(db.abfragen.Q_SPIELER, sql);
        rows = db.abfragen.Q_SPIELER.recordCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(Spielersuche_Nachname)->Unit(benchmark::kMillisecond);

// SpielerAnlegen opens the whole member table before it appends the new member.
void SpielerAnlegen_ganzeTabelle(benchmark::State& state)
{
    LargeDatabase& db = database();
    for (auto _ : state)
        db.dm.ABSQueryOpen(db.abfragen.Q_SPIELER, QStringLiteral("select * from Mitglied"));
    state.counters["rows"] = db.abfragen.Q_SPIELER.recordCount();
}
BENCHMARK(SpielerAnlegen_ganzeTabelle)->Unit(benchmark::kMillisecond);

// The sheet with scripted messages and the real windows over the large database, as the
// handlers see it.
struct Sheet {
    klw::Spielbogen sheet;
    klw::test::ScriptedScreen dialogs;
    klw::test::FakeFocus focus{sheet};
    QTimer timer1;
    QWidget main;
    klw::TDM_DAT dmDat;
    klw::QtWindows windows{main, database().dm, database().abfragen, dmDat, &dialogs};
    klw::Context c{sheet, dialogs, focus, windows, database().dm, database().abfragen, timer1};

    Sheet() { klw::connectChangeHandlers(c); }
};

void f_h1pnrExit_bekannt(benchmark::State& state)
{
    Sheet s;
    int i = 0;
    for (auto _ : state) {
        s.sheet.setText("f_h1pnr", QString::number(500000 + (i++ * 7919) % kMembers));
        klw::f_h1pnrExit(s.c, "f_h1pnr");
    }
    if (s.sheet.text("f_h1name").isEmpty() || !s.focus.moves.isEmpty())
        state.SkipWithError("member not found");
}
BENCHMARK(f_h1pnrExit_bekannt)->Unit(benchmark::kMicrosecond);

void f_h1pnrExit_neu(benchmark::State& state)
{
    Sheet s;
    static int i = 0;
    for (auto _ : state) {
        s.sheet.setText("f_h1pnr", QStringLiteral("N") + QString::number(i++));
        klw::f_h1pnrExit(s.c, "f_h1pnr");
    }
    if (s.focus.moves.isEmpty() || !s.dialogs.shown.isEmpty())
        state.SkipWithError("no new member");
}
BENCHMARK(f_h1pnrExit_neu)->Unit(benchmark::kMicrosecond);

// Notes when the search window's grid has painted rows, and closes the window then.
class FirstRowsPainted : public QObject {
public:
    std::chrono::steady_clock::time_point at;
    int rows = 0;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !closing_) {
            auto* grid = qobject_cast<QAbstractItemView*>(watched->parent());
            if (grid && grid->viewport() == watched && grid->model()->rowCount() > 0) {
                closing_ = true;
                rows = grid->model()->rowCount();
                // Right after this paint has been done.
                QTimer::singleShot(0, grid, [this, grid] {
                    at = std::chrono::steady_clock::now();
                    grid->window()->close();
                });
            }
        }
        return false;
    }

private:
    bool closing_ = false;
};

void Spielersuche_bisGezeichnet(benchmark::State& state, const char* verein, const char* liga)
{
    Sheet s;
    s.sheet.setText("f_Heimteam", QString::fromLatin1(verein));
    s.sheet.setText("f_liga", QString::fromLatin1(liga));
    int rows = 0;
    for (auto _ : state) {
        FirstRowsPainted painted;
        qApp->installEventFilter(&painted);
        const auto start = std::chrono::steady_clock::now();
        klw::bt_H1Click(s.c, "bt_H1");
        qApp->removeEventFilter(&painted);
        rows = painted.rows;
        state.SetIterationTime(std::chrono::duration<double>(painted.at - start).count());
    }
    state.counters["rows in model"] = rows;
    if (rows == 0)
        state.SkipWithError("no rows painted");
}
BENCHMARK_CAPTURE(Spielersuche_bisGezeichnet, Verein_und_Liga, "Team 17", "Liga 17")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Spielersuche_bisGezeichnet, nur_Verein, "Team 17", "")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Spielersuche_bisGezeichnet, alle, "", "")->UseManualTime()->Unit(benchmark::kMillisecond);

// Notes the first paint of the grid's rows after a search button was clicked.
class RowsRepainted : public QObject {
public:
    explicit RowsRepainted(QAbstractItemView* grid) : grid_(grid) {}
    std::chrono::steady_clock::time_point at;
    bool painted = false;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == grid_->viewport() && grid_->model()->rowCount() > 0 &&
            !painted) {
            painted = true;
            at = std::chrono::steady_clock::now();
        }
        return false;
    }

private:
    QAbstractItemView* grid_;
};

// The player search window open, a filter typed, one of its buttons clicked: from the click
// to the rows painted.
void Spielersuche_Knopf(benchmark::State& state, const char* nr, const char* name, const char* verein, const char* liga,
                        const char* knopf)
{
    LargeDatabase& db = database();
    klw::TSSPIELER fenster(db.abfragen.ABSDatabase1, db.dm);
    fenster.show();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    fenster.f_nr->setText(QString::fromUtf8(nr));
    fenster.f_name->setText(QString::fromUtf8(name));
    fenster.f_verein->setText(QString::fromUtf8(verein));
    fenster.f_liga->setEditText(QString::fromUtf8(liga));
    auto* button = fenster.findChild<QPushButton*>(QString::fromLatin1(knopf));
    auto* grid = fenster.findChild<QAbstractItemView*>(QStringLiteral("DBGrid1"));
    int rows = 0;
    for (auto _ : state) {
        RowsRepainted painted(grid);
        grid->viewport()->installEventFilter(&painted);
        const auto start = std::chrono::steady_clock::now();
        button->click();
        while (!painted.painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        grid->viewport()->removeEventFilter(&painted);
        rows = grid->model()->rowCount();
        state.SetIterationTime(std::chrono::duration<double>(painted.at - start).count());
    }
    state.counters["rows in model"] = rows;
}
BENCHMARK_CAPTURE(Spielersuche_Knopf, Verein_und_Liga, "", "", "Team 17", "Liga 17", "bt_liga")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Spielersuche_Knopf, nur_Verein, "", "", "Team 17", "", "bt_verein")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Spielersuche_Knopf, Namensteil, "", "meier", "", "", "bt_name")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Spielersuche_Knopf, Passnummernteil, "123", "", "", "", "bt_nummer")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Spielersuche_Knopf, ohne_Filter, "", "", "", "", "bt_name")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
