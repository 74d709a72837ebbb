#!/usr/bin/python3
"""The browser page played in a real, headless Chromium, served on 127.0.0.1 by the test itself.

    tests/browser/page_test.py PAGE_FOLDER VEXMIRE_SIM

Needs Debian's chromium, chromium-driver and python3-selenium (make test and make web-test
install them). The tests start their own headless Chromium with a fresh profile, load the page
afresh for each test, wait on the page's own state (window.vexmire.state()), never on the
clock, and fail on any error in the browser's console.
"""

import base64
import json
import os
import subprocess
import sys
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

from headless_page import Chromium, PageServer

HERE = os.path.dirname(os.path.abspath(__file__))
REPLAYS = os.path.join(os.path.dirname(HERE), "replays")
PAGE = SIM = None
# The controller's buttons, by the standard layout's numbers.
SOUTH, START = 0, 9


def script_without_answers(name):
    with open(os.path.join(REPLAYS, name), encoding="utf-8") as script:
        return "".join(line for line in script if not line.startswith("answer"))


def script_up_to(name, marker):
    """The script's lines before the first one that starts with `marker`."""
    lines = []
    with open(os.path.join(REPLAYS, name), encoding="utf-8") as script:
        for line in script:
            if line.startswith(marker):
                break
            lines.append(line)
    return "".join(lines)


