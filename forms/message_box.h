#pragma once

// The game's message box: modal, a title, lines of text, one OK button and no icon. Tabs move
// to the next tab stop, every eight average character widths, so that the keys of the
// Controls box line up in a column.

#include <QDialog>
#include <QStringList>
#include <optional>

#include "forms/screen_fit.h"

namespace zarb::forms {

class MessageBox : public QDialog, public FitsTheScreen {
  public:
    MessageBox(const QString& title, const QString& text, QWidget* parent);

    // The lines as shown, joined again by CR LF.
    QString text() const { return lines_.join("\r\n"); }
    // Where each line's text after its last tab starts, in pixels: the column of the keys.
    QList<int> lastTabColumns() const;

  protected:
    void drawAt(qreal scale) override;

  private:
    QStringList lines_;
    QWidget* textArea_;
    QWidget* buttons_;
    // The face the box's text has at its designed size.
    std::optional<QFont> designedFont_;
};

}  // namespace zarb::forms
