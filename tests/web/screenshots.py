#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Saves the page as make screenshot shows it (en-US), in headless Chromium, Firefox ESR and
WebKitGTK. In Chromium: the exact window as it opens, after the worked example and with the
error report open; and the phone view upright (375 by 667 CSS pixels, and the narrowest,
320 by 568) and on its side (844 by 390), after the worked example and with the report.
In Firefox and WebKitGTK: the exact window after the worked example, and the phone view at
375 by 667 after the worked example and with the report.

Usage: screenshots.py SITE_FOLDER OUTPUT_FOLDER [ENGINE...]"""

import os
import sys

from selenium.webdriver.common.by import By
from selenium.webdriver.webkitgtk import service as webkit_service

import page_driver


class _CompositingWebKitService(webkit_service.Service):
    """WebKitWebDriver 2.50 never answers a screenshot while MiniBrowser draws without
    compositing, as the page's tests run it: the pictures are taken with compositing on."""

    def __init__(self, *args, env=None, **kwargs):
        env = {k: v for k, v in (env or {}).items() if k != "WEBKIT_DISABLE_COMPOSITING_MODE"}
        super().__init__(*args, env=env, **kwargs)


webkit_service.Service = _CompositingWebKitService

# The window and the page's margin, exactly.
EXACT = (511, 456)
# Per engine: the exact window's pictures (as it opens, after the worked example, with the
# report; None where not taken), then the phone viewports with the names of their pictures
# after the worked example and with the report.
SHOTS = {
    "chromium": (("quorvel-web.png", "quorvel-web-calculated.png", "quorvel-web-report.png"),
                 [((375, 667), "quorvel-web-phone.png", "quorvel-web-phone-report.png"),
                  ((320, 568), "quorvel-web-phone-320.png", None),
                  ((844, 390), "quorvel-web-phone-landscape.png",
                   "quorvel-web-phone-landscape-report.png")]),
    "firefox": ((None, "quorvel-web-firefox-calculated.png", None),
                [((375, 667), "quorvel-web-firefox-phone.png",
                  "quorvel-web-firefox-phone-report.png")]),
    "webkit": ((None, "quorvel-web-webkit-calculated.png", None),
               [((375, 667), "quorvel-web-webkit-phone.png",
                 "quorvel-web-webkit-phone-report.png")]),
}


def worked_example(driver):
    driver.find_element(By.ID, "Option1").click()
    for field, text in {"Text5": "7", "Text6": "20", "Text7": "2", "Text10": "1000"}.items():
        driver.find_element(By.ID, field).send_keys(text)
    driver.find_element(By.ID, "Command1").click()


def settle(driver):
    """Fonts and pictures in, and one more frame drawn."""
    driver.execute_script("return document.fonts.ready.then(() => new Promise("
                          "(done) => requestAnimationFrame(() => requestAnimationFrame(done))));")


def open_page(driver, server):
    driver.get(server.url)
    page_driver.wait_for_window(driver)
    settle(driver)


def engine_shots(engine, server):
    (opened, calculated, report), phones = SHOTS[engine]
    shots = []
    driver = page_driver.open_browser(engine, "en-US", *EXACT)
    try:
        page_driver.set_viewport(driver, *EXACT)
        open_page(driver, server)
        if opened:
            shots.append((opened, driver.get_screenshot_as_png()))
        worked_example(driver)
        settle(driver)
        shots.append((calculated, driver.get_screenshot_as_png()))
        if report:
            open_page(driver, server)
            driver.find_element(By.ID, "Command1").click()  # times empty: division by zero
            settle(driver)
            shots.append((report, driver.get_screenshot_as_png()))
        for (width, height), calculated, report in phones:
            page_driver.set_viewport(driver, width, height)
            open_page(driver, server)
            worked_example(driver)
            # "Calcular" and its result at the foot of the screen, as after pressing it.
            driver.execute_script("document.getElementById('Frame1')"
                                  ".scrollIntoView({block: 'end'});")
            settle(driver)
            shots.append((calculated, driver.get_screenshot_as_png()))
            if report:
                driver.find_element(By.ID, "Text5").clear()
                driver.find_element(By.ID, "Command1").click()  # division by zero
                settle(driver)
                shots.append((report, driver.get_screenshot_as_png()))
    finally:
        driver.quit()
    return shots


def main(site, out, engines):
    server = page_driver.SiteServer(site)
    try:
        for engine in engines:
            for name, png in engine_shots(engine, server):
                with open(os.path.join(out, name), "wb") as f:
                    f.write(png)
                print(f"wrote {os.path.join(out, name)} ({engine})")
    finally:
        server.stop()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3:] or list(SHOTS))
