#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Saves the page as make screenshot shows it, in headless Chromium (en-US): as it opens,
after the worked example and with the error report open; and the phone view on a phone
upright (375 by 667 CSS pixels, and the narrowest, 320 by 568) and on its side (844 by 390),
after the worked example and with the error report open.

Usage: screenshots.py SITE_FOLDER OUTPUT_FOLDER"""

import os
import sys

from selenium.webdriver.common.by import By

import page_driver

# Viewport, and the names of the pictures after the worked example and with the report.
PHONES = [((375, 667), "quorvel-web-phone.png", "quorvel-web-phone-report.png"),
          ((320, 568), "quorvel-web-phone-320.png", None),
          ((844, 390), "quorvel-web-phone-landscape.png", "quorvel-web-phone-landscape-report.png")]


def worked_example(driver):
    driver.find_element(By.ID, "Option1").click()
    for field, text in {"Text5": "7", "Text6": "20", "Text7": "2", "Text10": "1000"}.items():
        driver.find_element(By.ID, field).send_keys(text)
    driver.find_element(By.ID, "Command1").click()


def settle(driver):
    """Fonts and pictures in, and one more frame drawn."""
    driver.execute_script("return document.fonts.ready.then(() => new Promise("
                          "(done) => requestAnimationFrame(() => requestAnimationFrame(done))));")


def main(site, out):
    server = page_driver.SiteServer(site)
    shots = []
    try:
        driver = page_driver.chromium("en-US", 520, 470)
        try:
            # The window and the page's margin, exactly: a viewport of 511 by 456 CSS pixels.
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": 511, "height": 456, "deviceScaleFactor": 1, "mobile": False})
            driver.get(server.url)
            page_driver.wait_for_window(driver)
            settle(driver)
            shots.append(("quorvel-web.png", driver.get_screenshot_as_png()))
            worked_example(driver)
            settle(driver)
            shots.append(("quorvel-web-calculated.png", driver.get_screenshot_as_png()))
            driver.get(server.url)
            page_driver.wait_for_window(driver)
            driver.find_element(By.ID, "Command1").click()  # times empty: division by zero
            settle(driver)
            shots.append(("quorvel-web-report.png", driver.get_screenshot_as_png()))
        finally:
            driver.quit()
        phone = page_driver.chromium("en-US", 375, 667)
        try:
            for (width, height), calculated, report in PHONES:
                page_driver.set_viewport(phone, width, height)
                phone.get(server.url)
                page_driver.wait_for_window(phone)
                worked_example(phone)
                # "Calcular" and its result at the foot of the screen, as after pressing it.
                phone.execute_script("document.getElementById('Frame1')"
                                     ".scrollIntoView({block: 'end'});")
                settle(phone)
                shots.append((calculated, phone.get_screenshot_as_png()))
                if report:
                    phone.find_element(By.ID, "Text5").clear()
                    phone.find_element(By.ID, "Command1").click()  # division by zero
                    settle(phone)
                    shots.append((report, phone.get_screenshot_as_png()))
        finally:
            phone.quit()
    finally:
        server.stop()
    for name, png in shots:
        with open(os.path.join(out, name), "wb") as f:
            f.write(png)
        print(f"wrote {os.path.join(out, name)}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
