#pragma once

// The game window frmZarb: a fixed-size window with the menu bar and the field. It draws the
// model and forwards keys, menu choices and its close box to the rules; no rule lives here.

#include <QFont>
#include <QMainWindow>
#include <chrono>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "forms/screen_fit.h"

namespace zarb {
class Program;
struct MenuBarEntry;
}  // namespace zarb

namespace zarb::forms {

class FieldView;

class FrmZarb : public QMainWindow, public FitsTheScreen {
  public:
    explicit FrmZarb(Program& program);

    // Draws the model afresh and brings the menus' captions, checks and enabled state up to
    // date; called after every handler.
    void refresh();
    // The same after a clock tick at the given time: the moving pieces set off for their new
    // places, drawn in frames at the screen's pace.
    void refreshAfterTick(std::chrono::steady_clock::time_point tickedAt);
    FieldView& field() { return *field_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void drawAt(qreal scale) override;

  private:
    void buildMenus();
    void refreshMenus();

    Program& program_;
    FieldView* field_;
    QStyle* menuStyle_;
    // The menu bar's font as the desktop gives it, before any shrinking.
    std::optional<QFont> menuBarFont_;
    // A menu heading or item as the menu bar last showed it: Qt is told only of changes.
    struct ShownItem {
        QAction* action;
        const MenuBarEntry* entry;
        std::string caption;
        bool enabled = true;
    };
    std::vector<ShownItem> shown_;
    // The code each key now held down got at its key-down, by the platform's key number.
    std::unordered_map<quint32, int> heldKeys_;
};

}  // namespace zarb::forms
