// KLW: the match report sheet of a darts league match.

#include <QApplication>

#include "data/dm_sys.h"
#include "lifecycle/start.h"
#include "output/dm_dat.h"
#include "window/tfklw.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KLW"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/sicherung.jpg")));
    // Qt has taken its own options (-platform, ...) out of the arguments by now.
    const klw::StartOptions optionen = klw::readStartOptions(QApplication::arguments());

    klw::TDM_SYS DM_SYS;
    klw::TDM_DAT DM_DAT;
    klw::TFKLW FKLW(DM_SYS, DM_DAT, nullptr, {}, optionen);
    FKLW.show();
    return app.exec();
}
