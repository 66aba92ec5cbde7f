#include "window/tfklw.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <utility>

#include "base/text.h"
#include "lifecycle/start.h"
#include "sheet/tables.h"
#include "snapshots/snapshots.h"
#include "window/choice_box.h"

// The pictures live in the static core library; this pulls them into the program.
static void initPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace klw {

namespace {

// The sheet text of the date field: its unfilled places are blanks (the empty field is
// "  .  .    "), and a day or month of one digit has its blank in front (" 1. 8.2006").
// Qt's mask fills optional places from the left and drops them from text(); its display
// text still has every place.
QString dateText(const QLineEdit* edit)
{
    QString t = edit->displayText().replace(QLatin1Char('_'), QLatin1Char(' '));
    for (int group : {0, 3}) {
        if (group + 1 < t.size() && t[group].isDigit() && t[group + 1] == QLatin1Char(' '))
            std::swap(t[group], t[group + 1]);
    }
    return t;
}

QString sheetText(const QLineEdit* edit)
{
    return edit->inputMask().isEmpty() ? edit->text() : dateText(edit);
}

// The date field marks its unfilled places with '_' while the user types in it; once left
// it shows the sheet's text, blanks as blanks (" 1. 8.2006"), as the report prints it.
const QString kDateMask = QStringLiteral("09.09.9999;");
constexpr QChar kTypingBlank = u'_';
constexpr QChar kShownBlank = u' ';

// Qt names the blank after the mask, except the default blank ' '.
QChar dateBlank(const QLineEdit* edit)
{
    const QString mask = edit->inputMask();
    return mask.size() == kDateMask.size() + 1 ? mask.back() : kShownBlank;
}

void setDateText(QLineEdit* edit, const QString& text)
{
    edit->setText(QString(text).replace(QLatin1Char(' '), dateBlank(edit)));
}

void showDateWith(QLineEdit* edit, QChar blank)
{
    if (dateBlank(edit) == blank)
        return;
    const QString text = dateText(edit);
    edit->setInputMask(kDateMask + blank);
    setDateText(edit, text);
}

QLineEdit* dateField(QWidget* widget)
{
    auto* edit = qobject_cast<QLineEdit*>(widget);
    return edit && !edit->inputMask().isEmpty() ? edit : nullptr;
}

const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kPurple(0x80, 0x00, 0x80);

}  // namespace

TFKLW::TFKLW(TDM_SYS& dmSys, TDM_DAT& dmDat, Dialogs* dialogs, const QString& programFolder,
             const StartOptions& optionen)
    : dialogs_(dialogs ? *dialogs : qtDialogs_),
      windows_(*this, dmSys, abfragen_, dmDat, dialogs),
      context_{sheet_, dialogs_, focus_, windows_, dmSys, abfragen_, Timer1},
      optionen_(optionen)
{
    initPictures();
    context_.programFolder =
        programFolder.isEmpty() ? QCoreApplication::applicationDirPath() + QLatin1Char('/') : programFolder;

    setWindowTitle(kFensterTitel);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ScrollBox"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // the sheet scrolls; Tab never stops on it
    canvas_ = new QWidget;
    canvas_->setObjectName(QStringLiteral("canvas"));
    canvas_->setFixedSize(kCanvasWidth, kScrollRange);
    buildSheet(canvas_);
    scroll->setWidget(canvas_);
    setCentralWidget(scroll);
    applyTabOrder();
    addKeyboardWays();

    connect(&sheet_, &Spielbogen::textChanged, this, &TFKLW::showField);
    connect(&sheet_, &Spielbogen::stateChanged, this, &TFKLW::showField);
    connectChangeHandlers(context_);
    qApp->installEventFilter(this);

    Timer1.setInterval(300000);
    connect(&Timer1, &QTimer::timeout, this, [this] { run("Timer1", Timer1Timer); });
    Timer2.setInterval(1000);
    connect(&Timer2, &QTimer::timeout, this, [this] { run("Timer2", Timer2Timer); });
    Timer1.start();
    Timer2.start();

    FormCreate();
}

TFKLW::~TFKLW()
{
    // The widgets go first, while the sheet they are bound to still exists: closing the
    // window moves the focus out of them one last time.
    qApp->removeEventFilter(this);
    Timer1.stop();
    Timer2.stop();
    delete takeCentralWidget();
}

void TFKLW::FormCreate()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        resize(desktop.size());
        move(desktop.center() - rect().center());
    }
    dispatch(dialogs_, [this] { setWindowTitle(ProgrammStart(context_)); });
}

void TFKLW::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    dispatch(dialogs_, [this] { FormShow(context_, optionen_); });
}

