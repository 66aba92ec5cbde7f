// The preview and PDF buttons in the real window, on a machine without any CUPS
// scheduler: the questions come up as real message boxes, the preview shows the page
// under the job title, and the PDF button saves the page where its save dialog says, or
// says why it could not.

#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "output/ergebnis.h"
#include "output/qr_klw.h"
#include "support/filled_sheet.h"
#include "support/modal_answerer.h"
#include "support/pdfwords.h"
#include "window/tfklw.h"

using namespace klw;

namespace {

const QString kBemerkungFrage =
    QStringLiteral("Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\nDruck starten?");
const QString kTitel = QStringLiteral("Oberliga_5_Dart Club");

bool run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Types the text key by key; QTest::keyClicks takes only ASCII, an umlaut goes as its key
// with its text.
void typeText(QWidget* w, const QString& text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClick(w, ch.toLatin1());
            continue;
        }
        const auto key = Qt::Key(ch.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, w, key, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, key, QString(ch), Qt::NoModifier);
    }
}

}  // namespace

class DruckFensterTest : public QObject {
    Q_OBJECT

    QTemporaryDir noScheduler;
    QTemporaryDir home;
    TDM_SYS dmSys;
    TDM_DAT dmDat;
    std::unique_ptr<TFKLW> window;
    std::unique_ptr<test::ModalAnswerer> user;
    int previewPages = -1;
    QString previewTitle;
    QString printerDocName;
    QString proposedFolder;  // what the save dialog showed
    QString proposedName;
    bool cancelSaveDialog = false;

    void click(const char* button) { QTest::mouseClick(window->control(button), Qt::LeftButton); }
    QString pdfFolder() const { return home.filePath("PDF"); }

private slots:
    void initTestCase()
    {
        // The print system is asked for its queues on a socket where no scheduler listens.
        qputenv("CUPS_SERVER", QFile::encodeName(noScheduler.filePath("cups.sock")));
        QVERIFY(QPrinterInfo::availablePrinterNames().isEmpty());
        qputenv("HOME", QFile::encodeName(home.path()));
    }

