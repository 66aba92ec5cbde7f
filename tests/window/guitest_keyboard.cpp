// The sheet by keyboard alone in the real window: a game's player choice opened from its
// sets field with F4 or Alt+Down, picked with the arrow keys and Enter as a mouse pick
// would be, left alone with Escape; and the buttons' shortcuts, which leave the field being
// typed in first, as a click on the button does.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QtTest>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "output/qr_klw.h"
#include "output/qr_layout.h"
#include "sheet/tables.h"
#include "support/fakes.h"
#include "support/filled_sheet.h"
#include "support/modal_answerer.h"
#include "support/shown_window.h"
#include "support/snapshot_sheet.h"
#include "support/testdatabase.h"
#include "window/tfklw.h"

using namespace klw;

class KeyboardTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;  // the PDF button's save dialog opens in ~/PDF
    QTemporaryDir noScheduler;
    std::unique_ptr<test::TestDatabase> database;
    test::ScriptedScreen dialogs;
    TDM_SYS dmSys;
    TDM_DAT dmDat;
    std::unique_ptr<TFKLW> window;

    Spielbogen& sheet() { return window->sheet(); }
    QWidget* w(const char* name) { return window->control(name); }
    QComboBox* choice(const QString& name) { return qobject_cast<QComboBox*>(window->control(name)); }
    QString focused() { return test::focusedName(); }

    // The focus moved into a field, as Tab moves it. The sheet starts in the match day,
    // whose leaving sends the focus to the league first.
    void focusInto(const QString& name)
    {
        QWidget* field = window->control(name);
        field->setFocus(Qt::TabFocusReason);
        if (focused() != name)
            field->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(focused(), name);
    }
    // Types into the focused field as the user does: the old text selected and overtyped.
    void overtype(const QString& text)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    void nicknames()
    {
        for (const PlayerRow& z : kPlayerRows)
            sheet().setText(z.nickname, QStringLiteral("Ruf") + QLatin1String(z.position));
    }

