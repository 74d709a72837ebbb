// The page's way into the game: the functions page.js calls, and the page's side of the
// platform. Everything runs on the page's one thread, one call at a time.
#include <emscripten.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "platform/frame/frame_painter.h"
#include "scene/level.h"
#include "script/replay_script.h"
#include "script/script_recorder.h"
#include "web/page_controller.h"
#include "web/page_game.h"

namespace {

using namespace vexmire;

// clang-format off
EM_JS(void, PageBeep, (), { if (Module.vexmireBeep) Module.vexmireBeep(); });
EM_JS(void, PageShowWindow, (int window, int visible), {
    if (Module.vexmireShowWindow) Module.vexmireShowWindow(window, !!visible);
});
EM_JS(void, PageEnded, (int status, const char* why), {
    if (Module.vexmireEnded) Module.vexmireEnded(status, UTF8ToString(why));
});
// clang-format on

// Every game in the page is recorded, as on the desktop with --record, into a file in the
// module's memory that the player may download.
constexpr const char* kRecordingPath = "/vexmire.vxs";
int recordingFile = -1;
std::unique_ptr<ScriptRecorder> recorder;
std::unique_ptr<PageGame> game;
RgbaFrame frame(kClientWidth, kClientHeight);
std::string dialogText;
std::string dialogTitle;
PageController controller;

PagePlatform::Hooks PageHooks() {
    return {[] { PageBeep(); },
            [](Window window, bool visible) {
                PageShowWindow(window == Window::Game ? 1 : 2, visible ? 1 : 0);
            },
            {}};
}

void Leave(Ending ending, const std::string& why) {
    PageEnded(ExitStatus(ending), why.c_str());
}

// A fault of the program ends the game through the session, which tells the page; nothing of
// it may escape into the page's script.
template <typename Call>
void Guarded(Call call) {
    if (!game) return;
    try {
        call();
    } catch (const std::exception& fault) {
        game->session().End(Ending::Fault, fault.what());
    }
}

void StartRecording() {
    if (recordingFile >= 0) ::close(recordingFile);
    recordingFile = ::open(kRecordingPath, O_CREAT | O_TRUNC | O_RDWR, 0600);
    if (recordingFile < 0) return;
    recorder = std::make_unique<ScriptRecorder>(recordingFile, "the recording", std::cerr);
    if (recorder->Begin()) game->session().RecordTo(recorder.get());
}

}  // namespace

