#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>

#include "scene/level.h"
#include "scene/scene.h"

namespace vexmire {

// The game window's client area, in pixels, as the level lays it out.
constexpr int kGameWindowWidth = kClientWidth;
constexpr int kGameWindowHeight = kClientHeight;

// A colour of the scene as Qt holds it: 0x00BBGGRR, red in the low byte. Menu text and window
// text are black, the button colours those of the application's palette.
QColor ToQColor(Colour colour);

// Paints the game window's scene onto the painter, in pixels of the client area: the floor,
// then every shown entity from the bottom of the stacking order up, clipped to the area. The
// picture is the one the painter without Qt draws (platform/frame/), which vexmire-sim's
// `render` and the browser's page show too.
void PaintScene(const Scene& scene, QPainter& painter);

// As above, for a window that repaints only `area` and whose painter is already clipped to it:
// entities wholly outside it are skipped, as they could not change a pixel of it.
void PaintScene(const Scene& scene, QPainter& painter, const QRegion& area);

// The pixels of the client area that painting this entity may touch; empty when it shows
// nothing there.
QRect PaintedArea(const Entity& entity);

// The game window's picture at its natural size.
QImage RenderScene(const Scene& scene);

}  // namespace vexmire