private slots:
    void initTestCase()
    {
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("CUPS_SERVER", QFile::encodeName(noScheduler.filePath("cups.sock")));
    }
    void init()
    {
        dialogs = test::ScriptedScreen();
        database = std::make_unique<test::TestDatabase>();
        window = std::make_unique<TFKLW>(dmSys, dmDat, &dialogs, database->programFolder());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        focusInto("f_ort");  // past the header, whose fields look things up when left
        dialogs.shown.clear();
    }
    void cleanup()
    {
        window.reset();
        database.reset();
    }

    // The list opens over the sets field, which keeps the focus: neither the list opening
    // nor its closing is leaving the field, so a refused value typed there is told only
    // when the user really leaves.
    void choiceOpensFromTheSetsField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("other");  // the game's other choice, which stays shut
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifier");
        QTest::addColumn<bool>("pick");  // Down and Enter; else Down and Escape
        QTest::addColumn<QString>("choiceAfter");
        QTest::addColumn<QString>("line");  // the game's line
        QTest::addColumn<QString>("lineAfter");
        QTest::addColumn<int>("refusalsOnLeaving");
        const int f4 = Qt::Key_F4, down = Qt::Key_Down, none = Qt::NoModifier, alt = Qt::AltModifier;
        QTest::newRow("home sets, F4, Enter") << "Edit9"
                                              << "ComboBox1"
                                              << "ComboBox2" << f4 << none << true << "H5"
                                              << "Edit1"
                                              << "RufH5 - RufG1" << 0;
        QTest::newRow("home sets, Alt+Down, Escape") << "Edit9"
                                                     << "ComboBox1"
                                                     << "ComboBox2" << down << alt << false << "H1"
                                                     << "Edit1"
                                                     << "" << 0;
        QTest::newRow("guest sets, Alt+Down, Enter") << "Edit56"
                                                     << "ComboBox2"
                                                     << "ComboBox1" << down << alt << true << "G5"
                                                     << "Edit1"
                                                     << "RufH1 - RufG5" << 1;
        QTest::newRow("guest sets, F4, Escape") << "Edit56"
                                                << "ComboBox2"
                                                << "ComboBox1" << f4 << none << false << "G1"
                                                << "Edit1"
                                                << "" << 1;
        QTest::newRow("game 12 guest sets, F4, Enter") << "Edit74"
                                                       << "ComboBox24"
                                                       << "ComboBox23" << f4 << none << true << "G5"
                                                       << "Edit26"
                                                       << "RufH2 - RufG5" << 1;
    }
    void choiceOpensFromTheSetsField()
    {
        QFETCH(QString, field);
        QFETCH(QString, opened);
        QFETCH(QString, other);
        QFETCH(int, key);
        QFETCH(int, modifier);
        QFETCH(bool, pick);
        QFETCH(QString, choiceAfter);
        QFETCH(QString, line);
        QFETCH(QString, lineAfter);
        QFETCH(int, refusalsOnLeaving);
        nicknames();
        if (const Game* spiel = gameWithGuestSets(klw::test::controlNamed(field)))
            sheet().setText(spiel->homeSets, "2");  // so that leaving the guest's sets decides the game
        focusInto(field);
        overtype("3");  // no valid number of sets

        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifier));
        QAbstractItemView* list = choice(opened)->view();
        QTRY_VERIFY(list->isVisible());
        QVERIFY(!choice(other)->view()->isVisible());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, pick ? Qt::Key_Return : Qt::Key_Escape);
        QTRY_VERIFY(!list->isVisible());

        QTRY_COMPARE(focused(), field);
        QCOMPARE(choice(opened)->currentText(), choiceAfter);
        QCOMPARE(sheet().text(klw::test::fieldNamed(opened)), choiceAfter);
        QCOMPARE(sheet().selectedItem(klw::test::fieldNamed(opened)), pick ? 1 : 0);
        QCOMPARE(sheet().text(klw::test::fieldNamed(line)), lineAfter);
        QCOMPARE(qobject_cast<QLineEdit*>(window->control(field))->text(), QStringLiteral("3"));
        QCOMPARE(dialogs.texts(), QStringList());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(dialogs.shown.size(), refusalsOnLeaving);
    }

    // The same substitute picked three ways: with the mouse in the open list, and from the
    // home sets field with either key. Game line, players' points and the report's pairing
    // come out the same.
    void keyboardPickCountsAsAMousePick_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse") << "mouse";
        QTest::newRow("F4") << "F4";
        QTest::newRow("Alt+Down") << "Alt+Down";
    }
    void keyboardPickCountsAsAMousePick()
    {
        QFETCH(QString, how);
        nicknames();
        QComboBox* combo = choice("ComboBox5");  // game 3, H3 against G3
        if (how == "mouse") {
            combo->showPopup();
            QTRY_VERIFY(combo->view()->isVisible());
            const QRect entry = combo->view()->visualRect(combo->model()->index(2, 0));
            QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {}, entry.center());
            QTRY_VERIFY(!combo->view()->isVisible());
            focusInto("Edit5");
        } else {
            focusInto("Edit5");
            if (how == "F4")
                QTest::keyClick(w("Edit5"), Qt::Key_F4);
            else
                QTest::keyClick(w("Edit5"), Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(combo->view()->isVisible());
            QTest::keyClick(combo->view(), Qt::Key_Down);
            QTest::keyClick(combo->view(), Qt::Key_Down);
            QTest::keyClick(combo->view(), Qt::Key_Return);
            QTRY_VERIFY(!combo->view()->isVisible());
            QTRY_COMPARE(focused(), QStringLiteral("Edit5"));
        }
        QTest::keyClicks(w("Edit5"), "2");
        QTest::keyClick(w("Edit5"), Qt::Key_Tab);
        QTest::keyClicks(w("Edit51"), "0");
        QTest::keyClick(w("Edit51"), Qt::Key_Tab);

        QCOMPARE(combo->currentText(), QStringLiteral("H6"));
        QCOMPARE(sheet().selectedItem("ComboBox5"), 2);
        QCOMPARE(qobject_cast<QLineEdit*>(w("Edit3"))->text(), QStringLiteral("RufH6 - RufG3"));
        QCOMPARE(qobject_cast<QLineEdit*>(w("f_h6punkte"))->text(), QStringLiteral("3"));
        QCOMPARE(qobject_cast<QLineEdit*>(w("f_h3punkte"))->text(), QStringLiteral("0"));
        TQRKLW report(sheet());
        reportengine::Band& band = report.titleBand();
        band.beforePrint(band);
        QCOMPARE(band.label(paarungLabel(3).name()).caption, QStringLiteral("H6 : G3"));
        QCOMPARE(dialogs.texts(), QStringList());
    }

    void hintsNameTheKeys()
    {
        QCOMPARE(w("Edit9")->toolTip(), QStringLiteral("F4 oder Alt+Pfeil runter: Heimspieler dieses Spiels wechseln"));
        QCOMPARE(w("Edit56")->toolTip(),
                 QStringLiteral("F4 oder Alt+Pfeil runter: Gastspieler dieses Spiels wechseln"));
        QCOMPARE(w("bt_sicherung")->toolTip(), QStringLiteral("Sicherung erstellen (Strg+S)"));
        QCOMPARE(w("bt_druck")->toolTip(), QStringLiteral("Druckvorschau öffnen (Strg+P)"));
        QCOMPARE(w("bt_pdf")->toolTip(), QStringLiteral("als PDF (Acrobat) speichern (Strg+Umschalt+P)"));
        QCOMPARE(w("bt_ende")->toolTip(), QStringLiteral("Programm beeenden (Strg+Q)"));
        for (const Game& s : kSingles) {
            QCOMPARE(window->control(s.homeChoice.name())->focusPolicy(), Qt::ClickFocus);  // still no tab stops
            QCOMPARE(window->control(s.guestChoice.name())->focusPolicy(), Qt::ClickFocus);
        }
    }

    // Each shortcut while the guest's sets of doubles 1, the last game to play, are typed but
    // not left: the field's exit decides the game first, then the button's own handler runs
    // on the finished sheet (and stores the game in the snapshot, asks no question about
    // an open game before printing).
    void shortcutLeavesTheFieldThenRunsTheButton_data()
    {
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("firstQuestion");  // asked by the button's handler; answered Nein
        QTest::newRow("Strg+S: snapshot") << QKeyCombination(Qt::CTRL | Qt::Key_S) << "";
        QTest::newRow("Strg+P: preview")
            << QKeyCombination(Qt::CTRL | Qt::Key_P)
            << "Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\n\rDruck starten?";
        QTest::newRow("Strg+Umschalt+P: PDF")
            << QKeyCombination(Qt::CTRL | Qt::SHIFT | Qt::Key_P)
            << "Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\n\rDruck starten?";
        QTest::newRow("Strg+Q: end") << QKeyCombination(Qt::CTRL | Qt::Key_Q)
                                     << "Durch das Beenden werden alle Daten gelöscht!\n\rLöschen?";
    }
    void shortcutLeavesTheFieldThenRunsTheButton()
    {
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, firstQuestion);
        test::fillMatch(window->context(), true);
        for (FieldId field :
             std::array<FieldId, 4>{"l_hdoppelsaetze1", "l_gdoppelsaetze1", "l_hdoppelspiele1", "l_gdoppelspiele1"})
            sheet().setText(field, "");  // doubles 1 still to play: a print would ask about it
        focusInto("l_hdoppelsaetze1");
        QTest::keyClicks(w("l_hdoppelsaetze1"), "0");
        QTest::keyClick(w("l_hdoppelsaetze1"), Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("l_gdoppelsaetze1"));
        QTest::keyClicks(w("l_gdoppelsaetze1"), "2");
        QCOMPARE(sheet().text("l_gdoppelspiele1"), QString());  // not yet decided

        QTest::keyClick(w("l_gdoppelsaetze1"), keys.key(), keys.keyboardModifiers());

        QCOMPARE(sheet().text("l_hdoppelspiele1"), QStringLiteral("0"));
        QCOMPARE(sheet().text("l_gdoppelspiele1"), QStringLiteral("1"));
        if (firstQuestion.isEmpty()) {
            QCOMPARE(dialogs.texts(), QStringList());
            const int lfdNr =
                dmSys.ABSQueryOpen(window->context().abfragen.Q_LESEN, "select max(LFDNRI) LFDNRI from SICHERUNG") == 1
                    ? window->context().abfragen.Q_LESEN.fieldByName("LFDNRI").asInteger()
                    : -1;
            const auto row = test::gespeicherteZeile(window->context().abfragen.ABSDatabase1.handle(), lfdNr);
            QCOMPARE(row.value("HDOPPELSAETEZ1").toInt(), 0);
            QCOMPARE(row.value("GDOPPELSAETEZ1").toInt(), 2);
            QCOMPARE(row.value("HD0PELLSPIELE1").toInt(), 0);
            QCOMPARE(row.value("GD0PELLSPIELE1").toInt(), 1);
            QVERIFY(sheet().text("l_sicherung").startsWith("letzte Sicherung: "));
        } else {
            QCOMPARE(dialogs.texts(), QStringList{firstQuestion});
            QCOMPARE(focused(), keys == (Qt::CTRL | Qt::Key_Q) ? "bt_ende" : "m_bemerkung");
        }
        QVERIFY(window->isVisible());
    }

    // The shortcuts run what the buttons run to the end, also from the remark, which takes
    // keys of its own: the preview opens (and prints with Ctrl+P), the PDF is asked for in
    // the save dialog, the end's Ja closes the window.
    void shortcutsRunTheButtonsToTheEnd_data()
    {
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("seen");
        QTest::newRow("Strg+P, and Strg+P in the preview") << QKeyCombination(Qt::CTRL | Qt::Key_P) << "Druckvorschau";
        QTest::newRow("Strg+Umschalt+P") << QKeyCombination(Qt::CTRL | Qt::SHIFT | Qt::Key_P) << "Speichern unter";
        QTest::newRow("Strg+Q") << QKeyCombination(Qt::CTRL | Qt::Key_Q) << "beendet";
    }
    void shortcutsRunTheButtonsToTheEnd()
    {
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, seen);
        test::fillMatch(window->context(), false);
        dialogs.answers << true;  // the remark question, or the end's
        test::ModalAnswerer user;
        QStringList windows;
        user.otherWindow = [&](QWidget* modal) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
                windows << "Druckvorschau";
                // In the preview Ctrl+P prints: the print dialog comes up.
                auto* watch = new QTimer(preview);
                connect(watch, &QTimer::timeout, preview, [&windows, watch] {
                    if (auto* print = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                        watch->stop();
                        windows << "Drucken";
                        print->reject();
                    }
                });
                watch->start(20);
                // A shortcut works in the active window; the offscreen platform does not
                // always make the modal preview the application's active window by itself.
                preview->activateWindow();
                if (QTest::qWaitFor([preview] { return QApplication::activeWindow() == preview; }))
                    QTest::keyClick(preview, Qt::Key_P, Qt::ControlModifier);
                preview->reject();
            }
        };
        focusInto("m_bemerkung");
        QTest::keyClick(w("m_bemerkung"), keys.key(), keys.keyboardModifiers());
        if (seen == "Druckvorschau")
            QTRY_COMPARE(windows, (QStringList{seen, "Drucken"}));
        else if (seen == "Speichern unter")
            QCOMPARE(dialogs.proposedSaveFiles, QStringList{home.filePath("PDF/A1-Liga_5_Dart Club.pdf")});
        else
            QTRY_VERIFY(!window->isVisible());
    }
};

QTEST_MAIN(KeyboardTest)
#include "guitest_keyboard.moc"
