#pragma once
// The main window: the match sheet on its design canvas. It builds its widgets from the
// sheet's field list, binds each to its field both ways, and routes focus-outs, clicks and
// picks to the handlers. It holds no sheet data of its own.

#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "data/abfragen.h"
#include "lifecycle/events.h"
#include "lifecycle/start.h"
#include "sheet/context.h"
#include "sheet/spielbogen.h"
#include "window/qt_services.h"
#include "window/qt_windows.h"

class QAbstractButton;
class QComboBox;
class QKeyEvent;
class QLabel;

namespace klw {

class TDM_SYS;
class TDM_DAT;

class TFKLW : public QMainWindow {
    Q_OBJECT
public:
    // `dialogs` replaces the window's own message boxes and `programFolder` the folder of

    // the executable (tests script the one and point the other elsewhere); `optionen` are
    // the command line's.
    TFKLW(TDM_SYS& dmSys, TDM_DAT& dmDat, Dialogs* dialogs = nullptr, const QString& programFolder = {},
          const StartOptions& optionen = {});
    ~TFKLW() override;

    Spielbogen& sheet() { return sheet_; }
    Context& context() { return context_; }
    // The widget of a named field or control; nullptr for an unknown name.
    QWidget* control(const QString& name) const { return widgets_.value(name); }

    // The design canvas and its vertical scroll range.
    static constexpr int kCanvasWidth = 1022;
    static constexpr int kCanvasHeight = 736;
    static constexpr int kScrollRange = 1250;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();

    void buildSheet(QWidget* canvas);
    QWidget* addField(FieldId name, const QRect& geometry, QWidget* parent = nullptr);
    QAbstractButton* addButton(ControlId name, const QRect& geometry, const QString& caption,
                               const QString& hint = QString(), const QString& picture = QString(),
                               QWidget* parent = nullptr);
    QLabel* addCaption(const QString& text, int x, int y, QWidget* parent = nullptr, bool bold = false);
    void bindField(const FieldDef& def, QWidget* widget);
    void showField(FieldId name);
    void applyTabOrder();
    void run(ControlId sender, Handler handler);

    // The keyboard's own ways (tfklw_keys.cpp): the buttons' shortcuts, and a game's
    // choice opened from its sets field.
    void addKeyboardWays();
    void pressByKeyboard(QAbstractButton* button);
    QComboBox* choiceOfSetsField(const QWidget* field) const;
    bool opensChoice(const QKeyEvent& key) const;

    Spielbogen sheet_;
    QtDialogs qtDialogs_{this};
    Dialogs& dialogs_;
    QHash<QString, QWidget*> widgets_;
    WidgetFocus focus_{widgets_};
    Abfragen abfragen_;  // ABSDatabase1 and the six named queries
    QtWindows windows_;
    QTimer Timer1;
    QTimer Timer2;
    Context context_;
    QWidget* canvas_ = nullptr;
    StartOptions optionen_;
    bool shownOnce_ = false;
};

}  // namespace klw
