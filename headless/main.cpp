// zarb-headless [SCRIPT] | --help | --version: runs the game's rules with no window, reading a
// script of commands from SCRIPT or standard input and printing JSON lines.

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string_view>

#include "headless/script_runner.h"

namespace {

// The usage or the version, which a full disk or a closed pipe can refuse like any other output.
int printed(std::string_view text) {
    errno = 0;
    if (!(std::cout << text << std::flush)) {
        const int reason = errno;
        std::cerr << "error: cannot write the output"
                  << (reason != 0 ? std::string(": ") + std::strerror(reason) : "") << '\n';
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    constexpr std::string_view kUsage =
        "usage: zarb-headless [SCRIPT]   (reads standard input without SCRIPT)\n"
        "       zarb-headless --help | --version\n";
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        return printed(kUsage);
    }
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        return printed("zarb-headless " ZARB_VERSION "\n");
    }
    if (argc > 2) {
        std::cerr << kUsage;
        return 1;
    }
    zarb::headless::ScriptRunner runner(std::cout, std::cerr);
    if (argc == 2) {
        errno = 0;
        std::ifstream script(argv[1], std::ios::binary);
        if (!script) {
            const int reason = errno;
            std::cerr << "error: cannot read " << argv[1]
                      << (reason != 0 ? std::string(": ") + std::strerror(reason) : "") << '\n';
            return 2;
        }
        return runner.run(script, argv[1]);
    }
    return runner.run(std::cin);
}
