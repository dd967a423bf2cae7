#pragma once

// Every window fits the screen it opens on. A window that fits the screen's free area at the
// desktop's scale, its frame included, keeps its designed size exactly; one that does not is
// drawn smaller, all of it by one factor, so that the window and its title bar are on the
// screen and it can be moved. The game's twips and its rules never change: only the drawing.

#include <QFont>
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace zarb::forms {

// A window that can draw itself smaller.
class FitsTheScreen {
  public:
    virtual ~FitsTheScreen() = default;

    // The share of its designed size the window is drawn at: 1 as designed.
    qreal drawnScale() const { return scale_; }

  protected:
    // Draws the whole window, text and pictures included, at this share of its designed size.
    virtual void drawAt(qreal scale) = 0;

  private:
    friend void fitToScreen(QWidget& window);
    qreal scale_ = 1;
    QSize designed_;
};

// The share of its designed size at which a window of client size `designed` and its `frame`
// fit the free area `available`: 1 where they fit as designed.
qreal fittingScale(QSize designed, QMargins frame, QRect available);

// Sizes the window, drawn as designed or smaller, to fit its screen with the frame the window
// manager gives it or, before it is shown, is likely to give it.
void fitToScreen(QWidget& window);

// Notes the frame of a shown window: the next window that is not yet shown will likely have
// the same.
void noteFrame(const QWidget& window);

// The font at this share of its size.
QFont scaledFont(QFont font, qreal scale);

// Places a window's children, and sizes their fonts, at this share of where and how large they
// were when the window was first drawn smaller: for a window whose children sit at fixed places.
void scaleChildren(QWidget& window, qreal scale);

}  // namespace zarb::forms
