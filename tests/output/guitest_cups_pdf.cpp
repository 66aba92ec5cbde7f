// The preview's print button against a real CUPS scheduler of the test's own with a
// cups-pdf queue: the report goes there as one A4 page under the job title, and cups-pdf
// writes it as <title>-job_<n>.pdf into the job owner's PDF folder. A queue that rejects
// jobs, a stopped queue, a server that refuses the job and a scheduler that has ended
// each give one box that names the queue and the reason, and no job and no file.

#include <QDialogButtonBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolBar>
#include <QtTest>
#include <pwd.h>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "support/filled_sheet.h"
#include "support/modal_answerer.h"
#include "support/pdfwords.h"
#include "support/private_cupsd.h"
#include "window/tfklw.h"

using namespace klw;

namespace {

const QString kPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QString pdfFolder()
{
    const passwd* root = ::getpwuid(::geteuid());
    return QString::fromLocal8Bit(root ? root->pw_dir : "/root") + QStringLiteral("/PDF");
}

QStringList writtenFiles(const QString& prefix)
{
    return QDir(pdfFolder()).entryList({prefix + QLatin1Char('*')}, QDir::Files);
}

// Clicks a button once the current event has been handled, so that a modal window it
// opens runs its own loop outside the caller's.
void clickLater(QAbstractButton* button)
{
    QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

}  // namespace

class CupsPdfTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::PrivateCupsd> cupsd;
    TDM_SYS dmSys;
    TDM_DAT dmDat;
    std::unique_ptr<TFKLW> window;
    std::unique_ptr<test::ModalAnswerer> user;
    QString heimteam;
    int printRuns = 0;
    QString printedOn;  // the printer the print dialog printed on
    std::function<void()> whilePrintDialogOpen;

    void addQueue(const QString& name)
    {
        const QString out = cupsd->tool(QStringLiteral("lpadmin"), {"-p", name, "-E", "-v", "cups-pdf:/", "-P", kPdfPpd,
                                                                    "-o", "pdftops-renderer-default=pdftocairo"});
        QVERIFY2(cupsd->tool("lpstat", {"-p", name}).contains("enabled"), qPrintable(out + cupsd->log()));
    }
    QStringList jobs() const
    {
        return cupsd->tool(QStringLiteral("lpstat"), {"-W", "all", "-o"}).split('\n', Qt::SkipEmptyParts);
    }
    // The file prefix cups-pdf gives the job title: blanks become "_".
    QString titlePrefix() const { return QStringLiteral("A1-Liga_5_") + QString(heimteam).replace(' ', '_'); }

    // The preview's print button, then the print dialog's: as a user prints from the preview.
    void printFromPreview()
    {
        user->answers << true;  // 48 points, every game decided: only the remark question
        QTest::mouseClick(window->control("bt_druck"), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(kPdfPpd), "printer-driver-cups-pdf is missing; scripts/install-deps.sh installs it");
        cupsd = std::make_unique<test::PrivateCupsd>();
        QVERIFY2(cupsd->error.isEmpty(), qPrintable(cupsd->error));
        qputenv("CUPS_SERVER", QFile::encodeName(cupsd->socket()));
        addQueue(QStringLiteral("Laser"));
        addQueue(QStringLiteral("PDF"));
        cupsd->tool("lpadmin", {"-d", "PDF"});  // the print dialog offers the default queue
        QCOMPARE(QPrinterInfo::availablePrinterNames(), (QStringList{"Laser", "PDF"}));
    }
    void cleanupTestCase()
    {
        if (!cupsd)
            return;
        const qint64 pid = cupsd->pid();
        cupsd.reset();
        QVERIFY2(pid <= 0 || ::kill(pid_t(pid), 0) != 0, "cupsd is still running");
    }

    void init()
    {
        window = std::make_unique<TFKLW>(dmSys, dmDat);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        user = std::make_unique<test::ModalAnswerer>();
        test::fillMatch(window->context(), false);
        // A home team of this print only, so that no other file of the PDF folder can count.
        heimteam = QStringLiteral("DC %1 %2").arg(QCoreApplication::applicationPid()).arg(++printRuns);
        window->sheet().setText("f_Heimteam", heimteam);
        printedOn.clear();
        whilePrintDialogOpen = nullptr;
        user->otherWindow = [this](QWidget* w) {
            if (auto* dialog = qobject_cast<QPrintDialog*>(w)) {
                printedOn = dialog->printer()->printerName();
                if (whilePrintDialogOpen)
                    whilePrintDialogOpen();
                clickLater(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
            } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(w)) {
                QTRY_VERIFY(preview->findChild<QPrintPreviewWidget*>()->pageCount() == 1);
                QAction* print = nullptr;
                for (QAction* a : preview->findChildren<QAction*>()) {
                    if (a->text() == QLatin1String("Print"))
                        print = a;
                }
                QVERIFY(print);
                clickLater(qobject_cast<QAbstractButton*>(preview->findChild<QToolBar*>()->widgetForAction(print)));
            }
        };
    }
    void cleanup()
    {
        user.reset();
        window.reset();
        if (cupsd->running())
            cupsd->tool("cancel", {"-a", "-x"});  // every job, the finished ones too
    }

