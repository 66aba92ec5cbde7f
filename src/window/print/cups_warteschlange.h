#pragma once
// What Qt does not tell about a print job on a CUPS queue: whether the queue takes jobs
// now, and whether the job handed to it was taken. Each failure is an exception whose
// text names the queue and the reason.

#include <QString>

namespace klw::cups {

// Fails when the scheduler cannot be reached, the queue is unknown, does not accept jobs
// or is stopped.
void WarteschlangeBereit(const QString& queue);
// The highest job id this user has had on the queue so far (0 for none).
int LetzterAuftrag(const QString& queue);
// To be called right after Qt has handed the job to CUPS: fails when the scheduler refused
// it or no new job is on the queue; otherwise the new job's id (0 when the jobs cannot be
// listed).
int AuftragAngenommen(const QString& queue, int letzterVorher);

}  // namespace klw::cups
