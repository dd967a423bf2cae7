#include "headless/names.h"

#include <unordered_map>

#include "game/menu_bar.h"
#include "game/program.h"

namespace zarb::headless {

namespace {

using W = ZarbWindow;

// The variables, in their order of declaration; the table says which are whole numbers.
struct Variable {
    const char* name;
    std::int32_t W::*whole;
    float W::*decimal;
    std::int64_t W::*score = nullptr;
};
const Variable kVariables[] = {
    {"ballDirX", &W::ballDirX, nullptr},
    {"ballStepY", nullptr, &W::ballStepY},
    {"deflectY", nullptr, &W::deflectY},
    {"ballDirY", &W::ballDirY, nullptr},
    {"speedSetting", &W::speedSetting, nullptr},
    {"hitOffset", nullptr, &W::hitOffset},
    {"ticksToPaddle", nullptr, &W::ticksToPaddle},
    {"players", &W::players, nullptr},
    {"opponentGap", nullptr, &W::opponentGap},
    {"opponentHomeGap", nullptr, &W::opponentHomeGap},
    {"keyLeftUp", &W::keyLeftUp, nullptr},
    {"keyLeftDown", &W::keyLeftDown, nullptr},
    {"keyRightUp", &W::keyRightUp, nullptr},
    {"level", &W::level, nullptr},
    {"keyRightDown", &W::keyRightDown, nullptr},
    {"player1Score", nullptr, nullptr, &W::player1Score},
    {"player2Score", nullptr, nullptr, &W::player2Score},
    {"travelY", nullptr, &W::travelY},
    {"edgeDistance", nullptr, &W::edgeDistance},
    {"aimDir", nullptr, &W::aimDir},
    {"predictedTop", nullptr, &W::predictedTop},
    {"predictionLine", &W::predictionLine, nullptr},
    {"obstacleDir", &W::obstacleDir, nullptr},
};

struct NamedControl {
    const char* name;
    Control W::*member;
    bool hasCaption;
};
const NamedControl kControls[] = {
    {"imgBall", &W::imgBall, false},
    {"imgBall2", &W::imgBall2, false},
    {"imgLeft", &W::imgLeft, false},
    {"imgRight", &W::imgRight, false},
    {"shpObstacle", &W::shpObstacle, false},
    {"lblLabel", &W::lblLabel, true},
    {"lblPlayer1", &W::lblPlayer1, true},
    {"lblPlayer2", &W::lblPlayer2, true},
    {"lblWin", &W::lblWin, true},
    {"lblLevel", &W::lblLevel, true},
    {"lblPause", &W::lblPause, true},
};

struct NamedTimer {
    const char* name;
    Timer W::*member;
};
const NamedTimer kTimers[] = {
    {"tmrBall", &W::tmrBall},
    {"tmrLeft", &W::tmrLeft},
    {"tmrRight", &W::tmrRight},
    {"tmrStart", &W::tmrStart},
};

ValueRef variable(W& w, const NamedValue& value) {
    const Variable& v = kVariables[value.member];
    if (v.whole != nullptr) {
        return {ValueKind::Whole, &(w.*v.whole)};
    }
    if (v.score != nullptr) {
        return {ValueKind::Score, &(w.*v.score)};
    }
    return {ValueKind::Decimal, &(w.*v.decimal)};
}

// Controls have six properties each, in this order; pictures have no Caption.
enum ControlProperty { kLeft, kTop, kWidth, kHeight, kVisible, kCaption, kControlProperties };
constexpr const char* kControlPropertyNames[] = {".Left",   ".Top",     ".Width",
                                                 ".Height", ".Visible", ".Caption"};

ValueRef controlProperty(W& w, const NamedValue& value) {
    Control& c = w.*kControls[value.member / kControlProperties].member;
    switch (value.member % kControlProperties) {
        case kLeft:
            return {ValueKind::Decimal, &c.Left};
        case kTop:
            return {ValueKind::Decimal, &c.Top};
        case kWidth:
            return {ValueKind::Decimal, &c.Width};
        case kHeight:
            return {ValueKind::Decimal, &c.Height};
        case kVisible:
            return {ValueKind::Flag, &c.Visible};
        default:
            return {ValueKind::Caption, &c.Caption};
    }
}

ValueRef timerProperty(W& w, const NamedValue& value) {
    Timer& t = w.*kTimers[value.member / 2].member;
    return {value.member % 2 == 0 ? ValueKind::TimerOn : ValueKind::Interval, &t};
}

ValueRef menuProperty(W& w, const NamedValue& value) {
    MenuItem& m = w.*kMenuBar[value.member / 3].item;
    switch (value.member % 3) {
        case 0:
            return {ValueKind::Caption, &m.Caption};
        case 1:
            return {ValueKind::Flag, &m.Checked};
        default:
            return {ValueKind::Flag, &m.Enabled};
    }
}

std::vector<NamedValue> buildWindowValues() {
    std::vector<NamedValue> values;
    for (std::size_t i = 0; i < std::size(kVariables); ++i) {
        values.push_back({kVariables[i].name, variable, i});
    }
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        for (int p = 0; p < kControlProperties; ++p) {
            if (p == kCaption && !kControls[i].hasCaption) {
                continue;
            }
            values.push_back({std::string(kControls[i].name) + kControlPropertyNames[p],
                              controlProperty, i * kControlProperties + p});
        }
    }
    for (std::size_t i = 0; i < std::size(kTimers); ++i) {
        values.push_back({std::string(kTimers[i].name) + ".Enabled", timerProperty, i * 2});
        values.push_back({std::string(kTimers[i].name) + ".Interval", timerProperty, i * 2 + 1});
    }
    for (std::size_t i = 0; i < std::size(kMenuBar); ++i) {
        values.push_back({std::string(kMenuBar[i].name) + ".Caption", menuProperty, i * 3});
        values.push_back({std::string(kMenuBar[i].name) + ".Checked", menuProperty, i * 3 + 1});
        values.push_back({std::string(kMenuBar[i].name) + ".Enabled", menuProperty, i * 3 + 2});
    }
    return values;
}

}  // namespace

