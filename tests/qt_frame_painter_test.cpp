#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRect>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/hints.h"
#include "game/shell.h"
#include "platform/frame/frame_painter.h"
#include "platform/headless_platform.h"
#include "platform/painter/painter.h"
#include "scene/sprite.h"

namespace vexmire {

namespace {

// The painter without Qt draws every shape and sprite exactly as the Qt painter does; only the
// labels' text has shapes of its own, from glyphs made at build time.
class FramePainterTest : public ::testing::Test {
  protected:
    FramePainterTest() : game(platform) {
        Form_Load(game);
        cmdRun_Click(platform);
    }

    Entity& Named(const char* name, int index = -1) {
        Entity* entity = index < 0 ? game.scene.Find(name) : game.scene.Find(name, index);
        if (entity == nullptr) throw std::runtime_error(std::string("no entity ") + name);
        return *entity;
    }

    // The pixels, outside the boxes of the labels with text, where the two pictures differ.
    std::vector<std::string> DifferencesOutsideText() const {
        const QImage qt = RenderScene(game.scene);
        const RgbaFrame frame = SceneFrame(game.scene);
        std::vector<QRect> textBoxes;
        for (const Entity& entity : game.scene.entities()) {
            if (entity.kind == EntityKind::Label && entity.visible && !entity.caption.empty()) {
                const PixelRect rect = RectOf(entity);
                textBoxes.emplace_back(QRect(rect.left, rect.top, rect.right - rect.left,
                                             rect.bottom - rect.top));
            }
        }
        std::vector<std::string> differences;
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                bool inText = false;
                for (const QRect& box : textBoxes) inText = inText || box.contains(x, y);
                const Rgba mine = frame.at(x, y);
                const QColor theirs = qt.pixelColor(x, y);
                if (!inText && (mine.red != theirs.red() || mine.green != theirs.green() ||
                                mine.blue != theirs.blue())) {
                    if (differences.size() < 10) {
                        differences.push_back(std::to_string(x) + "," + std::to_string(y));
                    }
                }
            }
        }
        return differences;
    }

    HeadlessPlatform platform;
    Game game;
};

TEST_F(FramePainterTest, TheLevelAtStartIsTheSamePicture) {
    EXPECT_EQ(DifferencesOutsideText(), std::vector<std::string>{});
}

TEST_F(FramePainterTest, EverythingThatPlayShowsIsTheSamePicture) {
    for (int index = 0; index < 11; ++index) Named("shpGlass", index).visible = true;
    Named("shpObstacle", 30).visible = true;  // the key
    Named("shpeBall").SetLeft(300);
    Named("shpeBall").SetTop(300);
    Named("shpBall", 3).SetLeft(210);
    Named("shpBall", 3).SetTop(420);
    Named("shpLife", 4).visible = false;
    Named("imgPlayer").picture = &SpriteOf("imgUPlayer");
    Named("imgenemy").visible = false;
    Named("lblTip").caption = hint::kJailDoor;
    EXPECT_EQ(DifferencesOutsideText(), std::vector<std::string>{});
}

TEST_F(FramePainterTest, EntitiesCutByTheWindowsEdgesAreTheSamePicture) {
    Named("imgPlayer").SetLeft(-12);
    Named("imgPlayer").SetTop(740);
    Named("imgenemy").SetLeft(825);
    Named("shpBall", 5).SetLeft(-4);
    Named("shpBall", 5).SetTop(100);
    Named("shpeBall").SetLeft(833);
    Named("shpeBall").SetTop(-3);
    Named("shpObstacle", 3).SetWidth(2000);
    EXPECT_EQ(DifferencesOutsideText(), std::vector<std::string>{});
}

TEST_F(FramePainterTest, OvalsCirclesAndThinShapesOfAnySizeAreTheSamePicture) {
    Entity& oval = Named("shpeBall");
    oval.shape = ShapeKind::Oval;
    oval.SetLeft(100);
    oval.SetTop(100);
    oval.SetWidth(61);
    oval.SetHeight(24);
    Entity& circle = Named("shpBall", 7);
    circle.shape = ShapeKind::Circle;
    circle.SetLeft(200);
    circle.SetTop(150);
    circle.SetWidth(40);
    circle.SetHeight(13);
    Named("shpBall", 8).SetLeft(300);
    Named("shpBall", 8).SetTop(300);
    Named("shpBall", 8).SetWidth(1);
    Named("shpObstacle", 5).SetHeight(1);
    Named("shpObstacle", 6).SetWidth(0);
    EXPECT_EQ(DifferencesOutsideText(), std::vector<std::string>{});
}

// Ink: pixels of a label's box in its text colour.
int InkIn(const RgbaFrame& frame, const Entity& label) {
    const PixelRect box = RectOf(label);
    const Rgba ink = FrameColour(label.foreColour);
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) count += frame.at(x, y) == ink ? 1 : 0;
    }
    return count;
}

int InkIn(const QImage& image, const Entity& label) {
    const PixelRect box = RectOf(label);
    const Rgba ink = FrameColour(label.foreColour);
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const QColor colour = image.pixelColor(x, y);
            count += colour == QColor(ink.red, ink.green, ink.blue) ? 1 : 0;
        }
    }
    return count;
}

// The text's own shapes differ from Qt's, but each label carries about as much ink in the same
// box: the same words at the same size and weight, wrapped into as many lines.
TEST_F(FramePainterTest, LabelsCarryTheirTextInTheSameBoxesAtTheSameWeight) {
    for (const char* hint : {hint::kJailDoor, hint::kDefuseBomb, hint::kPullLever}) {
        Named("lblTip").caption = hint;
        const QImage qt = RenderScene(game.scene);
        const RgbaFrame frame = SceneFrame(game.scene);
        for (const char* name : {"lblTip", "lblAmmo", "lblHealth"}) {
            const int theirs = InkIn(qt, Named(name));
            const int mine = InkIn(frame, Named(name));
            EXPECT_GT(theirs, 0) << name;
            EXPECT_NEAR(mine, theirs, theirs / 5) << name << ": " << hint;
        }
    }
}

}  // namespace

}  // namespace vexmire
