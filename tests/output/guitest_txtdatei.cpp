// "Maildatei erstellen" in the real window: the preview button writes the result file,
// offers the mail, opens the pre-filled mail window and shows the report once that is
// closed; the PDF button saves the PDF first and the mail window opens with it and the
// result file attached.

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include "base/text.h"
#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "output/ergebnis.h"
#include "support/filled_sheet.h"
#include "support/modal_answerer.h"
#include "support/testdatabase.h"
#include "window/mail/fo_mail.h"
#include "window/tfklw.h"

using namespace klw;

class TxtDateiFensterTest : public QObject {
    Q_OBJECT

    QTemporaryDir noScheduler;
    QTemporaryDir home;

private slots:
    void initTestCase()
    {
        qputenv("CUPS_SERVER", QFile::encodeName(noScheduler.filePath("cups.sock")));
        qputenv("HOME", QFile::encodeName(home.path()));
    }

    void previewWritesTheFileAndOffersTheMail()
    {
        test::TestDatabase database;
        QVERIFY(QDir(database.dir.path()).mkpath("MEKO"));
        TDM_SYS dmSys;
        TDM_DAT dmDat;
        TFKLW window(dmSys, dmDat, nullptr, database.programFolder());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        test::fillMatch(window.context(), false);
        window.sheet().setChecked("cb_maildatei", true);
        // The league look-up has read the A1-Liga row, whose official is Elke Wittkamp.
        QCOMPARE(dmSys.ABSQueryOpen(window.context().abfragen.Q_LIGA, "select * from LIGA where LIGAX = 'A1-Liga' "),
                 1);

        test::ModalAnswerer user;
        QStringList gesehen;
        QString mail;
        user.otherWindow = [&](QWidget* w) {
            if (auto* fenster = qobject_cast<TFO_FMAIL*>(w)) {
                gesehen << "Mailversand";
                mail = qobject_cast<QLineEdit*>(fenster->control("f_betreff"))->text() + "|" +
                       qobject_cast<QLineEdit*>(fenster->control("f_an"))->text() + "|" +
                       qobject_cast<QTextEdit*>(fenster->control("f_memo"))->toPlainText().section('\n', 0, 0);
                QTest::mouseClick(fenster->control("bt_close"), Qt::LeftButton);
            } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(w)) {
                gesehen << "Druckvorschau";
                preview->reject();
            }
        };
        user.answers << true << true;  // remark question, mail offer
        QTest::mouseClick(window.control("bt_druck"), Qt::LeftButton);
        QTRY_COMPARE(gesehen, (QStringList{"Mailversand", "Druckvorschau"}));

        QCOMPARE(user.texts(), (QStringList{"Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\nDruck starten?",
                                            "Ergebniss als Mail verschicken?"}));
        QCOMPARE(mail, "KLW: A1-Liga Spieltag: 5|elke.wittkamp@meko-darts.example|Hallo Elke Wittkamp");
        QFile datei(database.programFolder() + "MEKO/A1-Liga_SPT5_DartClub.txt");
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QCOMPARE(datei.readAll(), toWindows1252(Ergebnissatz(window.sheet()) + "\r\n"));
    }

    void pdfButtonMailsThePdfAndTheResultFile()
    {
        test::TestDatabase database;
        QVERIFY(QDir(database.dir.path()).mkpath("MEKO"));
        TDM_SYS dmSys;
        TDM_DAT dmDat;
        TFKLW window(dmSys, dmDat, nullptr, database.programFolder(), StartOptions{.maildatei = true});
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        test::fillMatch(window.context(), false);

        test::ModalAnswerer user;
        QStringList gesehen;
        QString anhang;
        bool pdfDa = false;
        const QString pdf = home.filePath("PDF/A1-Liga_5_Dart Club.pdf");
        user.otherWindow = [&](QWidget* w) {
            if (auto* speichern = qobject_cast<QFileDialog*>(w)) {
                gesehen << "Speichern unter";
                QTest::keyClick(speichern->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
            } else if (auto* fenster = qobject_cast<TFO_FMAIL*>(w)) {
                gesehen << "Mailversand";
                anhang = qobject_cast<QLineEdit*>(fenster->control("f_anhang"))->text();
                pdfDa = QFile::exists(pdf);
                QTest::mouseClick(fenster->control("bt_close"), Qt::LeftButton);
            }
        };
        user.answers << true << true;  // remark question, mail offer
        QTest::mouseClick(window.control("bt_pdf"), Qt::LeftButton);
        QTRY_COMPARE(gesehen, (QStringList{"Speichern unter", "Mailversand"}));

        QCOMPARE(user.texts(), (QStringList{"Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\nDruck starten?",
                                            "Ergebniss als Mail verschicken?"}));
        QCOMPARE(anhang, pdf + "; " + database.programFolder() + "MEKO/A1-Liga_SPT5_DartClub.txt");
        QVERIFY(pdfDa);
    }
};

QTEST_MAIN(TxtDateiFensterTest)
#include "guitest_txtdatei.moc"
