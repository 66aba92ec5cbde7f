// The mail window driven with real key and mouse events: its look, the checks of the send
// button in their order, the address pickers, the attachments, a send in progress, a
// failed send and the titles of its boxes.

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include "output/dm_dat_mail.h"
#include "output/sendmail_post.h"
#include "support/fakes.h"
#include "support/modal_answerer.h"
#include "support/scripted_post.h"
#include "window/mail/fo_mail.h"

using klw::Mail;
using klw::TFO_FMAIL;

class GuiTestFoMail : public QObject {
    Q_OBJECT

    klw::test::ScriptedScreen dialogs;
    klw::TDM_DAT_Mail dm;
    klw::test::ScriptedPost post;
    QList<Mail> gesendet;
    std::unique_ptr<TFO_FMAIL> w;

    template <typename T = QWidget> T* ctl(const char* name) { return qobject_cast<T*>(w->control(name)); }
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
        QTest::newRow("recipient blanks only")
            << "   "
            << ""
            << "" << QList<bool>{} << QStringList{"Feld Empfänger muß gefüllt werden!"} << "f_an" << 0 << false;
        QTest::newRow("subject empty") << "a@x.example"
                                       << "  "
                                       << "" << QList<bool>{} << QStringList{"Feld Betreff muß gefüllt werden!"}
                                       << "f_betreff" << 0 << false;
        QTest::newRow("no attachment, Nein")
            << "a@x.example"
            << "B"
            << "" << QList<bool>{false} << QStringList{leer} << "f_anhang" << 0 << false;
        QTest::newRow("no attachment, Ja, Ja")
            << "a@x.example"
            << "B"
            << "" << QList<bool>{true, true} << QStringList{leer, "Mail senden?"} << "" << 1 << true;
        QTest::newRow("Nein to Mail senden closes")
            << "a@x.example"
            << "B"
            << "" << QList<bool>{true, false} << QStringList{leer, "Mail senden?"} << "" << 0 << true;
        QTest::newRow("attachment chosen, Ja") << "a@x.example"
                                               << "B" << KLW_SOURCE_DIR "/pictures/logo.jpg" << QList<bool>{true}
                                               << QStringList{"Mail senden?"} << "" << 1 << true;
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
        dm.postdienstHolen = []() -> std::unique_ptr<klw::Postdienst> {
            throw std::runtime_error("kein Mailprogramm");
        };
        klick("bt_an");
        QCOMPARE(dialogs.texts(), QStringList{"kein Mailprogramm"});
        QVERIFY(!ctl("lb_adressen")->isVisible());
    }

    // Each chosen file is added behind the others; "ende" of the file dialog adds nothing, and
    // the bin button clears them all after asking.
    void filesAddUpAndClearing()
    {
        dialogs.file = "/tmp/erste.pdf";
        klick("bt_pfad1");
        dialogs.file = "/tmp/zweite datei.txt";
        klick("bt_pfad1");
        QCOMPARE(ctl<QLineEdit>("f_anhang")->text(), "/tmp/erste.pdf; /tmp/zweite datei.txt");
        dialogs.file.clear();
        klick("bt_pfad1");  // cancelled
        QCOMPARE(ctl<QLineEdit>("f_anhang")->text(), "/tmp/erste.pdf; /tmp/zweite datei.txt");

        // A path typed by hand counts as well.
        tippen("f_anhang", ";  ");
        dialogs.file = "/tmp/dritte.pdf";
        klick("bt_pfad1");
        QCOMPARE(ctl<QLineEdit>("f_anhang")->text(), "/tmp/erste.pdf; /tmp/zweite datei.txt; /tmp/dritte.pdf");

        dialogs.answers << false;
        klick("bt_leeren");
        QCOMPARE(ctl<QLineEdit>("f_anhang")->text(), "/tmp/erste.pdf; /tmp/zweite datei.txt; /tmp/dritte.pdf");
        dialogs.answers << true;
        klick("bt_leeren");
        QVERIFY(ctl<QLineEdit>("f_anhang")->text().isEmpty());
        QCOMPARE(dialogs.texts(), QStringList(2, "Sollen wirklich alle Anhänge aus der Mail gelöscht werden?"));
    }

    // The attachments handed in by the caller and one chosen in the window go out in order;
    // one that has gone by the time of sending stops the send with a box.
    void attachmentsAtSending_data()
    {
        QTest::addColumn<bool>("einerWeg");
        QTest::newRow("all there: sent in order") << false;
        QTest::newRow("one gone: a box, nothing sent") << true;
    }
    void attachmentsAtSending()
    {
        QFETCH(bool, einerWeg);
        QTemporaryDir dir;
        const QStringList pfade{dir.filePath("Spielbericht.pdf"), dir.filePath("A1-Liga_SPT5_DartClub.txt"),
                                dir.filePath("Foto.jpg")};
        for (const QString& p : pfade) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        w->vorbelegen({"KLW: A1-Liga Spieltag: 5", "elke@meko.example", {"Hallo"}, {pfade[0], pfade[1]}});
        QCOMPARE(ctl<QLineEdit>("f_anhang")->text(), pfade[0] + "; " + pfade[1]);
        dialogs.file = pfade[2];
        klick("bt_pfad1");
        if (einerWeg)
            QVERIFY(QFile::remove(pfade[1]));
        dialogs.answers << true;

        klick("bt_senden");

        if (einerWeg) {
            QCOMPARE(dialogs.texts(), QStringList{"Der Anhang \"" + pfade[1] +
                                                  "\" ist nicht mehr vorhanden.\n\rDie Mail wurde nicht gesendet."});
            QCOMPARE(dialogs.shown.last().kind, klw::test::Shown::Error);
            QVERIFY(gesendet.isEmpty());
            QVERIFY(w->isVisible());
        } else {
            QCOMPARE(dialogs.texts(), QStringList{"Mail senden?"});
            QCOMPARE(gesendet.size(), 1);
            QCOMPARE(gesendet[0].anhaenge, pfade);
            QVERIFY(!w->isVisible());
        }
    }

    // While the mail program works, the window is disabled under a busy cursor and the event
    // loop goes on; afterwards the window takes input again.
    void busyWhileTheMailProgramRuns()
    {
        QTemporaryDir dir;
        const QString weiter = dir.filePath("weiter");
        const QString programm = dir.filePath("sendmail");
        {
            QFile f(programm);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\ncat >/dev/null\nwhile [ ! -e '" + weiter.toUtf8() + "' ]; do sleep 0.05; done\n");
        }
        QFile::setPermissions(programm, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        dm.postdienstHolen = [&] { return std::make_unique<klw::SendmailPost>(programm, QStringList(), dir.path()); };

        bool gesehen = false;
        bool gesperrt = false;
        Qt::CursorShape zeiger = Qt::ArrowCursor;
        QTimer nachsehen;
        connect(&nachsehen, &QTimer::timeout, this, [&] {
            if (dialogs.shown.isEmpty() || gesehen)
                return;  // "Mail senden?" not answered yet
            gesehen = true;
            gesperrt = !w->isEnabled();
            zeiger = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
            QTest::mouseClick(ctl("bt_senden"), Qt::LeftButton);  // ignored while disabled
            QFile(weiter).open(QIODevice::WriteOnly);
        });
        nachsehen.start(20);
        tippen("f_an", "a@x.example");
        tippen("f_betreff", "B");
        dialogs.answers << true << true;

        klick("bt_senden");

        QVERIFY(gesehen);
        QVERIFY(gesperrt);
        QCOMPARE(zeiger, Qt::WaitCursor);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(w->isEnabled());
        QCOMPARE(dialogs.texts(), (QStringList{"Kein Anhang eingetragen, dennoch senden?", "Mail senden?"}));
        QVERIFY(!w->isVisible());
    }

    // The window's own boxes carry the application title of the main window that owns it.
    void boxesCarryTheMainWindowsTitle()
    {
        QWidget hauptfenster;
        hauptfenster.setWindowTitle("Spielberichtsbogen des MEKO e. V. - Version: 1.0.0.0");
        hauptfenster.setWindowIconText("KLW_A1-Liga");
        hauptfenster.show();
        dm.postdienstHolen = []() -> std::unique_ptr<klw::Postdienst> {
            throw std::runtime_error("kein Mailprogramm");
        };
        TFO_FMAIL fenster(&hauptfenster, dm);  // with its real message boxes
        fenster.show();
        QVERIFY(QTest::qWaitForWindowActive(&fenster));
        klw::test::ModalAnswerer antworten;
        QTest::mouseClick(fenster.control("bt_an"), Qt::LeftButton);
        QCOMPARE(antworten.boxes.size(), 1);
        QCOMPARE(antworten.boxes[0].title, "KLW_A1-Liga");
        QCOMPARE(antworten.boxes[0].text, "kein Mailprogramm");
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
