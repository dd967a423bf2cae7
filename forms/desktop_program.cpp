#include "forms/desktop_program.h"

#include <QApplication>

namespace zarb::forms {

DesktopProgram::DesktopProgram() = default;

int DesktopProgram::exec() {
    program_.start();
    realClock_.start();
    // Exit from the splash's first handlers would end the program before the loop starts.
    return program_.ended() ? 0 : QApplication::exec();
}

}  // namespace zarb::forms