    void init()
    {
        window = std::make_unique<TFKLW>(dmSys, dmDat);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        previewPages = -1;
        proposedFolder.clear();
        proposedName.clear();
        cancelSaveDialog = false;
        user = std::make_unique<test::ModalAnswerer>();
        // The Oberliga plays the doubles, as the league look-up says when the league is left.
        test::fillMatch(window->context(), true);
        QCOMPARE(user->texts(), QStringList{});
        user->otherWindow = [this](QWidget* w) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(w)) {
                auto* pages = preview->findChild<QPrintPreviewWidget*>();
                QTRY_VERIFY(pages->pageCount() > 0);
                previewPages = pages->pageCount();
                previewTitle = preview->windowTitle();
                printerDocName = preview->printer()->docName();
                preview->reject();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
                auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                proposedFolder = dialog->directory().absolutePath();
                proposedName = name->text();
                QTest::keyClick(name, cancelSaveDialog ? Qt::Key_Escape : Qt::Key_Return);
            }
        };
    }
    void cleanup()
    {
        user.reset();
        window.reset();
        QDir(pdfFolder()).removeRecursively();
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
        QCOMPARE(printerDocName, kTitel);  // a print from the preview carries the job title
        QCOMPARE(user->texts(),
                 (QStringList{"Die Punkte der Einzelspielerwertung ergeben NICHT 48.\nÜberprüfen Sie Ihre Eingabe?\n\n"
                              "Soll der Druck denoch gestartet werden?",
                              kBemerkungFrage}));
        QCOMPARE(user->boxes[1].title, QStringLiteral("Bestätigung"));
    }

    void declinedRemarkQuestionPutsTheCursorIntoTheRemark()
    {
        int sum = 0;
        for (const PlayerRow& z : kPlayerRows)
            sum += window->sheet().number(z.points);
        QCOMPARE(sum, 48);  // a finished match asks only about the remark
        window->control("f_ort")->setFocus();
        user->answers << false;
        click("bt_druck");
        QTRY_COMPARE(user->boxes.size(), 1);
        QTRY_COMPARE(window->focusWidget(), window->control("m_bemerkung"));
        QTest::qWait(100);
        QCOMPARE(previewPages, -1);
    }

    // A result clicked against the final score: the print asks, and Nein puts the focus on
    // the result.
    void resultAgainstTheScoreIsAskedAbout()
    {
        auto* guestWin = window->control("rg_ergebnis")->findChildren<QRadioButton*>().at(2);
        QTest::mouseClick(guestWin, Qt::LeftButton);
        QCOMPARE(window->sheet().itemIndex("rg_ergebnis"), 2);
        window->control("f_ort")->setFocus();
        user->answers << false;
        click("bt_pdf");
        QTRY_COMPARE(user->texts(),
                     QStringList{"Das gewählte Ergebnis passt nicht zum Endstand 12 : 6. Trotzdem drucken?"});
        QTRY_COMPARE(window->focusWidget(), guestWin);
        QTest::qWait(100);
        QCOMPARE(proposedName, QString());
    }

    // The PDF button proposes <job title>.pdf in ~/PDF and writes the page there; texts
    // longer than their boxes are on the page whole. Cancel writes nothing.
    void pdfButtonSavesThePageWhereTheDialogSays()
    {
        auto* ort = qobject_cast<QLineEdit*>(window->control("f_ort"));
        ort->setFocus();
        ort->selectAll();
        typeText(ort, "Mülheim an der Ruhr, 11.12.2026");
        QCOMPARE(window->sheet().text("f_ort"), "Mülheim an der Ruhr, 11.12.2026");
        window->sheet().setText("f_h1name", QStringLiteral("Hans-Jürgen Müller-Lüdenscheidt"));

        cancelSaveDialog = true;
        user->answers << true;
        click("bt_pdf");
        QTRY_COMPARE(proposedName, kTitel + ".pdf");
        QCOMPARE(proposedFolder, pdfFolder());
        QTest::qWait(200);
        QCOMPARE(QDir(pdfFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{});

        proposedName.clear();
        cancelSaveDialog = false;
        user->answers << true;
        click("bt_pdf");
        const QString file = pdfFolder() + "/" + kTitel + ".pdf";
        QTRY_VERIFY(QFileInfo::exists(file));
        QTest::qWait(200);
        QCOMPARE(user->texts(), (QStringList{kBemerkungFrage, kBemerkungFrage}));
        QCOMPARE(QDir(pdfFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{kTitel + ".pdf"});
        QCOMPARE(test::pdfInfo(file).pages, 1);
        const QString text = test::joined(test::pdfWords(file));
        for (const char* expected : {"Mülheim an der Ruhr, 11.12.2026", "Hans-Jürgen Müller-Lüdenscheidt", "Bulls Eye",
                                     "Spiel 7 nach Stromausfall wiederholt."})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), qPrintable(expected + (" not in: " + text)));
    }

    // ~/PDF full, or not writable: the box says why, and no part of a file is left there.
    // With the result file switched on, it is written all the same, and no mail is offered
    // without the sheet to attach.
    void pdfThatCannotBeWrittenSaysWhy_data()
    {
        QTest::addColumn<QString>("mountOptions");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("maildatei");
        QTest::newRow("full folder") << "size=16k"
                                     << "No space left on device" << false;
        QTest::newRow("write-protected folder") << "ro,size=1m"
                                                << "" << false;
        QTest::newRow("full folder, result file on") << "size=16k"
                                                     << "No space left on device" << true;
    }
    void pdfThatCannotBeWrittenSaysWhy()
    {
        QFETCH(QString, mountOptions);
        QFETCH(QString, reason);
        QFETCH(bool, maildatei);
        const QString meko = window->context().programFolder + "MEKO";
        QVERIFY(QDir().mkpath(meko));
        const QString ergebnis = meko + "/" + ErgebnisDateiname(window->sheet());
        QFile::remove(ergebnis);
        const auto ohneErgebnis = qScopeGuard([ergebnis] { QFile::remove(ergebnis); });
        window->sheet().setChecked("cb_maildatei", maildatei);
        QVERIFY(QDir().mkpath(pdfFolder()));
        if (::geteuid() == 0) {
            // Root writes into any folder; a small or read-only file system stops it.
            QVERIFY(run("mount", {"-t", "tmpfs", "-o", mountOptions, "tmpfs", pdfFolder()}));
        } else if (mountOptions.startsWith("ro")) {
            QVERIFY(QFile::setPermissions(pdfFolder(), QFile::ReadOwner | QFile::ExeOwner));
        } else {
            QSKIP("a full folder needs a small tmpfs, which only root can mount");
        }
        const auto unmount = qScopeGuard([this] {
            if (::geteuid() == 0)
                run("umount", {pdfFolder()});
            QFile::setPermissions(pdfFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });

        user->answers << true;
        click("bt_pdf");
        QTRY_COMPARE(user->boxes.size(), 2);
        const QString file = pdfFolder() + "/" + kTitel + ".pdf";
        QCOMPARE(proposedName, kTitel + ".pdf");
        QVERIFY2(user->texts()[1].startsWith("Die PDF-Datei " + file + " konnte nicht gespeichert werden:\n"),
                 qPrintable(user->texts()[1]));
        if (!reason.isEmpty())
            QVERIFY2(user->texts()[1].contains(reason), qPrintable(user->texts()[1]));
        QCOMPARE(QDir(pdfFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{});
        QTest::qWait(200);
        QCOMPARE(user->boxes.size(), 2);  // no offer of a mail
        QCOMPARE(QFileInfo::exists(ergebnis), maildatei);
    }

    void failingReportClosesThePreviewAndReachesTheCaller()
    {
        user->otherWindow = nullptr;
        TQRKLW form(window->sheet());
        form.titleBand().beforePrint = [](reportengine::Band&) { throw std::runtime_error("kaputt"); };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, window->context().windows.preview(form));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(DruckFensterTest)
#include "guitest_druck.moc"
