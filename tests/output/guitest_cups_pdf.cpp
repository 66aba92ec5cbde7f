// The PDF button against a real CUPS scheduler of the test's own with a cups-pdf queue:
// first without any PDF queue (the two messages, no job), then with the queue named PDF
// beside another printer: the report goes there as one A4 page under the job title, and
// cups-pdf writes it as <title>-job_<n>.pdf into the job owner's PDF folder.

#include <QDir>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QtTest>
#include <pwd.h>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "sheet/tfklw.h"
#include "support/filled_sheet.h"
#include "support/modal_answerer.h"
#include "support/pdfwords.h"
#include "support/private_cupsd.h"

using namespace klw;

namespace {

const QString kPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QString pdfFolder()
{
    const passwd* root = ::getpwuid(::geteuid());
    return QString::fromLocal8Bit(root ? root->pw_dir : "/root") + QStringLiteral("/PDF");
}

QString writtenFile(const QString& prefix, const QString& suffix)
{
    const QStringList found = QDir(pdfFolder()).entryList({prefix + QLatin1Char('*') + suffix}, QDir::Files);
    return found.size() == 1 ? pdfFolder() + QLatin1Char('/') + found.first() : QString();
}

}  // namespace

class CupsPdfTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::PrivateCupsd> cupsd;
    TDM_SYS dmSys;
    TDM_DAT dmDat;
    std::unique_ptr<TFKLW> window;
    std::unique_ptr<test::ModalAnswerer> user;

    void addQueue(const QString& name)
    {
        const QString out = cupsd->tool(QStringLiteral("lpadmin"),
                                        {"-p", name, "-E", "-v", "cups-pdf:/", "-P", kPdfPpd, "-o",
                                         "pdftops-renderer-default=pdftocairo"});
        QVERIFY2(cupsd->tool("lpstat", {"-p", name}).contains("enabled"), qPrintable(out + cupsd->log()));
    }
    QStringList jobs() const
    {
        return cupsd->tool(QStringLiteral("lpstat"), {"-W", "all", "-o"}).split('\n', Qt::SkipEmptyParts);
    }
    void pressPdfButton(int answers)
    {
        for (int i = 0; i < answers; ++i)
            user->answers << true;
        QTest::mouseClick(window->control("bt_pdf"), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(kPdfPpd), "printer-driver-cups-pdf is missing; scripts/install-deps.sh installs it");
        cupsd = std::make_unique<test::PrivateCupsd>();
        QVERIFY2(cupsd->error.isEmpty(), qPrintable(cupsd->error));
        qputenv("CUPS_SERVER", QFile::encodeName(cupsd->socket()));
        addQueue(QStringLiteral("Laser"));
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
        window = std::make_unique<TFKLW>(&dmSys, &dmDat);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        user = std::make_unique<test::ModalAnswerer>();
        test::fillMatch(window->context(), false);
    }
    void cleanup()
    {
        user.reset();
        window.reset();
    }

    void withoutPdfQueueNothingIsPrinted()
    {
        QCOMPARE(QPrinterInfo::availablePrinterNames(), QStringList{"Laser"});
        pressPdfButton(2);
        QTRY_COMPARE(user->boxes.size(), 2);
        QVERIFY(user->texts()[0].startsWith("PDF-Drucker nicht auf diesem System installiert oder"));
        QVERIFY(user->texts()[1].startsWith("Es ist kein PDF-Drucken installiert."));
        QTest::qWait(500);
        QCOMPARE(user->boxes.size(), 2);
        QCOMPARE(jobs(), QStringList{});
    }

    void pdfButtonPrintsTheSheetOnThePdfQueue()
    {
        addQueue(QStringLiteral("PDF"));
        QCOMPARE(QPrinterInfo::availablePrinterNames(), (QStringList{"Laser", "PDF"}));
        // A home team of this run only, so that no earlier file of the PDF folder can count.
        const QString heimteam = QStringLiteral("Dart Club %1 Test").arg(QCoreApplication::applicationPid());
        window->sheet().setText("f_Heimteam", heimteam);
        const QString title = QStringLiteral("A1-Liga_5_") + heimteam;

        pressPdfButton(1);
        QTRY_COMPARE(user->boxes.size(), 1);  // 48 points: only the remark question
        QTRY_VERIFY_WITH_TIMEOUT(!jobs().isEmpty(), 10000);
        const QStringList queued = jobs();
        QCOMPARE(queued.size(), 1);
        const auto job = QRegularExpression(QStringLiteral("^PDF-(\\d+)\\s")).match(queued.first());
        QVERIFY2(job.hasMatch(), qPrintable(queued.first()));

        // cups-pdf writes the file some seconds after it took the job, named after the job
        // title (blanks become "_", it may add to the title) and the job number.
        const QString prefix = QString(title).replace(' ', '_');
        const QString suffix = QStringLiteral("-job_") + job.captured(1) + QStringLiteral(".pdf");
        QString file;
        QTRY_VERIFY2_WITH_TIMEOUT(!(file = writtenFile(prefix, suffix)).isEmpty(),
                                  qPrintable(QDir(pdfFolder()).entryList().join('\n') + '\n' + cupsd->log()), 45000);
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
            QVERIFY2(text.contains(QString(expectedText).remove(blanks)), qPrintable(expectedText + " not in: " + text));
        QCOMPARE(jobs().size(), 1);
    }
};

QTEST_MAIN(CupsPdfTest)
#include "guitest_cups_pdf.moc"
