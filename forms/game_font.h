#pragma once

// The game's labels and buttons were laid out in one sans-serif face; ours is the first of
// these that is installed, sized in pixels for 96 dots per inch.

#include <QFont>

namespace zarb::forms {

inline QFont gameFont(double points, bool bold) {
    QFont font;
    font.setFamilies({"Liberation Sans", "DejaVu Sans", "Arial", "Helvetica"});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    font.setPixelSize(qRound(points * 96.0 / 72.0));
    return font;
}

}  // namespace zarb::forms
