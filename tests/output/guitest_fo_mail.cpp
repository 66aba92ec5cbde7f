// The mail window driven with real key and mouse events: its look, the checks of the send
// button in their order, the address pickers, the attachment and a failed send.

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextEdit>

#include "output/dm_dat_mail.h"
#include "output/fo_mail.h"
#include "support/fakes.h"
#include "support/scripted_post.h"

using klw::Mail;
using klw::TFO_FMAIL;

class GuiTestFoMail : public QObject {
    Q_OBJECT

    klw::test::ScriptedDialogs dialogs;
    klw::TDM_DAT_Mail dm;
    klw::test::ScriptedPost post;
    QList<Mail> gesendet;
    std::unique_ptr<TFO_FMAIL> w;

    template <typename T = QWidget>
    T* ctl(const char* name) { return qobject_cast<T*>(w->control(name)); }
    void tippen(const char* feld, const QString& text)
    {
        QTest::mouseClick(ctl(feld), Qt::LeftButton);
        QTest::keyClicks(ctl(feld), text);
    }
    void klick(const char* knopf) { QTest::mouseClick(ctl(knopf), Qt::LeftButton); }
    void doppelklick(const char* liste, int zeile)
    {
        auto* lb = ctl<QListWidget>(liste);
        const QRect r = lb->visualItemRect(lb->item(zeile));
        QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(lb->viewport(), Qt::LeftButton, {}, r.center());
    }

private slots:
    void init()
    {
        dialogs.shown.clear();
        dialogs.answers.clear();
        dialogs.file.clear();
        gesendet.clear();
        post = klw::test::ScriptedPost{};
        post.gesendet = &gesendet;
        dm.postdienstHolen = [this] { return std::make_unique<klw::test::ScriptedPost>(post); };
        w = std::make_unique<TFO_FMAIL>(nullptr, dm, &dialogs);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void cleanup() { w.reset(); }

    void lookOfTheWindow()
    {
        QCOMPARE(w->windowTitle(), "Mailversand");
        QCOMPARE(w->size(), QSize(701, 570));
        QVERIFY(!(w->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        QCOMPARE(ctl("f_an")->geometry(), QRect(56, 15, 610, 21));
        QCOMPARE(ctl("f_memo")->geometry(), QRect(7, 105, 660, 350));
        QCOMPARE(ctl("bt_senden")->geometry(), QRect(228, 500, 150, 25));
        QCOMPARE(ctl<QAbstractButton>("bt_senden")->text(), "&Senden");
        QCOMPARE(ctl<QAbstractButton>("bt_close")->text(), "ende");
        QVERIFY(!ctl("lb_adressen")->isVisible());
        QVERIFY(!ctl("lb_adressencc")->isVisible());

        w->vorbelegen({"KLW: A1-Liga Spieltag: 5", "elke@meko.example", {"Hallo Elke Wittkamp", "", "Dart Club"}});
        QCOMPARE(ctl<QLineEdit>("f_betreff")->text(), "KLW: A1-Liga Spieltag: 5");
        QCOMPARE(ctl<QLineEdit>("f_an")->text(), "elke@meko.example");
        QCOMPARE(ctl<QTextEdit>("f_memo")->toPlainText(), "Hallo Elke Wittkamp\n\nDart Club");
        QVERIFY(ctl<QLineEdit>("f_anhang")->text().isEmpty());

        // Escape does not close it; only "ende" does, without sending.
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QVERIFY(w->isVisible());
        klick("bt_close");
        QVERIFY(!w->isVisible());
        QVERIFY(gesendet.isEmpty());
    }

    void checksOfTheSendButton_data()
    {
        QTest::addColumn<QString>("an");
        QTest::addColumn<QString>("betreff");
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QList<bool>>("antworten");
        QTest::addColumn<QStringList>("gezeigt");
        QTest::addColumn<QString>("fokus");
        QTest::addColumn<int>("versandt");
        QTest::addColumn<bool>("geschlossen");
        const QString leer = "Kein Anhang eingetragen, dennoch senden?";
        QTest::newRow("recipient blanks only") << "   " << "" << "" << QList<bool>{}
                                               << QStringList{"Feld Empfänger muß gefüllt werden!"} << "f_an" << 0 << false;
        QTest::newRow("subject empty") << "a@x.example" << "  " << "" << QList<bool>{}
                                       << QStringList{"Feld Betreff muß gefüllt werden!"} << "f_betreff" << 0 << false;
        QTest::newRow("no attachment, Nein") << "a@x.example" << "B" << "" << QList<bool>{false} << QStringList{leer}
                                             << "f_anhang" << 0 << false;
        QTest::newRow("no attachment, Ja, Ja") << "a@x.example" << "B" << "" << QList<bool>{true, true}
                                               << QStringList{leer, "Mail senden?"} << "" << 1 << true;
        QTest::newRow("Nein to Mail senden closes") << "a@x.example" << "B" << "" << QList<bool>{true, false}
                                                    << QStringList{leer, "Mail senden?"} << "" << 0 << true;
        QTest::newRow("attachment chosen, Ja") << "a@x.example" << "B" << KLW_SOURCE_DIR "/pictures/logo.jpg"
                                               << QList<bool>{true} << QStringList{"Mail senden?"} << "" << 1 << true;
    }
    void checksOfTheSendButton()
    {
        QFETCH(QString, an);
        QFETCH(QString, betreff);
        QFETCH(QString, datei);
        QFETCH(QList<bool>, antworten);
        QFETCH(QString, fokus);
        QFETCH(int, versandt);
        QFETCH(bool, geschlossen);
        tippen("f_an", an);
        tippen("f_betreff", betreff);
        tippen("f_memo", "Zeile 1");
        QTest::keyClick(ctl("f_memo"), Qt::Key_Return);
        QTest::keyClicks(ctl("f_memo"), "Zeile 2");
        if (!datei.isEmpty()) {
            dialogs.file = datei;
            klick("bt_pfad1");
            QCOMPARE(ctl<QLineEdit>("f_anhang")->text(), datei);
        }
        for (bool a : antworten)
            dialogs.answers << a;

        klick("bt_senden");

        QTEST(dialogs.texts(), "gezeigt");
        if (!fokus.isEmpty())
            QCOMPARE(QApplication::focusWidget(), ctl(fokus.toUtf8()));
        QCOMPARE(gesendet.size(), versandt);
        QCOMPARE(!w->isVisible(), geschlossen);
        if (versandt) {
            QCOMPARE(gesendet[0].an, an);
            QCOMPARE(gesendet[0].betreff, betreff);
            QCOMPARE(gesendet[0].text, "Zeile 1\r\nZeile 2\r\r");
            QCOMPARE(gesendet[0].anhaenge, datei.isEmpty() ? QStringList() : QStringList{datei});
        }
    }

    void pickersFillTheRecipients()
    {
        post.listen["Kontakte"] = {"Hans Müller"};
        post.listen["Globales Adressbuch"] = {"Liga-Bearbeiter A1"};
        post.kontakte = QStringList{"hans@club.example", "  "};

        klick("bt_an");
        auto* lb = ctl<QListWidget>("lb_adressen");
        QVERIFY(lb->isVisible());
        QCOMPARE(lb->count(), 3);
        doppelklick("lb_adressen", 0);
        doppelklick("lb_adressen", 2);
        QCOMPARE(ctl<QLineEdit>("f_an")->text(), "Hans Müller;hans@club.example");
        QVERIFY(lb->isVisible());

        klick("bt_ancc");
        doppelklick("lb_adressencc", 1);
        QCOMPARE(ctl<QLineEdit>("f_ancc")->text(), "Liga-Bearbeiter A1");

        // A click on the window's free area hides both pickers.
        QTest::mouseClick(w.get(), Qt::LeftButton, {}, QPoint(650, 545));
        QVERIFY(!lb->isVisible());
        QVERIFY(!ctl("lb_adressencc")->isVisible());
        QVERIFY(dialogs.shown.isEmpty());
    }

    void pickerWithoutMailService()
    {
        dm.postdienstHolen = [] () -> std::unique_ptr<klw::Postdienst> { throw std::runtime_error("kein Mailprogramm"); };
        klick("bt_an");
        QCOMPARE(dialogs.texts(), QStringList{"kein Mailprogramm"});
        QVERIFY(!ctl("lb_adressen")->isVisible());
    }

    void secondFileReplacesAndClearing()
    {
        dialogs.file = "/tmp/erste.pdf";
        klick("bt_pfad1");
        dialogs.file = "/tmp/zweite.pdf";
        klick("bt_pfad1");
        QCOMPARE(ctl<QLineEdit>("f_anhang")->text(), "/tmp/zweite.pdf");
        dialogs.file.clear();
        klick("bt_pfad1");  // cancelled
        QCOMPARE(ctl<QLineEdit>("f_anhang")->text(), "/tmp/zweite.pdf");

        dialogs.answers << false;
        klick("bt_leeren");
        QCOMPARE(ctl<QLineEdit>("f_anhang")->text(), "/tmp/zweite.pdf");
        dialogs.answers << true;
        klick("bt_leeren");
        QVERIFY(ctl<QLineEdit>("f_anhang")->text().isEmpty());
        QCOMPARE(dialogs.texts(), QStringList(2, "Sollen wirklich alle Anhänge aus der Mail gelöscht werden?"));
    }

    // A failed hand-over shows its reason; the window stays open with everything typed.
    void failedSendKeepsTheWindow()
    {
        post.sendeFehler = "Das Mailprogramm meldet einen Fehler (75)";
        tippen("f_an", "Niemand");
        tippen("f_ancc", "c@x.example");
        tippen("f_betreff", "B");
        tippen("f_memo", "Text");
        dialogs.answers << true << true;
        klick("bt_senden");
        QCOMPARE(dialogs.shown.last().kind, klw::test::Shown::Error);
        QCOMPARE(dialogs.shown.last().text, "Das Mailprogramm meldet einen Fehler (75)");
        QVERIFY(w->isVisible());
        QCOMPARE(ctl<QLineEdit>("f_an")->text(), "Niemand");
        QCOMPARE(ctl<QLineEdit>("f_ancc")->text(), "c@x.example");
        QCOMPARE(ctl<QTextEdit>("f_memo")->toPlainText(), "Text");
    }
};

QTEST_MAIN(GuiTestFoMail)
#include "guitest_fo_mail.moc"
