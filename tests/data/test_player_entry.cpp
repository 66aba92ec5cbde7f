// Player entry over a fresh copy of the shipped database: pass numbers bring in names or
// become new members, names and nicknames are written back into the member record.

#include <QTest>

#include "data/abfragen.h"
#include "data/player_entry.h"
#include "lifecycle/start.h"
#include "sheet/tables.h"
#include "support/database_harness.h"

using namespace klw;
using klw::test::Shown;

namespace {

struct Mitglied {
    QString name, nickname, team, liga;
    bool operator==(const Mitglied&) const = default;
};

struct Eingabe : klw::test::DatabaseHarness {
    explicit Eingabe(const QString& fixture = QString())
    {
        ProgrammStart(c);
        if (!fixture.isEmpty())
            abfragen.ABSDatabase1.execute(fixture);
        sheet.setText("f_liga", "Oberliga");
        sheet.setText("f_Heimteam", "DC Adler Bottrop");
        sheet.setText("f_gastteam", "Highlander Herten");
    }
    // Leaves the field as the window does: a failure ends in the error box.
    void verlassen(ControlId field)
    {
        dispatch(dialogs, [&] { exitHandler(field)(c, field); });
    }
    void passnr(const PlayerRow& z, const QString& text)
    {
        sheet.setText(z.passNr, text);
        verlassen(z.passNr);
    }
    // The member rows with this pass number, exactly as stored.
    QList<Mitglied> mitglieder(const QString& passnr)
    {
        db::Dataset d(abfragen.ABSDatabase1);
        d.open("select * from Mitglied where PASSNR = '" + QString(passnr).replace("'", "''") + "' order by ID");
        QList<Mitglied> result;
        for (; !d.eof(); d.next())
            result.append({d.fieldByName("NAME").asString(), d.fieldByName("NICKNAMEX").asString(),
                           d.fieldByName("TEAM").asString(), d.fieldByName("LIGA").asString()});
        return result;
    }
    int anzahl()
    {
        db::Dataset d(abfragen.ABSDatabase1);
        d.open("select count(*) n from Mitglied");
        return d.fieldByName("n").asInteger();
    }
};

const PlayerRow& zeile(const char* position)
{
    return *rowAtPosition(QString::fromLatin1(position));
}

}  // namespace

class TestPlayerEntry : public QObject {
    Q_OBJECT

private slots:
    void knownPassNumberFillsNameAndNicknameInEveryRow()
    {
        Eingabe h;
        const int before = h.anzahl();
        for (const PlayerRow& z : kPlayerRows) {
            h.sheet.setText(z.name, "alt");
            h.sheet.setText(z.nickname, "alt");
            h.passnr(z, z.home ? "10016" : "10065");
            QCOMPARE(h.sheet.text(z.name), z.home ? QStringLiteral("Sabine Schwarz") : QStringLiteral("Yvonne Lange"));
            QCOMPARE(h.sheet.text(z.nickname),
                     z.home ? QStringLiteral("Tiger") : QString());  // an empty nickname empties
        }
        QVERIFY(h.focus.moves.isEmpty());
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(h.anzahl(), before);
    }

