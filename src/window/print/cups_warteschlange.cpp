#include "window/print/cups_warteschlange.h"

#include <QStringList>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <cups/cups.h>

namespace klw::cups {

namespace {

const QString kNichtsGedruckt = QStringLiteral(" Es wurde nichts gedruckt.");

[[noreturn]] void fehler(const QString& text)
{
    throw std::runtime_error((text + kNichtsGedruckt).toStdString());
}

// A reason goes into a sentence of ours, without its own full stop.
QString alsGrund(QString text)
{
    text = text.trimmed();
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString letzterFehler()
{
    return alsGrund(QString::fromUtf8(cupsLastErrorString()));
}

struct IppFrei {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppFrei>;

QString text(ipp_t* antwort, const char* attribut)
{
    ipp_attribute_t* a = ippFindAttribute(antwort, attribut, IPP_TAG_ZERO);
    if (!a)
        return {};
    QStringList werte;
    for (int i = 0; i < ippGetCount(a); ++i) {
        if (const char* wert = ippGetString(a, i, nullptr))
            werte << QString::fromUtf8(wert);
    }
    werte.removeAll(QStringLiteral("none"));
    return werte.join(QStringLiteral(", "));
}

}  // namespace

void WarteschlangeBereit(const QString& queue)
{
    const QByteArray name = queue.toUtf8();
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     name.constData());
    ipp_t* anfrage = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(anfrage, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const gefragt[] = {"printer-is-accepting-jobs", "printer-state", "printer-state-message",
                                          "printer-state-reasons"};
    ippAddStrings(anfrage, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(std::size(gefragt)), nullptr,
                  gefragt);
    const Ipp antwort(cupsDoRequest(CUPS_HTTP_DEFAULT, anfrage, "/"));
    if (cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || !antwort)
        fehler(QStringLiteral("Der Drucker %1 ist nicht erreichbar, der Druckdienst (CUPS) antwortet nicht: %2.")
                   .arg(queue, letzterFehler()));
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        fehler(QStringLiteral("Der Drucker %1 ist nicht erreichbar: %2.").arg(queue, letzterFehler()));

    QString grund = alsGrund(text(antwort.get(), "printer-state-message"));
    if (grund.isEmpty())
        grund = text(antwort.get(), "printer-state-reasons");
    ipp_attribute_t* nimmtAn = ippFindAttribute(antwort.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (nimmtAn && !ippGetBoolean(nimmtAn, 0))
        fehler(QStringLiteral("Der Drucker %1 nimmt keine Aufträge an: %2.")
                   .arg(queue, grund.isEmpty() ? QStringLiteral("abgewiesen") : grund));
    ipp_attribute_t* zustand = ippFindAttribute(antwort.get(), "printer-state", IPP_TAG_ENUM);
    if (zustand && ippGetInteger(zustand, 0) == IPP_PSTATE_STOPPED)
        fehler(QStringLiteral("Der Drucker %1 ist angehalten: %2.")
                   .arg(queue, grund.isEmpty() ? QStringLiteral("gestoppt") : grund));
}

int LetzterAuftrag(const QString& queue)
{
    cups_job_t* jobs = nullptr;
    const int anzahl = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 1, CUPS_WHICHJOBS_ALL);
    int letzter = 0;
    for (int i = 0; i < anzahl; ++i)
        letzter = qMax(letzter, jobs[i].id);
    cupsFreeJobs(anzahl, jobs);
    return anzahl < 0 ? -1 : letzter;
}

int AuftragAngenommen(const QString& queue, int letzterVorher)
{
    // Qt hands the job over without looking at the answer; the answer is still the last
    // one this thread got from CUPS.
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        fehler(QStringLiteral("Der Drucker %1 hat den Druckauftrag abgelehnt: %2.").arg(queue, letzterFehler()));
    if (letzterVorher < 0)
        return 0;
    const int neu = LetzterAuftrag(queue);
    if (neu >= 0 && neu <= letzterVorher)
        fehler(QStringLiteral("Der Drucker %1 hat keinen Druckauftrag angenommen.").arg(queue));
    return qMax(neu, 0);
}

}  // namespace klw::cups
