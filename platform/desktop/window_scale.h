#pragma once

#include <optional>

#include <QRegion>
#include <QScreen>
#include <QSize>
#include <QString>

namespace vexmire {

// The windows are drawn at a whole number of screen pixels for each pixel of the game, so that
// every border stays sharp: the largest factor whose window fits the screen's available area,
// never more than the desktop's own scale rounded (150% rounds to 2) and never below 1. Qt's
// own scaling would follow the desktop to fractional factors or to windows larger than the
// screen, so it is taken away from Qt before the application is created, and what the desktop
// asked of Qt is kept as its wish.
struct DesktopScaleWish {
    std::optional<double> everyScreen;  // QT_SCALE_FACTOR
    QString eachScreen;                 // QT_SCREEN_SCALE_FACTORS, as written
};

// Turns Qt's scaling off and takes its two scale settings out of the environment, returning
// them. To be called before the application is created.
DesktopScaleWish TakeScalingFromQt();

// The whole factor for a window of `window` pixels shown on `screen`; 1 without a screen. Without a
// wish from the environment the desktop's scale is its font resolution (Xft.dpi on X11) against 96
// dots an inch. On Wayland the compositor's own whole scale is already Qt's device pixel ratio and
// adds to this.
int ChooseWindowScale(const DesktopScaleWish& wish, const QScreen* screen, QSize window);

// The rule itself: the largest whole factor whose window fits `available`, at most the
// desktop's scale rounded half up, at least 1. A scale that is not a positive number counts as 1.
int WholeWindowScale(QSize available, QSize window, double desktopScale);

// The factor that QT_SCREEN_SCALE_FACTORS gives a screen: either one factor for every screen in
// turn ("1.5;2", by the screen's place in Qt's list) or factors by name ("eDP-1=1.5;HDMI-1=1").
// Nothing when the screen has none or the text cannot be read.
std::optional<double> ScreenFactor(const QString& factors, const QString& screenName,
                                   int screenIndex);

// The screen pixels that show a region of the game's pixels at a whole factor, and back: the
// game's pixels of which a region of screen pixels shows some part.
QRegion ScreenPixels(const QRegion& game, int scale);
QRegion GamePixels(const QRegion& screen, int scale);

}  // namespace vexmire