extern "C" {

// A game from start-up, recorded afresh: the page's first, and each replay's.
EMSCRIPTEN_KEEPALIVE void vexmire_start() {
    game.reset();  // before the recorder it records into
    recorder.reset();
    game = std::make_unique<PageGame>(PageHooks(), Leave);
    StartRecording();
    Guarded([] { game->Start(); });
}

// The recording so far, ticks not yet written included: a replay of it reaches the game's
// present state.
EMSCRIPTEN_KEEPALIVE const char* vexmire_recording() {
    static std::string text;
    text.clear();
    if (recorder) recorder->Finish();
    char chunk[4096];
    for (off_t at = 0; recordingFile >= 0;) {
        const ssize_t got = ::pread(recordingFile, chunk, sizeof chunk, at);
        if (got <= 0) break;
        text.append(chunk, static_cast<size_t>(got));
        at += got;
    }
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE void vexmire_new_game() {
    Guarded([] { game->Deliver(PlayerEvent::NewGame()); });
}

EMSCRIPTEN_KEEPALIVE void vexmire_quit() {
    Guarded([] { game->Deliver(PlayerEvent::Quit()); });
}

EMSCRIPTEN_KEEPALIVE void vexmire_key_down(int code) {
    Guarded([code] { game->Deliver(PlayerEvent::KeyDown(static_cast<int16_t>(code))); });
}

EMSCRIPTEN_KEEPALIVE void vexmire_key_up(int code) {
    Guarded([code] { game->Deliver(PlayerEvent::KeyUp(static_cast<int16_t>(code))); });
}

// The page's own pace: while a script plays, its ticks are the script's.
EMSCRIPTEN_KEEPALIVE void vexmire_tick() {
    Guarded([] {
        if (game->playing()) {
            game->Step();
        } else {
            game->Deliver(PlayerEvent::Ticks(1));
        }
    });
}

// The player's controller as it stands now: the buttons pressed (a bit each, by the standard
// layout's numbers) and the left stick. What it means, as PageController::Take gives it.
EMSCRIPTEN_KEEPALIVE const int32_t* vexmire_gamepad(int pressedButtons, double stickX,
                                                    double stickY) {
    return controller.Take(PadState(static_cast<uint32_t>(pressedButtons), stickX, stickY)).data();
}

EMSCRIPTEN_KEEPALIVE const int32_t* vexmire_gamepad_repeats() {
    return controller.Repeats().data();
}

EMSCRIPTEN_KEEPALIVE void vexmire_set_away(int away) {
    Guarded([away] { game->SetAway(away != 0); });
}

// Plays a test's script at once; the empty text, or why it was not played.
EMSCRIPTEN_KEEPALIVE const char* vexmire_play(const char* script) {
    static std::string error;
    ReplayScript read = ReadReplayScript(script != nullptr ? script : "", "script");
    error = read.message;
    if (read.status == 0) {
        Guarded([&read] { game->Play(std::move(read.events), PageGame::Pace::AtOnce); });
    }
    return error.c_str();
}

// The longest replay taken; the page hands over one byte more of a longer file, to be refused.
EMSCRIPTEN_KEEPALIVE int vexmire_longest_replay() {
    return static_cast<int>(kLongestReplay);
}

// Replays the `length` bytes of the file `name` from start-up, a tick at each of the page's
// ticks, as `vexmire --replay` does; the empty text, or the line that vexmire --replay prints
// when it refuses the file, and the game then goes on untouched.
EMSCRIPTEN_KEEPALIVE const char* vexmire_replay(const char* name, const char* bytes, int length) {
    static std::string refusal;
    ReplayScript read =
        ReadReplayScript(std::string(bytes, static_cast<size_t>(std::max(length, 0))), name);
    refusal = read.status == 0 ? "" : "vexmire: " + read.message;
    if (read.status != 0) return refusal.c_str();
    vexmire_start();
    Guarded([&read] { game->Play(std::move(read.events), PageGame::Pace::ByStep); });
    return refusal.c_str();
}

// Whether a script still has events to play.
EMSCRIPTEN_KEEPALIVE int vexmire_playing() {
    return game && game->playing() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void vexmire_answer(const char* text) {
    Guarded([text] { game->AnswerDialog(text != nullptr ? text : ""); });
}

// -1 when no dialog waits, 0 for a message box, 1 for the prompt.
EMSCRIPTEN_KEEPALIVE int vexmire_dialog_kind() {
    if (!game || !game->waitingDialog()) return -1;
    const PageDialog& dialog = *game->waitingDialog();
    dialogText = dialog.text;
    dialogTitle = dialog.title;
    return dialog.kind == PageDialog::Kind::Message ? 0 : 1;
}

EMSCRIPTEN_KEEPALIVE const char* vexmire_dialog_text() {
    return dialogText.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* vexmire_dialog_title() {
    return dialogTitle.c_str();
}

// The game window's picture now, as RGBA bytes of vexmire_frame_width() × height pixels.
EMSCRIPTEN_KEEPALIVE const void* vexmire_paint() {
    Guarded([] { PaintScene(game->shownScene(), frame); });
    return frame.pixels().data();
}

EMSCRIPTEN_KEEPALIVE int vexmire_frame_width() {
    return frame.width();
}

EMSCRIPTEN_KEEPALIVE int vexmire_frame_height() {
    return frame.height();
}

}  // extern "C"
