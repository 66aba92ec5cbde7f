// The shared text operations where no test of a feature shows them whole: every form of
// line break that reaches the program (memos hold CR LF, its own messages LF CR, old files
// a lone CR), and lists typed into one field.

#include <QtTest>

#include "base/text.h"

using namespace klw;

class TextTest : public QObject {
    Q_OBJECT

private slots:
    void lineBreaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lineFeeds");
        QTest::addColumn<QString>("crLf");
        QTest::newRow("none") << "a b"
                              << "a b"
                              << "a b";
        QTest::newRow("CR LF") << "a\r\nb"
                               << "a\nb"
                               << "a\r\nb";
        QTest::newRow("LF CR") << "a\n\rb"
                               << "a\nb"
                               << "a\r\nb";
        QTest::newRow("lone LF") << "a\nb"
                                 << "a\nb"
                                 << "a\r\nb";
        QTest::newRow("lone CR") << "a\rb"
                                 << "a\nb"
                                 << "a\r\nb";
        QTest::newRow("empty line in CR LF") << "a\r\n\r\nb"
                                             << "a\n\nb"
                                             << "a\r\n\r\nb";
        QTest::newRow("empty line in LF CR") << "a\n\r\n\rb"
                                             << "a\n\nb"
                                             << "a\r\n\r\nb";
        QTest::newRow("mixed, at both ends") << "\ra\r\nb\nc\n\r"
                                             << "\na\nb\nc\n"
                                             << "\r\na\r\nb\r\nc\r\n";
    }
    void lineBreaks()
    {
        QFETCH(QString, text);
        QFETCH(QString, lineFeeds);
        QTEST(withLineFeeds(text), "lineFeeds");
        QTEST(withCrLf(text), "crLf");
        QCOMPARE(withLineFeeds(text.toUtf8()), lineFeeds.toUtf8());
    }

    void trimmedParts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("one") << " a@x " << QStringList{"a@x"};
        QTest::newRow("blank parts left out") << "a@x; ;\t;b@x;" << QStringList{"a@x", "b@x"};
        QTest::newRow("blanks inside kept") << " /tmp/mein Bericht.pdf ;x" << QStringList{"/tmp/mein Bericht.pdf", "x"};
    }
    void trimmedParts()
    {
        QFETCH(QString, text);
        QTEST(klw::trimmedParts(text, QLatin1Char(';')), "parts");
    }
};

QTEST_MAIN(TextTest)
#include "test_text.moc"
