// The preview and PDF buttons: the points check, the remark question, the search for a
// PDF printer, the form chosen and the job handed on, with a scripted printing service.

#include <QtTest>
#include <stdexcept>

#include "output/druck.h"
#include "output/druckausgabe.h"
#include "output/qr_klw.h"
#include "sheet/tables.h"
#include "support/fakes.h"

using namespace klw;
using test::Shown;

namespace {

class ScriptedDruckausgabe : public Druckausgabe {
public:
    QStringList drucker;
    QStringList done;  // "preview TQRKLW", "print 1 <title> TQRKLW2"
    bool failPreview = false;

    QStringList druckerNamen() const override { return drucker; }
    void vorschau(reportengine::Report& report) override
    {
        done << QStringLiteral("preview ") + formOf(report);
        if (failPreview)
            throw std::runtime_error("Vorschau fehlgeschlagen");
    }
    void drucken(reportengine::Report& report, int index) override
    {
        done << QStringLiteral("print %1 %2 %3").arg(index).arg(report.title, formOf(report));
    }

private:
    static QString formOf(reportengine::Report& report)
    {
        auto& form = dynamic_cast<Spielberichtsform&>(report);
        return form.mitDoppel() ? QStringLiteral("TQRKLW2") : QStringLiteral("TQRKLW");
    }
};

const QString kKeinPdf = QStringLiteral(
    "PDF-Drucker nicht auf diesem System installiert oder\rAcrobat Distiller konnte nicht mit dem Druckernamen "
    "'Acrobat Distiller'\roder 'Adobe PDF' gefunden werden! (Fehlercode:     -1)");
const QString kAbbruch =
    QStringLiteral("Es ist kein PDF-Drucken installiert.\n\rVerwenden Sie den Standarddruck\n\rDer Vorgang wird abgebrochen");
const QString kNicht48 = QStringLiteral(
    "Die Punkte der Einzelspielerwertung ergeben NICHT 48.\n\rÜberprüfen Sie Ihre Eingabe?\n\r\n\rSoll der Druck "
    "denoch gestartet werden?");
const QString kBemerkung = QStringLiteral("Wurden Spielerwechsel und sonstige Bemerkung eingetragen?\n\rDruck starten?");

// Spreads a points sum over the twelve points fields.
void punkte(Spielbogen& s, int summe)
{
    for (const Spielerzeile& z : Spielerzeilen) {
        const int p = qMin(summe, 8);
        s.setText(z.punkte, p ? QString::number(p) : QString());
        summe -= p;
    }
}

}  // namespace

class DruckTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Harness> h;
    ScriptedDruckausgabe druck;

    QStringList shownKinds() const
    {
        QStringList k;
        for (const Shown& s : h->dialogs.shown)
            k << QString::number(s.kind);
        return k;
    }

