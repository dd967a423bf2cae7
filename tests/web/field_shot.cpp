// Saves the desktop's field at the start state, the splash's PLAY! just pressed, as a PNG: the
// web page's screenshot of the same state is held against it piece by piece.

#include <QApplication>

#include "tests/forms/desktop.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        return 2;
    }
    Desktop desktop(true);
    auto* field = desktop.window().findChild<QWidget*>("field");
    return field != nullptr && field->grab().save(argv[1]) ? 0 : 1;
}
