#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

#include "platform/painter/filled_frame.h"
#include "platform/painter/frame_layout.h"
#include "platform/painter/painter.h"
#include "tests/qt_game_fixture.h"

namespace vexmire {

// The game full screen: each of its pixels a square of the screen's at the largest whole factor
// that fits, centred on black, or the frame filling the screen's height where only 1x fits; and
// back to the window exactly as it was.
namespace {

const QSize kFrame(838, 759);

TEST(FrameLayout, TheLargestWholeFactorThatFitsCentredWhereItIsTwoOrMore) {
    const FrameLayout uhd = LayOutFrame({3840, 2160}, kFrame);
    EXPECT_EQ(uhd.wholeFactor, 2);
    EXPECT_EQ(uhd.target, QRect(1082, 321, 1676, 1518));
    const FrameLayout large = LayOutFrame({2560, 2400}, kFrame);
    EXPECT_EQ(large.wholeFactor, 3);
    EXPECT_EQ(large.target, QRect(23, 61, 2514, 2277));
    // A window of exactly the frame's size at a whole factor, as the game's own window is.
    EXPECT_EQ(LayOutFrame(kFrame, kFrame).target, QRect(QPoint(0, 0), kFrame));
    EXPECT_EQ(LayOutFrame(kFrame, kFrame).wholeFactor, 1);
    EXPECT_EQ(LayOutFrame(kFrame * 2, kFrame).wholeFactor, 2);
}

TEST(FrameLayout, WhereOnlyOnceFitsTheFrameFillsTheHeightOrTheWidthAtItsProportions) {
    const FrameLayout fullHd = LayOutFrame({1920, 1080}, kFrame);
    EXPECT_FALSE(fullHd.whole());
    EXPECT_EQ(fullHd.upFactor, 2);
    EXPECT_EQ(fullHd.target, QRect(364, 0, 1192, 1080));
    const FrameLayout tall = LayOutFrame({900, 2000}, kFrame);
    EXPECT_EQ(tall.target, QRect(0, 592, 900, 815));
    // A screen smaller than the game: the frame is only brought down.
    const FrameLayout small = LayOutFrame({800, 600}, kFrame);
    EXPECT_EQ(small.upFactor, 1);
    EXPECT_EQ(small.target, QRect(69, 0, 662, 600));
    EXPECT_TRUE(LayOutFrame({0, 0}, kFrame).target.isEmpty());
}

TEST(FrameLayout, AtAWholeFactorEachPixelIsASharpSquare) {
    QImage frame(3, 2, QImage::Format_RGB32);
    frame.fill(Qt::white);
    frame.setPixel(1, 0, qRgb(255, 0, 0));
    const QImage scaled = ScaleFrame(frame, LayOutFrame({7, 5}, frame.size()));
    ASSERT_EQ(scaled.size(), QSize(6, 4));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool red = y < 2 && (x == 2 || x == 3);
            EXPECT_EQ(scaled.pixel(x, y), red ? qRgb(255, 0, 0) : qRgb(255, 255, 255))
                << x << "," << y;
        }
    }
}

// A frame with no two neighbouring pixels alike, so that any smoothing shows.
QImage Patterned(QSize size, int seed) {
    QImage frame(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            frame.setPixel(x, y,
                           qRgb((x * 37 + seed) & 255, (y * 91 + x * 13) & 255, (x ^ y) & 255));
        }
    }
    return frame;
}

TEST(FilledFrame, RowsDrawnAgainAfterAChangeAreExactlyThoseOfAPictureDrawnAtOnce) {
    for (const QSize screen : {QSize(1920, 1080), QSize(2560, 1440), QSize(800, 600)}) {
        const FrameLayout layout = LayOutFrame(screen, kFrame);
        ASSERT_FALSE(layout.whole());
        FilledFrame filled;
        filled.Update(Patterned(kFrame, 0), QRect(QPoint(0, 0), kFrame), layout);
        QImage changed = Patterned(kFrame, 0);
        const QRegion area = QRegion(24, 256, 30, 30) + QRegion(0, 0, 9, 9) +
                             QRegion(829, 750, 9, 9) + QRegion(400, 377, 1, 1);
        const QImage other = Patterned(kFrame, 101);
        QPainter painter(&changed);
        for (const QRect& rect : area) painter.drawImage(rect.topLeft(), other, rect);
        painter.end();
        filled.Update(changed, area, layout);
        EXPECT_EQ(filled.image(), FillWithFrame(changed, layout)) << screen.width();
    }
}

class FullScreenTest : public QtGameTest {
  protected:
    FullScreenTest() {
        NewGame();
        Play(4);
    }

