#pragma once

#include <cstdint>

namespace vexmire {

// The window system's virtual-key codes that the rules act on.
namespace key {
constexpr int16_t kEnter = 13;
constexpr int16_t kSpace = 32;
constexpr int16_t kLeft = 37;
constexpr int16_t kUp = 38;
constexpr int16_t kRight = 39;
constexpr int16_t kDown = 40;
}  // namespace key

}  // namespace vexmire
