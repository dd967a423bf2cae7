// zarb: the desktop game. It takes no options.

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

#include "forms/desktop_program.h"

namespace {

// Without a display Qt would abort with a long message; a person deserves one clear line.
bool displayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

}  // namespace

int main(int /*argc*/, char** argv) {
    if (!displayAvailable()) {
        std::fputs(
            "zarb: no display to show the game on (DISPLAY is not set); start it from a "
            "desktop session\n",
            stderr);
        return 1;
    }
    // The game takes no options, Qt's own (-reverse, -style, ...) included: Qt sees only the
    // program's name.
    int arguments = 1;
    QApplication application(arguments, argv);
    QApplication::setApplicationName("Zarb");
    // Desktops match the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName("net.zarbgame.Zarb");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zarb.png")));

    zarb::forms::DesktopProgram zarb;
    return zarb.exec();
}
