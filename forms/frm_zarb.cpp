#include "forms/frm_zarb.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "forms/field_view.h"
#include "forms/key_codes.h"
#include "game/program.h"

namespace zarb::forms {

namespace {

using W = ZarbWindow;

// The client area: 11880 by 9660 twips.
constexpr int kFieldWidth = 792;
constexpr int kFieldHeight = 644;

struct ItemEntry {
    MenuItem W::*item;
    void (W::*handler)();
    const char* name;
    const char* shortcut;
    bool checkable;
};

struct MenuEntry {
    MenuItem W::*heading;
    const char* name;
    std::vector<ItemEntry> items;  // a null item is a separator
};

const ItemEntry kSeparator{nullptr, nullptr, "", "", false};

// The game's menus show a bare check mark beside a checked item and nothing beside an unchecked
// one, where some styles would draw a box around the mark or an empty box.
class MenuStyle : public QProxyStyle {
  public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || item == nullptr ||
            item->checkType == QStyleOptionMenuItem::NotCheckable) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        QStyleOptionMenuItem plain(*item);
        plain.checkType = QStyleOptionMenuItem::NotCheckable;
        QProxyStyle::drawControl(element, &plain, painter, widget);
        if (item->checked) {
            // A tick in the check column, in the colour of the item's text.
            const qreal side = item->rect.height() * 0.5;
            const QPointF corner(item->rect.left() + side * 0.6,
                                 item->rect.center().y() - side / 2);
            const QPointF tick[] = {corner + QPointF(0, side * 0.55),
                                    corner + QPointF(side * 0.35, side * 0.9),
                                    corner + QPointF(side, 0)};
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            const bool selected = item->state.testFlag(State_Selected);
            painter->setPen(QPen(
                item->palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 1.6));
            painter->drawPolyline(tick, 3);
            painter->restore();
        }
    }
};

}  // namespace

FrmZarb::FrmZarb(Program& program)
    : program_(program), field_(new FieldView(*program.zarb(), this)), menuStyle_(new MenuStyle) {
    menuStyle_->setParent(this);
    setObjectName("frmZarb");
    setWindowTitle("Zarb");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint);
    setAccessibleName("Zarb");
    field_->setObjectName("field");
    field_->setFixedSize(kFieldWidth, kFieldHeight);
    // The pointer is invisible over the field and reappears outside it.
    field_->setCursor(QCursor(QPixmap(QStringLiteral(":/invisible_pointer.png")), 0, 0));
    setCentralWidget(field_);
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setFocusPolicy(Qt::StrongFocus);
    refresh();
}

