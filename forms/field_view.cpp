#include "forms/field_view.h"

#include <QPainter>

#include "forms/game_font.h"
#include "game/zarb_window.h"

namespace zarb::forms {

namespace {

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

// The labels' face at its point size; a caption that would not fit its label is drawn smaller
// rather than clipped.
QFont fittingFont(const LabelStyle& style, const QString& text, const QRectF& box, int flags) {
    QFont font = gameFont(style.points, style.bold);
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

// The paddle and ball pictures at their natural size: 30 by 106 and 33 by 33 pixels. On a
// scaled screen their pixels grow whole, so the edges stay sharp.
void drawPicture(QPainter& painter, const Control& control, const QPixmap& picture) {
    if (control.Visible) {
        painter.drawPixmap(pixels(control), picture, QRectF(picture.rect()));
    }
}

}  // namespace

FieldView::FieldView(const ZarbWindow& window, QWidget* parent)
    : QWidget(parent),
      window_(window),
      paddle_(QStringLiteral(":/paddle.gif")),
      ball_(QStringLiteral(":/ball.gif")) {
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
    drawPicture(painter, w.imgBall2, ball_);
    drawPicture(painter, w.imgBall, ball_);
    drawLabel(painter, w.lblPause, {90, false, centred, Qt::red, none});
    drawPicture(painter, w.imgRight, paddle_);
    drawPicture(painter, w.imgLeft, paddle_);
    drawLabel(painter, w.lblLabel, {12, false, left, Qt::black, kScoreBarRed});
    drawLabel(painter, w.lblWin, {13.5, true, centred, Qt::black, Qt::white});
    drawLabel(painter, w.lblPlayer1, {12, true, left, Qt::black, Qt::white});
    drawLabel(painter, w.lblPlayer2, {12, true, left, Qt::black, Qt::white});
}

}  // namespace zarb::forms