void TFKLW::run(ControlId sender, Handler handler)
{
    if (handler)
        dispatch(dialogs_, [&] { handler(context_, sender); });
}

// --- building the canvas -------------------------------------------------------------

QLabel* TFKLW::addCaption(const QString& text, int x, int y, QWidget* parent, bool bold)
{
    auto* label = new QLabel(text, parent ? parent : canvas_);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    label->move(x, y);
    label->adjustSize();
    return label;
}

QAbstractButton* TFKLW::addButton(ControlId name, const QRect& geometry, const QString& caption, const QString& hint,
                                  const QString& picture, QWidget* parent)
{
    QAbstractButton* button = nullptr;
    if (picture.isEmpty()) {
        button = new QPushButton(caption, parent ? parent : canvas_);
    } else {
        auto* glyph = new QToolButton(parent ? parent : canvas_);
        glyph->setText(caption);
        glyph->setIcon(QIcon(picture));
        glyph->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
        glyph->setIconSize(caption.isEmpty() ? geometry.size() - QSize(12, 12) : geometry.size() - QSize(24, 24));
        button = glyph;
    }
    const QString key = name.name();
    button->setObjectName(key);
    button->setGeometry(geometry);
    button->setToolTip(hint);
    // Only the small position buttons in front of the player rows are no tab stops.
    button->setFocusPolicy(key.startsWith(QLatin1String("bt_H")) || key.startsWith(QLatin1String("bt_G"))
                               ? Qt::ClickFocus
                               : Qt::StrongFocus);
    widgets_.insert(key, button);
    connect(button, &QAbstractButton::clicked, this, [this, name] { run(name, clickHandler(name)); });
    return button;
}

QWidget* TFKLW::addField(FieldId name, const QRect& geometry, QWidget* parent)
{
    const FieldDef& def = sheet_.def(name);
    if (!parent)
        parent = canvas_;
    QWidget* w = nullptr;
    switch (def.kind) {
    case FieldKind::Edit:
    case FieldKind::MaskEdit: {
        auto* edit = new QLineEdit(parent);
        if (def.kind == FieldKind::MaskEdit)
            edit->setInputMask(kDateMask + kShownBlank);
        if (def.maxLength > 0)
            edit->setMaxLength(def.maxLength);
        if (def.readOnly) {
            edit->setReadOnly(true);
            QPalette p = edit->palette();
            p.setColor(QPalette::Base, kSilver);
            edit->setPalette(p);
            QFont f = edit->font();
            f.setBold(true);
            edit->setFont(f);
        }
        w = edit;
        break;
    }
    case FieldKind::Choice: {
        auto* combo = new ChoiceBox(parent);
        combo->addItems(def.items);
        // The match day list shows all its rows at once, the league list twenty.
        combo->setMaxVisibleItems(name == "f_spieltag" ? 19 : 20);
        w = combo;
        break;
    }
    case FieldKind::Radio: {
        auto* box = new QGroupBox(parent);
        auto* group = new QButtonGroup(box);
        const int columns = name == "rg_ergebnis" ? 3 : 1;
        const int cellWidth = geometry.width() / columns - 4;
        for (int i = 0; i < def.items.size(); ++i) {
            auto* radio = new QRadioButton(def.items[i], box);
            radio->setGeometry(4 + (i % columns) * (cellWidth + 2), 4 + (i / columns) * 20, cellWidth, 20);
            radio->setFocusPolicy(def.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
            group->addButton(radio, i);
        }
        w = box;
        break;
    }
    case FieldKind::Check:
        w = new QCheckBox(def.text, parent);
        break;
    case FieldKind::Memo: {
        auto* memo = new QPlainTextEdit(parent);
        memo->setTabChangesFocus(true);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        w = memo;
        break;
    }
    case FieldKind::Label:
        w = new QLabel(parent);
        break;
    case FieldKind::Panel: {
        auto* panel = new QFrame(parent);
        panel->setFrameShape(QFrame::Panel);
        panel->setAutoFillBackground(true);
        QPalette p = panel->palette();
        p.setColor(QPalette::Window, kPurple);
        p.setColor(QPalette::WindowText, Qt::white);
        panel->setPalette(p);
        w = panel;
        break;
    }
    }
    w->setObjectName(name.name());
    w->setGeometry(geometry);
    if (def.kind == FieldKind::Label || def.kind == FieldKind::Panel)
        w->setFocusPolicy(Qt::NoFocus);
    else if (def.kind != FieldKind::Radio)
        w->setFocusPolicy(def.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    widgets_.insert(name.name(), w);
    bindField(def, w);
    showField(name);
    if (!def.visible)
        w->hide();
    return w;
}

// Widget to sheet for what the user does; sheet to widget in showField().
void TFKLW::bindField(const FieldDef& def, QWidget* w)
{
    const FieldId name = def.id;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textEdited, this, [this, name, edit] { sheet_.setText(name, sheetText(edit)); });
    } else if (auto* combo = qobject_cast<ChoiceBox*>(w)) {
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [this, name](const QString& text) { sheet_.setText(name, text); });
        connect(combo, &ChoiceBox::picked, this, [this, name](int index) {
            sheet_.selectItem(name, index);
            run(name, pickHandler(name));
        });
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
        connect(memo, &QPlainTextEdit::textChanged, this,
                [this, name, memo] { sheet_.setText(name, withCrLf(memo->toPlainText())); });
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
        connect(check, &QCheckBox::toggled, this, [this, name](bool on) { sheet_.setChecked(name, on); });
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        auto* group = box->findChild<QButtonGroup*>();
        connect(group, &QButtonGroup::idClicked, this, [this, name](int id) { sheet_.setItemIndex(name, id); });
    }
}