private slots:
    void init()
    {
        h = std::make_unique<test::Harness>();
        h->c.druck = &druck;
        druck = ScriptedDruckausgabe();
        h->sheet.setText("f_liga", QStringLiteral("A1-Liga"));
        h->sheet.setText("f_spieltag", QStringLiteral("5"));
        h->sheet.setText("f_Heimteam", QStringLiteral("Dart Club"));
    }

    void questionsAndWhatFollows_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<int>("sum");
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("done");
        QTest::addColumn<QStringList>("focus");

        const QStringList pdf{"Laser", "PDF"};
        QTest::newRow("preview, 48 points: only the remark question")
            << "bt_druck" << 48 << QStringList{} << QList<bool>{true} << QStringList{kBemerkung}
            << QStringList{"preview TQRKLW"} << QStringList{};
        QTest::newRow("preview, 0 points: both questions")
            << "bt_druck" << 0 << QStringList{} << QList<bool>{true, true} << QStringList{kNicht48, kBemerkung}
            << QStringList{"preview TQRKLW"} << QStringList{};
        QTest::newRow("preview, 47 points declined")
            << "bt_druck" << 47 << QStringList{} << QList<bool>{false} << QStringList{kNicht48} << QStringList{}
            << QStringList{};
        QTest::newRow("preview, 49 points, remark declined")
            << "bt_druck" << 49 << QStringList{} << QList<bool>{true, false} << QStringList{kNicht48, kBemerkung}
            << QStringList{} << QStringList{"m_bemerkung"};
        QTest::newRow("PDF without a printer at 40 points: the two PDF messages only")
            << "bt_pdf" << 40 << QStringList{} << QList<bool>{true, true} << QStringList{kKeinPdf, kAbbruch}
            << QStringList{} << QStringList{};
        QTest::newRow("PDF with printers but none for PDF")
            << "bt_pdf" << 48 << QStringList{"Laser", "Kopierer"} << QList<bool>{true} << QStringList{kKeinPdf, kAbbruch}
            << QStringList{} << QStringList{};
        QTest::newRow("PDF, 48 points")
            << "bt_pdf" << 48 << pdf << QList<bool>{true} << QStringList{kBemerkung}
            << QStringList{"print 1 A1-Liga_5_Dart Club TQRKLW"} << QStringList{};
        QTest::newRow("PDF, 0 points, remark declined")
            << "bt_pdf" << 0 << pdf << QList<bool>{true, false} << QStringList{kNicht48, kBemerkung} << QStringList{}
            << QStringList{"m_bemerkung"};
        QTest::newRow("unknown sender") << "bt_ende" << 0 << pdf << QList<bool>{true, true} << QStringList{}
                                        << QStringList{} << QStringList{};
    }
    void questionsAndWhatFollows()
    {
        QFETCH(QString, sender);
        QFETCH(int, sum);
        QFETCH(QStringList, printers);
        QFETCH(QList<bool>, answers);
        punkte(h->sheet, sum);
        druck.drucker = printers;
        for (bool a : answers)
            h->dialogs.answers.enqueue(a);

        bt_druckClick(h->c, sender);

        QTEST(h->dialogs.texts(), "messages");
        QTEST(druck.done, "done");
        QTEST(h->focus.moves, "focus");
        // The message about the printer is a plain box, the one after it an information.
        if (h->dialogs.texts().value(0) == kKeinPdf)
            QCOMPARE(shownKinds(), (QStringList{QString::number(Shown::Message), QString::number(Shown::Information)}));
    }

    void pdfPrinterByPreference_data()
    {
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<int>("index");
        QTest::newRow("cups-pdf queue") << QStringList{"Laser", "PDF"} << 1;
        QTest::newRow("letter case ignored") << QStringList{"cups-pdf", "Laser"} << 0;
        QTest::newRow("reDirect before Adobe") << QStringList{"Adobe PDF", "Laser", "PDF reDirect v2"} << 2;
        QTest::newRow("Adobe before Distiller") << QStringList{"Acrobat Distiller", "adobe pdf"} << 1;
        QTest::newRow("Distiller before the queue") << QStringList{"PDF", "ACROBAT DISTILLER"} << 1;
        QTest::newRow("PDF before CUPS-PDF") << QStringList{"CUPS-PDF", "pdf"} << 1;
        QTest::newRow("names only alike") << QStringList{"PDF2", "My PDF", "Adobe PDF "} << -1;
    }
    void pdfPrinterByPreference()
    {
        QFETCH(QStringList, printers);
        druck.drucker = printers;
        QTEST(PdfDruckerSuchen(h->c), "index");
        QCOMPARE(h->dialogs.shown.size(), PdfDruckerSuchen(h->c) < 0 ? 2 : 0);
    }

    void jobTitle_data()
    {
        QTest::addColumn<QString>("liga");
        QTest::addColumn<QString>("spieltag");
        QTest::addColumn<QString>("heimteam");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "A1-Liga" << "5" << "Dart Club" << "A1-Liga_5_Dart Club";
        QTest::newRow("home team with blanks") << "A1-Liga" << "5" << "  Dart Club  " << "A1-Liga_5_Dart Club";
        QTest::newRow("league with blanks") << " A1-Liga" << "5 " << "Dart Club" << "A1-Liga_5 _Dart Club";
        QTest::newRow("no home team") << "A1-Liga" << "5" << "" << "A1-Liga_5_";
    }
    void jobTitle()
    {
        QFETCH(QString, liga);
        QFETCH(QString, spieltag);
        QFETCH(QString, heimteam);
        h->sheet.setText("f_liga", liga);
        h->sheet.setText("f_spieltag", spieltag);
        h->sheet.setText("f_Heimteam", heimteam);
        punkte(h->sheet, 48);
        druck.drucker = QStringList{"PDF"};
        h->dialogs.answers.enqueue(true);
        bt_druckClick(h->c, "bt_pdf");
        QFETCH(QString, title);
        QCOMPARE(druck.done, QStringList{"print 0 " + title + " TQRKLW"});
    }

    void formFollowsMitDoppel()
    {
        punkte(h->sheet, 48);
        for (bool doppel : {true, false, true}) {
            h->sheet.MitDoppel = doppel;
            h->dialogs.answers.enqueue(true);
            bt_druckClick(h->c, "bt_druck");
        }
        QCOMPARE(druck.done, (QStringList{"preview TQRKLW2", "preview TQRKLW", "preview TQRKLW2"}));
    }

    void failedPreviewReachesTheErrorBox()
    {
        punkte(h->sheet, 48);
        druck.failPreview = true;
        h->dialogs.answers.enqueue(true);
        dispatch(h->dialogs, [&] { bt_druckClick(h->c, "bt_druck"); });
        QCOMPARE(h->dialogs.texts(), (QStringList{kBemerkung, "Vorschau fehlgeschlagen"}));
        QCOMPARE(h->dialogs.shown.last().kind, Shown::Error);
    }
};

QTEST_MAIN(DruckTest)
#include "test_druck.moc"
