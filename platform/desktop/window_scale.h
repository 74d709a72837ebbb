#pragma once

#include <optional>

#include <QFont>
#include <QRect>
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

// The whole number of the screen's device pixels for each pixel of a window of `window` pixels
// shown on `screen`; 1 without a screen. Without a wish from the environment the desktop's scale
// is the compositor's own on Wayland (Qt's device pixel ratio) and the font resolution (Xft.dpi)
// against 96 dots an inch on X11. On a Wayland output at 200% of a 1920 x 1080 screen that is 1:
// the game fits the screen at one device pixel to its pixel, not at two.
int ChooseWindowScale(const DesktopScaleWish& wish, const QScreen* screen, QSize window);

// The rule itself: the largest whole factor whose window fits `available`, at most the
// desktop's scale rounded half up, at least 1. A scale that is not a positive number counts as 1.
int WholeWindowScale(QSize available, QSize window, double desktopScale);

// The size, in the window system's units, of a window that shows `window` pixels at
// `devicePixels` device pixels each where a unit is `ratio` device pixels: rounded up, since a
// Wayland buffer's size divides by its scale (at 1 device pixel to a pixel and a ratio of 2, a
// 838 x 759 frame takes a 419 x 380 window, with one row to spare).
QSize WindowSizeInUnits(QSize window, int devicePixels, qreal ratio);

// The factor that QT_SCREEN_SCALE_FACTORS gives a screen: either one factor for every screen in
// turn ("1.5;2", by the screen's place in Qt's list) or factors by name ("eDP-1=1.5;HDMI-1=1").
// Nothing when the screen has none or the text cannot be read.
std::optional<double> ScreenFactor(const QString& factors, const QString& screenName,
                                   int screenIndex);

// `font` as large as at 96 dots an inch on a plain screen, times `devicePixels`: the dialogs'
// text at the game's own factor, on a screen of `ratio` device pixels a unit and a font
// resolution of `dotsPerInch` (at Xft.dpi 192 on a 1080p screen, where the game fits only at
// 1x, they would else be drawn at 2x beside it). A font sized in pixels is scaled likewise.
QFont FontAtWindowScale(QFont font, int devicePixels, qreal ratio, qreal dotsPerInch);

// Where a window of `size` goes to open where the player's eye already is: centred on the window
// `other`, moved as little as needed to lie within `screen`, its top-left corner on it if it is
// larger.
QRect CentredOver(const QRect& other, QSize size, const QRect& screen);

// The window's units that show a region of the game's pixels at `scale` units a pixel (a half
// where a unit is two device pixels and a pixel one), and back: the game's pixels of which a
// region of the window shows some part.
QRegion ScreenPixels(const QRegion& game, qreal scale);
QRegion GamePixels(const QRegion& screen, qreal scale);

}  // namespace vexmire
