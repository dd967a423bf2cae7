#include "forms/frm_splash.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "forms/accessibility.h"
#include "forms/field_view.h"
#include "forms/game_font.h"
#include "game/program.h"

namespace zarb::forms {

namespace {

// The client area: 6705 by 3870 twips.
constexpr int kWidth = 447;
constexpr int kHeight = 258;

QRect pixels(float left, float top, float width, float height) {
    return QRect(qRound(left / kTwipsPerPixel), qRound(top / kTwipsPerPixel),
                 qRound(width / kTwipsPerPixel), qRound(height / kTwipsPerPixel));
}

}  // namespace

FrmSplash::FrmSplash(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint),
      program_(program) {
    setObjectName("frmSplash");
    setWindowTitle(" Zarb");
    setAccessibleRole(*this, QAccessible::Window);
    setAccessibleName("Zarb");
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(false);

    auto* intro = new QLabel("ZARB", this);
    intro->setObjectName("lblIntro");
    intro->setGeometry(pixels(600, 0, 5535, 2175));
    intro->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    intro->setFont(gameFont(96, true));
    intro->setStyleSheet("color: rgb(255, 0, 0); background: transparent;");

    auto* credits = new QLabel("by the Zarb developers", this);
    credits->setObjectName("lblProgrammers");
    credits->setGeometry(pixels(480, 2160, 5775, 375));
    credits->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    credits->setFont(gameFont(12, true));
    credits->setStyleSheet("color: rgb(0, 255, 255); background: black;");

    for (const SplashButton& entry : kSplashButtons) {
        auto* button = new QPushButton(entry.caption, this);
        button->setObjectName(entry.name);
        button->setAccessibleName(entry.caption);
        // Enter presses the button that has the focus, as Space does.
        button->setAutoDefault(true);
        button->setGeometry(
            pixels(entry.left, kSplashButtonTop, kSplashButtonWidth, kSplashButtonHeight));
        button->setFont(gameFont(17.25, true));
        button->setStyleSheet(
            "QPushButton { color: black; background: rgb(0, 255, 255);"
            " border: 2px outset rgb(128, 255, 255); }"
            "QPushButton:pressed { border-style: inset; }"
            "QPushButton:focus { border: 2px dotted black; }");
        connect(button, &QPushButton::clicked, this,
                [this, &entry] { program_.pressSplashButton(entry); });
    }
}

void FrmSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void FrmSplash::drawAt(qreal scale) {
    setFixedSize(qRound(kWidth * scale), qRound(kHeight * scale));
    scaleChildren(*this, scale);
}

void FrmSplash::closeEvent(QCloseEvent* event) {
    event->accept();
    program_.closeWindow(WindowId::frmSplash);
}

}  // namespace zarb::forms