    void previewPrintsTheSheetOnThePdfQueue()
    {
        printFromPreview();
        QTRY_VERIFY_WITH_TIMEOUT(!jobs().isEmpty(), 10000);
        QCOMPARE(printedOn, QStringLiteral("PDF"));
        const QStringList queued = jobs();
        QCOMPARE(queued.size(), 1);
        const auto job = QRegularExpression(QStringLiteral("^PDF-(\\d+)\\s")).match(queued.first());
        QVERIFY2(job.hasMatch(), qPrintable(queued.first()));

        // cups-pdf writes the file some seconds after it took the job, named after the job
        // title (it may add to the title) and the job number.
        const QString suffix = QStringLiteral("-job_") + job.captured(1) + QStringLiteral(".pdf");
        QTRY_VERIFY2_WITH_TIMEOUT(writtenFiles(titlePrefix()).size() == 1 &&
                                      writtenFiles(titlePrefix()).first().endsWith(suffix),
                                  qPrintable(QDir(pdfFolder()).entryList().join('\n') + '\n' + cupsd->log()), 45000);
        const QString file = pdfFolder() + '/' + writtenFiles(titlePrefix()).first();
        const auto removeFile = qScopeGuard([&file] { QFile::remove(file); });
        QTest::qWait(500);  // the file is complete once cups-pdf has closed it

        const test::PdfInfo info = test::pdfInfo(file);
        QCOMPARE(info.pages, 1);
        QVERIFY2(qAbs(info.sizePt.width() - 595.28) < 1.5 && qAbs(info.sizePt.height() - 841.89) < 1.5,
                 qPrintable(QStringLiteral("%1 x %2").arg(info.sizePt.width()).arg(info.sizePt.height())));
        // Through PostScript the letter-spaced title and " : " lose their blanks; the
        // texts are compared without blanks.
        static const QRegularExpression blanks(QStringLiteral("\\s+"));
        const QString text = test::joined(test::pdfWords(file)).remove(blanks);
        for (const QString& expectedText :
             {QStringLiteral("S P I E L B E R I C H T S B O G E N"), heimteam, QStringLiteral("Bulls Eye"),
              QStringLiteral("H3: 4713"), QStringLiteral("Liga-Bearbeiter: Erika Muster, Tel. 0123 456789"),
              QStringLiteral("Spiel 7 nach Stromausfall wiederholt.")})
            QVERIFY2(text.contains(QString(expectedText).remove(blanks)),
                     qPrintable(expectedText + " not in: " + text));
        QCOMPARE(user->boxes.size(), 1);  // nothing but the remark question
        QCOMPARE(jobs().size(), 1);
    }

    void failedPrintIsReported_data()
    {
        QTest::addColumn<QStringList>("breakQueue");  // a CUPS tool and its arguments
        QTest::addColumn<QStringList>("mendQueue");
        QTest::addColumn<QString>("message");  // a regular expression
        QTest::newRow("queue rejects jobs")
            << QStringList{"cupsreject", "-r", "Wartung bis Montag", "PDF"} << QStringList{"cupsaccept", "PDF"}
            << "^Der Drucker PDF nimmt keine Aufträge an: Wartung bis Montag\\. Es wurde nichts gedruckt\\.$";
        QTest::newRow("queue stopped") << QStringList{"cupsdisable", "-r", "Papierstau", "PDF"}
                                       << QStringList{"cupsenable", "PDF"}
                                       << "^Der Drucker PDF ist angehalten: Papierstau\\. Es wurde nichts gedruckt\\.$";
        QTest::newRow("server refuses the job")
            << QStringList{"lpadmin", "-p", "PDF", "-u", "allow:nobody"}
            << QStringList{"lpadmin", "-p", "PDF", "-u", "allow:all"}
            << "^Der Drucker PDF hat den Druckauftrag abgelehnt: Not allowed to print\\. Es wurde nichts gedruckt\\.$";
    }
    void failedPrintIsReported()
    {
        QFETCH(QStringList, breakQueue);
        QFETCH(QStringList, mendQueue);
        QFETCH(QString, message);
        cupsd->tool(breakQueue.first(), breakQueue.mid(1));
        const auto mend = qScopeGuard([&] { cupsd->tool(mendQueue.first(), mendQueue.mid(1)); });

        printFromPreview();
        QTRY_COMPARE_WITH_TIMEOUT(user->boxes.size(), 2, 20000);
        QCOMPARE(printedOn, QStringLiteral("PDF"));
        QVERIFY2(QRegularExpression(message).match(user->texts()[1]).hasMatch(), qPrintable(user->texts()[1]));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);  // the preview has closed
        QTest::qWait(1000);
        QCOMPARE(user->boxes.size(), 2);
        QCOMPARE(jobs(), QStringList{});
        QCOMPARE(writtenFiles(titlePrefix()), QStringList{});
    }

    // Last: the scheduler ends while the print dialog is open.
    void endedSchedulerIsReported()
    {
        whilePrintDialogOpen = [this] { cupsd->stop(); };
        printFromPreview();
        QTRY_COMPARE_WITH_TIMEOUT(user->boxes.size(), 2, 30000);
        QVERIFY2(user->texts()[1].startsWith("Der Drucker PDF ist nicht erreichbar, der Druckdienst (CUPS) antwortet "
                                             "nicht: "),
                 qPrintable(user->texts()[1]));
        QVERIFY(user->texts()[1].endsWith(". Es wurde nichts gedruckt."));
        QCOMPARE(writtenFiles(titlePrefix()), QStringList{});
    }
};

QTEST_MAIN(CupsPdfTest)
#include "guitest_cups_pdf.moc"
