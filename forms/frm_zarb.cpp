#include "forms/frm_zarb.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "forms/field_view.h"
#include "forms/key_codes.h"
#include "game/menu_bar.h"
#include "game/program.h"

namespace zarb::forms {

namespace {

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
    // The pointer is invisible over the field and reappears outside it. The field is a window
    // of its own to the platform, which then hides the pointer over it by itself: a box in front
    // keeps the game window from seeing the pointer move, and the pointer would show again.
    field_->setAttribute(Qt::WA_NativeWindow);
    field_->setCursor(QCursor(QPixmap(QStringLiteral(":/invisible_pointer.png")), 0, 0));
    setCentralWidget(field_);
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setFocusPolicy(Qt::StrongFocus);
    menuBar()->installEventFilter(this);
    refresh();
}

void FrmZarb::buildMenus() {
    ZarbWindow& window = *program_.zarb();
    // Each heading's menu, for the entries that hang in it.
    std::unordered_map<const MenuItem*, QMenu*> menus;
    for (const MenuBarEntry& entry : kMenuBar) {
        const MenuItem& item = window.*entry.item;
        const QString caption = QString::fromStdString(item.Caption);
        QMenu* host = item.parent == nullptr ? nullptr : menus.at(item.parent);
        if (entry.handler == nullptr) {
            // A heading: on the menu bar, or a submenu of Edit (Speed, Players, Level).
            QMenu* menu = host != nullptr ? host->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(entry.name);
            menu->setStyle(menuStyle_);
            // Screen readers say the caption without its access-key ampersand.
            menu->setAccessibleName(QString(caption).remove('&'));
            menu->menuAction()->setObjectName(entry.name);
            shown_.push_back({menu->menuAction(), &entry, item.Caption});
            menus.emplace(&item, menu);
            continue;
        }
        if (entry.separatorBefore) {
            host->addSeparator();
        }
        QAction* action = host->addAction(caption);
        action->setObjectName(entry.name);
        action->setToolTip(QString(caption).remove('&'));
        action->setCheckable(entry.checkable);
        if (entry.shortcut != 0) {
            action->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + QChar(entry.shortcut)));
        }
        connect(action, &QAction::triggered, this, [this, &entry] {
            program_.chooseMenuItem(entry);
            // Qt flips a checkable item's mark as it is chosen, whether or not the choice
            // counted: the model has the last word.
            refresh();
        });
        shown_.push_back({action, &entry, item.Caption});
    }
}

void FrmZarb::refresh() {
    refreshMenus();
    field_->refresh();
}

void FrmZarb::refreshAfterTick(std::chrono::steady_clock::time_point tickedAt) {
    refreshMenus();
    field_->ticked(tickedAt);
}

void FrmZarb::refreshMenus() {
    const ZarbWindow& window = *program_.zarb();
    for (ShownItem& shown : shown_) {
        const MenuItem& item = window.*shown.entry->item;
        if (shown.caption != item.Caption) {
            shown.caption = item.Caption;
            shown.action->setText(QString::fromStdString(item.Caption));
        }
        // Qt flips a checkable item's mark as it is chosen; the model has the last word.
        if (shown.entry->checkable && shown.action->isChecked() != item.Checked) {
            shown.action->setChecked(item.Checked);
        }
        // A disabled submenu heading also disables its items, shortcuts included.
        const bool enabled = shownEnabled(window, *shown.entry);
        if (shown.enabled != enabled) {
            shown.enabled = enabled;
            shown.action->setEnabled(enabled);
        }
    }
}

bool FrmZarb::eventFilter(QObject* watched, QEvent* event) {
    // A menu closed with Esc can leave the keyboard with the menu bar although no heading is lit
    // any more (the widget it meant to hand the keyboard back to was the menu itself, or a box
    // came in between). The menu bar would then take every Esc for itself: the keys are the
    // window's again, so that Esc pauses whenever no menu is open.
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (watched != menuBar() || !key || menuBar()->activeAction() != nullptr) {
        return QMainWindow::eventFilter(watched, event);
    }
    setFocus(Qt::OtherFocusReason);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(keyEvent);
    } else {
        keyReleaseEvent(keyEvent);
    }
    return true;
}

void FrmZarb::drawAt(qreal scale) {
    field_->setScale(scale);
    // The menu bar's captions shrink with the field; its menus open in the desktop's own size,
    // where they are easiest to read and choose from.
    if (!menuBarFont_) {
        menuBarFont_ = menuBar()->font();
    }
    menuBar()->setFont(scale == 1 ? QFont() : scaledFont(*menuBarFont_, scale));
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        menu->setFont(scale == 1 ? QFont() : *menuBarFont_);
    }
}

void FrmZarb::keyPressEvent(QKeyEvent* event) {
    // Holding a key repeats its key-down, as on the platform the game was designed for.
    const int code = virtualKeyCode(*event);
    if (event->nativeScanCode() != 0) {
        heldKeys_[event->nativeScanCode()] = code;
    }
    if (code != 0 && program_.pressKey(code, shiftMask(event->modifiers()))) {
        refresh();
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
    if (code != 0 && program_.releaseKey(code, shiftMask(event->modifiers()))) {
        refresh();
    }
    event->accept();
}

void FrmZarb::closeEvent(QCloseEvent* event) {
    event->accept();
    program_.closeWindow(WindowId::frmZarb);
}

}  // namespace zarb::forms