void FrmZarb::buildMenus() {
    const std::vector<MenuEntry> menus = {
        {&W::mnuFile,
         "mnuFile",
         {{&W::mnuNew, &W::mnuNew_Click, "mnuNew", "Ctrl+N", false},
          {&W::mnuEnd, &W::mnuEnd_Click, "mnuEnd", "Ctrl+E", false},
          {&W::mnuPause, &W::mnuPause_Click, "mnuPause", "Ctrl+P", true},
          kSeparator,
          {&W::mnuExit, &W::mnuExit_Click, "mnuExit", "Ctrl+X", false}}},
        {&W::mnuEdit, "mnuEdit", {}},
        {&W::mnuSpeed,
         "mnuSpeed",
         {{&W::mnuSluggish, &W::mnuSluggish_Click, "mnuSluggish", "", true},
          {&W::mnuSlow, &W::mnuSlow_Click, "mnuSlow", "", true},
          {&W::mnuMedium, &W::mnuMedium_Click, "mnuMedium", "", true},
          {&W::mnuFast, &W::mnuFast_Click, "mnuFast", "", true},
          {&W::mnuReallyfast, &W::mnuReallyfast_Click, "mnuReallyfast", "", true}}},
        {&W::mnuPlayers,
         "mnuPlayers",
         {{&W::mnuOne, &W::mnuOne_Click, "mnuOne", "Ctrl+O", true},
          {&W::mnuTwo, &W::mnuTwo_Click, "mnuTwo", "Ctrl+T", true}}},
        {&W::mnuLevel,
         "mnuLevel",
         {{&W::mnuLevel1, &W::mnuLevel1_Click, "mnuLevel1", "", true},
          {&W::mnuLevel2, &W::mnuLevel2_Click, "mnuLevel2", "", true},
          {&W::mnuLevel3, &W::mnuLevel3_Click, "mnuLevel3", "", true},
          {&W::mnuLevel4, &W::mnuLevel4_Click, "mnuLevel4", "", true},
          {&W::mnuLevel5, &W::mnuLevel5_Click, "mnuLevel5", "", true}}},
        {&W::mnuHelp,
         "mnuHelp",
         {{&W::mnuRules, &W::mnuRules_Click, "mnuRules", "Ctrl+R", false},
          {&W::mnuControls, &W::mnuControls_Click, "mnuControls", "Ctrl+C", false},
          kSeparator,
          {&W::mnuAbout, &W::mnuAbout_Click, "mnuAbout", "Ctrl+A", false}}},
    };

    ZarbWindow& window = *program_.zarb();
    QMenu* edit = nullptr;
    for (const MenuEntry& entry : menus) {
        const MenuItem& heading = window.*entry.heading;
        // Speed, Players and Level are submenus of Edit.
        const bool submenu = entry.heading == &W::mnuSpeed || entry.heading == &W::mnuPlayers ||
                             entry.heading == &W::mnuLevel;
        QMenu* menu = submenu ? edit->addMenu(QString::fromStdString(heading.Caption))
                              : menuBar()->addMenu(QString::fromStdString(heading.Caption));
        menu->setObjectName(entry.name);
        menu->setStyle(menuStyle_);
        // Screen readers say the caption without its access-key ampersand.
        menu->setAccessibleName(QString::fromStdString(heading.Caption).remove('&'));
        menu->menuAction()->setObjectName(entry.name);
        shown_.push_back({menu->menuAction(), &heading, true, heading.Caption});
        if (entry.heading == &W::mnuEdit) {
            edit = menu;
        }
        for (const ItemEntry& itemEntry : entry.items) {
            if (itemEntry.item == nullptr) {
                menu->addSeparator();
                continue;
            }
            const MenuItem& item = window.*itemEntry.item;
            QAction* action = menu->addAction(QString::fromStdString(item.Caption));
            action->setObjectName(itemEntry.name);
            action->setToolTip(QString::fromStdString(item.Caption).remove('&'));
            action->setCheckable(itemEntry.checkable);
            if (*itemEntry.shortcut != '\0') {
                action->setShortcut(QKeySequence(itemEntry.shortcut));
            }
            const auto handler = itemEntry.handler;
            connect(action, &QAction::triggered, this, [this, &item, handler] {
                // Qt has already guarded the enabled state; the model has the last word.
                if (item.reachable() && !program_.platform().ended()) {
                    (program_.zarb()->*handler)();
                }
                if (!program_.platform().ended()) {
                    refresh();
                }
            });
            shown_.push_back({action, &item, false, item.Caption});
        }
    }
}

void FrmZarb::refresh() {
    for (ShownItem& shown : shown_) {
        const MenuItem& item = *shown.item;
        if (shown.caption != item.Caption) {
            shown.caption = item.Caption;
            shown.action->setText(QString::fromStdString(item.Caption));
        }
        // Qt flips a checkable item's mark as it is chosen; the model has the last word.
        if (!shown.heading && shown.action->isChecked() != item.Checked) {
            shown.action->setChecked(item.Checked);
        }
        // A disabled submenu heading also disables its items, shortcuts included.
        const bool enabled = shown.heading ? item.Enabled : item.reachable();
        if (shown.enabled != enabled) {
            shown.enabled = enabled;
            shown.action->setEnabled(enabled);
        }
    }
    field_->refresh();
}

void FrmZarb::keyPressEvent(QKeyEvent* event) {
    // Holding a key repeats its key-down, as on the platform the game was designed for.
    const int code = virtualKeyCode(*event);
    if (event->nativeScanCode() != 0) {
        heldKeys_[event->nativeScanCode()] = code;
    }
    if (code != 0 && !program_.platform().ended()) {
        program_.zarb()->Form_KeyDown(code, shiftMask(event->modifiers()));
        if (!program_.platform().ended()) {
            refresh();
        }
    }
    event->accept();
}

void FrmZarb::keyReleaseEvent(QKeyEvent* event) {
    // Auto-repeat delivers no key-up until the key is really released.
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    // A key's key-up carries the code its key-down had, though Shift or Ctrl may have been
    // released in between and the key now types another character.
    int code = virtualKeyCode(*event);
    if (const auto held = heldKeys_.find(event->nativeScanCode()); held != heldKeys_.end()) {
        code = held->second;
        heldKeys_.erase(held);
    }
    if (code != 0 && !program_.platform().ended()) {
        program_.zarb()->Form_KeyUp(code, shiftMask(event->modifiers()));
        refresh();
    }
    event->accept();
}

void FrmZarb::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!program_.platform().ended()) {
        program_.closeZarb();
    }
}

}  // namespace zarb::forms
