#pragma once

// The game window's client area: draws the model's controls and nothing else.

#include <QPixmap>
#include <QWidget>

namespace zarb {
class ZarbWindow;
}

namespace zarb::forms {

// 15 twips to a pixel at 96 dots per inch.
inline constexpr double kTwipsPerPixel = 15;

class FieldView : public QWidget {
  public:
    FieldView(const ZarbWindow& window, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const ZarbWindow& window_;
    QPixmap paddle_;
    QPixmap ball_;
};

}  // namespace zarb::forms
