#include "window/impressum.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

namespace klw {

TFIMPRESSUM::TFIMPRESSUM(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Impressum"));
    setFixedSize(870, 640);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    text_ = new QTextEdit(this);
    text_->setObjectName(QStringLiteral("Memo1"));
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setPlainText(imprintText());
    text_->selectAll();
    text_->setAlignment(Qt::AlignHCenter);
    text_->moveCursor(QTextCursor::Start);

    BitBtn4 = new QPushButton(QStringLiteral("schließen "), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setToolTip(QStringLiteral("Programm beeenden"));
    connect(BitBtn4, &QPushButton::clicked, this, &TFIMPRESSUM::BitBtn4Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(BitBtn4, 0, Qt::AlignHCenter);
}

void TFIMPRESSUM::BitBtn4Click()
{
    close();
}

void TFIMPRESSUM::bt_endeClick()
{
    close();
}

QString TFIMPRESSUM::imprintText()
{
    return QStringLiteral(
        "KLW – Spielberichtsbogen des MEKO e. V.\n"
        "\n"
        "Planung, Umsetzung, Betreuung und Administration der Software:\n"
        "Jana Beispielfrau\n"
        "E-Mail: software@meko-dart.example\n"
        "Telefon: +49 (0) 5555 010203\n"
        "Deutschland\n"
        "\n"
        "Haftungsausschluss\n"
        "Das Programm wurde mit Sorgfalt erstellt und geprüft. Für die Richtigkeit, Vollständigkeit und "
        "Aktualität der Ergebnisse, die mit ihm erstellt werden, kann dennoch keine Gewähr übernommen werden. "
        "Maßgeblich ist allein der von beiden Mannschaften unterschriebene Spielberichtsbogen.\n"
        "\n"
        "Urheber- und Kennzeichenrecht\n"
        "Texte, Bilder und Zeichen dieses Programms, darunter das Verbandslogo, sind urheberrechtlich "
        "geschützt. Ihre Verwendung außerhalb des Spielbetriebs des Verbands bedarf der schriftlichen "
        "Zustimmung. Genannte Marken gehören ihren jeweiligen Inhabern.\n"
        "\n"
        "Datenschutz\n"
        "Das Programm speichert Passnummern, Namen, Rufnamen, Mannschaften und Spielstände nur in der "
        "Datenbankdatei auf diesem Rechner. Daten werden nur weitergegeben, wenn Sie selbst einen "
        "Spielbericht drucken, als PDF speichern oder per Mail versenden.\n"
        "\n"
        "Rechtswirksamkeit dieses Haftungsausschlusses\n"
        "Sollten einzelne Regelungen oder Formulierungen dieses Haftungsausschlusses unwirksam sein oder "
        "werden, bleiben die übrigen Regelungen in ihrem Inhalt und ihrer Gültigkeit hiervon unberührt.\n");
}

}  // namespace klw
