#include "scene/level.h"

#include <array>

namespace vexmire {

namespace {

constexpr Colour kPink = 0x00FFC0FF;
constexpr Colour kGreen = 0x0000FF00;
constexpr Colour kRed = 0x000000FF;
constexpr Colour kDarkRed = 0x000000C0;
constexpr Colour kBlack = 0x00000000;
constexpr Colour kDarkGrey = 0x00404040;
constexpr Colour kCyan = 0x00FFFF00;
constexpr Colour kTeal = 0x00C0C000;
constexpr Colour kYellow = 0x0000FFFF;
constexpr Colour kDarkBlue = 0x00C00000;
constexpr Colour kWhite = 0x00FFFFFF;

constexpr auto kShape = EntityKind::Shape;
constexpr auto kImage = EntityKind::Image;
constexpr auto kLabel = EntityKind::Label;
constexpr auto kRect = ShapeKind::Rectangle;
constexpr auto kOval = ShapeKind::Oval;
constexpr auto kCircle = ShapeKind::Circle;

struct Row {
    const char* name;
    int index;  // -1: a single entity
    EntityKind kind;
    float left, top, width, height;
    bool visible;
    ShapeKind shape;
    Colour fill;
};

// Topmost first. The ball row stands for shpBall(0), then shpBall(19) down to shpBall(1).
constexpr int kBallRow = -2;
constexpr std::array<Row, 72> kRows = {{
    {"shpObstacle", 24, kShape, 0, 0, 1, 97, false, kRect, kPink},  // trigger: starts the enemy
    {"imgenemy", -1, kImage, 96, 24, 30, 30, true, kRect, kBlack},
    {"shpLife", 4, kShape, 112, 728, 9, 25, true, kRect, kGreen},
    {"shpLife", 3, kShape, 128, 728, 9, 25, true, kRect, kGreen},
    {"shpLife", 2, kShape, 144, 728, 9, 25, true, kRect, kGreen},
    {"shpLife", 1, kShape, 160, 728, 9, 25, true, kRect, kGreen},
    {"shpeBall", -1, kShape, -100, 160, 9, 9, true, kCircle, kRed},
    {"lblHealth", -1, kLabel, 40, 728, 65, 25, true, kRect, kBlack},
    {"shpLife", 0, kShape, 176, 728, 9, 25, true, kRect, kGreen},
    {"shpObstacle", 39, kShape, 680, 640, 145, 9, false, kRect, kPink},  // bomb zone
    {"shpObstacle", 38, kShape, 784, 664, 9, 9, true, kRect, kGreen},    // bomb lights
    {"shpObstacle", 37, kShape, 744, 664, 9, 9, true, kRect, kDarkRed},
    {"shpObstacle", 36, kShape, 728, 664, 9, 9, true, kRect, kDarkRed},
    {"shpObstacle", 35, kShape, 712, 664, 9, 9, true, kRect, kDarkRed},
    {"shpObstacle", 34, kShape, 704, 656, 97, 25, true, kRect, kBlack},      // bomb panel
    {"shpObstacle", 33, kShape, 696, 648, 113, 41, true, kRect, kDarkGrey},  // bomb body
    {"shpObstacle", 14, kShape, 16, 696, 825, 9, true, kRect, kBlack},       // bottom wall
    {"imgPlayer", -1, kImage, 24, 256, 30, 30, true, kRect, kBlack},
    {"shpGlass", 10, kShape, 760, 528, 9, 9, false, kRect, kCyan},
    {"shpGlass", 9, kShape, 728, 592, 9, 9, false, kRect, kCyan},
    {"shpGlass", 8, kShape, 776, 536, 17, 17, false, kRect, kCyan},
    {"shpGlass", 7, kShape, 792, 504, 17, 17, false, kRect, kCyan},
    {"shpGlass", 6, kShape, 808, 528, 9, 9, false, kRect, kCyan},
    {"shpGlass", 5, kShape, 704, 536, 17, 17, false, kRect, kCyan},
    {"shpGlass", 4, kShape, 736, 504, 9, 9, false, kRect, kCyan},
    {"shpGlass", 3, kShape, 760, 560, 17, 17, false, kRect, kCyan},
    {"shpGlass", 2, kShape, 736, 552, 9, 9, false, kRect, kCyan},
    {"shpGlass", 1, kShape, 744, 576, 9, 9, false, kRect, kCyan},
    {"shpGlass", 0, kShape, 688, 504, 17, 17, false, kRect, kCyan},
    {"shpObstacle", 32, kShape, 680, 480, 145, 9, false, kRect, kPink},    // glass hint zone
    {"shpObstacle", 31, kShape, 680, 488, 145, 9, true, kRect, kTeal},     // glass pane
    {"shpObstacle", 30, kShape, 840, 120, 9, 81, false, kRect, kPink},     // note zone
    {"shpObstacle", 29, kShape, 120, 496, 9, 33, true, kRect, kDarkGrey},  // keypad body
    {"shpObstacle", 28, kShape, 120, 472, 25, 81, false, kRect, kPink},    // keypad zone
    {"shpObstacle", 26, kShape, 224, 424, 9, 273, false, kRect, kPink},    // jail door hint
    {"shpObstacle", 25, kShape, 256, 304, 105, 9, false, kRect, kPink},    // door 18 hint
    {"shpObstacle", 23, kShape, 96, 32, 25, 9, false, kRect, kYellow},     // the key
    {"lblTip", -1, kLabel, 568, 704, 201, 49, true, kRect, kBlack},
    {"shpObstacle", 22, kShape, 376, 120, 105, 9, false, kRect, kPink},  // door 15 hint
    {"lblAmmo", -1, kLabel, 40, 704, 65, 25, true, kRect, kBlack},
    {"shpObstacle", 19, kShape, 0, 0, 841, 17, true, kRect, kBlack},  // top wall
    {"imgUEnemy", -1, kImage, -64, 344, 30, 30, true, kRect, kBlack},
    {"imgREnemy", -1, kImage, -64, 456, 30, 30, true, kRect, kBlack},
    {"imgLEnemy", -1, kImage, -64, 416, 30, 30, true, kRect, kBlack},
    {"imgDEnemy", -1, kImage, -64, 384, 30, 30, true, kRect, kBlack},
    {"shpObstacle", 21, kShape, 128, 120, 1, 97, false, kRect, kPink},  // trigger: starts the enemy
    {"shpObstacle", 20, kShape, 120, 104, 129, 17, true, kRect, kBlack},
    {"shpBall", kBallRow, kShape, 416, 712, 9, 9, true, kOval, kYellow},
    {"shpObstacle", 18, kShape, 256, 312, 105, 17, true, kRect, kDarkGrey},  // door: the lever
    {"shpObstacle", 17, kShape, 792, 48, 17, 17, true, kCircle, kDarkBlue},  // the lever
    {"shpObstacle", 16, kShape, 664, 472, 17, 225, true, kRect, kBlack},
    {"shpObstacle", 15, kShape, 376, 104, 105, 17, true, kRect, kDarkRed},  // door: the key
    {"shpObstacle", 13, kShape, 0, 0, 17, 705, true, kRect, kBlack},        // left wall
    {"shpObstacle", 12, kShape, 824, 0, 17, 697, true, kRect, kBlack},      // right wall
    {"shpObstacle", 11, kShape, 8, 216, 145, 17, true, kRect, kBlack},
    {"shpObstacle", 10, kShape, 240, 104, 17, 217, true, kRect, kBlack},
    {"shpObstacle", 9, kShape, 480, 472, 201, 17, true, kRect, kBlack},
    {"shpObstacle", 8, kShape, 360, 0, 17, 217, true, kRect, kBlack},
    {"shpObstacle", 7, kShape, 360, 200, 369, 17, true, kRect, kBlack},
    {"shpObstacle", 6, kShape, 480, 104, 361, 17, true, kRect, kBlack},
    {"shpObstacle", 5, kShape, 360, 312, 489, 17, true, kRect, kBlack},
    {"shpObstacle", 4, kShape, 360, 312, 17, 281, true, kRect, kBlack},
    {"shpObstacle", 3, kShape, 104, 408, 257, 17, true, kRect, kBlack},
    {"shpObstacle", 2, kShape, 104, 408, 17, 185, true, kRect, kBlack},
    {"shpObstacle", 0, kShape, 0, 312, 257, 17, true, kRect, kBlack},
    {"imgUPlayer", -1, kImage, -50, 64, 30, 30, true, kRect, kBlack},
    {"imgRPlayer", -1, kImage, -50, 24, 30, 30, true, kRect, kBlack},
    {"imgLPlayer", -1, kImage, -50, 144, 30, 30, true, kRect, kBlack},
    {"imgDPlayer", -1, kImage, -50, 104, 30, 30, true, kRect, kBlack},
    {"Shape2", -1, kShape, 0, 704, 857, 57, true, kRect, kBlack},           // status panel
    {"shpObstacle", 27, kShape, 784, 32, 33, 49, false, kRect, kPink},      // lever zone
    {"shpObstacle", 1, kShape, 232, 424, 17, 273, true, kRect, kDarkGrey},  // jail door
}};

Entity EntityFrom(const Row& row, int index, float left) {
    Entity entity;
    entity.name = row.name;
    entity.index = index;
    entity.kind = row.kind;
    entity.SetLeft(left);
    entity.SetTop(row.top);
    entity.SetWidth(row.width);
    entity.SetHeight(row.height);
    entity.visible = row.visible;
    entity.shape = row.shape;
    entity.fillColour = row.fill;
    if (row.kind == kImage) entity.picture = &SpriteOf(row.name);
    return entity;
}

void StyleLabel(Entity& label) {
    if (label.name == "lblTip") {
        label.caption = "Label Tip";
        label.foreColour = kWhite;
        label.transparent = true;
        return;
    }
    label.caption = label.name == "lblAmmo" ? "Ammo:" : "Health";
    label.foreColour = kRed;
    label.backColour = kMenuTextColour;
    label.font.points = 12;
    label.font.bold = true;
}

void AddBallRow(Scene& scene, const Row& row) {
    scene.Add(EntityFrom(row, 0, row.left));
    for (int k = 19; k >= 1; --k) {
        scene.Add(EntityFrom(row, k, row.left - 16.0f * static_cast<float>(k)));
    }
}

}  // namespace

void BuildLevel(Scene& scene) {
    for (const Row& row : kRows) {
        if (row.index == kBallRow) {
            AddBallRow(scene, row);
            continue;
        }
        Entity& entity = scene.Add(EntityFrom(row, row.index, row.left));
        if (entity.kind == kLabel) StyleLabel(entity);
    }
    Entity timer;
    timer.name = "tmr";
    timer.kind = EntityKind::Timer;
    timer.visible = false;
    timer.enabled = true;
    timer.intervalMs = 1;
    scene.Add(std::move(timer));
}

}  // namespace vexmire
