#include <gtest/gtest.h>

#include <QColor>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "game/game.h"
#include "game/hints.h"
#include "game/shell.h"
#include "platform/frame/disc_pixels.h"
#include "platform/frame/frame_text.h"
#include "platform/frame/glyph_font.h"
#include "platform/headless_platform.h"
#include "platform/painter/game_font.h"
#include "platform/painter/painter.h"
#include "platform/painter/sprite_images.h"

namespace vexmire {

namespace {

const QColor kFloor(128, 64, 0);
const QColor kBlack(0, 0, 0);
const QColor kDarkRed(192, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kDarkGrey(64, 64, 64);
const QColor kYellow(255, 255, 0);

QColor At(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// The game window as it looks right after start-up.
class GamePictureTest : public ::testing::Test {
  protected:
    GamePictureTest() : game(platform) {
        Form_Load(game);
        cmdRun_Click(platform);
    }
    QImage Picture() { return RenderScene(game.scene); }

    HeadlessPlatform platform;
    Game game;
};

TEST_F(GamePictureTest, TheWindowIsTheFloorColourWhereNothingStands) {
    const QImage picture = Picture();
    EXPECT_EQ(picture.size(), QSize(838, 759));
    EXPECT_EQ(At(picture, 50, 50), kFloor);
    EXPECT_EQ(At(picture, 600, 400), kFloor);
}

TEST_F(GamePictureTest, ADoorHasABlackBorderRingAndItsFillInside) {
    const QImage picture = Picture();  // door 15: 376, 104, 105 × 17, dark red
    EXPECT_EQ(At(picture, 376, 104), kBlack);
    EXPECT_EQ(At(picture, 420, 104), kBlack);
    EXPECT_EQ(At(picture, 480, 120), kBlack);
    EXPECT_EQ(At(picture, 377, 105), kDarkRed);
    EXPECT_EQ(At(picture, 479, 119), kDarkRed);
    EXPECT_EQ(At(picture, 430, 112), kDarkRed);
}

TEST_F(GamePictureTest, TheBombShowsItsBodyPanelAndLightsInStackingOrder) {
    const QImage picture = Picture();
    EXPECT_EQ(At(picture, 697, 649), kDarkGrey);  // body
    EXPECT_EQ(At(picture, 705, 657), kBlack);     // panel
    EXPECT_EQ(At(picture, 716, 668), kDarkRed);   // lights 35 to 37
    EXPECT_EQ(At(picture, 732, 668), kDarkRed);
    EXPECT_EQ(At(picture, 748, 668), kDarkRed);
    EXPECT_EQ(At(picture, 712, 664), kBlack);  // a light's border
    EXPECT_EQ(At(picture, 788, 668), kGreen);  // light 38
}

TEST_F(GamePictureTest, HiddenZonesAndTheUnfiredEnemyBallAreNotSeen) {
    const QImage picture = Picture();
    EXPECT_EQ(At(picture, 0, 50), kBlack);     // the enemy's trigger on the left wall
    EXPECT_EQ(At(picture, 682, 642), kFloor);  // the bomb's zone
    EXPECT_EQ(At(picture, 786, 34), kFloor);   // the lever's zone
    EXPECT_EQ(At(picture, 700, 508), kFloor);  // a glass shard
    game.level.enemy->visible = false;         // the key lies under the enemy
    EXPECT_EQ(At(Picture(), 100, 36), kFloor);
    game.level.obstacles(23).visible = true;
    EXPECT_EQ(At(Picture(), 100, 36), kYellow);
}

TEST_F(GamePictureTest, AnEmptyHintLeavesTheStatusPanelBlackAndAHintIsDrawnInWhite) {
    QImage picture = Picture();
    int white = 0;
    for (int y = 704; y < 753; ++y) {
        for (int x = 568; x < 769; ++x) {
            EXPECT_EQ(At(picture, x, y), kBlack) << x << "," << y;
            if (At(picture, x, y) != kBlack) return;
        }
    }
    game.level.tip->caption = hint::kJailDoor;
    picture = Picture();
    for (int y = 704; y < 753; ++y) {
        for (int x = 568; x < 769; ++x) {
            const QColor pixel = At(picture, x, y);
            white +=
                pixel.red() > 128 && pixel.red() == pixel.green() && pixel.red() == pixel.blue();
        }
    }
    EXPECT_GT(white, 100);
    // Nothing of the text strays outside the label's box.
    for (int x = 560; x < 780; ++x) EXPECT_EQ(At(picture, x, 755), kBlack);
}

TEST_F(GamePictureTest, TheTextOfALabelIsOnlyItsOwnColourOnItsBackground) {
    // The 11-pixel hint, white on black, and the 16-pixel status labels, red on black.
    game.level.tip->caption = hint::kPullLever;
    const QImage picture = Picture();
    int white = 0;
    for (int y = 704; y < 753; ++y) {
        for (int x = 568; x < 769; ++x) {
            const QColor pixel = At(picture, x, y);
            EXPECT_TRUE(pixel == kBlack || pixel == QColor(255, 255, 255)) << x << "," << y;
            white += pixel == QColor(255, 255, 255);
        }
    }
    EXPECT_GT(white, 100);
    for (int y = 704; y < 729; ++y) {
        for (int x = 40; x < 105; ++x) {
            const QColor pixel = At(picture, x, y);
            EXPECT_TRUE(pixel == kBlack || pixel == QColor(255, 0, 0)) << x << "," << y;
        }
    }
}

TEST_F(GamePictureTest, TheStatusLabelsAreRedOnBlack) {
    const QImage picture = Picture();
    int red = 0;
    for (int y = 704; y < 729; ++y) {
        for (int x = 40; x < 105; ++x) {
            const QColor pixel = At(picture, x, y);
            EXPECT_EQ(pixel.green(), 0);
            EXPECT_EQ(pixel.blue(), 0);
            red += pixel == QColor(255, 0, 0);
        }
    }
    EXPECT_GT(red, 30);
}

TEST_F(GamePictureTest, TheUnfiredBallsAreYellowDiscsOnThePanel) {
    const QImage picture = Picture();
    for (int k = 0; k < 20; ++k) {
        const int left = 416 - 16 * k;
        EXPECT_EQ(At(picture, left + 4, 716), kYellow);
        EXPECT_EQ(At(picture, left + 4, 712), kBlack);  // the outline
        EXPECT_EQ(At(picture, left, 712), kBlack);      // the panel in the corner
    }
}

TEST_F(GamePictureTest, ThePlayerAndTheEnemyAreDrawnWithTheFloorShowingAroundThem) {
    const QImage picture = Picture();
    for (const Entity* figure : {game.level.player, game.level.enemy}) {
        const int left = static_cast<int>(figure->left());
        const int top = static_cast<int>(figure->top());
        int floor = 0;
        for (int y = top; y < top + 30; ++y) {
            for (int x = left; x < left + 30; ++x) floor += At(picture, x, y) == kFloor;
        }
        EXPECT_GT(floor, 0) << figure->name;
        EXPECT_LT(floor, 900) << figure->name;
    }
}

TEST(Sprites, EveryDrawingIsA30By30PictureWithTransparency) {
    for (const Drawing drawing :
         {Drawing::PlayerUp, Drawing::PlayerRight, Drawing::PlayerDown, Drawing::PlayerLeft,
          Drawing::EnemyUp, Drawing::EnemyRight, Drawing::EnemyLeft, Drawing::EnemyDown}) {
        const QImage& sprite = SpriteImage(drawing);
        ASSERT_FALSE(sprite.isNull()) << SpritePath(drawing).toStdString();
        EXPECT_EQ(sprite.size(), QSize(30, 30));
        EXPECT_EQ(qAlpha(sprite.pixel(0, 0)), 0) << SpritePath(drawing).toStdString();
    }
}

Entity Shape(ShapeKind kind, float width, float height) {
    Entity shape;
    shape.kind = EntityKind::Shape;
    shape.shape = kind;
    shape.SetLeft(10);
    shape.SetTop(20);
    shape.SetWidth(width);
    shape.SetHeight(height);
    shape.fillColour = 0x0000FFFF;  // yellow
    return shape;
}

// The game window's picture with nothing in it but one yellow shape at 10, 20.
QImage PictureOfOneShape(ShapeKind kind, float width, float height) {
    Scene scene;
    scene.Add(Shape(kind, width, height));
    return RenderScene(scene);
}

TEST(ShapePicture, ANinePixelBallIsTheSameDiscFromEverySide) {
    const QImage picture = PictureOfOneShape(ShapeKind::Oval, 9, 9);
    const auto pixel = [&](int x, int y) { return At(picture, 10 + x, 20 + y); };
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(pixel(x, y), pixel(8 - x, y));
            EXPECT_EQ(pixel(x, y), pixel(x, 8 - y));
            EXPECT_EQ(pixel(x, y), pixel(y, x));
        }
    }
    EXPECT_EQ(pixel(0, 0), kFloor);
    EXPECT_EQ(pixel(0, 1), kFloor);
    EXPECT_EQ(pixel(1, 1), kBlack);
    EXPECT_EQ(pixel(4, 0), kBlack);
    EXPECT_EQ(pixel(0, 4), kBlack);
    EXPECT_EQ(pixel(4, 1), kYellow);
    EXPECT_EQ(pixel(4, 4), kYellow);
    EXPECT_EQ(At(picture, 9, 24), kFloor);
    EXPECT_EQ(At(picture, 19, 24), kFloor);
}

TEST(ShapePicture, ACircleInAWideBoxIsTheBallCentredInItAndAnOvalFillsTheBox) {
    // The enemy's ball widened to 41: still a 9-pixel disc, 16 pixels in from either side.
    const QImage ball = PictureOfOneShape(ShapeKind::Circle, 9, 9);
    const QImage wide = PictureOfOneShape(ShapeKind::Circle, 41, 9);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 41; ++x) {
            const QColor expected = x >= 16 && x < 25 ? At(ball, 10 + x - 16, 20 + y) : kFloor;
            EXPECT_EQ(At(wide, 10 + x, 20 + y), expected) << x << "," << y;
        }
    }
    // A tall box centres it the other way; an odd margin leaves the extra pixel below.
    const QImage tall = PictureOfOneShape(ShapeKind::Circle, 9, 20);
    EXPECT_EQ(At(tall, 14, 20 + 5), kBlack);
    EXPECT_EQ(At(tall, 14, 20 + 5 + 8), kBlack);
    EXPECT_EQ(At(tall, 14, 20 + 4), kFloor);
    EXPECT_EQ(At(tall, 14, 20 + 5 + 9), kFloor);
    const QImage oval = PictureOfOneShape(ShapeKind::Oval, 41, 9);
    EXPECT_EQ(At(oval, 10, 24), kBlack);
    EXPECT_EQ(At(oval, 30, 24), kYellow);
    EXPECT_EQ(At(oval, 50, 24), kBlack);
}

