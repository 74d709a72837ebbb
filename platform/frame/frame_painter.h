#pragma once

#include "platform/frame/rgba_frame.h"
#include "scene/entity.h"
#include "scene/scene.h"

namespace vexmire {

// A colour of the scene as a frame holds it. Menu text and window text are black; the button
// colours are the usual light grey face and black text.
Rgba FrameColour(Colour colour);

// Paints the game window's scene into a frame of the client area's size: the floor, then every
// shown entity from the bottom of the stacking order up, each clipped to the frame. The Qt
// window, vexmire-sim's `render` and the browser draw the same picture by drawing with this.
void PaintScene(const Scene& scene, RgbaFrame& frame);

// As above, touching only the pixels of `area`: a window that repaints a part of itself.
void PaintScene(const Scene& scene, RgbaFrame& frame, const PixelRect& area);

// The game window's picture at its natural size.
RgbaFrame SceneFrame(const Scene& scene);

}  // namespace vexmire
