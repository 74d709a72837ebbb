#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <array>
#include <string>

#include "assets/pictures.h"
#include "assets/sprite_pixels.h"

namespace vexmire {

namespace {

constexpr int kSide = 30;

QImage Sprite(const char* name) {
    return QImage(QStringLiteral(":/sprites/%1.png").arg(QString::fromLatin1(name)));
}

// The pixel at (x, y) lands on (29 - y, x): a quarter turn clockwise.
QImage TurnedClockwise(const QImage& image) {
    QImage turned(kSide, kSide, QImage::Format_ARGB32);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) turned.setPixel(kSide - 1 - y, x, image.pixel(x, y));
    }
    return turned;
}

bool SamePixels(const QImage& a, const QImage& b) {
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
        }
    }
    return true;
}

bool IsGunBlack(QRgb pixel) {
    return qAlpha(pixel) == 255 && (pixel & 0xFFFFFF) == 0;
}

bool HasColour(const QImage& image, QColor colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour.rgba()) return true;
        }
    }
    return false;
}

struct GunBox {
    const char* drawing;
    int left, right, top, bottom;
};

constexpr std::array<GunBox, 8> kGuns = {{
    {"player_up", 21, 23, 1, 11},
    {"player_right", 18, 28, 21, 23},
    {"player_down", 6, 8, 18, 28},
    {"player_left", 1, 11, 6, 8},
    {"enemy_up", 21, 23, 1, 9},
    {"enemy_right", 20, 28, 21, 23},
    {"enemy_left", 1, 9, 6, 8},
    {"enemy_down", 6, 8, 20, 28},
}};

const QColor kKhaki(185, 188, 114);
const QColor kBlue(0, 93, 159);
const QColor kPink(230, 172, 172);

TEST(Sprites, EveryDrawingIsA30By30PictureWithTheFloorShowingAroundIt) {
    for (const GunBox& gun : kGuns) {
        SCOPED_TRACE(gun.drawing);
        const QImage image = Sprite(gun.drawing);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), kSide);
        EXPECT_EQ(image.height(), kSide);
        int clear = 0;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                EXPECT_TRUE(alpha == 0 || alpha == 255) << "half-transparent at " << x << "," << y;
                if (alpha == 0) ++clear;
            }
        }
        EXPECT_GT(clear, 0);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "the corners show the floor";
    }
}

TEST(Sprites, TheGunIsExactlyItsBoxOfBlackPixels) {
    for (const GunBox& gun : kGuns) {
        SCOPED_TRACE(gun.drawing);
        const QImage image = Sprite(gun.drawing);
        ASSERT_FALSE(image.isNull());
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const bool inBox =
                    x >= gun.left && x <= gun.right && y >= gun.top && y <= gun.bottom;
                EXPECT_EQ(IsGunBlack(image.pixel(x, y)), inBox) << "at " << x << "," << y;
            }
        }
    }
}

TEST(Sprites, ThePlayerTurnsAsOneFigureClockwise) {
    const std::array<const char*, 4> order = {"player_up", "player_right", "player_down",
                                              "player_left"};
    for (size_t i = 0; i < order.size(); ++i) {
        const char* next = order[(i + 1) % order.size()];
        SCOPED_TRACE(std::string(order[i]) + " turned to " + next);
        EXPECT_TRUE(SamePixels(TurnedClockwise(Sprite(order[i])), Sprite(next)));
    }
}

TEST(Sprites, TheEnemysSparePicturesAreTurnsOfOneAnother) {
    const QImage up = Sprite("enemy_up");
    const QImage right = Sprite("enemy_right");
    const QImage left = Sprite("enemy_left");
    EXPECT_TRUE(SamePixels(TurnedClockwise(up), right));
    EXPECT_TRUE(SamePixels(TurnedClockwise(TurnedClockwise(right)), left));
    EXPECT_TRUE(SamePixels(TurnedClockwise(left), up));
}

TEST(Sprites, TheEnemyThePlayerMeetsHasADrawingOfItsOwn) {
    EXPECT_FALSE(SamePixels(TurnedClockwise(Sprite("enemy_right")), Sprite("enemy_down")));
}

TEST(Sprites, ThePlayerIsKhakiAndTheEnemyBlueBothWithAPinkHand) {
    for (const GunBox& gun : kGuns) {
        SCOPED_TRACE(gun.drawing);
        const QImage image = Sprite(gun.drawing);
        const bool player = std::string(gun.drawing).starts_with("player");
        EXPECT_EQ(HasColour(image, kKhaki), player);
        EXPECT_EQ(HasColour(image, kBlue), !player);
        EXPECT_TRUE(HasColour(image, kPink));
    }
}

// The painter without Qt draws from a table of the same pixels, written beside the PNG files.
TEST(Sprites, ThePixelTableHoldsExactlyThePicturesOfThePngFiles) {
    for (const SpritePixels& table : kSpritePixels) {
        const QImage picture = Sprite(std::string(table.name).c_str());
        ASSERT_EQ(picture.size(), QSize(kSide, kSide)) << table.name;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const char key = table.rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
                const QColor colour = picture.pixelColor(x, y);
                if (key == '.') {
                    EXPECT_EQ(colour.alpha(), 0) << table.name << " " << x << "," << y;
                    continue;
                }
                bool found = false;
                for (const SpriteColour& entry : table.colours) {
                    if (entry.key != key) continue;
                    found = true;
                    EXPECT_EQ(colour, QColor(entry.red, entry.green, entry.blue))
                        << table.name << " " << x << "," << y;
                }
                EXPECT_TRUE(found) << table.name << " has no colour " << key;
            }
        }
    }
}

TEST(Icon, TheWindowsHaveTheGamesOwnIcon) {
    const QImage icon(QStringLiteral(":/icons/vexmire.png"));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.width(), icon.height());
    EXPECT_GE(icon.width(), 64);
    EXPECT_TRUE(HasColour(icon, kKhaki)) << "the player stands in it";
    for (int size : {16, 32, 48, 64, 128}) {
        const QImage smaller(QStringLiteral(":/icons/vexmire-%1.png").arg(size));
        EXPECT_EQ(smaller.size(), QSize(size, size));
    }
}

TEST(Icon, TheResourcePathsAreTheOnesTheWindowsLoad) {
    EXPECT_EQ(SpriteResource(u"player_right"), QStringLiteral(":/sprites/player_right.png"));
    EXPECT_EQ(IconResource(), QStringLiteral(":/icons/vexmire.png"));
}

}  // namespace

}  // namespace vexmire
