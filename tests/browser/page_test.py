#!/usr/bin/python3
"""The browser page played in a real, headless Chromium, served on 127.0.0.1 by the test itself.

    tests/browser/page_test.py PAGE_FOLDER VEXMIRE_SIM

Needs Debian's chromium, chromium-driver and python3-selenium (make web-test installs them). The
test waits on the page's own state (window.vexmire.state()), never on the clock.
"""

import base64
import functools
import http.server
import json
import os
import subprocess
import sys
import tempfile
import threading
import unittest

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

HERE = os.path.dirname(os.path.abspath(__file__))
REPLAYS = os.path.join(os.path.dirname(HERE), "replays")
PAGE = SIM = None



class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *arguments):
        pass


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
        handler = functools.partial(QuietHandler, directory=PAGE)
        cls.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()
        cls.url = "http://127.0.0.1:%d/index.html" % cls.server.server_address[1]

    @classmethod
    def tearDownClass(cls):
        cls.server.shutdown()
        cls.server.server_close()

    def setUp(self):
        options = webdriver.ChromeOptions()
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                         "--window-size=1000,1000", "--force-device-scale-factor=1"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.browser = webdriver.Chrome(options=options)
        self.addCleanup(self.browser.quit)
        self.wait = WebDriverWait(self.browser, 20)
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

    def test_a_game_lost_ends_after_its_message_and_replays_to_the_same_state(self):
        with open(os.path.join(REPLAYS, "lose_the_game.vxs"), encoding="utf-8") as script:
            original = script.read()
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


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: page_test.py PAGE_FOLDER VEXMIRE_SIM [unittest options]")
    PAGE, SIM = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)