    void TapF11() {
        SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_F11);
        SendKey(&gameWindow, QEvent::KeyRelease, Qt::Key_F11);
        QCoreApplication::processEvents();
    }
    // Moves the game window onto the test's screen called `name`.
    bool OnScreen(const QString& name) {
        for (QScreen* screen : QGuiApplication::screens()) {
            if (screen->name() != name) continue;
            gameWindow.windowHandle()->setScreen(screen);
            gameWindow.move(screen->geometry().topLeft() + QPoint(40, 30));
            QCoreApplication::processEvents();
            return gameWindow.screen() == screen;
        }
        return false;
    }
    // What the screen shows full screen: the frame as the layout places it, black around it.
    QImage Expected(const QImage& frame) {
        QImage expected(gameWindow.size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        const FrameLayout layout = gameWindow.Layout();
        QPainter painter(&expected);
        painter.drawImage(layout.target.topLeft(), ScaleFrame(frame, layout));
        return expected;
    }
};

TEST_F(FullScreenTest, F11ShowsTheFrameFullScreenAndF11AgainRestoresTheWindowExactly) {
    const QRect windowed = gameWindow.geometry();
    TapF11();
    ASSERT_TRUE(gameWindow.isFullScreen());
    EXPECT_EQ(gameWindow.size(), gameWindow.screen()->geometry().size());
    EXPECT_TRUE(gameWindow.pointer().hiding());
    EXPECT_EQ(gameWindow.cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(Shown(), Expected(RenderScene(game.scene)));
    // Play goes on full screen, and what a tick changes is drawn there.
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    Play(3);
    EXPECT_EQ(Shown(), Expected(RenderScene(game.scene)));

    TapF11();
    EXPECT_FALSE(gameWindow.isFullScreen());
    EXPECT_EQ(gameWindow.geometry(), windowed);
    EXPECT_EQ(gameWindow.minimumSize(), gameWindow.maximumSize());
    EXPECT_FALSE(gameWindow.pointer().hiding());
    EXPECT_EQ(Shown(), RenderScene(game.scene));
}

TEST_F(FullScreenTest, OnA3840By2160ScreenEachPixelIsASquareOfTwoCentredOnBlack) {
    ASSERT_TRUE(OnScreen("uhd"));
    TapF11();
    ASSERT_EQ(gameWindow.size(), QSize(3840, 2160));
    ASSERT_EQ(gameWindow.Layout().wholeFactor, 2);
    const QImage shown = Shown();
    const QImage frame = RenderScene(game.scene);
    EXPECT_EQ(shown.copy(1082, 321, 1676, 1518),
              frame.scaled(frame.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    EXPECT_EQ(shown, Expected(frame));
}

TEST_F(FullScreenTest, OnA1920By1080ScreenTheFrameFillsTheHeight) {
    ASSERT_TRUE(OnScreen("full-hd"));
    const QRect windowed = gameWindow.geometry();
    TapF11();
    ASSERT_EQ(gameWindow.Layout().target, QRect(364, 0, 1192, 1080));
    EXPECT_EQ(Shown(), Expected(RenderScene(game.scene)));
    // Only the rows that a step changes are drawn again, exactly as the whole picture.
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Down);
    Play(5);
    EXPECT_EQ(Shown(), Expected(RenderScene(game.scene)));
    TapF11();
    EXPECT_EQ(gameWindow.geometry(), windowed);
}

// Today's window managers make a window full screen from its menu or a key of their own.
TEST_F(FullScreenTest, FullScreenByTheWindowManagerLooksAsF11sAndGoesBackAsWell) {
    const QRect windowed = gameWindow.geometry();
    gameWindow.setWindowState(Qt::WindowFullScreen);
    QCoreApplication::processEvents();
    EXPECT_EQ(gameWindow.size(), gameWindow.screen()->geometry().size());
    EXPECT_TRUE(gameWindow.pointer().hiding());
    EXPECT_EQ(Shown(), Expected(RenderScene(game.scene)));
    gameWindow.setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    EXPECT_EQ(gameWindow.geometry(), windowed);
    EXPECT_EQ(Shown(), RenderScene(game.scene));
}

TEST_F(FullScreenTest, APointerThatMovesShowsUntilItRestsAgain) {
    TapF11();
    QMouseEvent move(QEvent::MouseMove, QPointF(400, 300), QPointF(400, 300), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&gameWindow, &move);
    EXPECT_NE(gameWindow.cursor().shape(), Qt::BlankCursor);
    gameWindow.pointer().Rested();
    EXPECT_EQ(gameWindow.cursor().shape(), Qt::BlankCursor);
}

// Neither F11 nor its release is a key of the game: the figure walks on.
TEST_F(FullScreenTest, F11NeverReachesTheRules) {
    SendKey(&gameWindow, QEvent::KeyPress, Qt::Key_Right);
    TapF11();
    EXPECT_EQ(game.vars.playerDX, 2);
    TapF11();
}

}  // namespace

}  // namespace vexmire