const std::vector<NamedValue>& windowValues() {
    static const std::vector<NamedValue> values = buildWindowValues();
    return values;
}

const NamedValue* findWindowValue(std::string_view name) {
    static const auto byName = [] {
        std::unordered_map<std::string_view, const NamedValue*> map;
        for (const NamedValue& value : windowValues()) {
            map.emplace(value.name, &value);
        }
        return map;
    }();
    const auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second;
}

Handler findHandler(std::string_view name) {
    static const auto byName = [] {
        std::unordered_map<std::string, Handler> map = {
            {"Form_Load", &W::Form_Load},           {"Form_Unload", &W::Form_Unload},
            {"tmrBall_Timer", &W::tmrBall_Timer},   {"tmrLeft_Timer", &W::tmrLeft_Timer},
            {"tmrRight_Timer", &W::tmrRight_Timer}, {"tmrStart_Timer", &W::tmrStart_Timer},
        };
        for (const MenuBarEntry& menu : kMenuBar) {
            if (menu.handler != nullptr) {
                map.emplace(std::string(menu.name) + "_Click", menu.handler);
            }
        }
        return map;
    }();
    const auto found = byName.find(std::string(name));
    return found == byName.end() ? nullptr : found->second;
}

const MenuBarEntry* findMenuItem(std::string_view name) {
    for (const MenuBarEntry& menu : kMenuBar) {
        if (menu.handler != nullptr && name == menu.name) {
            return &menu;
        }
    }
    return nullptr;
}

const SplashButton* findSplashButton(std::string_view name, std::string_view suffix) {
    for (const SplashButton& button : kSplashButtons) {
        const std::string_view buttonName = button.name;
        if (name.size() == buttonName.size() + suffix.size() && name.starts_with(buttonName) &&
            name.ends_with(suffix)) {
            return &button;
        }
    }
    return nullptr;
}

std::optional<WindowId> findWindow(std::string_view name) {
    if (name == "frmSplash") {
        return WindowId::frmSplash;
    }
    if (name == "frmZarb") {
        return WindowId::frmZarb;
    }
    return std::nullopt;
}

bool isMenuHeadingOrSeparator(std::string_view name) {
    if (name == "mnuSep1" || name == "mnuSep2") {
        return true;
    }
    for (const MenuBarEntry& menu : kMenuBar) {
        if (menu.handler == nullptr && name == menu.name) {
            return true;
        }
    }
    return false;
}

}  // namespace zarb::headless
