// zarb-headless [SCRIPT] | --help | --version: runs the game's rules with no window, reading a
// script of commands from SCRIPT or standard input and printing JSON lines.

#include <fstream>
#include <iostream>
#include <string_view>

#include "headless/script_runner.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    constexpr std::string_view kUsage =
        "usage: zarb-headless [SCRIPT]   (reads standard input without SCRIPT)\n"
        "       zarb-headless --help | --version\n";
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << "zarb-headless " ZARB_VERSION "\n";
        return 0;
    }
    if (argc > 2) {
        std::cerr << kUsage;
        return 1;
    }
    zarb::headless::ScriptRunner runner(std::cout, std::cerr);
    if (argc == 2) {
        std::ifstream script(argv[1], std::ios::binary);
        if (!script) {
            std::cerr << "error: cannot read " << argv[1] << '\n';
            return 1;
        }
        return runner.run(script);
    }
    return runner.run(std::cin);
}
