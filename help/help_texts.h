#pragma once

// The texts of the Help menu's boxes, each a title and lines joined by CR LF.

#include <string>

namespace zarb::help {

struct HelpText {
    std::string title;
    std::string text;
};

const HelpText& rules();
const HelpText& controls();
const HelpText& about();

}  // namespace zarb::help