void TFKLW::showField(FieldId name)
{
    QWidget* w = widgets_.value(name.name());
    if (!w)
        return;
    const QString& text = sheet_.text(name);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (sheetText(edit) != text) {
            if (dateField(edit))
                setDateText(edit, text);
            else
                edit->setText(text);
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const int selected = sheet_.selectedItem(name);
        if (selected >= 0 && combo->currentIndex() != selected) {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(selected);
        }
        if (combo->currentText() != text)
            combo->setEditText(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
        const QString shown = withLineFeeds(text);
        if (memo->toPlainText() != shown)
            memo->setPlainText(shown);
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
        if (check->isChecked() != sheet_.isChecked(name)) {
            const QSignalBlocker block(check);
            check->setChecked(sheet_.isChecked(name));
        }
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        auto* group = box->findChild<QButtonGroup*>();
        const int index = sheet_.itemIndex(name);
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons())
            b->setChecked(group->id(b) == index);
        group->setExclusive(true);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    }
    if (const QRect g = sheet_.geometry(name); !g.isEmpty() && w->geometry() != g)
        w->setGeometry(g);
    if (w->isVisibleTo(w->parentWidget()) != sheet_.isVisible(name))
        w->setVisible(sheet_.isVisible(name));
}

void TFKLW::applyTabOrder()
{
    QWidget* previous = nullptr;
    for (const QString& name : tabOrder()) {
        QWidget* w = widgets_.value(name);
        if (!w)
            continue;
        if (auto* box = qobject_cast<QGroupBox*>(w)) {
            // A radio group is visited through its buttons.
            for (QAbstractButton* b : box->findChild<QButtonGroup*>()->buttons()) {
                if (previous)
                    setTabOrder(previous, b);
                previous = b;
            }
            continue;
        }
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
}

// --- events --------------------------------------------------------------------------

bool TFKLW::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return QMainWindow::eventFilter(watched, event);

    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (opensChoice(*key)) {
            if (QComboBox* choice = choiceOfSetsField(widget)) {
                // The list opens over the sets field, which keeps the focus: a list taking
                // the keys is no leaving, and the focus comes back when it closes.
                choice->showPopup();
                return true;
            }
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && widget == QApplication::focusWidget() &&
            !qobject_cast<QPlainTextEdit*>(widget)) {
            // Enter works like Tab, except in the remark, where it starts a new line (Tab
            // and Shift+Tab leave it). The key still reaches the control that had the
            // focus, except a choice, which would take a typed item text as a pick.
            focusNextChild();
            return qobject_cast<QComboBox*>(widget) != nullptr;
        }
    } else if (event->type() == QEvent::Wheel && qobject_cast<QComboBox*>(widget) && !widget->hasFocus()) {
        // The wheel over a choice the user is not in scrolls the sheet; it must not change
        // a game's line-up on the way.
        if (auto* scroll = findChild<QScrollArea*>())
            QCoreApplication::sendEvent(scroll->verticalScrollBar(), event);
        return true;
    } else if (event->type() == QEvent::FocusIn) {
        if (QLineEdit* date = dateField(widget))
            showDateWith(date, kTypingBlank);
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box, a modal window or a drop-down list taking the focus is no leaving.
        // An open list also takes the focus into its view with no reason of its own: the
        // focus has gone to a widget outside this window.
        const QWidget* next = QApplication::focusWidget();
        const bool elsewhere = next && next->window() != this;
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !elsewhere) {
            const QString name = widget->objectName();
            if (widgets_.value(name) == widget)
                if (const auto control = ControlId::find(name))
                    run(*control, exitHandler(*control));
            if (QLineEdit* date = dateField(widget))
                showDateWith(date, kShownBlank);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace klw