    // A new pass number is stored at once, the name is typed, and the member is known from
    // then on: in another row, and after the program starts again.
    void newMemberIsCreatedNamedAndFoundAgain()
    {
        const PlayerRow& g3 = zeile("G3");
        const PlayerRow& h5 = zeile("H5");
        Eingabe h;
        h.passnr(g3, "77001");
        QCOMPARE(h.mitglieder("77001"), QList<Mitglied>{Mitglied{}});
        QCOMPARE(h.focus.moves, QStringList{"f_g3name"});
        QCOMPARE(h.sheet.text(g3.name), QString());

        h.sheet.setText(g3.name, "Uwe O'Neill");
        h.verlassen(g3.name);
        QCOMPARE(h.mitglieder("77001"), (QList<Mitglied>{{"Uwe O'Neill", "", "Highlander Herten", "Oberliga"}}));
        h.sheet.setText(g3.nickname, "Ufo");
        h.verlassen(g3.nickname);
        const Mitglied gespeichert{"Uwe O'Neill", "Ufo", "Highlander Herten", "Oberliga"};
        QCOMPARE(h.mitglieder("77001"), QList<Mitglied>{gespeichert});

        h.passnr(h5, "77001");
        QCOMPARE(h.sheet.text(h5.name), QStringLiteral("Uwe O'Neill"));
        QCOMPARE(h.sheet.text(h5.nickname), QStringLiteral("Ufo"));

        Eingabe neu;  // another copy: start again on the file the first run wrote
        neu.abfragen.ABSDatabase1.close();
        neu.abfragen.ABSDatabase1.open(h.database.file());
        FormShow(neu.c);  // removes blank members, but this one has a name
        neu.passnr(g3, "77001");
        QCOMPARE(neu.sheet.text(g3.name), QStringLiteral("Uwe O'Neill"));
        QCOMPARE(neu.sheet.text(g3.nickname), QStringLiteral("Ufo"));
        QCOMPARE(neu.mitglieder("77001"), QList<Mitglied>{gespeichert});
        QVERIFY(h.dialogs.shown.isEmpty() && neu.dialogs.shown.isEmpty());
    }

    // Pass numbers are taken exactly as typed: quotes, wildcards and blanks are part of them.
    void passNumbersAreTakenAsTyped_data()
    {
        QTest::addColumn<QString>("passnr");
        QTest::newRow("leading blank") << " 10016";
        QTest::newRow("trailing blank") << "10016 ";
        QTest::newRow("quote") << "O'Neill";
        QTest::newRow("quoted condition") << "' or '1'='1";
        QTest::newRow("percent") << "%";
        QTest::newRow("underscore") << "1001_";
    }
    void passNumbersAreTakenAsTyped()
    {
        QFETCH(QString, passnr);
        const PlayerRow& h2 = zeile("H2");
        Eingabe h;
        const int before = h.anzahl();
        h.sheet.setText(h2.name, "alt");
        h.passnr(h2, passnr);
        QCOMPARE(h.sheet.text(h2.name), QStringLiteral("alt"));
        QCOMPARE(h.focus.moves, QStringList{"f_h2name"});
        QCOMPARE(h.anzahl(), before + 1);
        QCOMPARE(h.mitglieder(passnr).size(), 1);

        h.sheet.setText(h2.name, "Neu");
        h.verlassen(h2.name);
        QCOMPARE(h.mitglieder(passnr), (QList<Mitglied>{{"Neu", "", "DC Adler Bottrop", "Oberliga"}}));
        QCOMPARE(h.mitglieder("10016"), (QList<Mitglied>{{"Sabine Schwarz", "Tiger", "DC Adler Bottrop", "Oberliga"}}));
        QCOMPARE(h.anzahl(), before + 1);
    }

    // Changing a row to an unknown number keeps the previous player's texts until overtyped;
    // leaving the name then stores the shown name under the new number only.
    void changedToUnknownNumberKeepsTheOldNameUntilOvertyped()
    {
        const PlayerRow& h1 = zeile("H1");
        Eingabe h;
        h.passnr(h1, "10031");
        h.passnr(h1, "77002");
        QCOMPARE(h.sheet.text(h1.name), QStringLiteral("Wolfgang Hartmann"));
        QCOMPARE(h.sheet.text(h1.nickname), QStringLiteral("Rakete"));
        QCOMPARE(h.focus.moves, QStringList{"f_h1name"});
        h.verlassen(h1.name);
        QCOMPARE(h.mitglieder("77002"),
                 (QList<Mitglied>{{"Wolfgang Hartmann", "Rakete", "DC Adler Bottrop", "Oberliga"}}));
        QCOMPARE(h.mitglieder("10031"),
                 (QList<Mitglied>{{"Wolfgang Hartmann", "Rakete", "DC Adler Bottrop", "Oberliga"}}));
    }

