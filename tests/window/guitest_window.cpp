// The real main window: widgets built from the sheet's fields, bound both ways, Enter as
// Tab, the tab stops and the focus rule of the match day.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QtTest>

#include "sheet/tables.h"
#include "support/shown_window.h"

using namespace klw;

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ShownWindow> shown;

    QWidget* w(const char* name) { return shown->window->control(QString::fromLatin1(name)); }
    QString focused() { return test::focusedName(); }

private slots:
    void init()
    {
        shown = std::make_unique<test::ShownWindow>();
        QVERIFY(shown->show());
    }
    // Every focus move away from the match day lands in the league, so tests start there.
    void focusOn(const char* name)
    {
        if (focused() == QLatin1String("f_spieltag"))
            w("f_liga")->setFocus();
        w(name)->setFocus();
        QTRY_COMPARE(focused(), QString::fromLatin1(name));
    }
    void cleanup() { shown.reset(); }

    void everyFieldHasItsWidgetOnTheCanvas()
    {
        for (const FieldDef& def : sheetFields()) {
            QWidget* widget = shown->window->control(def.name());
            QVERIFY2(widget, qPrintable(def.name()));
            QCOMPARE(widget->objectName(), def.name());
            const QRect onCanvas(QPoint(0, 0), QSize(TFKLW::kCanvasWidth, TFKLW::kCanvasHeight));
            QVERIFY2(onCanvas.contains(widget->geometry()), qPrintable(def.name()));
            QCOMPARE(widget->isVisibleTo(shown->window.get()),
                     shown->window->sheet().isVisible(def.id) && (def.name() == "f_intervall" ? false : true));
        }
        auto* scroll = shown->window->findChild<QScrollArea*>();
        QCOMPARE(scroll->widget()->height(), TFKLW::kScrollRange);
        QCOMPARE(shown->window->windowTitle(),
                 QStringLiteral("Spielberichtsbogen des MEKO e. V. - Version: " KLW_VERSION));
        QCOMPARE(qobject_cast<QLineEdit*>(w("f_bde2"))->text(), QCoreApplication::applicationDirPath() + "/");
    }

    // The pictures are compiled into the core library; the window's own library reaches them.
    void picturesShow()
    {
        for (const char* name : {"Image2", "Image3"}) {
            auto* picture = shown->window->findChild<QLabel*>(name);
            QVERIFY2(picture && !picture->pixmap().isNull(), name);
        }
        for (const char* name :
             {"bt_namenuebernehmen2", "bt_sicherung", "bt_farben", "bt_info", "bt_pdf", "bt_druck", "bt_ende"}) {
            auto* button = shown->window->findChild<QAbstractButton*>(name);
            QVERIFY2(button && !button->icon().isNull(), name);
        }
    }

    void withoutDatabaseTheWindowOpensAfterOneErrorBox()
    {
        shown.reset();
        QTemporaryDir empty;
        TDM_SYS dmSys;
        TDM_DAT dmDat;
        test::ScriptedScreen boxes;
        TFKLW bare(dmSys, dmDat, &boxes, empty.path() + "/");
        bare.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bare));
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].kind, test::Shown::Error);
        QVERIFY2(!boxes.shown[0].text.isEmpty(), qPrintable(boxes.shown[0].text));
        QCOMPARE(bare.windowTitle(), QStringLiteral("Spielberichtsbogen des MEKO e. V."));
        QCOMPARE(bare.sheet().text("f_bde2"), QString());
        // The rest of the start still runs.
        QCOMPARE(bare.sheet().text("f_intervall"), QStringLiteral("10"));
        QCOMPARE(bare.sheet().selectedItem("ComboBox1"), 0);
    }

    void startStateIsShown()
    {
        QCOMPARE(focused(), QStringLiteral("f_spieltag"));
        QCOMPARE(qobject_cast<QComboBox*>(w("ComboBox19"))->currentText(), QStringLiteral("H4"));
        QCOMPARE(shown->window->sheet().selectedItem("ComboBox19"), 0);
        QVERIFY(!w("l_hdoppel1")->isVisible());
        QVERIFY(!w("Label24")->isVisible());
        QVERIFY(!w("cb_maildatei")->isVisible());
        QVERIFY(!w("p_admin")->isVisible());
        QCOMPARE(qobject_cast<QLineEdit*>(w("f_datum"))->text().size(), 10);
        QCOMPARE(shown->window->sheet().text("f_datum"), QDate::currentDate().toString("dd.MM.yyyy"));
        QVERIFY(qobject_cast<QLineEdit*>(w("Edit8"))->isReadOnly());
        QVERIFY(qobject_cast<QLineEdit*>(w("f_h1punkte"))->isReadOnly());
    }

    void enterWorksLikeTabAndSkipsTheName()
    {
        focusOn("f_h1pnr");
        QTest::keyClick(w("f_h1pnr"), Qt::Key_Return);
        QCOMPARE(focused(), QStringLiteral("f_h1rname"));
        QTest::keyClick(w("f_h1rname"), Qt::Key_Enter);
        QCOMPARE(focused(), QStringLiteral("f_h2pnr"));
    }

    // The remark takes its lines with Enter; the official's line and the place below it
    // keep what they hold.
    void enterInTheRemarkStartsANewLine_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    void enterInTheRemarkStartsANewLine()
    {
        QFETCH(int, key);
        Spielbogen& sheet = shown->window->sheet();
        sheet.setText("l_ligabearbeiter", QStringLiteral("Liga-Bearbeiter: Erika Muster"));
        sheet.setText("f_ort", QStringLiteral("Bottrop, 02.09.2006"));
        focusOn("m_bemerkung");
        QWidget* memo = w("m_bemerkung");
        QTest::keyClicks(memo, "Zeile 1");
        QTest::keyClick(memo, Qt::Key(key));
        QTest::keyClicks(QApplication::focusWidget(), "Zeile 2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTest::keyClicks(QApplication::focusWidget(), "Zeile 3");
        QCOMPARE(focused(), QStringLiteral("m_bemerkung"));
        QCOMPARE(qobject_cast<QPlainTextEdit*>(memo)->toPlainText(), QStringLiteral("Zeile 1\nZeile 2\nZeile 3"));
        QCOMPARE(sheet.text("m_bemerkung"), QStringLiteral("Zeile 1\r\nZeile 2\r\nZeile 3"));
        QCOMPARE(qobject_cast<QLineEdit*>(w("l_ligabearbeiter"))->text(),
                 QStringLiteral("Liga-Bearbeiter: Erika Muster"));
        QCOMPARE(qobject_cast<QLineEdit*>(w("f_ort"))->text(), QStringLiteral("Bottrop, 02.09.2006"));
        QCOMPARE(sheet.text("l_ligabearbeiter"), QStringLiteral("Liga-Bearbeiter: Erika Muster"));
        QCOMPARE(sheet.text("f_ort"), QStringLiteral("Bottrop, 02.09.2006"));
    }

    void tabAndShiftTabLeaveTheRemark_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("next");  // the field, or the radio group whose item has the focus
        QTest::newRow("Tab") << int(Qt::NoModifier) << "l_ligabearbeiter";
        QTest::newRow("Shift+Tab") << int(Qt::ShiftModifier) << "rg_ergebnis";
    }
    void tabAndShiftTabLeaveTheRemark()
    {
        QFETCH(int, modifiers);
        QFETCH(QString, next);
        focusOn("m_bemerkung");
        QTest::keyClicks(w("m_bemerkung"), "Protest");
        QTest::keyClick(w("m_bemerkung"), modifiers ? Qt::Key_Backtab : Qt::Key_Tab, Qt::KeyboardModifiers(modifiers));
        QWidget* now = QApplication::focusWidget();
        QVERIFY(now);
        QCOMPARE(now->objectName().isEmpty() ? now->parentWidget()->objectName() : now->objectName(), next);
        QCOMPARE(shown->window->sheet().text("m_bemerkung"), QStringLiteral("Protest"));
    }

    void tabVisitsOnlyTabStops()
    {
        const QStringList expected{"f_h6rname", "f_g1pnr", "f_g1rname", "f_g2pnr"};
        focusOn("f_h6pnr");
        for (const QString& next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focused(), next);
        }
        // The last guest row leads to the transfer button, then the doubles are skipped
        // while hidden and the sets of game 1 follow.
        focusOn("f_g6rname");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("bt_namenuebernehmen2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("Edit9"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("Edit56"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("Edit7"));
    }

    void leavingTheMatchDayLandsInTheLeague()
    {
        QCOMPARE(focused(), QStringLiteral("f_spieltag"));
        QTest::keyClick(w("f_spieltag"), Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("f_liga"));

        focusOn("f_spieltag");
        QTest::mouseClick(w("f_gastteam"), Qt::LeftButton);
        QCOMPARE(focused(), QStringLiteral("f_liga"));
    }

    void widgetsAndSheetFollowEachOther()
    {
        Spielbogen& s = shown->window->sheet();
        focusOn("f_Heimteam");
        QTest::keyClicks(w("f_Heimteam"), "Adler");
        QCOMPARE(s.text("f_Heimteam"), QStringLiteral("Adler"));

        s.setText("Edit50", "12");
        QCOMPARE(qobject_cast<QLineEdit*>(w("Edit50"))->text(), QStringLiteral("12"));
        s.setVisible("l_hdoppel1", true);
        QVERIFY(w("l_hdoppel1")->isVisible());

        // A typed choice text leaves the choice without a selected item, even an item's text.
        auto* combo = qobject_cast<QComboBox*>(w("ComboBox1"));
        focusOn("ComboBox1");
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, "H5");
        QCOMPARE(s.text("ComboBox1"), QStringLiteral("H5"));
        QCOMPARE(s.selectedItem("ComboBox1"), -1);
        // Stepping to an item with the arrow keys picks it: both are set.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(s.text("ComboBox1"), QStringLiteral("H5"));
        QCOMPARE(s.selectedItem("ComboBox1"), 1);
        // The program setting a choice's text leaves no selected item either.
        s.setText("ComboBox1", "H1");
        QCOMPARE(combo->currentText(), QStringLiteral("H1"));
        QCOMPARE(s.selectedItem("ComboBox1"), -1);

        s.setItemIndex("rg_ergebnis", 2);
        QVERIFY(shown->window->findChild<QGroupBox*>("rg_ergebnis")->findChildren<QRadioButton*>()[2]->isChecked());
        s.setText("m_bemerkung", "a\r\nb");
        QCOMPARE(qobject_cast<QPlainTextEdit*>(w("m_bemerkung"))->toPlainText(), QStringLiteral("a\nb"));
    }

    void wheelOverAChoiceScrollsTheSheetInsteadOfChangingIt()
    {
        shown->window->resize(800, 400);
        auto* bar = shown->window->findChild<QScrollArea*>()->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        QWidget* combo = w("ComboBox1");
        const QPoint at = combo->rect().center();
        QWheelEvent wheel(at, combo->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        QCOMPARE(shown->window->sheet().text("ComboBox1"), QStringLiteral("H1"));
        QCOMPARE(shown->window->sheet().selectedItem("ComboBox1"), 0);
        QVERIFY(bar->value() > 0);
    }

    void infoOpensTheImprintAndItsButtonClosesIt()
    {
        QString caption, text;
        QTimer::singleShot(0, this, [&] {
            QWidget* imprint = QApplication::activeModalWidget();
            QVERIFY(imprint);
            caption = imprint->windowTitle();
            text = imprint->findChild<QTextEdit*>()->toPlainText();
            QTest::mouseClick(imprint->findChild<QPushButton*>("BitBtn4"), Qt::LeftButton);
        });
        QTest::mouseClick(w("bt_info"), Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Impressum"));
        for (const char* heading : {"Haftungsausschluss", "Urheber- und Kennzeichenrecht", "Datenschutz",
                                    "Rechtswirksamkeit dieses Haftungsausschlusses"})
            QVERIFY2(text.contains(QString::fromUtf8(heading)), heading);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The colour chosen in the colour dialog becomes the sheet's background; a cancelled
    // dialog leaves it as it was.
    void chosenColourPaintsTheSheet()
    {
        QWidget* canvas = shown->window->findChild<QWidget*>("canvas");
        const auto background = [canvas] { return canvas->grab().toImage().pixelColor(2, 2); };
        const QColor before = background();
        QTest::mouseClick(w("bt_farben"), Qt::LeftButton);  // cancelled
        QCOMPARE(background(), before);
        shown->dialogs.colour = QColor(Qt::yellow);
        QTest::mouseClick(w("bt_farben"), Qt::LeftButton);
        QCOMPARE(background(), QColor(Qt::yellow));
    }

    void typedDateKeepsItsMaskInTheSheet_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("nothing") << "" << kLeeresDatum;
        QTest::newRow("all digits") << "01082006"
                                    << "01.08.2006";
        QTest::newRow("one-digit day and month, blank in front") << "1.8.2006"
                                                                 << " 1. 8.2006";
        QTest::newRow("one-digit month only") << "24.8.2006"
                                              << "24. 8.2006";
        QTest::newRow("day only") << "7"
                                  << " 7.  .    ";
    }
    // Once left, the field shows what the sheet holds and the report prints; going back
    // into it and out again changes nothing.
    void typedDateKeepsItsMaskInTheSheet()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        auto* date = qobject_cast<QLineEdit*>(w("f_datum"));
        focusOn("f_datum");
        date->selectAll();
        QTest::keyClick(date, Qt::Key_Delete);
        date->home(false);
        QTest::keyClicks(date, typed);
        QTest::keyClick(date, Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("f_liga"));
        QCOMPARE(shown->window->sheet().text("f_datum"), stored);
        QCOMPARE(date->displayText(), stored);
        QTest::mouseClick(date, Qt::LeftButton);
        QCOMPARE(focused(), QStringLiteral("f_datum"));
        QCOMPARE(shown->window->sheet().text("f_datum"), stored);
        QTest::keyClick(date, Qt::Key_Tab);
        QCOMPARE(shown->window->sheet().text("f_datum"), stored);
        QCOMPARE(date->displayText(), stored);
    }

    void tabFromTheLastButtonGoesRoundToTheMatchDay()
    {
        focusOn("bt_ende");
        QTest::keyClick(w("bt_ende"), Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("f_spieltag"));
    }
};

QTEST_MAIN(WindowTest)
#include "guitest_window.moc"
