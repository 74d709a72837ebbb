#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include "platform/qt/desktop_bell.h"

namespace vexmire {

namespace {

// A sound server that is not there: libcanberra's PulseAudio driver, pointed at no server.
class NoSoundServer : public ::testing::Test {
  protected:
    NoSoundServer() {
        qputenv("CANBERRA_DRIVER", QByteArray("pulse"));
        qputenv("PULSE_SERVER", QByteArray("unix:/nonexistent/vexmire-test/native"));
    }
    ~NoSoundServer() override {
        qunsetenv("CANBERRA_DRIVER");
        qunsetenv("PULSE_SERVER");
    }
};

TEST_F(NoSoundServer, TheBellFallsBackToTheWindowSystemsBellEveryTimeAndNothingWaits) {
    int windowSystemBells = 0;
    DesktopBell bell([&] { ++windowSystemBells; });
    EXPECT_EQ(bell.Ring(), DesktopBell::Sound::WindowSystem);
    EXPECT_EQ(windowSystemBells, 1);
    // The server is not looked for again at every ring.
    EXPECT_EQ(bell.Ring(), DesktopBell::Sound::WindowSystem);
    EXPECT_EQ(windowSystemBells, 2);
    // Nothing is playing, so the end of the program has nothing to wait for: this returns at
    // once, and a test that hung here would be stopped by CTest's time-out.
    bell.LetTheSoundFinish(std::chrono::hours(1));
}

// Without a sound server or a card to play on, the window system's bell rings at once, before a
// sound library could print its failures.
TEST(SoundOutput, IsASoundServersSocketOrACardsPlaybackDevice) {
    QTemporaryDir runtime;
    QTemporaryDir devices;
    const std::string runtimeFolder = runtime.path().toStdString();
    const std::string soundDevices = devices.path().toStdString();
    QFile(devices.filePath("controlC0")).open(QIODevice::WriteOnly);
    QFile(devices.filePath("pcmC0D0c")).open(QIODevice::WriteOnly);  // a microphone only
    EXPECT_FALSE(SoundOutputIn(runtimeFolder, soundDevices));
    EXPECT_FALSE(SoundOutputIn("", "/nonexistent/vexmire-test"));

    QFile(devices.filePath("pcmC0D0p")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(SoundOutputIn(runtimeFolder, soundDevices));
    QTemporaryDir noCards;
    QDir(runtime.path()).mkpath("pulse");
    QFile(runtime.filePath("pulse/native")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(SoundOutputIn(runtimeFolder, noCards.path().toStdString()));
}

}  // namespace

}  // namespace vexmire
