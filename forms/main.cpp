// zarb: the desktop game. It takes no options.

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "forms/desktop_program.h"

namespace {

// Without a display Qt would abort with a long message; a person deserves one clear line. A
// display is named by the environment or by Qt's own -platform option.
bool displayAvailable(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "-platform" || option == "--platform") {
            return true;
        }
    }
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    (void)argc;
    (void)argv;
    return true;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (!displayAvailable(argc, argv)) {
        std::fputs(
            "zarb: no display to show the game on (DISPLAY is not set); start it from a "
            "desktop session\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Zarb");
    // Desktops match the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName("net.zarbgame.Zarb");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zarb.png")));

    zarb::forms::DesktopProgram zarb;
    return zarb.exec();
}
