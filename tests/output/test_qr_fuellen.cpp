// Filling the report forms from the sheet: what each data label of the band says, which
// labels print, and which fonts the result captions get. The band is filled as the engine
// fills it before laying it out.

#include <QtTest>

#include "output/qr_klw.h"
#include "output/qr_layout.h"
#include "sheet/tables.h"
#include "support/fakes.h"
#include "support/filled_sheet.h"

using namespace klw;
using klw::reportengine::Band;

namespace {

Band& filled(ReportForm& form)
{
    Band& band = form.titleBand();
    band.beforePrint(band);
    return band;
}

QString caption(ReportForm& form, const QString& label)
{
    return filled(form).label(label).caption;
}

// The page as it reads: the printed labels whose top-left corner lies in `area` (mm), in
// lines by their top edge (within 1 mm), each line left to right, its captions joined by " | ".
QStringList linesIn(const Band& band, const QRectF& area)
{
    std::vector<const reportengine::Label*> labels;
    for (const auto& p : band.printables()) {
        const auto* l = dynamic_cast<const reportengine::Label*>(p.get());
        if (l && l->enabled && area.contains(l->geometry.topLeft()))
            labels.push_back(l);
    }
    std::sort(labels.begin(), labels.end(), [](auto* a, auto* b) { return a->geometry.top() < b->geometry.top(); });
    QStringList lines;
    for (size_t first = 0; first < labels.size();) {
        size_t end = first;
        while (end < labels.size() && labels[end]->geometry.top() - labels[first]->geometry.top() <= 1.0)
            ++end;
        std::sort(labels.begin() + long(first), labels.begin() + long(end),
                  [](auto* a, auto* b) { return a->geometry.left() < b->geometry.left(); });
        QStringList captions;
        for (size_t i = first; i < end; ++i)
            captions << labels[i]->caption;
        lines << captions.join(QStringLiteral(" | "));
        first = end;
    }
    return lines;
}

}  // namespace

class QrFuellenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Harness> h;

