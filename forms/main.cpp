// zarb: the desktop game. It takes no options.

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "forms/desktop_program.h"

namespace {

const char* setting(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

// Without a display Qt would abort with a long message; a person deserves one clear line.
bool displayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return setting("DISPLAY") != nullptr || setting("WAYLAND_DISPLAY") != nullptr ||
           setting("QT_QPA_PLATFORM") != nullptr;
#else
    return true;
#endif
}

// The settings that chose the display, as "NAME=value, ...", each on the one line.
std::string displaySettings() {
    std::string settings;
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        if (const char* value = setting(name)) {
            settings += (settings.empty() ? "" : ", ") + std::string(name) + '=';
            for (const char* c = value; *c != '\0'; ++c) {
                settings += static_cast<unsigned char>(*c) < ' ' ? '?' : *c;
            }
        }
    }
    return settings;
}

// A message Qt gave while the application was being made, kept with copies of its context.
struct HeldMessage {
    QtMsgType type;
    std::string file;
    int line;
    std::string function;
    std::string category;
    QString text;
};

std::vector<HeldMessage> heldMessages;

// Qt tells of a display it cannot open (an unknown platform, a display or socket that is not
// there) in several lines and then a fatal message that would abort with a core. Until the
// application is made its messages are held back, and the fatal one becomes the game's own line.
void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const std::string settings = displaySettings();
        std::fprintf(stderr,
                     "zarb: cannot open the display to show the game on%s%s%s; start it from a "
                     "desktop session\n",
                     settings.empty() ? "" : " (", settings.c_str(), settings.empty() ? "" : ")");
        std::fflush(stderr);
        std::_Exit(1);
    }
    const auto copy = [](const char* text) { return std::string(text != nullptr ? text : ""); };
    heldMessages.push_back({type, copy(context.file), context.line, copy(context.function),
                            copy(context.category), text});
}

// The application is made: what Qt said on the way is said after all, as it would have been.
void releaseMessages(QtMessageHandler previous) {
    qInstallMessageHandler(previous);
    for (const HeldMessage& held : heldMessages) {
        const QMessageLogContext context(held.file.c_str(), held.line, held.function.c_str(),
                                         held.category.c_str());
        qt_message_output(held.type, context, held.text);
    }
    heldMessages.clear();
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
    // On X11 a repaint handed to the server in shared memory makes the program wait for the
    // server's answer before it may paint again: a rally's small repaints of the ball and the
    // paddles cost less sent along the connection itself. A choice set outside is kept.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    QApplication application(arguments, argv);
    releaseMessages(previous);
    QApplication::setApplicationName("Zarb");
    // Desktops match the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName("net.zarbgame.Zarb");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zarb.png")));

    zarb::forms::DesktopProgram zarb;
    return zarb.exec();
}
