#include "forms/screen_fit.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace zarb::forms {

namespace {

// A window is never drawn smaller than this, however small the screen.
constexpr qreal kSmallestScale = 0.1;

// The frame of the last window seen shown with one.
QMargins lastFrame;

QMargins expectedFrame(QWidget& window) {
    // Some platforms know the frame before the window is shown; most learn it only after.
    window.winId();
    if (const QWindow* handle = window.windowHandle();
        handle != nullptr && !handle->frameMargins().isNull()) {
        return handle->frameMargins();
    }
    if (!lastFrame.isNull()) {
        return lastFrame;
    }
    // A title bar about two lines of the title's face high and a thin border: as most window
    // managers draw them.
    const int title = QFontMetrics(QFontDatabase::systemFont(QFontDatabase::TitleFont)).height();
    return {4, 2 * title, 4, 4};
}

// The share of its present size at which a window of this size fits the room.
qreal shareThatFits(QSize size, QSize room) {
    return std::min(qreal(room.width()) / size.width(), qreal(room.height()) / size.height());
}

}  // namespace

qreal fittingScale(QSize designed, QMargins frame, QRect available) {
    if (designed.isEmpty()) {
        return 1;
    }
    const QSize room = available.size().shrunkBy(frame);
    return std::clamp(shareThatFits(designed, room), kSmallestScale, qreal(1));
}

void fitToScreen(QWidget& window) {
    auto* fits = dynamic_cast<FitsTheScreen*>(&window);
    const QScreen* screen = window.screen();
    if (fits == nullptr || screen == nullptr) {
        window.adjustSize();
        return;
    }
    if (fits->designed_.isEmpty()) {
        window.adjustSize();
        fits->designed_ = window.size();
    }
    const QMargins frame = expectedFrame(window);
    const QRect available = screen->availableGeometry();
    qreal scale = fittingScale(fits->designed_, frame, available);
    const QSize room = available.size().shrunkBy(frame);
    // A window already drawn smaller that fits, at about the share it would now be drawn at,
    // stays as it is rather than shrink twice again.
    const bool fitsAsDrawn = fits->scale_ < 1 && scale < 1 && qAbs(scale - fits->scale_) < 0.02 &&
                             shareThatFits(window.size(), room) >= 1;
    if (scale == fits->scale_ || fitsAsDrawn) {
        return;
    }
    // A menu bar's or a box's margins do not shrink quite in step with the rest: what is still
    // too large after one try is shrunk once more by what it is over.
    for (int attempt = 0; attempt < 8; ++attempt) {
        fits->scale_ = scale;
        fits->drawAt(scale);
        window.adjustSize();
        const qreal over = shareThatFits(window.size(), room);
        if (over >= 1 || scale <= kSmallestScale) {
            break;
        }
        scale = std::max(kSmallestScale, scale * over);
    }
}

void noteFrame(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (!frame.isNull()) {
        lastFrame = frame;
    }
}

QFont scaledFont(QFont font, qreal scale) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * scale)));
    } else {
        font.setPointSizeF(font.pointSizeF() * scale);
    }
    return font;
}

void scaleChildren(QWidget& window, qreal scale) {
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) {
            continue;
        }
        if (!child->property("designedGeometry").isValid()) {
            child->setProperty("designedGeometry", child->geometry());
            child->setProperty("designedFont", child->font());
        }
        const QRect designed = child->property("designedGeometry").toRect();
        const QPoint topLeft(qRound(designed.left() * scale), qRound(designed.top() * scale));
        const QPoint bottomRight(qRound((designed.right() + 1) * scale),
                                 qRound((designed.bottom() + 1) * scale));
        child->setGeometry(QRect(topLeft, bottomRight - QPoint(1, 1)));
        child->setFont(scaledFont(child->property("designedFont").value<QFont>(), scale));
    }
}

}  // namespace zarb::forms
