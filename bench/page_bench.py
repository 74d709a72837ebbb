#!/usr/bin/python3
"""The page's figures in a headless Chromium, one NAME=VALUE line each: the time from navigation
to the title screen (a fresh browser, then later loads), the cost of one of the page's ticks in
WebAssembly in a busy moment of play, and the page's pacing while walking.

    bench/page_bench.py PAGE_FOLDER
"""

import os
import statistics
import sys

from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "browser"))
from headless_page import Chromium, PageServer  # noqa: E402

FRESH_BROWSERS = 3
LATER_LOADS = 5
TICK_ROUNDS = 21
TICKS_A_ROUND = 640
PACING_TICKS = 640  # ten seconds of play

# A moment of play that stays busy: six balls fired while walking right, then walking on into
# the wall at 212, which pushes the player back out every tick.
BUSY = "newgame\n" + "keydown 32\nkeydown 39\ntick 8\n" * 6


def page_state(driver):
    return driver.execute_script("return window.vexmire && window.vexmire.state();")


def wait_for(driver, condition, seconds=30):
    WebDriverWait(driver, seconds).until(lambda d: (lambda s: s and condition(s))(page_state(d)))


def title_shown_ms(driver, url):
    driver.get(url)
    wait_for(driver, lambda state: state["titleShownAt"] is not None)
    return page_state(driver)["titleShownAt"]


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def main():
    server = PageServer(os.path.abspath(sys.argv[1]))
    fresh = []
    for _ in range(FRESH_BROWSERS):
        chromium = Chromium()
        try:
            fresh.append(title_shown_ms(chromium.driver, server.url))
        finally:
            chromium.quit()
    chromium = Chromium()
    driver = chromium.driver
    try:
        later = [title_shown_ms(driver, server.url) for _ in range(LATER_LOADS)]

        # Each round from the same busy moment; the page runs nothing else in between.
        rounds = []
        for _ in range(TICK_ROUNDS):
            driver.get(server.url)
            wait_for(driver, lambda state: state["title"])
            rounds.append(driver.execute_script(
                "window.vexmire.play(arguments[0]);"
                "return window.vexmire.timeTicks(arguments[1]);", BUSY, TICKS_A_ROUND))
        tick_us = statistics.median(rounds) * 1000 / TICKS_A_ROUND

        driver.get(server.url)
        wait_for(driver, lambda state: state["title"])
        driver.execute_script("window.vexmire.play('newgame\\n');")
        start = page_state(driver)["ticks"]
        wait_for(driver, lambda state: state["ticks"] >= start + PACING_TICKS + 1, 60)
        times = driver.execute_script("return window.vexmire.tickTimes();")[-PACING_TICKS - 1:]
    finally:
        chromium.quit()
        server.stop()

    intervals = [later - earlier for earlier, later in zip(times, times[1:])]
    print("fresh_title_ms=%.0f" % statistics.median(fresh))
    print("later_title_ms=%.0f" % statistics.median(later))
    print("tick_us=%.2f" % tick_us)
    print("ticks_per_s=%.3f" % (len(intervals) * 1000 / (times[-1] - times[0])))
    print("p50_ms=%.1f" % percentile(intervals, 0.50))
    print("p99_ms=%.1f" % percentile(intervals, 0.99))
    print("max_ms=%.1f" % max(intervals))


if __name__ == "__main__":
    main()
