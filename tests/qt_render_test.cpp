#include <gtest/gtest.h>

#include <string>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "game/game.h"
#include "game/shell.h"
#include "platform/headless_platform.h"
#include "sim/render.h"

namespace vexmire {

namespace {

TEST(RenderCommand, WritesTheGameWindowAsAPngOfItsClientArea) {
    HeadlessPlatform platform;
    Game game(platform);
    Form_Load(game);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = QDir(folder.path()).filePath("shot.png").toStdString();
    std::string error;
    ASSERT_TRUE(RenderGameWindow(game.scene, path, error)) << error;
    const QImage shot(QString::fromStdString(path), "PNG");
    ASSERT_EQ(shot.size(), QSize(838, 759));
    EXPECT_EQ(shot.pixelColor(50, 50), QColor(128, 64, 0));
    EXPECT_EQ(shot.pixelColor(788, 668), QColor(0, 255, 0));
}

TEST(RenderCommand, AFileThatCannotBeWrittenIsReportedNotCrashedOn) {
    HeadlessPlatform platform;
    Game game(platform);
    std::string error;
    EXPECT_FALSE(RenderGameWindow(game.scene, "/nonexistent-folder/shot.png", error));
    EXPECT_NE(error.find("/nonexistent-folder/shot.png"), std::string::npos);
}

}  // namespace

}  // namespace vexmire
