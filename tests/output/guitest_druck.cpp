// The preview and PDF buttons in the real window, on a machine without any CUPS
// scheduler: the questions come up as real message boxes, the preview shows the page, and
// the PDF button tells that there is no PDF printer and prints nothing.

#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "output/qr_klw.h"
#include "output/qt_druckausgabe.h"
#include "sheet/tfklw.h"
#include "support/filled_sheet.h"
#include "support/modal_answerer.h"

using namespace klw;

class DruckFensterTest : public QObject {
    Q_OBJECT

    QTemporaryDir noScheduler;
    TDM_SYS dmSys;
    TDM_DAT dmDat;
    std::unique_ptr<TFKLW> window;
    std::unique_ptr<test::ModalAnswerer> user;
    int previewPages = -1;
    QString previewTitle;

    void click(const char* button) { QTest::mouseClick(window->control(button), Qt::LeftButton); }

private slots:
    void initTestCase()
    {
        // The print system is asked for its queues on a socket where no scheduler listens.
        qputenv("CUPS_SERVER", QFile::encodeName(noScheduler.filePath("cups.sock")));
        QVERIFY(QPrinterInfo::availablePrinterNames().isEmpty());
    }

    void init()
    {
        window = std::make_unique<TFKLW>(&dmSys, &dmDat);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        previewPages = -1;
        user = std::make_unique<test::ModalAnswerer>();
        test::fillMatch(window->context(), false);
        QCOMPARE(user->texts(), QStringList{});
        user->otherWindow = [this](QWidget* w) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(w)) {
                auto* pages = preview->findChild<QPrintPreviewWidget*>();
                QTRY_VERIFY(pages->pageCount() > 0);
                previewPages = pages->pageCount();
                previewTitle = preview->windowTitle();
                preview->reject();
            }
        };
    }
    void cleanup()
    {
        user.reset();
        window.reset();
    }

    void previewShowsTheReportAfterBothQuestions()
    {
        window->sheet().setText("f_h1punkte", QStringLiteral("9"));  // the sum is no longer 48
        auto* remark = qobject_cast<QPlainTextEdit*>(window->control("m_bemerkung"));
        remark->setFocus();
        QTest::keyClicks(remark, "Spiel 3 wiederholt");
        user->answers << true << true;
        click("bt_druck");
        QTRY_COMPARE(previewPages, 1);
        QCOMPARE(previewTitle, QStringLiteral("Druckvorschau"));
        QCOMPARE(user->texts(),
                 (QStringList{"Die Punkte der Einzelspielerwertung ergeben NICHT 48.\nÜberprüfen Sie Ihre Eingabe?\n\n"
                              "Soll der Druck denoch gestartet werden?",
                              "Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\nDruck starten?"}));
        QCOMPARE(user->boxes[1].title, QStringLiteral("Bestätigung"));
    }

    void declinedRemarkQuestionPutsTheCursorIntoTheRemark()
    {
        int sum = 0;
        for (const Spielerzeile& z : Spielerzeilen)
            sum += window->sheet().number(z.punkte);
        QCOMPARE(sum, 48);  // a finished match asks only about the remark
        window->control("f_ort")->setFocus();
        user->answers << false;
        click("bt_druck");
        QTRY_COMPARE(user->boxes.size(), 1);
        QTRY_COMPARE(window->focusWidget(), window->control("m_bemerkung"));
        QTest::qWait(100);
        QCOMPARE(previewPages, -1);
    }

    void pdfWithoutSchedulerTellsAndPrintsNothing()
    {
        window->sheet().setText("f_h1punkte", QStringLiteral("1"));  // sum 40 would ask; PDF must not get that far
        user->answers << true << true;
        click("bt_pdf");
        QTRY_COMPARE(user->boxes.size(), 2);
        QTest::qWait(200);
        QCOMPARE(user->texts(),
                 (QStringList{"PDF-Drucker nicht auf diesem System installiert oder\nAcrobat Distiller konnte nicht "
                              "mit dem Druckernamen 'Acrobat Distiller'\noder 'Adobe PDF' gefunden werden! "
                              "(Fehlercode:     -1)",
                              "Es ist kein PDF-Drucken installiert.\nVerwenden Sie den Standarddruck\nDer Vorgang wird "
                              "abgebrochen"}));
        QCOMPARE(user->boxes[1].title, QStringLiteral("Information"));
        QCOMPARE(previewPages, -1);
        QCOMPARE(user->answers.size(), 2);  // no question was asked
    }

    // A queue that went away between the search and the job: Qt would quietly write a PDF
    // file instead; the job fails with a message and nothing is written.
    void vanishedPrinterFailsInsteadOfWritingAFile()
    {
        QTemporaryDir cwd;
        QVERIFY(QDir::setCurrent(cwd.path()));
        QtDruckausgabe druck(window.get());
        TQRKLW form(window->sheet());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, druck.drucken(form, 0));
        QCOMPARE(QDir(cwd.path()).entryList(QDir::Files), QStringList{});
        QCOMPARE(previewPages, -1);
    }

    void failingReportClosesThePreviewAndReachesTheCaller()
    {
        user->otherWindow = nullptr;
        QtDruckausgabe druck(window.get());
        TQRKLW form(window->sheet());
        form.titleBand().beforePrint = [](reportengine::Band&) { throw std::runtime_error("kaputt"); };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, druck.vorschau(form));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(DruckFensterTest)
#include "guitest_druck.moc"