    // Leaving a name always overwrites the member's team and league with the match's.
    void leavingANameMovesTheMemberToThisMatch()
    {
        const PlayerRow& g6 = zeile("G6");
        Eingabe h;
        h.sheet.setText("f_liga", " B3-Liga ");
        h.passnr(g6, "10016");
        h.verlassen(g6.nickname);
        QCOMPARE(h.mitglieder("10016"),
                 (QList<Mitglied>{{"Sabine Schwarz", "Tiger", "Highlander Herten", " B3-Liga "}}));
    }

    // First and last name follow the typed name for a member entered on the sheet (the last
    // word is the surname); a member with names of its own keeps them.
    void firstAndLastNameFollowTheTypedName_data()
    {
        QTest::addColumn<QString>("passnr");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("vorname");
        QTest::addColumn<QString>("nachname");
        QTest::newRow("new, two words") << "77020"
                                        << "Uwe O'Neill"
                                        << "Uwe"
                                        << "O'Neill";
        QTest::newRow("new, one word") << "77021"
                                       << "Kalle"
                                       << ""
                                       << "Kalle";
        QTest::newRow("new, blanks around") << "77022"
                                            << " Anna  Maria Schulte "
                                            << "Anna Maria"
                                            << "Schulte";
        QTest::newRow("known, names from its name") << "10016"
                                                    << "Sabine Schwarz-Weiss"
                                                    << "Sabine"
                                                    << "Schwarz-Weiss";
        QTest::newRow("known, names of its own") << "10031"
                                                 << "Wolle Hartmann"
                                                 << "Wolfgang Peter"
                                                 << "Hartmann";
    }
    void firstAndLastNameFollowTheTypedName()
    {
        QFETCH(QString, passnr);
        QFETCH(QString, name);
        QFETCH(QString, vorname);
        QFETCH(QString, nachname);
        Eingabe h("update Mitglied set VORNAME = 'Wolfgang Peter' where PASSNR = '10031'");
        const PlayerRow& h3 = zeile("H3");
        h.passnr(h3, passnr);
        h.sheet.setText(h3.name, name);
        h.verlassen(h3.name);
        db::Dataset d(h.abfragen.ABSDatabase1);
        d.open("select * from Mitglied where PASSNR = '" + passnr + "'");
        QCOMPARE(d.fieldByName("VORNAME").asString(), vorname);
        QCOMPARE(d.fieldByName("NACHNAME").asString(), nachname);
        QCOMPARE(d.fieldByName("NAME").asString(), name);
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void emptyPassNumberOrNameTouchesNothing_data()
    {
        QTest::addColumn<QString>("passnr");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("field");
        QTest::newRow("empty pass number left") << ""
                                                << "Hans"
                                                << "f_h4pnr";
        QTest::newRow("name left without pass number") << ""
                                                       << "Hans"
                                                       << "f_h4name";
        QTest::newRow("nickname left without name") << "10016"
                                                    << ""
                                                    << "f_h4rname";
        QTest::newRow("name left for an unknown member") << "88888"
                                                         << "Hans"
                                                         << "f_h4name";
    }
    void emptyPassNumberOrNameTouchesNothing()
    {
        QFETCH(QString, passnr);
        QFETCH(QString, name);
        QFETCH(QString, field);
        Eingabe h;
        const int before = h.anzahl();
        h.sheet.setText("f_h4pnr", passnr);
        h.sheet.setText("f_h4name", name);
        h.sheet.setText("f_h4rname", "Ruf");
        h.verlassen(klw::test::controlNamed(field));
        QCOMPARE(h.sheet.text("f_h4pnr"), passnr);
        QCOMPARE(h.sheet.text("f_h4name"), name);
        QCOMPARE(h.sheet.text("f_h4rname"), QStringLiteral("Ruf"));
        QCOMPARE(h.anzahl(), before);
        QCOMPARE(h.mitglieder("10016"), (QList<Mitglied>{{"Sabine Schwarz", "Tiger", "DC Adler Bottrop", "Oberliga"}}));
        QVERIFY(h.focus.moves.isEmpty() && h.dialogs.shown.isEmpty());
    }

    // Writes that the database refuses: each says so once, and the sheet keeps the typed texts.
    void refusedWritesKeepTheSheet()
    {
        Eingabe h(
            "create trigger kein_neues before insert on Mitglied begin select raise(abort, 'gesperrt'); end;"
            "create trigger keine_aenderung before update on Mitglied begin select raise(abort, 'gesperrt'); end;");
        const PlayerRow& g1 = zeile("G1");
        const int before = h.anzahl();
        h.passnr(g1, "77003");
        QCOMPARE(h.anzahl(), before);
        QCOMPARE(h.focus.moves, QStringList{"f_g1name"});
        QCOMPARE(h.dialogs.texts(),
                 QStringList{"Das neue Mitglied mit der Passnummer 77003 wurde nicht gespeichert.\n\r(gesperrt)"});

        h.passnr(g1, "10016");
        h.sheet.setText(g1.name, "Sabine Schwarz-Weiß");
        h.sheet.setText(g1.nickname, "Tigerin");
        h.verlassen(g1.nickname);
        QCOMPARE(h.sheet.text(g1.name), QStringLiteral("Sabine Schwarz-Weiß"));
        QCOMPARE(h.sheet.text(g1.nickname), QStringLiteral("Tigerin"));
        QCOMPARE(h.mitglieder("10016"), (QList<Mitglied>{{"Sabine Schwarz", "Tiger", "DC Adler Bottrop", "Oberliga"}}));
        QCOMPARE(h.dialogs.shown.size(), 2);
        QCOMPARE(h.dialogs.shown[1].kind, Shown::Error);
        QCOMPARE(h.dialogs.shown[1].text,
                 QStringLiteral("Name und Rufname des Mitglieds mit der Passnummer 10016 wurden "
                                "nicht gespeichert. Sie bleiben im Spielbogen und werden erneut "
                                "gespeichert.\n\r(gesperrt)"));
    }

    // A member table that cannot be read: the look-up finds nothing, and the new member
    // cannot be created, which every row reports alike; the focus goes on to the name,
    // which the sheet keeps.
    void unreadableMemberTable_data()
    {
        QTest::addColumn<QString>("position");
        QTest::newRow("H1") << "H1";
        QTest::newRow("G5") << "G5";
    }
    void unreadableMemberTable()
    {
        QFETCH(QString, position);
        const PlayerRow& z = *rowAtPosition(position);
        Eingabe h("alter table Mitglied rename column PASSNR to PASS");
        h.sheet.setText(z.name, "alt");
        h.passnr(z, "10016");
        QCOMPARE(h.sheet.text(z.name), QStringLiteral("alt"));
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].kind, Shown::Error);
        QCOMPARE(
            h.dialogs.shown[0].text,
            QStringLiteral(
                "Das neue Mitglied mit der Passnummer 10016 wurde nicht gespeichert.\n\r(no such column: PASSNR)"));
        QCOMPARE(h.focus.moves, QStringList{z.name.name()});
    }

    void unknownSenderDoesNothing()
    {
        Eingabe h;
        h.sheet.setText("f_h1pnr", "10016");
        f_h1pnrExit(h.c, "f_h1name");
        f_h1nameExit(h.c, "f_h1pnr");
        QCOMPARE(h.sheet.text("f_h1name"), QString());
        QVERIFY(h.focus.moves.isEmpty());
    }
};

QTEST_MAIN(TestPlayerEntry)
#include "test_player_entry.moc"
