"""The page served on 127.0.0.1 and a headless Chromium to play it, for the browser tests and the
page's benchmarks: Debian's chromium, chromium-driver and python3-selenium."""

import functools
import http.server
import shutil
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# Running as root needs --no-sandbox; the rest keep the browser from reaching out to the network.
CHROMIUM_FLAGS = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update",
                  "--disable-sync", "--window-size=1000,1000", "--force-device-scale-factor=1")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *arguments):
        pass


class PageServer:
    """The page's folder served on a free port of 127.0.0.1 until stop()."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = "http://127.0.0.1:%d/index.html" % self.server.server_address[1]

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


class Chromium:
    """A headless Chromium with a profile of its own, removed by quit()."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="vexmire-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in CHROMIUM_FLAGS + ("--user-data-dir=" + self.profile,):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver"))

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
