#include "forms/desktop_program.h"

#include <QApplication>

namespace zarb::forms {

DesktopProgram::DesktopProgram()
    : clock_(program_.timers(), platform_, [this] { platform_.refreshWindows(); }) {
    platform_.setProgram(program_);
}

int DesktopProgram::exec() {
    program_.start();
    clock_.start();
    // Exit from the splash's first handlers would end the program before the loop starts.
    return platform_.ended() ? 0 : QApplication::exec();
}

}  // namespace zarb::forms