TEST(ShapePicture, TheOutlineOfADiscIsOnePixelWide) {
    for (const int side : {9, 17}) {
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                if (DiscPixelAt(x, y, side, side) != DiscPixel::Inside) continue;
                // Every inside pixel touches only outline or inside: never the outside.
                for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                    EXPECT_NE(DiscPixelAt(x + dx, y + dy, side, side), DiscPixel::Outside);
                }
            }
        }
        EXPECT_EQ(DiscPixelAt(side / 2, side / 2, side, side), DiscPixel::Inside);
        EXPECT_EQ(DiscPixelAt(side / 2, 0, side, side), DiscPixel::Outline);
        EXPECT_EQ(DiscPixelAt(0, 0, side, side), DiscPixel::Outside);
    }
}

TEST(ShapePicture, ABoxOnePixelWideIsAllBorder) {
    const QImage picture = PictureOfOneShape(ShapeKind::Rectangle, 1, 6);
    for (int y = 20; y < 26; ++y) EXPECT_EQ(At(picture, 10, y), kBlack);
    EXPECT_EQ(At(picture, 10, 26), kFloor);
    EXPECT_EQ(At(picture, 11, 22), kFloor);
}

TEST(ShapePicture, ShapesReachingBeyondTheWindowAreClipped) {
    const QImage picture = PictureOfOneShape(ShapeKind::Rectangle, 5000, 5000);
    EXPECT_EQ(picture.size(), QSize(838, 759));
    EXPECT_EQ(At(picture, 837, 758), kYellow);
    EXPECT_EQ(At(picture, 10, 758), kBlack);
    const QImage far = PictureOfOneShape(ShapeKind::Oval, 1e6f, 1e6f);
    EXPECT_EQ(At(far, 10, 20), kFloor);
}