# Compares the canvas with a PNG, every pixel, the labels' text included: the number of pixels
# that differ.
COMPARE = """
const [png, done] = arguments;
const picture = new Image();
picture.onload = () => {
    const canvas = document.getElementById('screen');
    const page = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const other = document.createElement('canvas');
    other.width = picture.width;
    other.height = picture.height;
    const context = other.getContext('2d');
    context.drawImage(picture, 0, 0);
    const sim = context.getImageData(0, 0, other.width, other.height).data;
    if (other.width !== canvas.width || other.height !== canvas.height) return done(-1);
    let differ = 0;
    for (let y = 0; y < canvas.height; ++y) {
        for (let x = 0; x < canvas.width; ++x) {
            const i = 4 * (y * canvas.width + x);
            if (page[i] !== sim[i] || page[i + 1] !== sim[i + 1] || page[i + 2] !== sim[i + 2]) {
                ++differ;
            }
        }
    }
    done(differ);
};
picture.src = 'data:image/png;base64,' + png;
"""


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = PageServer(PAGE)
        cls.url = cls.server.url
        cls.chromium = Chromium()

    @classmethod
    def tearDownClass(cls):
        cls.chromium.quit()
        cls.server.stop()

    # One browser for all, each test on a page loaded afresh with no key held.
    def setUp(self):
        self.browser = self.chromium.driver
        self.wait = WebDriverWait(self.browser, 20)
        ActionChains(self.browser).reset_actions()
        self.browser.get(self.url)
        self.wait_for(lambda state: state["loaded"] and state["title"])

    def tearDown(self):
        errors = [entry["message"] for entry in self.browser.get_log("browser")
                  if entry["level"] == "SEVERE"]
        self.assertEqual(errors, [], "the browser's console has errors")

    def state(self):
        return self.browser.execute_script("return window.vexmire.state();")

    def wait_for(self, condition):
        self.wait.until(lambda browser: condition(self.state()))

    def keys(self, *keys):
        ActionChains(self.browser).send_keys(*keys).perform()

    def play(self, script):
        self.assertEqual(self.browser.execute_script("return window.vexmire.play(arguments[0]);",
                                                     script), "")

    def sim_render(self, script):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "frame.png")
            run = subprocess.run([SIM], input=script + "render " + path + "\n", text=True,
                                 capture_output=True, check=False)
            self.assertEqual(run.returncode, 0, run.stderr)
            with open(path, "rb") as png:
                return base64.b64encode(png.read()).decode()

    def sim_final_state(self, script):
        """The game's state as vexmire-sim leaves it after the script, but for its tick count:
        the page ticks on its own at the title before a script is played."""
        run = subprocess.run([SIM], input=script + "state\n", text=True, capture_output=True,
                             check=False)
        self.assertEqual(run.returncode, 0, run.stderr)
        states = [json.loads(line)["state"] for line in run.stdout.splitlines()
                  if line.startswith('{"state"')]
        state = states[-1]
        del state["ticks"]
        return state

    def test_new_game_by_its_access_key_shows_the_game_and_ticks_run(self):
        self.keys("n")
        self.wait_for(lambda state: state["game"] and not state["title"])
        ticks = self.state()["ticks"]
        self.wait_for(lambda state: state["ticks"] >= ticks + 64)

    def test_the_canvas_is_the_game_windows_picture_to_the_pixel(self):
        # Up to the lever pulled: the game played on by the script alone, then held still.
        script = script_up_to("win_the_game.vxs", "# Back through the door")
        self.assertEqual(self.browser.execute_script(
            "const error = window.vexmire.play(arguments[0]); window.vexmire.hold(true);"
            "return error;", script), "")
        frames = self.state()["frames"]
        self.wait_for(lambda state: state["game"] and state["frames"] > frames)
        differ = self.browser.execute_async_script(COMPARE, self.sim_render(script))
        self.assertEqual(differ, 0)

    def hold_and_wait_for_a_frame(self):
        frames = self.browser.execute_script(
            "window.vexmire.hold(true); return window.vexmire.state().frames;")
        self.wait_for(lambda state: state["frames"] > frames)

    def test_a_game_played_by_keys_replays_in_vexmire_sim_to_the_same_picture(self):
        self.keys("n")
        self.wait_for(lambda state: state["game"])
        ActionChains(self.browser).key_down(Keys.ARROW_RIGHT).perform()
        ticks = self.state()["ticks"]
        self.wait_for(lambda state: state["ticks"] >= ticks + 40)
        ActionChains(self.browser).key_up(Keys.ARROW_RIGHT).send_keys("d").perform()
        self.keys(Keys.SPACE)
        ticks = self.state()["ticks"]
        self.wait_for(lambda state: state["ticks"] >= ticks + 20)
        self.hold_and_wait_for_a_frame()
        recording = self.browser.execute_script("return window.vexmire.recording();")
        for line in ("newgame", "keydown 39", "keyup 39", "keydown 32"):  # D walks as Right does
            self.assertIn("\n" + line + "\n", recording)
        # Held still, as a page that lost the keyboard: no tick reaches the rules meanwhile.
        frames = self.state()["frames"]
        self.wait_for(lambda state: state["frames"] >= frames + 30)
        self.assertEqual(self.browser.execute_script("return window.vexmire.recording();"),
                         recording)
        differ = self.browser.execute_async_script(COMPARE, self.sim_render(recording))
        self.assertEqual(differ, 0)

    def test_p_pauses_and_resumes_without_reaching_the_rules(self):
        self.keys("n")
        self.wait_for(lambda state: state["game"])
        ActionChains(self.browser).key_down(Keys.ARROW_RIGHT).perform()
        self.keys("p")
        self.wait_for(lambda state: state["paused"])
        recording = self.browser.execute_script("return window.vexmire.recording();")
        # Pausing lets go of the held arrow, as losing the keyboard does.
        self.assertTrue(recording.endswith("\nkeyup 39\n"), recording)
        frames = self.state()["frames"]
        self.keys(Keys.SPACE)
        self.wait_for(lambda state: state["frames"] >= frames + 30)
        self.assertEqual(self.browser.execute_script("return window.vexmire.recording();"),
                         recording)
        ActionChains(self.browser).key_up(Keys.ARROW_RIGHT).perform()
        self.keys("p")
        self.wait_for(lambda state: not state["paused"])
        ticks = self.state()["ticks"]
        self.wait_for(lambda state: state["ticks"] >= ticks + 10)
        self.assertNotIn("keydown 80", self.browser.execute_script(
            "return window.vexmire.recording();"))

    @staticmethod
    def lose_the_game_script():
        with open(os.path.join(REPLAYS, "lose_the_game.vxs"), encoding="utf-8") as script:
            return script.read()

    def test_a_game_lost_ends_after_its_message_and_replays_to_the_same_state(self):
        original = self.lose_the_game_script()
        self.play(original)
        self.wait_for(lambda state: state["dialog"])
        self.assertEqual(self.browser.find_element(By.ID, "message-text").text,
                         "You have run out of health!")
        self.keys(Keys.ENTER)
        self.wait_for(lambda state: state["ended"])
        recording = self.browser.execute_script("return window.vexmire.recording();")
        self.assertEqual(self.sim_final_state(recording), self.sim_final_state(original))

    def test_the_whole_game_is_won_with_its_dialogs_answered_by_keyboard(self):
        with open(os.path.join(REPLAYS, "win_the_game.vxs"), encoding="utf-8") as script:
            original = script.read()
        self.play(script_without_answers("win_the_game.vxs"))
        self.wait_for(lambda state: state["dialog"])
        self.assertEqual(self.browser.find_element(By.ID, "message-title").text, "Clue!")
        self.keys(Keys.ENTER)
        self.wait_for(lambda state: state["dialog"] and
                      self.browser.find_element(By.ID, "prompt").get_attribute("open"))
        self.keys("3916", Keys.ENTER)
        self.wait_for(lambda state: state["dialog"] and
                      self.browser.find_element(By.ID, "message-title").text == "Game Over!")
        self.keys(Keys.ENTER)
        self.wait_for(lambda state: state["ended"])
        self.assertTrue(self.browser.find_element(By.ID, "over").is_displayed())
        # The page's recording, the answer typed in it included, wins the same game.
        recording = self.browser.execute_script("return window.vexmire.recording();")
        self.assertIn("\nanswer 3916\n", recording)
        self.assertEqual(self.sim_final_state(recording), self.sim_final_state(original))

    def recording(self):
        return self.browser.execute_script("return window.vexmire.recording();")

    def test_a_hidden_tab_runs_no_tick_lets_go_of_the_held_key_and_shows_the_same_game(self):
        # What the game was when the tab was hidden and when it was shown, held still from then.
        self.browser.execute_script(
            "window.seen = []; document.addEventListener('visibilitychange', () => {"
            "    seen.push([document.visibilityState, window.vexmire.recording()]);"
            "    if (!document.hidden) window.vexmire.hold(true);"
            "});")
        self.keys("n")
        self.wait_for(lambda state: state["game"])
        ActionChains(self.browser).key_down(Keys.ARROW_RIGHT).perform()
        ticks = self.state()["ticks"]
        self.wait_for(lambda state: state["ticks"] >= ticks + 10)
        # Another tab in front for a second of its own game hides this one for real.
        page = self.browser.current_window_handle
        self.browser.switch_to.new_window("tab")
        self.browser.get(self.url)
        self.wait_for(lambda state: state["loaded"] and state["title"])
        self.keys("n")
        self.wait_for(lambda state: state["ticks"] >= 64)
        self.browser.close()
        self.browser.switch_to.window(page)
        self.wait_for(lambda state: state["paused"])
        frames = self.state()["frames"]
        self.wait_for(lambda state: state["frames"] > frames)
        seen = self.browser.execute_script("return window.seen;")
        self.assertEqual([visibility for visibility, _ in seen], ["hidden", "visible"])
        hidden, shown = seen[0][1], seen[1][1]
        self.assertTrue(hidden.endswith("\nkeyup 39\n"), hidden[-40:])
        self.assertEqual(shown, hidden, "the game moved while the tab was hidden")
        recording = self.recording()
        self.assertEqual(recording, shown)
        differ = self.browser.execute_async_script(COMPARE, self.sim_render(recording))
        self.assertEqual(differ, 0)

    def test_f11_and_the_button_ask_for_full_screen_and_reach_no_rule(self):
        self.keys("n")
        self.wait_for(lambda state: state["game"])
        self.browser.find_element(By.ID, "full-screen").click()
        self.wait_for(lambda state: state["fullScreenRequests"] == 1 and state["fullScreen"])
        self.keys(Keys.F11)
        self.wait_for(lambda state: state["fullScreenRequests"] == 2 and not state["fullScreen"])
        self.assertNotIn("keydown 122", self.recording())

    def test_quit_rings_the_bell_through_web_audio_and_ends_the_game(self):
        self.keys("q")
        self.wait_for(lambda state: state["ended"])
        self.assertEqual(self.state()["bells"], 1)
        self.assertTrue(self.browser.find_element(By.ID, "over").is_displayed())

    def pick_replay(self, path):
        self.browser.find_element(By.ID, "replay-file").send_keys(path)

    def test_a_desktop_recording_picked_replays_at_its_pace_to_vexmire_sims_game(self):
        path = os.path.join(REPLAYS, "walk_right_to_wall.vxs")
        with open(path, encoding="utf-8") as script:
            original = script.read()
        ticks = self.state()["ticks"]
        self.pick_replay(path)
        self.wait_for(lambda state: state["replaying"])
        self.keys(Keys.ARROW_LEFT)  # the player's keys do not reach a replay
        self.wait_for(lambda state: state["replayOver"])
        self.assertGreaterEqual(self.state()["ticks"] - ticks, 100)  # its 100 ticks, one a tick
        recording = self.recording()
        self.assertNotIn("keydown 37", recording)
        self.assertEqual(self.sim_final_state(recording), self.sim_final_state(original))
        self.hold_and_wait_for_a_frame()
        differ = self.browser.execute_async_script(COMPARE, self.sim_render(original))
        self.assertEqual(differ, 0)

    def test_a_malformed_or_oversized_replay_gets_the_desktops_line_and_the_page_plays_on(self):
        script = "newgame\ntick 5\nbounce 3\n"
        run = subprocess.run([SIM], input=script, text=True, capture_output=True, check=False)
        what = run.stderr.strip().split(": ", 2)[2]  # vexmire-sim: line 3: WHAT
        drop = ("const file = new File([arguments[0]], 'bad.vxs');"
                "const files = new DataTransfer(); files.items.add(file);"
                "document.body.dispatchEvent(new DragEvent('drop',"
                "    {dataTransfer: files, bubbles: true, cancelable: true}));")
        self.browser.execute_script(drop, script)
        self.wait_for(lambda state: state["replayNote"] != "")
        self.assertEqual(self.state()["replayNote"], "vexmire: bad.vxs:3: " + what)
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "big.vxs")
            with open(path, "wb") as big:
                big.truncate(16 * 1024 * 1024 + 1)
            self.pick_replay(path)
            self.wait_for(lambda state: state["replayNote"].startswith("vexmire: big.vxs"))
        self.assertEqual(self.state()["replayNote"], "vexmire: big.vxs: the script is longer "
                         "than 16 MiB, which no recording of a game comes near")
        self.assertFalse(self.state()["replaying"])
        self.keys("n")
        self.wait_for(lambda state: state["game"])
        ticks = self.state()["ticks"]
        self.wait_for(lambda state: state["ticks"] >= ticks + 10)

    # A controller of the standard layout, as the Gamepad API gives one, that the test moves.
    def plug_in_a_controller(self):
        self.browser.execute_script(
            "window.pad = {index: 0, id: 'test', mapping: 'standard', connected: true,"
            "    buttons: Array.from({length: 17}, () => ({pressed: false, value: 0})),"
            "    axes: [0, 0, 0, 0]};"
            "Object.defineProperty(navigator, 'getGamepads', {value: () => [window.pad]});"
            "const plugged = new Event('gamepadconnected');"
            "plugged.gamepad = window.pad;"
            "window.dispatchEvent(plugged);")

    # Stands the controller so until the page has read it, which it does at each of its frames.
    def controller(self, buttons=(), stick=(0, 0)):
        self.browser.execute_async_script(
            "const [buttons, stick, read] = arguments;"
            "window.pad.buttons.forEach((button, number) => {"
            "    button.pressed = buttons.includes(number); });"
            "window.pad.axes[0] = stick[0]; window.pad.axes[1] = stick[1];"
            "requestAnimationFrame(() => requestAnimationFrame(read));",
            list(buttons), list(stick))

    def wait_for_recording(self, condition):
        self.wait.until(lambda browser: condition(self.recording()))

    def test_a_controller_walks_fires_pauses_and_its_unplugging_pauses_as_keys_would(self):
        self.plug_in_a_controller()
        self.controller([SOUTH])  # New Game
        self.wait_for(lambda state: state["game"])
        self.controller()
        # The stick held right walks and repeats as a held key; South fires.
        self.controller(stick=(1, 0.1))
        self.wait_for_recording(lambda recording: recording.count("\nkeydown 39\n") >= 2)
        self.controller([SOUTH], stick=(1, 0.1))
        self.wait_for_recording(lambda recording: "\nkeydown 32\n" in recording)
        self.controller()
        self.wait_for_recording(lambda recording: "\nkeyup 39\nkeyup 32\n" in recording)
        self.controller([START])
        self.wait_for(lambda state: state["paused"])
        self.controller()
        self.controller([START])
        self.wait_for(lambda state: not state["paused"])
        self.controller(stick=(-1, 0))
        self.wait_for_recording(lambda recording: "\nkeydown 37\n" in recording)
        self.browser.execute_script(
            "const unplugged = new Event('gamepaddisconnected');"
            "unplugged.gamepad = window.pad;"
            "window.pad.connected = false;"
            "window.pad = null;"
            "window.dispatchEvent(unplugged);")
        self.assertTrue(self.state()["paused"])
        # The held direction was let go before the pause, and only the keys reached the rules.
        recording = self.recording()
        self.assertTrue(recording.endswith("\nkeyup 37\n"), recording[-40:])
        self.assertEqual(sorted(set(line.split()[0] for line in recording.splitlines()
                                    if line and not line.startswith("#"))),
                         ["keydown", "keyup", "newgame", "tick"])
        differ = self.browser.execute_async_script(COMPARE, self.sim_render(recording))
        self.assertEqual(differ, 0)

    def test_a_controllers_south_answers_a_message_only_when_pressed_after_it_opened(self):
        self.plug_in_a_controller()
        # South chooses New Game and stays down while the game is lost at once.
        error = self.browser.execute_async_script(
            "const [script, done] = arguments;"
            "window.pad.buttons[0].pressed = true;"
            "const lose = () => window.vexmire.state().game ?"
            "    done(window.vexmire.play(script)) : requestAnimationFrame(lose);"
            "requestAnimationFrame(lose);",
            self.lose_the_game_script().replace("newgame\n", "", 1))
        self.assertEqual(error, "")
        self.wait_for(lambda state: state["dialogSettled"])
        self.controller([SOUTH])
        self.assertTrue(self.state()["dialog"])
        self.controller()
        self.controller([SOUTH])
        self.wait_for(lambda state: state["ended"])


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: page_test.py PAGE_FOLDER VEXMIRE_SIM [unittest options]")
    PAGE, SIM = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)
