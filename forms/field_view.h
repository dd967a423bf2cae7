#pragma once

// The game window's client area: draws the model's controls and nothing else.

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>
#include <chrono>
#include <string>

#include "game/field_pieces.h"
#include "game/motion.h"

namespace zarb::forms {

// 15 twips to a pixel at 96 dots per inch.
inline constexpr double kTwipsPerPixel = 15;
// The client area: 11880 by 9660 twips.
inline constexpr int kFieldWidth = 792;
inline constexpr int kFieldHeight = 644;

class FieldView : public QWidget {
  public:
    FieldView(const ZarbWindow& window, QWidget* parent);

    using Time = std::chrono::steady_clock::time_point;

    // After a clock tick at the given time: while pieces move, they are drawn between their
    // places at the last two ticks in frames at the screen's pace, the first frame after the
    // tick already on its way to the tick's places; while nothing moves no frame is drawn.
    void ticked(Time at);

    // After anything else that changed the window: a piece that moved is drawn at its new place
    // at once, or in the next frame while frames are coming. Repaints only where a piece has
    // moved, appeared, gone or changed its caption since it was last drawn.
    void refresh();

    // Where the control was last drawn, in the field's designed pixels.
    QRectF drawnPlace(const Control& control) const;

    // Frames a second while pieces move; the screen's refresh rate unless set.
    void setFramesPerSecond(double rate) { framesPerSecond_ = rate; }

    // Draws the field at this share of its designed 792 by 644 pixels, all of it alike, where
    // the screen is too small for it: the twips stay as they are.
    void setScale(qreal scale);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    static constexpr std::size_t kPieces = kFieldPieceCount;

    // A piece as it was last asked to be drawn.
    struct Drawn {
        QRectF place;
        bool visible = false;
        std::string caption;
    };

    // A label's caption drawn once in its box, kept until the caption or the screen changes.
    struct LabelPicture {
        std::string caption;
        QSizeF size;
        qreal scale = 0;
        QPixmap picture;
    };

    // The control of the piece at this place in the drawing order.
    const Control& piece(std::size_t index) const;
    // Asks for a repaint wherever a piece drawn at this moment differs from the last drawing.
    void placePieces(Time at);
    void onFrame();
    double frameMs() const;
    // The pixels of the widget a piece's place covers, widened to whole pixels for the repaint.
    QRect covered(const QRectF& place) const;
    void drawLabel(QPainter& painter, std::size_t index);
    void drawPicture(QPainter& painter, std::size_t index, const QPixmap& picture);

    const ZarbWindow& window_;
    Motion motion_;
    Time lastTick_{};
    // The frames while pieces move, on a grid of the screen's refresh period.
    QTimer frames_;
    Time frameAt_{};
    bool tickedSinceFrame_ = false;
    double framesPerSecond_ = 0;
    qreal scale_ = 1;
    // Where each piece, in the drawing order, has its look in the table of looks.
    std::array<std::size_t, kPieces> looks_{};
    // For a screen reader: each caption as a text object at its place, named by the caption;
    // none for the pieces that carry no caption.
    std::array<QWidget*, kPieces> captions_{};
    std::array<Drawn, kPieces> drawn_;
    std::array<LabelPicture, kPieces> labels_;
    QPixmap paddle_;
    QPixmap ball_;
};

}  // namespace zarb::forms
