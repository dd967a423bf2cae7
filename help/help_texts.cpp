#include "help/help_texts.h"

#include <initializer_list>

namespace zarb::help {

namespace {

// Consecutive lines are joined by a carriage return and a line feed, none after the last.
std::string joinLines(std::initializer_list<const char*> lines) {
    std::string text;
    bool first = true;
    for (const char* line : lines) {
        if (!first) {
            text += "\r\n";
        }
        text += line;
        first = false;
    }
    return text;
}

}  // namespace

const HelpText& rules() {
    // Two blanks after the full stops inside lines.
    static const HelpText text{"Rules of Zarb", joinLines({
                                                    "The object of Zarb is to hit the ball so",
                                                    "that the other player misses it.  To do",
                                                    "this, move your paddle up and down,",
                                                    "but take note that where the ball hits",
                                                    "the paddle will determine at what angle",
                                                    "the ball bounces off your paddle.  Use",
                                                    "this to your advantage.  Good luck!",
                                                })};
    return text;
}

const HelpText& controls() {
    // Tabs line the keys up in a column; "Right Paddle Down: " is long enough for one.
    static const HelpText text{"Keyboard Controls", joinLines({
                                                        "Left Paddle Up: \t\tA",
                                                        "Left Paddle Down:\t\tZ",
                                                        "Right Paddle Up: \t\t'",
                                                        "Right Paddle Down: \t/",
                                                        "",
                                                        "Start Game: \t\tF1",
                                                        "Stop Game: \t\tF2",
                                                        "Pause/Resume: \t\tESC",
                                                    })};
    return text;
}

const HelpText& about() {
    static const HelpText text{"About Zarb",
                               joinLines({
                                   "Zarb was written in 2026 by the Zarb developers,",
                                   "a small team who wanted a quick game of table",
                                   "tennis for two at one keyboard.  Games like it go",
                                   "back to the early days of computing, when a dot of",
                                   "light was batted to and fro between two lines on a",
                                   "screen.  They soon filled arcades and living rooms,",
                                   "and paddles, walls and obstacles of every kind",
                                   "have followed.  Zarb adds five speeds, five levels",
                                   "and a computer opponent to that old idea.",
                                   "We hope you enjoy this version.  Have fun!",
                               })};
    return text;
}

}  // namespace zarb::help