private slots:
    void init()
    {
        h = std::make_unique<test::Harness>();
        test::fillMatch(h->c, false);
    }

    void headerPlayersAndTotals()
    {
        Spielbogen& s = h->sheet;
        s.setText("f_h2pnr", QString());
        TQRKLW form(s);
        Band& b = filled(form);
        QCOMPARE(b.label("l_sptag").caption, QStringLiteral("5."));
        QCOMPARE(b.label("l_datum").caption, QStringLiteral("14.03.2025"));
        QCOMPARE(b.label("l_liga").caption, QStringLiteral("A1-Liga"));
        QCOMPARE(b.label("l_hteam").caption, QStringLiteral("Dart Club"));
        QCOMPARE(b.label("l_gteam").caption, QStringLiteral("Bulls Eye"));
        QCOMPARE(b.label("l_h1").caption, QStringLiteral("H1: 4711"));
        QCOMPARE(b.label("l_h2").caption, QStringLiteral("H2: "));  // an empty pass number keeps its prefix
        QCOMPARE(b.label("l_g6").caption, QStringLiteral("G6: 820"));
        QCOMPARE(b.label("l_gname3").caption, QStringLiteral("Ingo Igel"));
        QCOMPARE(b.label("l_hpkt1").caption, s.text("f_h1punkte"));
        QCOMPARE(b.label("l_gpkt6").caption, s.text("f_g6punkte"));
        QCOMPARE(b.label("l_sachbeabeiter").caption, s.text("l_ligabearbeiter"));
        QCOMPARE(b.label("l_ort").caption, QStringLiteral("Musterstadt, 14.03.2025"));
        QCOMPARE(b.label("l_erg5").caption, s.text("Edit50") + " : " + s.text("Edit85"));
        QCOMPARE(b.label("l_erg4").caption, s.text("Edit49") + " : " + s.text("Edit84"));
        QVERIFY(!s.text("Edit49").isEmpty());
    }

    // Every row of the two player tables and of the four rounds on the form without doubles,
    // as the page shows it: a row put in another row's place, or filled from another player
    // or game, fails. H5 plays game 1 for H1.
    void pageRows_data()
    {
        QTest::addColumn<QRectF>("area");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("home players") << QRectF(4.5, 57.5 + kFormOhneDoppel.kopfTiefer, 89.0, 32.0)
                                      << QStringList{
                                             "H1: 4711 | Anton Adler | 2",  "H2: 4712 | Bernd Berger | 8",
                                             "H3: 4713 | Carla Conrad | 8", "H4: 4714 | Dieter Dorn | 11",
                                             "H5: 4715 | Emil Eck | 2",     "H6: 4716 | Frieda Fuchs | 0",
                                         };
        QTest::newRow("guest players") << QRectF(93.9, 57.5 + kFormOhneDoppel.kopfTiefer, 89.0, 32.0)
                                       << QStringList{
                                              "G1: 815 | Gustav Gans | 3", "G2: 816 | Hanna Hahn | 4",
                                              "G3: 817 | Ingo Igel | 5",   "G4: 818 | Jana Jung | 5",
                                              "G5: 819 | Karl Kranz | 0",  "G6: 820 | Lena Lorenz | 0",
                                          };
        QTest::newRow("round 1") << QRectF(4.5, 99.0, 89.0, 35.0)
                                 << QStringList{
                                        "Runde 1 | Sätze | Spiele",
                                        "H5 : G1 | Eule | Ganter | 2 : 1 | 1 : 0",
                                        "H2 : G2 | Blitz | Henne | 2 : 0 | 1 : 0",
                                        "H3 : G3 | Kralle | Stachel | 1 : 2 | 0 : 1",
                                        "H4 : G4 | Rakete | Juni | 2 : 0 | 1 : 0",
                                    };
        QTest::newRow("round 2") << QRectF(93.9, 99.0, 89.0, 35.0)
                                 << QStringList{
                                        "Runde 2 | Sätze | Spiele",
                                        "H1 : G2 | Hammer | Henne | 0 : 2 | 0 : 1",
                                        "H2 : G3 | Blitz | Stachel | 2 : 1 | 1 : 0",
                                        "H4 : G1 | Rakete | Ganter | 2 : 1 | 1 : 0",
                                        "H3 : G4 | Kralle | Juni | 2 : 0 | 1 : 0",
                                    };
        QTest::newRow("round 3") << QRectF(4.5, 138.0, 89.0, 35.0)
                                 << QStringList{
                                        "Runde 3 | Sätze | Spiele",
                                        "H1 : G3 | Hammer | Stachel | 1 : 2 | 0 : 1",
                                        "H4 : G2 | Rakete | Henne | 2 : 0 | 1 : 0",
                                        "H3 : G1 | Kralle | Ganter | 2 : 1 | 1 : 0",
                                        "H2 : G4 | Blitz | Juni | 0 : 2 | 0 : 1",
                                    };
        QTest::newRow("round 4") << QRectF(93.9, 138.0, 89.0, 35.0)
                                 << QStringList{
                                        "Runde 4 | Sätze | Spiele",
                                        "H4 : G3 | Rakete | Stachel | 2 : 0 | 1 : 0",
                                        "H3 : G2 | Kralle | Henne | 2 : 1 | 1 : 0",
                                        "H1 : G4 | Hammer | Juni | 1 : 2 | 0 : 1",
                                        "H2 : G1 | Blitz | Ganter | 2 : 0 | 1 : 0",
                                    };
    }
    void pageRows()
    {
        QFETCH(QRectF, area);
        TQRKLW form(h->sheet);
        QTEST(linesIn(filled(form), area), "lines");
    }

    void emptyDateAndGameWithoutSets()
    {
        Spielbogen& s = h->sheet;
        s.setText("f_datum", QStringLiteral("  .  .    "));
        for (klw::FieldId f : std::array<klw::FieldId, 4>{"Edit47", "Edit82", "Edit46", "Edit81"})  // game 16
            s.setText(f, QString());
        TQRKLW form(s);
        QCOMPARE(caption(form, "l_datum"), QStringLiteral("  .  .    "));
        QCOMPARE(caption(form, "l_sp16_2"), QStringLiteral(" : "));
        QCOMPARE(caption(form, "l_sp16_3"), QStringLiteral(" : "));
        QCOMPARE(caption(form, "l_sp15_2"), QStringLiteral("1 : 2"));
        QCOMPARE(caption(form, "l_sp15_3"), QStringLiteral("0 : 1"));
    }

    // Game 1 (ComboBox1 / ComboBox2): pairing and nicknames name who played, as the game line
    // and the points do: a choice's text that is one of its items, picked or typed.
    void pairingAndNicknames_data()
    {
        QTest::addColumn<QString>("home");  // "#n" selects entry n, "-" leaves nothing selected, else typed text
        QTest::addColumn<QString>("guest");
        QTest::addColumn<QString>("pairing");
        QTest::addColumn<QString>("homeNickname");
        QTest::addColumn<QString>("guestNickname");
        QTest::newRow("start state") << "#0"
                                     << "#0"
                                     << "H1 : G1"
                                     << "Hammer"
                                     << "Ganter";
        QTest::newRow("substitute picked") << "#1"
                                           << "#0"
                                           << "H5 : G1"
                                           << "Eule"
                                           << "Ganter";
        QTest::newRow("guest substitute picked") << "#0"
                                                 << "#2"
                                                 << "H1 : G6"
                                                 << "Hammer"
                                                 << "Lolli";
        QTest::newRow("substitute typed, nothing selected") << "H5"
                                                            << "#0"
                                                            << "H5 : G1"
                                                            << "Eule"
                                                            << "Ganter";
        QTest::newRow("guest nothing selected") << "#1"
                                                << "-"
                                                << "H5 : G1"
                                                << "Eule"
                                                << "Ganter";
        QTest::newRow("empty text") << ""
                                    << "#0"
                                    << "H1 : G1"
                                    << ""
                                    << "Ganter";
        QTest::newRow("no such position") << "H7"
                                          << "#0"
                                          << "H1 : G1"
                                          << ""
                                          << "Ganter";
        QTest::newRow("lower case") << "h1"
                                    << "g1"
                                    << "H1 : G1"
                                    << ""
                                    << "";
        QTest::newRow("other team's position") << "G1"
                                               << "H1"
                                               << "H1 : G1"
                                               << ""
                                               << "";
        QTest::newRow("own player, not an item") << "H2"
                                                 << "#0"
                                                 << "H1 : G1"
                                                 << ""
                                                 << "Ganter";
    }
    void pairingAndNicknames()
    {
        QFETCH(QString, home);
        QFETCH(QString, guest);
        Spielbogen& s = h->sheet;
        for (auto [choice, value] :
             {std::pair<FieldId, QString>{FieldId("ComboBox1"), home}, {FieldId("ComboBox2"), guest}}) {
            if (value.startsWith('#'))
                s.selectItem(choice, value.mid(1).toInt());
            else if (value == QLatin1String("-"))
                s.setText(choice, s.text(choice));  // the text stays, the selection goes
            else
                s.setText(choice, value);
        }
        TQRKLW form(s);
        Band& b = filled(form);
        QTEST(b.label("l_sp1").caption, "pairing");
        QTEST(b.label("l_name1").caption, "homeNickname");
        QTEST(b.label("l_name2").caption, "guestNickname");
        QVERIFY(b.label("l_name1").enabled);
        // The other games keep their own line-up.
        QCOMPARE(b.label("l_sp16").caption, QStringLiteral("H2 : G1"));
        QCOMPARE(b.label("l_name31").caption, QStringLiteral("Blitz"));
    }

    void neinPrintsNoNicknames()
    {
        h->sheet.setItemIndex("rg_druck1", 1);
        TQRKLW form(h->sheet);
        Band& b = filled(form);
        for (int k = 1; k <= 16; ++k) {
            for (bool home : {true, false})
                QVERIFY2(!b.label(rufnameLabel(k, home).name()).enabled, rufnameLabel(k, home).view().data());
        }
        QCOMPARE(b.label("l_sp1").caption, QStringLiteral("H5 : G1"));
        QCOMPARE(b.label("l_sp1_2").caption, QStringLiteral("2 : 1"));
        QCOMPARE(b.label("l_sp1_3").caption, QStringLiteral("1 : 0"));
    }

    void resultCaptions_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QList<double>>("sizes");
        QTest::addColumn<QList<bool>>("bold");
        QTest::newRow("nothing chosen") << -1 << QList<double>{12, 12, 12} << QList<bool>{false, false, false};
        QTest::newRow("2 : 0") << 0 << QList<double>{12, 10, 10} << QList<bool>{true, false, false};
        QTest::newRow("1 : 1") << 1 << QList<double>{10, 12, 10} << QList<bool>{false, true, false};
        QTest::newRow("0 : 2") << 2 << QList<double>{10, 10, 12} << QList<bool>{false, false, true};
    }
    void resultCaptions()
    {
        QFETCH(int, chosen);
        QFETCH(QList<double>, sizes);
        QFETCH(QList<bool>, bold);
        h->sheet.setItemIndex("rg_ergebnis", chosen);
        TQRKLW2 form(h->sheet);
        Band& b = filled(form);
        b.beforePrint(b);  // a preview lays the band out again; the fonts stay as they are
        const QStringList labels{"l_erg1", "l_erg2", "l_erg3"};
        const QStringList captions{"2 : 0", "1 : 1", "0 : 2"};
        for (int i = 0; i < 3; ++i) {
            const reportengine::Label& l = b.label(labels[i]);
            QCOMPARE(l.caption, captions[i]);
            QVERIFY(l.font.has_value());
            QCOMPARE(l.font->family(), QStringLiteral("Arial"));
            QCOMPARE(l.font->pointSizeF(), sizes[i]);
            QCOMPARE(l.font->bold(), bold[i]);
        }
    }

    void remarkIsOneEntryWithItsLineBreaks()
    {
        TQRKLW form(h->sheet);
        Band& b = filled(form);
        QCOMPARE(b.memo("QRMemo1").lines, QStringList{test::kBemerkung});
        b.beforePrint(b);
        QCOMPARE(b.memo("QRMemo1").lines.size(), 1);
    }

    void logoOnBothForms()
    {
        TQRKLW ohne(h->sheet);
        TQRKLW2 mit(h->sheet);
        QVERIFY(!ohne.titleBand().image("QRImage1").picture.isNull());
        QVERIFY(!mit.titleBand().image("QRImage1").picture.isNull());
        QVERIFY(!mit.titleBand().image("QRImage2").picture.isNull());
    }

    // Every name the fill may write stands on the doubles form; the doubles row's alone are
    // missing from the other form.
    void everyFilledNameIsOnTheForm()
    {
        TQRKLW ohne(h->sheet);
        TQRKLW2 mit(h->sheet);
        for (int i = 0; i < ReportName::count; ++i) {
            const QString name = ReportName::at(i).name();
            QVERIFY2(mit.titleBand().has(name), qPrintable(name));
            const bool doubles = name.contains(QLatin1String("doppel"));
            QVERIFY2(ohne.titleBand().has(name) != doubles, qPrintable(name));
        }
    }

    void doublesOnlyOnTheDoublesForm()
    {
        test::Harness d;
        test::fillMatch(d.c, true);
        TQRKLW2 mit(d.sheet);
        Band& b = filled(mit);
        QCOMPARE(b.label("l_hdoppel1").caption, QStringLiteral("Hammer / Blitz"));
        QCOMPARE(b.label("l_gdoppel2").caption, QStringLiteral("Stachel / Juni"));
        QCOMPARE(b.label("l_doppelsaetze1").caption, QStringLiteral("2 - 1"));
        QCOMPARE(b.label("l_doppelspiele1").caption, QStringLiteral("1 - 0"));
        QCOMPARE(b.label("l_doppelsaetze2").caption, QStringLiteral("1 - 2"));
        QCOMPARE(b.label("l_doppelspiele2").caption, QStringLiteral("0 - 1"));
        QCOMPARE(b.label("l_sp1_2").caption, QStringLiteral("2 : 1"));

        // The same sheet on the form without doubles: no doubles printable at all.
        TQRKLW ohne(d.sheet);
        Band& o = filled(ohne);
        for (const char* name : {"QRLabel29", "QRLabel30", "l_hdoppel1", "l_gdoppel2", "l_doppelsaetze1",
                                 "l_doppelspiele2", "QRShape59", "QRShape64"}) {
            QVERIFY2(!o.has(name), name);
            QVERIFY2(b.has(name), name);
        }
    }
};

QTEST_MAIN(QrFuellenTest)
#include "test_qr_fuellen.moc"
