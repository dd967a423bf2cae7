#include "forms/qt_platform.h"

#include <QApplication>
#include <QScreen>
#include <QTime>

#include "forms/frm_splash.h"
#include "forms/frm_zarb.h"
#include "forms/message_box.h"
#include "forms/screen_fit.h"
#include "game/program.h"

namespace zarb::forms {

namespace {

void centre(QWidget& window) {
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

// The window manager tells a window's frame only after the window is shown: until then the
// frame is taken to be the client area, and the window would sit half a title bar low. So the
// window is centred again, once, as soon as its frame is known: at the latest when the window
// is first drawn, as the window manager frames it before it maps it. A window whose frame is
// still unknown after a few paints has none that the program can learn.
class CentreByFrame : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWidget*>(watched);
        const QEvent::Type type = event->type();
        const bool painted = type == QEvent::Paint;
        const bool placed = type == QEvent::Move || type == QEvent::Resize || painted;
        paints_ += painted;
        if (placed && window->frameGeometry() != window->geometry()) {
            stopWatching(*window);
            // The frame may differ from the guess: the window is fitted again to the real one.
            noteFrame(*window);
            fitToScreen(*window);
            centre(*window);
        } else if (paints_ >= 5) {
            stopWatching(*window);
        }
        return false;
    }

  private:
    void stopWatching(QWidget& window) {
        deleteLater();
        window.removeEventFilter(this);
    }

    int paints_ = 0;
};

// Sizes the window to fit the screen and puts it in the middle of it.
void placeCentred(QWidget& window) {
    fitToScreen(window);
    centre(window);
    if (window.frameGeometry() == window.geometry() &&
        window.findChild<QObject*>("centreByFrame", Qt::FindDirectChildrenOnly) == nullptr) {
        auto* centring = new CentreByFrame(&window);
        centring->setObjectName("centreByFrame");
        window.installEventFilter(centring);
    }
}

void showCentred(QWidget& window) {
    placeCentred(window);
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
    const QPointer<QWidget> behind = parent;
    MessageBox box(QString::fromStdString(title), QString::fromStdString(text), parent);
    fitToScreen(box);
    if (box.drawnScale() < 1) {
        // A box drawn smaller fills most of the screen: it goes in the middle, where it fits,
        // rather than over the middle of its window.
        placeCentred(box);
    }
    // The window's timers keep ticking while the box is open.
    box.exec();
    if (ended()) {
        return;  // the box was left because the program ended behind it
    }
    // The window behind the box takes the keyboard back, though no window manager hands it on.
    if (behind != nullptr && behind->isVisible()) {
        behind->activateWindow();
    }
    if (gameWindow_ != nullptr) {
        gameWindow_->refresh();
    }
}

double QtPlatform::timeOfDayMs() const {
    return QTime::currentTime().msecsSinceStartOfDay();
}

void QtPlatform::windowLoaded(Program& program, WindowId window) {
    if (window == WindowId::frmZarb && gameWindow_ == nullptr) {
        gameWindow_ = std::make_unique<FrmZarb>(program);
    } else if (window == WindowId::frmSplash && splashWindow_ == nullptr) {
        splashWindow_ = new FrmSplash(program);
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

void QtPlatform::refreshWindows(std::chrono::steady_clock::time_point tickedAt) {
    if (gameWindow_ != nullptr && gameWindow_->isVisible()) {
        gameWindow_->refreshAfterTick(tickedAt);
    }
}

}  // namespace zarb::forms