TEST(Colours, SceneColoursHaveRedInTheLowByte) {
    EXPECT_EQ(ToQColor(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x00FF0000), QColor(0, 0, 255));
    EXPECT_EQ(ToQColor(0x00004080), kFloor);
    EXPECT_EQ(ToQColor(kMenuTextColour), kBlack);
    EXPECT_EQ(ToQColor(kWindowTextColour), kBlack);
}

TEST(HighDensityScreen, EachPixelOfTheMazeIsAWholeBlockOfScreenPixels) {
    Scene scene;
    scene.Add(Shape(ShapeKind::Rectangle, 5, 5));
    QImage picture(2 * 838, 2 * 759, QImage::Format_RGB32);
    picture.setDevicePixelRatio(2);
    QPainter painter(&picture);
    PaintScene(scene, painter);
    painter.end();
    for (int y = 40; y < 50; ++y) {
        for (int x = 20; x < 30; ++x) {
            const bool border = x < 22 || x >= 28 || y < 42 || y >= 48;
            EXPECT_EQ(At(picture, x, y), border ? kBlack : kYellow) << x << "," << y;
        }
    }
    EXPECT_EQ(At(picture, 19, 45), kFloor);
}

TEST(LabelText, EveryHintFitsTheHintBoxInAtMostThreeLines) {
    const GlyphFont& font = GlyphFontFor(Font{});
    for (const char* hint : {hint::kOpenDoor, hint::kNeedKey, hint::kOpenElsewhere, hint::kJailDoor,
                             hint::kPullLever, hint::kLeverDone, hint::kGlass, hint::kDefuseBomb}) {
        const auto lines = WrapAtSpaces(DecodeUtf8(hint), font, 201);
        EXPECT_LE(lines.size(), 3u) << hint;
        EXPECT_LE(static_cast<int>(lines.size()) * font.LineHeight(), 49) << hint;
        for (const auto& line : lines) EXPECT_LE(LineWidth(font, line), 201) << hint;
    }
}

TEST(LabelText, MissingMsSansSerifFallsBackToDejaVuSans) {
    const bool installed = QFontDatabase::families().contains("MS Sans Serif", Qt::CaseInsensitive);
    EXPECT_EQ(GameFontFamily("MS Sans Serif"), installed ? "MS Sans Serif" : "DejaVu Sans");
    // A face that no machine has is drawn in DejaVu Sans, and the text really comes out in it.
    const Font missing{"Vexmire Face That Is Nowhere", 8, false};
    EXPECT_EQ(GameFontFamily(missing.face), "DejaVu Sans");
    EXPECT_EQ(QFontInfo(GameFont(missing)).family(), "DejaVu Sans");
    EXPECT_EQ(GameFont(missing).pixelSize(), 11);
    EXPECT_EQ(GameFont(Font{"MS Sans Serif", 12, true}).pixelSize(), 16);
    EXPECT_EQ(GameFont(Font{"MS Sans Serif", 12, true}).weight(), QFont::Bold);
}

}  // namespace

}  // namespace vexmire
