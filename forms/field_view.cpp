#include "forms/field_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "forms/accessibility.h"
#include "forms/game_font.h"
#include "game/zarb_window.h"

namespace zarb::forms {

namespace {

const QColor kObstacleColour(192, 255, 255);
const QColor kScoreBarRed(255, 0, 0);

QRectF pixels(const zarb::ShownPiece& piece) {
    return {piece.Left / kTwipsPerPixel, piece.Top / kTwipsPerPixel, piece.Width / kTwipsPerPixel,
            piece.Height / kTwipsPerPixel};
}

// The screen's pace where it tells none.
constexpr double kUsualFramesPerSecond = 60;

double msBetween(FieldView::Time from, FieldView::Time to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

enum class Piece { Label, Obstacle, Ball, Paddle };

struct LabelStyle {
    double points;
    bool bold;
    Qt::Alignment alignment;
    QColor text;
    QColor background;  // transparent where the label has none
};

const QColor kNone(Qt::transparent);
const Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignTop;
const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;

// Each piece's look on the desktop, found by its control; the pieces are drawn in the field's
// stacking order.
struct PieceRow {
    const Control ZarbWindow::*control;
    Piece kind;
    LabelStyle label;  // for a label only
    bool read;         // a label whose caption a screen reader reads: all but the bare score bar
};
using W = ZarbWindow;
const PieceRow kPieceRows[] = {
    {&W::lblLevel, Piece::Label, {30, false, kCentred, Qt::red, kNone}, true},
    {&W::shpObstacle, Piece::Obstacle, {}, false},
    {&W::imgBall2, Piece::Ball, {}, false},
    {&W::imgBall, Piece::Ball, {}, false},
    {&W::lblPause, Piece::Label, {90, false, kCentred, Qt::red, kNone}, true},
    {&W::imgRight, Piece::Paddle, {}, false},
    {&W::imgLeft, Piece::Paddle, {}, false},
    {&W::lblLabel, Piece::Label, {12, false, kLeft, Qt::black, kScoreBarRed}, false},
    {&W::lblWin, Piece::Label, {13.5, true, kCentred, Qt::black, Qt::white}, true},
    {&W::lblPlayer1, Piece::Label, {12, true, kLeft, Qt::black, Qt::white}, true},
    {&W::lblPlayer2, Piece::Label, {12, true, kLeft, Qt::black, Qt::white}, true},
};

std::size_t lookOf(const FieldPiece& piece) {
    for (std::size_t row = 0; row < std::size(kPieceRows); ++row) {
        if (kPieceRows[row].control == piece.control) {
            return row;
        }
    }
    qFatal("zarb: the field has no look for %s", piece.name);
}

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

// A place in the field's designed pixels, on a field drawn at this share of its size.
QRectF scaled(const QRectF& place, qreal scale) {
    return {place.topLeft() * scale, place.size() * scale};
}

}  // namespace

FieldView::FieldView(const ZarbWindow& window, QWidget* parent)
    : QWidget(parent),
      window_(window),
      paddle_(QStringLiteral(":/paddle.gif")),
      ball_(QStringLiteral(":/ball.gif")) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    frames_.setSingleShot(true);
    frames_.setTimerType(Qt::PreciseTimer);
    connect(&frames_, &QTimer::timeout, this, &FieldView::onFrame);
    for (std::size_t i = 0; i < kPieces; ++i) {
        looks_[i] = lookOf(kFieldPieces[i]);
        if (!kPieceRows[looks_[i]].read) {
            continue;
        }
        // An empty widget: the field draws the caption, this only tells where it is.
        auto* caption = new QWidget(this);
        caption->setObjectName(kFieldPieces[i].name);
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        caption->setFocusPolicy(Qt::NoFocus);
        setAccessibleRole(*caption, QAccessible::StaticText);
        caption->hide();
        captions_[i] = caption;
    }
}

const Control& FieldView::piece(std::size_t index) const {
    return window_.*kFieldPieces[index].control;
}

QRectF FieldView::drawnPlace(const Control& control) const {
    for (std::size_t i = 0; i < kPieces; ++i) {
        if (&piece(i) == &control) {
            return drawn_[i].place;
        }
    }
    return {};
}

QRect FieldView::covered(const QRectF& place) const {
    return scaled(place, scale_).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void FieldView::setScale(qreal scale) {
    scale_ = scale;
    setFixedSize(qRound(kFieldWidth * scale), qRound(kFieldHeight * scale));
    // Everything is placed and drawn afresh at the new size.
    drawn_ = {};
    refresh();
    update();
}

double FieldView::frameMs() const {
    double rate = framesPerSecond_;
    if (!(rate > 0) && screen() != nullptr) {
        rate = screen()->refreshRate();
    }
    return 1000.0 / (rate >= 1 && rate <= 1000 ? rate : kUsualFramesPerSecond);
}

void FieldView::ticked(Time at) {
    motion_.ticked(window_);
    lastTick_ = at;
    tickedSinceFrame_ = true;
    if (!motion_.moving()) {
        // Only captions or what is shown changed: drawn now, as no frame is coming.
        if (!frames_.isActive()) {
            placePieces(at);
        }
        return;
    }
    if (frames_.isActive()) {
        return;
    }
    // The next point of the frames' grid: a frame never waits for a later one.
    const Time now = std::chrono::steady_clock::now();
    const double period = frameMs();
    const double behind = msBetween(frameAt_, now);
    if (frameAt_ == Time{} || behind > 1e7) {
        frameAt_ = now;
    } else if (behind > 0) {
        frameAt_ += std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double, std::milli>(std::ceil(behind / period) * period));
    }
    frames_.start(std::max(0, static_cast<int>(std::lround(msBetween(now, frameAt_)))));
}

void FieldView::onFrame() {
    const Time now = std::chrono::steady_clock::now();
    const double period = frameMs();
    // A frame woken late is drawn for the moment it was due, so that frames stay evenly spaced,
    // unless it is a whole frame late.
    Time at = msBetween(frameAt_, now) < period ? frameAt_ : now;
    tickedSinceFrame_ = false;
    placePieces(at);
    // Once a frame has shown the last tick's places, frames wait for the next tick that moves.
    if (Motion::shareOfTick(msBetween(lastTick_, at)) >= 1 && !tickedSinceFrame_) {
        return;
    }
    frameAt_ = at + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                        std::chrono::duration<double, std::milli>(period));
    frames_.start(std::max(0, static_cast<int>(std::lround(msBetween(now, frameAt_)))));
}

