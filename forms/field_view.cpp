#include "forms/field_view.h"

#include <QPainter>
#include <QPainterPath>

#include "game/zarb_window.h"

namespace zarb::forms {

namespace {

const QColor kPictureCyan(194, 241, 244);
const QColor kObstacleColour(192, 255, 255);
const QColor kScoreBarRed(255, 0, 0);

QRectF pixels(const Control& control) {
    return {control.Left / kTwipsPerPixel, control.Top / kTwipsPerPixel,
            control.Width / kTwipsPerPixel, control.Height / kTwipsPerPixel};
}

struct LabelStyle {
    double points;
    bool bold;
    Qt::Alignment alignment;
    QColor text;
    QColor background;  // transparent where the label has none
};

// The labels' face, mapped to an installed sans-serif one, at its point size for 96 dpi; a
// caption that would not fit its label is drawn smaller rather than clipped.
QFont fittingFont(const LabelStyle& style, const QString& text, const QRectF& box, int flags) {
    QFont font;
    font.setFamilies({"Liberation Sans", "DejaVu Sans", "Arial", "Helvetica"});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(style.bold);
    for (double scale = 1.0; scale > 0.3; scale -= 0.05) {
        font.setPixelSize(static_cast<int>(style.points * 96.0 / 72.0 * scale));
        const QRectF needed = QFontMetricsF(font).boundingRect(box, flags, text);
        if (needed.width() <= box.width() + 0.5 && needed.height() <= box.height() + 0.5) {
            break;
        }
    }
    return font;
}

void drawLabel(QPainter& painter, const Control& label, const LabelStyle& style) {
    if (!label.Visible) {
        return;
    }
    const QRectF box = pixels(label);
    if (style.background.alpha() != 0) {
        painter.fillRect(box, style.background);
    }
    const QString text = QString::fromStdString(label.Caption);
    if (text.isEmpty()) {
        return;
    }
    const int flags = static_cast<int>(style.alignment) | Qt::TextWordWrap;
    painter.setFont(fittingFont(style, text, box, flags));
    painter.setPen(style.text);
    painter.drawText(box, flags, text);
}

// A bar with rounded ends: full width from the 11th to the 93rd of its 106 pixel rows, and the
// last two rows empty.
void drawPaddle(QPainter& painter, const Control& paddle) {
    if (!paddle.Visible) {
        return;
    }
    const QRectF box = pixels(paddle);
    const double unit = box.height() / 106.0;
    QPainterPath path;
    path.addRoundedRect(QRectF(box.left(), box.top(), box.width(), 104 * unit), box.width() / 2,
                        10.5 * unit);
    painter.fillPath(path, kPictureCyan);
}

void drawBall(QPainter& painter, const Control& ball) {
    if (!ball.Visible) {
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPictureCyan);
    painter.drawEllipse(pixels(ball));
}

}  // namespace

FieldView::FieldView(const ZarbWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void FieldView::paintEvent(QPaintEvent*) {
    const ZarbWindow& w = window_;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), Qt::black);

    const QColor none(Qt::transparent);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;

    // From the bottom of the drawing order up: the ball lies over the obstacle, the score
    // labels and the status line over the red bar.
    drawLabel(painter, w.lblLevel, {30, false, centred, Qt::red, none});
    if (w.shpObstacle.Visible) {
        painter.fillRect(pixels(w.shpObstacle), kObstacleColour);
    }
    drawBall(painter, w.imgBall2);
    drawBall(painter, w.imgBall);
    drawLabel(painter, w.lblPause, {90, false, centred, Qt::red, none});
    drawPaddle(painter, w.imgRight);
    drawPaddle(painter, w.imgLeft);
    drawLabel(painter, w.lblLabel, {12, false, left, Qt::black, kScoreBarRed});
    drawLabel(painter, w.lblWin, {13.5, true, centred, Qt::black, Qt::white});
    drawLabel(painter, w.lblPlayer1, {12, true, left, Qt::black, Qt::white});
    drawLabel(painter, w.lblPlayer2, {12, true, left, Qt::black, Qt::white});
}

}  // namespace zarb::forms
