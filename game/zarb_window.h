#pragma once

// The game window frmZarb: its variables, a model of its controls and its event handlers, all
// under the game's own names. Positions and sizes are float twips (15 to a pixel at 96 dpi),
// x to the right and y downward from the top left corner of the client area.

#include <cstdint>
#include <string>

#include "game/timers.h"

namespace zarb {

class Platform;

// A picture, shape or label: what the rules read and write of it.
struct Control {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = true;
    std::string Caption;
};

// A menu item or submenu heading. A person can reach an item only while it and every menu above
// it are enabled.
struct MenuItem {
    std::string Caption;
    bool Checked = false;
    bool Enabled = true;
    MenuItem* parent = nullptr;

    bool reachable() const { return Enabled && (parent == nullptr || parent->reachable()); }
};

// The virtual-key codes the game reads.
namespace keys {
inline constexpr int kEscape = 27;
inline constexpr int kA = 65;
inline constexpr int kZ = 90;
inline constexpr int kF1 = 112;
inline constexpr int kF2 = 113;
inline constexpr int kSlash = 191;
inline constexpr int kApostrophe = 222;
}  // namespace keys

// The direction codes the game keeps in its whole-number variables (aimDir holds them in a
// float). The variables keep the numbers, so that a script sets and reads them as numbers.
namespace dir {
inline constexpr std::int32_t kAtRest = 0;  // ballDirX and ballDirY: the ball stands still
inline constexpr std::int32_t kRight = 1;   // ballDirX: Left grows
inline constexpr std::int32_t kLeft = 2;    // ballDirX: Left shrinks
inline constexpr std::int32_t kUp = 1;      // ballDirY: Top shrinks
inline constexpr std::int32_t kDown = 2;    // ballDirY: Top grows
// aimDir: the edge the computer's predicted path last reached, the top or the floor.
inline constexpr std::int32_t kTopEdge = 1;
inline constexpr std::int32_t kFloorEdge = 2;
// obstacleDir: which way the level-5 obstacle slides.
inline constexpr std::int32_t kSlidingLeft = 0;
inline constexpr std::int32_t kSlidingRight = 1;
}  // namespace dir

class ZarbWindow final : public TimedWindow {
  public:
    // A newly created window with its design-time controls; Form_Load has not run yet.
    ZarbWindow(Platform& platform, const Clock& clock);
    ZarbWindow(const ZarbWindow&) = delete;
    ZarbWindow& operator=(const ZarbWindow&) = delete;

    // The variables, in their order of declaration. Never written reads as 0.
    std::int32_t ballDirX = 0;
    float ballStepY = 0;
    float deflectY = 0;
    std::int32_t ballDirY = 0;
    std::int32_t speedSetting = 0;
    float hitOffset = 0;
    float ticksToPaddle = 0;
    std::int32_t players = 0;
    float opponentGap = 0;
    float opponentHomeGap = 0;
    std::int32_t keyLeftUp = 0;
    std::int32_t keyLeftDown = 0;
    std::int32_t keyRightUp = 0;
    std::int32_t level = 0;
    std::int32_t keyRightDown = 0;
    // A score is a whole number: a point adds one even to a score set beyond the 32 bits.
    std::int64_t player1Score = 0;
    std::int64_t player2Score = 0;
    float travelY = 0;
    float edgeDistance = 0;
    float aimDir = 0;
    float predictedTop = 0;
    std::int32_t predictionLine = 0;
    std::int32_t obstacleDir = 0;

    // Controls, in drawing order from the top down.
    Timer tmrStart;
    Timer tmrRight;
    Timer tmrLeft;
    Timer tmrBall;
    Control lblPlayer2;
    Control lblPlayer1;
    Control lblWin;
    Control lblLabel;  // the red score bar; its top is the floor of the field
    Control imgLeft;
    Control imgRight;
    Control lblPause;
    Control imgBall;
    Control imgBall2;
    Control shpObstacle;
    Control lblLevel;

    // The menu bar.
    MenuItem mnuFile, mnuNew, mnuEnd, mnuPause, mnuExit;
    MenuItem mnuEdit, mnuSpeed, mnuSluggish, mnuSlow, mnuMedium, mnuFast, mnuReallyfast;
    MenuItem mnuPlayers, mnuOne, mnuTwo;
    MenuItem mnuLevel, mnuLevel1, mnuLevel2, mnuLevel3, mnuLevel4, mnuLevel5;
    MenuItem mnuHelp, mnuRules, mnuControls, mnuAbout;

    // Start-up and end.
    void Form_Load();
    void Form_Unload();

    // Timers, and the clock tick that fires the due ones in the order tmrBall, tmrLeft, tmrRight,
    // tmrStart.
    void fireDueTimers(const ClockTime& tick) override;
    bool anyTimerEnabled() const override;
    void tmrBall_Timer();
    void tmrLeft_Timer();
    void tmrRight_Timer();
    void tmrStart_Timer();

    // Keyboard: the virtual-key code and the Shift (1), Ctrl (2), Alt (4) mask.
    void Form_KeyDown(int keyCode, int shift);
    void Form_KeyUp(int keyCode, int shift);

    // File menu.
    void mnuNew_Click();
    void mnuEnd_Click();
    void mnuPause_Click();
    void mnuExit_Click();

    // Edit menu: speed, players, level.
    void mnuSluggish_Click();
    void mnuSlow_Click();
    void mnuMedium_Click();
    void mnuFast_Click();
    void mnuReallyfast_Click();
    void mnuOne_Click();
    void mnuTwo_Click();
    void mnuLevel1_Click();
    void mnuLevel2_Click();
    void mnuLevel3_Click();
    void mnuLevel4_Click();
    void mnuLevel5_Click();

    // Help menu.
    void mnuRules_Click();
    void mnuControls_Click();
    void mnuAbout_Click();

    // The status line's mode text.
    std::string modeText() const;

  private:
    // Ball tick phases, in their order.
    void moveBall();
    void predictArrival();
    void scorePoints();
    void scorePoint(int winner);
    void bounceOffCeilingAndFloor();
    void hitPaddles();
    void deflectFrom(const Control& paddle);
    void playLevelFeature();
    void reboundFromObstacle();
    void wrapAround();
    void moveObstacle();
    void reboundFromMovingObstacle();
    void hideInZones();

    // Paddles.
    void stepUp(Control& paddle);
    void stepDown(Control& paddle, bool stopsStrictlyBelow);
    void steerOpponent();

    // Match flow and settings.
    void placeLevelPieces();
    void chooseSpeed(MenuItem& item, std::int32_t speed);
    void chooseLevel(std::int32_t chosen, MenuItem& item);
    void enableSettingsMenus(bool enabled);
    void pauseBeforeHelp();

    Platform& platform_;
};

}  // namespace zarb