void FieldView::refresh() {
    motion_.changed(window_);
    // While frames are coming, the next one draws the change: a key held down and repeating
    // adds no frames of its own out of the screen's pace.
    if (!frames_.isActive()) {
        placePieces(std::chrono::steady_clock::now());
    }
}

void FieldView::placePieces(Time at) {
    const float share = Motion::shareOfTick(msBetween(lastTick_, at));
    QRegion changed;
    for (std::size_t i = 0; i < kPieces; ++i) {
        const Control& piece = this->piece(i);
        Drawn& drawn = drawn_[i];
        const ShownPiece shown = motion_.shownAt(window_, piece, share);
        const QRectF place = pixels(shown);
        if (place == drawn.place && shown.Visible == drawn.visible &&
            piece.Caption == drawn.caption) {
            continue;
        }
        if (drawn.visible) {
            changed += covered(drawn.place);
        }
        if (shown.Visible) {
            changed += covered(place);
        }
        const bool captionChanged = piece.Caption != drawn.caption;
        drawn = {place, shown.Visible, piece.Caption};
        QWidget* caption = captions_[i];
        if (caption == nullptr) {
            continue;
        }
        // Qt announces a new name to a listening screen reader, which can then say the score
        // and who won the point.
        if (const QString name = QString::fromStdString(piece.Caption);
            captionChanged && caption->accessibleName() != name) {
            caption->setAccessibleName(name);
        }
        caption->setGeometry(scaled(place, scale_).toAlignedRect());
        caption->setVisible(shown.Visible);
    }
    if (!changed.isEmpty()) {
        update(changed);
    }
}

void FieldView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Each repainted rectangle is drawn under a clip of its own: a clip of many rectangles
    // would blend the pictures span by span, handing the spans to other threads.
    for (const QRect& area : event->region()) {
        painter.setClipRect(area);
        painter.fillRect(area, Qt::black);
        // The pieces are placed in the field's designed pixels.
        painter.save();
        painter.scale(scale_, scale_);
        for (std::size_t i = 0; i < kPieces; ++i) {
            const Drawn& drawn = drawn_[i];
            if (!drawn.visible || !area.intersects(covered(drawn.place))) {
                continue;
            }
            switch (kPieceRows[looks_[i]].kind) {
                case Piece::Label:
                    drawLabel(painter, i);
                    break;
                case Piece::Obstacle:
                    painter.fillRect(drawn.place, kObstacleColour);
                    break;
                case Piece::Ball:
                    drawPicture(painter, i, ball_);
                    break;
                case Piece::Paddle:
                    drawPicture(painter, i, paddle_);
                    break;
            }
        }
        painter.restore();
    }
}

void FieldView::drawLabel(QPainter& painter, std::size_t index) {
    const std::string& caption = drawn_[index].caption;
    const LabelStyle& style = kPieceRows[looks_[index]].label;
    const QRectF box = drawn_[index].place;
    LabelPicture& kept = labels_[index];
    const qreal scale = devicePixelRatioF() * scale_;
    if (kept.picture.isNull() || kept.caption != caption || kept.size != box.size() ||
        kept.scale != scale) {
        // Drawn at the screen's own pixel density and the field's scale, so text stays crisp.
        const QRectF inside(QPointF(0, 0), box.size());
        kept = {caption, box.size(), scale, QPixmap(inside.toAlignedRect().size() * scale)};
        kept.picture.setDevicePixelRatio(scale);
        kept.picture.fill(style.background);
        const QString text = QString::fromStdString(caption);
        if (!text.isEmpty()) {
            QPainter caption(&kept.picture);
            caption.setRenderHint(QPainter::TextAntialiasing);
            const int flags = static_cast<int>(style.alignment) | Qt::TextWordWrap;
            caption.setFont(fittingFont(style, text, inside, flags));
            caption.setPen(style.text);
            caption.drawText(inside, flags, text);
        }
    }
    painter.drawPixmap(box.topLeft(), kept.picture);
}

// The paddle and ball pictures at their natural size: 30 by 106 and 33 by 33 pixels. On a
// scaled screen their pixels grow whole, so the edges stay sharp; on a field drawn smaller each
// pixel takes its nearest picture pixel, so the edges stay sharp there too.
void FieldView::drawPicture(QPainter& painter, std::size_t index, const QPixmap& picture) {
    painter.drawPixmap(drawn_[index].place, picture, QRectF(picture.rect()));
}

}  // namespace zarb::forms
