#include "forms/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTime>

#include "forms/frm_zarb.h"
#include "game/program.h"

namespace zarb::forms {

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

void QtPlatform::showMessage(const std::string& title, const std::string& text) {
    QWidget* parent =
        gameWindow_ != nullptr && gameWindow_->isVisible() ? gameWindow_.get() : nullptr;
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text).replace("\r\n", "\n"), QMessageBox::Ok, parent);
    box.setObjectName("msgbox");
    box.setTextFormat(Qt::PlainText);
    // One plain OK button: some styles would decorate it with an icon.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
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
    }
}

void QtPlatform::windowShown(WindowId window, bool visible) {
    if (window != WindowId::frmZarb || gameWindow_ == nullptr) {
        return;
    }
    if (!visible) {
        gameWindow_->hide();
        return;
    }
    gameWindow_->refresh();
    gameWindow_->adjustSize();
    // Centred on the screen.
    if (const QScreen* screen = gameWindow_->screen()) {
        QRect frame = gameWindow_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        gameWindow_->move(frame.topLeft());
    }
    gameWindow_->show();
    gameWindow_->activateWindow();
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
