#pragma once

// The game window's client area: draws the model's controls and nothing else.

#include <QPixmap>
#include <QWidget>
#include <array>
#include <string>

#include "game/field_pieces.h"

namespace zarb::forms {

// 15 twips to a pixel at 96 dots per inch.
inline constexpr double kTwipsPerPixel = 15;
// The client area: 11880 by 9660 twips.
inline constexpr int kFieldWidth = 792;
inline constexpr int kFieldHeight = 644;

class FieldView : public QWidget {
  public:
    FieldView(const ZarbWindow& window, QWidget* parent);

    // Repaints only where a piece has moved, appeared, gone or changed its caption since it was
    // last drawn: on most clock ticks that is the ball and a paddle.
    void refresh();

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
    // The pixels of the widget a piece's place covers, widened to whole pixels for the repaint.
    QRect covered(const QRectF& place) const;
    void drawLabel(QPainter& painter, std::size_t index);
    void drawPicture(QPainter& painter, std::size_t index, const QPixmap& picture);

    const ZarbWindow& window_;
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
