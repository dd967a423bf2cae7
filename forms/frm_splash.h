#pragma once

// The splash window frmSplash: the title, a credits line and the PLAY!, INFO and EXIT buttons.
// It forwards its buttons and its close box to the rules.

#include <QWidget>

#include "forms/screen_fit.h"

namespace zarb {
class Program;
}

namespace zarb::forms {

class FrmSplash : public QWidget, public FitsTheScreen {
  public:
    explicit FrmSplash(Program& program);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void drawAt(qreal scale) override;

  private:
    Program& program_;
};

}  // namespace zarb::forms
