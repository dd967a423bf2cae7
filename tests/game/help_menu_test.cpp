// The Help menu's boxes and Exit. The pause a box makes first is tested on the desktop's own
// window, in every phase of a match.

#include <algorithm>

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

using HelpBoxes = WindowTest;

TEST_F(HelpBoxes, ShowTheirTitlesAndTexts) {
    w.mnuRules_Click();
    w.mnuControls_Click();
    w.mnuAbout_Click();
    const std::vector<Message>& boxes = game.platform.messages;
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].title, "Rules of Zarb");
    EXPECT_EQ(boxes[0].text,
              "The object of Zarb is to hit the ball so\r\n"
              "that the other player misses it.  To do\r\n"
              "this, move your paddle up and down,\r\n"
              "but take note that where the ball hits\r\n"
              "the paddle will determine at what angle\r\n"
              "the ball bounces off your paddle.  Use\r\n"
              "this to your advantage.  Good luck!");
    EXPECT_EQ(boxes[1].title, "Keyboard Controls");
    EXPECT_EQ(boxes[1].text,
              "Left Paddle Up: \t\tA\r\nLeft Paddle Down:\t\tZ\r\n"
              "Right Paddle Up: \t\t'\r\nRight Paddle Down: \t/\r\n\r\n"
              "Start Game: \t\tF1\r\nStop Game: \t\tF2\r\nPause/Resume: \t\tESC");
    EXPECT_EQ(boxes[2].title, "About Zarb");
    const std::string& about = boxes[2].text;
    EXPECT_EQ(std::count(about.begin(), about.end(), '\n'), 9);  // ten lines joined by CR LF
    EXPECT_EQ(std::count(about.begin(), about.end(), '\r'), 9);
    EXPECT_NE(about.back(), '\n');
}

TEST_F(HelpBoxes, ExitEndsTheProgramWithoutAQuestion) {
    game.serve(0, 0, 0);
    w.mnuExit_Click();
    EXPECT_EQ(game.platform.ends, 1);
    EXPECT_TRUE(game.platform.messages.empty());
}

}  // namespace
}  // namespace zarb::testing
