#include "forms/qt_platform.h"

#include <QApplication>
#include <QScreen>
#include <QTime>

#include "forms/frm_splash.h"
#include "forms/frm_zarb.h"
#include "forms/message_box.h"
#include "game/program.h"

namespace zarb::forms {

namespace {

void showCentred(QWidget& window) {
    window.adjustSize();
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform() {
    delete splashWindow_;
}

void QtPlatform::showMessage(const std::string& title, const std::string& text) {
    QWidget* parent = nullptr;
    if (gameWindow_ != nullptr && gameWindow_->isVisible()) {
        parent = gameWindow_.get();
    } else if (splashWindow_ != nullptr && splashWindow_->isVisible()) {
        parent = splashWindow_;
    }
    MessageBox box(QString::fromStdString(title), QString::fromStdString(text), parent);
    // The window's timers keep ticking while the box is open.
    box.exec();
    if (gameWindow_ != nullptr && !ended()) {
        gameWindow_->refresh();
    }
}

double QtPlatform::timeOfDayMs() const {
    return QTime::currentTime().msecsSinceStartOfDay();
}

void QtPlatform::windowLoaded(WindowId window) {
    if (window == WindowId::frmZarb && gameWindow_ == nullptr) {
        gameWindow_ = std::make_unique<FrmZarb>(*program_);
    } else if (window == WindowId::frmSplash && splashWindow_ == nullptr) {
        splashWindow_ = new FrmSplash(*program_);
    }
}

void QtPlatform::windowShown(WindowId window, bool visible) {
    QWidget* widget = window == WindowId::frmZarb ? static_cast<QWidget*>(gameWindow_.get())
                                                  : static_cast<QWidget*>(splashWindow_);
    if (widget == nullptr) {
        return;
    }
    if (!visible) {
        widget->hide();
        return;
    }
    if (window == WindowId::frmZarb) {
        gameWindow_->refresh();
    }
    showCentred(*widget);
}

void QtPlatform::windowUnloaded(WindowId window) {
    // The splash unloads itself from its own button's handler: it goes once that returns.
    if (window == WindowId::frmSplash && splashWindow_ != nullptr) {
        splashWindow_->deleteLater();
        splashWindow_ = nullptr;
    }
}

void QtPlatform::endProgram() {
    Platform::endProgram();
    // Leaves every event loop, an open message box's included.
    QCoreApplication::exit(0);
}

void QtPlatform::refreshWindows() {
    if (gameWindow_ != nullptr && gameWindow_->isVisible()) {
        gameWindow_->refresh();
    }
}

}  // namespace zarb::forms
