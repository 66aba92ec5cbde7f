// Titles as the window system shows them, read back with xprop on a real X server: the
// caption and the message boxes carry exactly their own titles, and the application title
// ("KLW", "KLW_" and the league) is the task-bar entry's icon name.

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "data/dm_sys.h"
#include "output/dm_dat.h"
#include "window/tfklw.h"

using namespace klw;

namespace {

// The value of a text property of an X window, as xprop prints it: NAME(TYPE) = "value".
QString xprop(const QWidget* window, const char* property)
{
    QProcess p;
    p.start(QStringLiteral("xprop"),
            {QStringLiteral("-id"), QString::number(window->winId()), QString::fromLatin1(property)});
    if (!p.waitForFinished(5000) || p.exitCode() != 0)
        return QStringLiteral("<xprop failed>");
    const QString out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    const int open = out.indexOf(QLatin1String("= \""));
    return open < 0 ? QStringLiteral("<no value: %1>").arg(out) : out.mid(open + 3).chopped(1);
}

}  // namespace

class TitleTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TDM_SYS> dmSys;
    std::unique_ptr<TDM_DAT> dmDat;
    std::unique_ptr<TFKLW> window;

    QWidget* w(const char* name) { return window->control(QString::fromLatin1(name)); }

    // Answers the next message box with the named button, after reading its title.
    void answerNextBox(QString* title, const QString& button)
    {
        QTimer::singleShot(200, this, [this, title, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QTRY_VERIFY(box->isVisible());
            *title = xprop(box, "_NET_WM_NAME");
            for (QAbstractButton* b : box->buttons())
                if (b->text() == button)
                    QTest::mouseClick(b, Qt::LeftButton);
        });
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "runs on a real X server only");
        dmSys = std::make_unique<TDM_SYS>();
        dmDat = std::make_unique<TDM_DAT>();
        window = std::make_unique<TFKLW>(*dmSys, *dmDat);  // with its real message boxes
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanupTestCase() { window.reset(); }

    void captionIsExactlyTheProgramsOwn()
    {
        QCOMPARE(xprop(window.get(), "_NET_WM_NAME"),
                 QStringLiteral("Spielberichtsbogen des MEKO e. V. - Version: " KLW_VERSION));
        QCOMPARE(xprop(window.get(), "WM_NAME"),
                 QStringLiteral("Spielberichtsbogen des MEKO e. V. - Version: " KLW_VERSION));
    }

    void applicationTitleFollowsTheLeagueInTheTaskBarEntry()
    {
        QTRY_COMPARE_WITH_TIMEOUT(xprop(window.get(), "_NET_WM_ICON_NAME"), QStringLiteral("KLW"), 3000);
        auto* liga = qobject_cast<QComboBox*>(w("f_liga"));
        liga->setFocus();
        QTest::keyClicks(liga->lineEdit(), QString::fromUtf8("Bezirksliga 1"));
        QTRY_COMPARE_WITH_TIMEOUT(xprop(window.get(), "_NET_WM_ICON_NAME"), QStringLiteral("KLW_Bezirksliga 1"), 3000);
        QCOMPARE(xprop(window.get(), "WM_ICON_NAME"), QStringLiteral("KLW_Bezirksliga 1"));
        QCOMPARE(xprop(window.get(), "_NET_WM_NAME"),
                 QStringLiteral("Spielberichtsbogen des MEKO e. V. - Version: " KLW_VERSION));
    }

    void messageBoxesCarryOnlyTheirOwnTitles()
    {
        // Equal teams give an information; a filled header makes the end ask a question.
        qobject_cast<QLineEdit*>(w("f_Heimteam"))->setFocus();
        QTest::keyClicks(w("f_Heimteam"), "Adler");
        QTest::keyClicks(w("f_gastteam"), "Adler");
        QString information;
        answerNextBox(&information, QStringLiteral("OK"));
        QTest::mouseClick(w("bt_namenuebernehmen2"), Qt::LeftButton);
        QCOMPARE(information, QStringLiteral("Information"));

        QString confirmation;
        answerNextBox(&confirmation, QStringLiteral("&Nein"));
        QTest::mouseClick(w("bt_ende"), Qt::LeftButton);
        QCOMPARE(confirmation, QString::fromUtf8("Bestätigung"));
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(TitleTest)
#include "x11test_titles.moc"
