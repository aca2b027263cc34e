#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page in one browser engine (Chromium, Firefox or WebKitGTK), served on 127.0.0.1:
the window's controls and places, texts, fonts and tab order, the worked example in two
languages, the error report, Salir, accessible names and roles, the phone viewport, the page
offline, and axe-core's audit. The same cases in every engine; where an engine cannot be
asked something (Chromium's DevTools protocol), the case asks what stands in for it.

Usage: page_test.py SITE_FOLDER ENGINE [unittest arguments, such as a class name]"""

import json
import os
import sys
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import page_driver

SITE = None
ENGINE = "chromium"

# The window's design in twips (15 to the CSS pixel): name, tag of the element, and its
# border box from the window's corner, or from Frame1's for Label14 and Label15.
DESIGN = [
    ("Label1", "div", 360, 1560, 1575, 255), ("Label2", "div", 4080, 1560, 1575, 255),
    ("Text1", "input", 1800, 1560, 855, 285), ("Text2", "input", 5400, 1560, 855, 285),
    ("Label3", "div", 360, 2880, 1575, 255), ("Label4", "div", 4080, 2880, 1575, 255),
    ("Text3", "input", 1800, 2880, 855, 285), ("Text4", "input", 5400, 2880, 855, 285),
    ("Combo1", "input", 6120, 840, 735, 315), ("Label5", "div", 2760, 2040, 1575, 255),
    ("Text5", "input", 4200, 2040, 855, 285), ("Label6", "div", 2760, 3360, 1575, 255),
    ("Text6", "input", 4200, 3360, 855, 285), ("Label7", "div", 480, 3960, 4575, 255),
    ("Option1", "label", 600, 4440, 1215, 255), ("Option2", "label", 3480, 4440, 1215, 255),
    ("Text7", "input", 1920, 4440, 975, 285), ("Text8", "input", 4800, 4440, 975, 285),
    ("Text9", "input", 6120, 4440, 975, 285), ("Label8", "div", 5880, 4440, 135, 255),
    ("Label9", "div", 1680, 360, 3945, 435), ("Label10", "div", 1680, 840, 4455, 555),
    ("Text10", "input", 1920, 5280, 975, 285), ("Label11", "div", 720, 5280, 1215, 255),
    ("Text11", "input", 1920, 5640, 975, 285), ("Label12", "div", 720, 5640, 1215, 255),
    ("Text12", "input", 1920, 6000, 975, 285), ("Label13", "div", 720, 6000, 1215, 255),
    ("Frame1", "fieldset", 5160, 5160, 2055, 1095), ("Label14", "div", 120, 360, 855, 495),
    ("Label15", "div", 960, 360, 855, 495), ("Command1", "button", 3600, 5160, 1095, 495),
    ("Command2", "button", 3600, 5880, 1095, 495), ("Label16", "div", 5400, 960, 855, 255),
    ("Image1", "img", 360, 120, 1035, 1155), ("Line1", "div", 360, 4200, 4440, 15),
]
IN_FRAME = {"Label14", "Label15"}

INITIAL_TEXTS = {"Text1": "90", "Text2": "80", "Text3": "20", "Text4": "10", "Text5": "",
                 "Text6": "", "Text7": "", "Text8": "", "Text9": "", "Text10": "",
                 "Text11": "1.06", "Text12": "1.22", "Combo1": "km/h"}
CAPTIONS = {"Label1": "Velocidad Inicial", "Label7":
            "Datos de Entrada (Utilizar sistema internacional de unidades)",
            "Label9": "Quorvel versión 1.0", "Label10": "BRENZO", "Label14": "Cx=",
            "Label15": "0.--", "Label16": "Unidades", "Command1": "Calcular",
            "Command2": "Salir", "Option1": "Area Frontal", "Option2": "Alto x Ancho",
            "Frame1": "Coef. Aerodinámico"}

# Everything the user can change, and the result: what the error report must leave alone.
STATE_SCRIPT = """
  const s = {};
  for (const e of document.querySelectorAll('#Form1 input')) {
    const key = e.id || e.closest('[id]').id;
    s[key] = [e.value, e.disabled, e.checked];
  }
  s.Label15 = document.getElementById('Label15').textContent;
  return s;"""


class PageTestCase(unittest.TestCase):
    language = "en-US"
    width, height, mobile = 800, 600, False

    @classmethod
    def setUpClass(cls):
        cls.server = page_driver.SiteServer(SITE)
        cls.driver = page_driver.open_browser(ENGINE, cls.language, cls.width, cls.height,
                                              cls.mobile)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()

    def setUp(self):
        self.open(self.server.url)

    def open(self, url):
        self.driver.get(url)
        page_driver.wait_for_window(self.driver)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def el(self, element_id):
        return self.driver.find_element(By.ID, element_id)

    def type_into(self, element_id, text):
        field = self.el(element_id)
        field.clear()
        field.send_keys(text)

    def fill_worked_example(self):
        self.el("Option1").click()
        for field, text in {"Text5": "7", "Text6": "20", "Text7": "2", "Text10": "1000"}.items():
            self.type_into(field, text)

    def result(self):
        return self.el("Label15").get_attribute("textContent")

    def active_id(self):
        return self.js("const e = document.activeElement;"
                       "return e.id || (e.closest('[id]') || {}).id || '';")

    def report_open(self):
        return self.js("const d = document.getElementById('ErrorReport');"
                       "return d !== null && d.open && d.matches(':modal');")

    def click_at(self, x, y):
        page_driver.click_at(self.driver, x, y)

    def center_of(self, element_id):
        r = self.js("const r = arguments[0].getBoundingClientRect();"
                    "return [r.x + r.width / 2, r.y + r.height / 2];", self.el(element_id))
        return r[0], r[1]


class WindowTest(PageTestCase):
    def test_controls_are_the_designed_elements_at_their_places(self):
        self.assertEqual(self.driver.title, "Quorvel V1.0 - Cx")
        form = self.js("const r = document.getElementById('Form1').getBoundingClientRect();"
                       "return [r.x, r.y, r.width, r.height];")
        self.assertEqual(form[2:], [495, 440])
        frame = self.js("const r = arguments[0].getBoundingClientRect(); return [r.x, r.y];",
                        self.el("Frame1"))
        for name, tag, left, top, width, height in DESIGN:
            with self.subTest(control=name):
                element = self.el(name)
                self.assertEqual(element.tag_name, tag)
                box = self.js("const r = arguments[0].getBoundingClientRect();"
                              "return [r.x, r.y, r.width, r.height];", element)
                origin = frame if name in IN_FRAME else form[:2]
                self.assertEqual([box[0] - origin[0], box[1] - origin[1], box[2], box[3]],
                                 [left / 15, top / 15, width / 15, height / 15])
        kinds = self.js("""
          const kind = (id) => document.getElementById(id);
          return [kind('Text1').type, kind('Combo1').getAttribute('role'),
                  kind('Option1').querySelector('input').type,
                  kind('Frame1').querySelector('legend').textContent,
                  [...document.querySelectorAll('#Form1 input[type=radio]')].map((r) => r.name)];""")
        # Each radio a group of its own, so that Tab reaches each in every engine.
        self.assertEqual(kinds, ["text", "combobox", "radio", "Coef. Aerodinámico",
                                 ["Option1", "Option2"]])

    def test_window_opens_as_form_load_leaves_it(self):
        self.assertEqual(self.active_id(), "Text1")
        state = self.js(STATE_SCRIPT)
        for name, text in INITIAL_TEXTS.items():
            with self.subTest(control=name):
                self.assertEqual(state[name][0], text)
                self.assertEqual(state[name][1], name in ("Text7", "Text8", "Text9"))
        self.assertEqual([state["Option1"][2], state["Option2"][2]], [False, False])
        for name, caption in CAPTIONS.items():
            with self.subTest(caption=name):
                element = self.el(name)
                if name == "Frame1":
                    element = element.find_element(By.TAG_NAME, "legend")
                self.assertEqual(element.text, caption)
        self.assertEqual(self.el("Label15").get_attribute("title"), "0.--")

    def test_fonts_by_role_designed_family_first_then_the_shipped_stand_in(self):
        # Both shipped faces load (the browser accepts the subsets).
        loaded = self.js("""
          return Promise.all([document.fonts.load('8pt "Liberation Sans"', 'Quorvel'),
                              document.fonts.load('bold italic 8pt "Liberation Serif"', 'Cx=0')])
            .then((found) => found.map((faces) => faces.map((f) => f.status)));""")
        self.assertEqual(loaded, [["loaded"], ["loaded"]])
        # name: computed size in CSS px, weight, style, family list, faces that may draw it
        # (the designed family where the system has it, or its stand-in under any name)
        sans = ('"MS Sans Serif", "Liberation Sans"', {"MS Sans Serif", "Liberation Sans"})
        serif = ('"Times New Roman", "Liberation Serif"', {"Times New Roman", "Liberation Serif"})
        expected = {"Text1": ("10.6667px", "400", "normal", *sans),
                    "Combo1": ("10.6667px", "400", "normal", *sans),
                    "Command1": ("10.6667px", "400", "normal", *sans),
                    "Label1": ("10.6667px", "400", "normal", *sans),
                    "Label9": ("18px", "400", "normal", *sans),
                    "Label10": ("18px", "400", "normal", *sans),
                    "Label14": ("29px", "700", "italic", *serif),
                    "Label15": ("29px", "700", "italic", *serif)}
        for name, (size, weight, style, families, faces) in expected.items():
            with self.subTest(control=name):
                # The size to four decimals: engines print 10.6667px or 10.666667px.
                computed = self.js("const s = getComputedStyle(arguments[0]);"
                                   "return [Math.round(parseFloat(s.fontSize) * 1e4) / 1e4 + 'px',"
                                   "        s.fontWeight, s.fontStyle, s.fontFamily];",
                                   self.el(name))
                self.assertEqual(computed, [size, weight, style, families])
                self.assertLessEqual(self.faces_drawing(name), faces)

    def faces_drawing(self, name):
        """The faces that draw the control's text: Chromium names them; the other engines
        cannot be asked, and the text's width in the control's font stands in, measured
        against each candidate face alone (and against a face that differs, so that the
        measure can tell them apart)."""
        if ENGINE == "chromium":
            self.driver.execute_cdp_cmd("DOM.enable", {})
            self.driver.execute_cdp_cmd("CSS.enable", {})
            root = self.driver.execute_cdp_cmd("DOM.getDocument", {})["root"]["nodeId"]
            node = self.driver.execute_cdp_cmd(
                "DOM.querySelector", {"nodeId": root, "selector": "#" + name})["nodeId"]
            fonts = self.driver.execute_cdp_cmd("CSS.getPlatformFontsForNode",
                                                {"nodeId": node})["fonts"]
            return {f["familyName"] for f in fonts}
        return set(self.js("""
          const s = getComputedStyle(arguments[0]);
          const text = arguments[0].value || arguments[0].textContent || 'Quorvel 0.41';
          const c = document.createElement('canvas').getContext('2d');
          const width = (family) => {
            c.font = `${s.fontStyle} ${s.fontWeight} ${s.fontSize} ${family}`;
            return c.measureText(text + 'Wi0.,').width;
          };
          const drawn = width(s.fontFamily);
          if (drawn === width('monospace')) return ['monospace'];
          return ['MS Sans Serif', 'Liberation Sans', 'Times New Roman', 'Liberation Serif']
            .filter((f) => width(`"${f}"`) === drawn);""", self.el(name)))

    def test_tab_and_shift_tab_follow_the_tab_indexes(self):
        forward = ["Text1", "Text2", "Text3", "Text4", "Combo1", "Text5", "Text6", "Option1",
                   "Option2", "Text10", "Text11", "Text12", "Command1", "Command2"]
        seen = [self.active_id()]
        for _ in forward[1:]:
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
            seen.append(self.active_id())
        self.assertEqual(seen, forward)
        back = [self.active_id()]
        for _ in forward[1:]:
            self.driver.switch_to.active_element.send_keys(Keys.SHIFT, Keys.TAB)
            back.append(self.active_id())
        self.assertEqual(back, forward[::-1])
        # An option chosen: its field joins the order; the other option stays a stop.
        self.el("Option1").click()
        self.el("Option1").find_element(By.TAG_NAME, "input").send_keys(Keys.TAB)
        self.assertEqual(self.active_id(), "Option2")
        self.driver.switch_to.active_element.send_keys(Keys.TAB)
        self.assertEqual(self.active_id(), "Text7")

    def test_option_buttons_switch_and_empty_the_area_fields(self):
        self.el("Option1").click()
        self.type_into("Text7", "2.5")
        self.el("Option2").click()
        self.type_into("Text8", "1.4")
        self.type_into("Text9", "1.7")
        state = self.js(STATE_SCRIPT)
        self.assertEqual([state["Option1"][2], state["Option2"][2]], [False, True])
        self.assertEqual(state["Text7"][:2], ["", True])
        self.el("Option1").click()
        state = self.js(STATE_SCRIPT)
        self.assertEqual([state["Option1"][2], state["Option2"][2]], [True, False])
        self.assertEqual([state["Text7"][:2], state["Text8"][:2], state["Text9"][:2]],
                         [["", False], ["", True], ["", True]])

    def test_arrow_keys_on_option_buttons_move_and_select_round_the_group(self):
        # selected before, focused, key: focused and selected after
        cases = [("", "Option1", Keys.ARROW_RIGHT, "Option2"),
                 ("", "Option1", Keys.ARROW_DOWN, "Option2"),
                 ("", "Option1", Keys.ARROW_LEFT, "Option2"),
                 ("", "Option2", Keys.ARROW_UP, "Option1"),
                 ("", "Option2", Keys.ARROW_RIGHT, "Option1"),
                 ("Option1", "Option1", Keys.ARROW_RIGHT, "Option2"),
                 ("Option2", "Option2", Keys.ARROW_DOWN, "Option1"),
                 ("Option1", "Option2", Keys.ARROW_LEFT, "Option1")]
        for selected, focused, key, after in cases:
            with self.subTest(selected=selected, focused=focused, key=repr(key)):
                self.setUp()
                if selected:
                    self.el(selected).click()
                self.js("document.querySelector(arguments[0]).focus();", f"#{focused} input")
                self.driver.switch_to.active_element.send_keys(key)
                self.assertEqual(self.active_id(), after)
                state = self.js(STATE_SCRIPT)
                self.assertEqual([state["Option1"][2], state["Option2"][2]],
                                 [after == "Option1", after == "Option2"])
                # The selection ran its procedure: the fields of the option chosen are open.
                self.assertEqual(state["Text7"][1], after != "Option1")
                self.assertEqual(state["Text8"][1], after != "Option2")

    def test_option_chosen_before_the_program_arrived_is_taken(self):
        # The page shows the window before the program has taken it over; a choice made
        # meanwhile counts once it has. The server holds back the program's script, so the
        # page stays as its markup built it until the script is released. The service worker
        # that the first visit installed would serve it from its cache: it goes.
        self.js("""
          return Promise.all([
            navigator.serviceWorker.getRegistrations()
              .then((all) => Promise.all(all.map((r) => r.unregister()))),
            caches.keys().then((all) => Promise.all(all.map((k) => caches.delete(k))))]);""")
        self.server.hold("quorvel.js")
        try:
            self.driver.get(self.server.url)
            self.el("Option2").click()
            self.assertTrue(self.js("return document.getElementById('Form1')"
                                    ".hasAttribute('aria-busy');"))
        finally:
            self.server.release()
        page_driver.wait_for_window(self.driver)
        state = self.js(STATE_SCRIPT)
        self.assertEqual([state["Option2"][2], state["Text7"][1], state["Text8"][1]],
                         [True, True, False])

    def test_combo_box_keeps_typing_and_offers_both_units(self):
        self.assertTrue(self.el("Combo1List").get_attribute("hidden"))
        self.el("Combo1Button").click()
        options = self.driver.find_elements(By.CSS_SELECTOR, "#Combo1List [role=option]")
        self.assertEqual([o.text for o in options], ["km/h", "m/sg"])
        options[1].click()
        self.assertEqual(self.el("Combo1").get_attribute("value"), "m/sg")
        self.assertEqual(self.active_id(), "Combo1")
        self.assertFalse(self.el("Combo1List").is_displayed())
        self.el("Combo1").send_keys(Keys.ARROW_UP)
        self.assertEqual(self.el("Combo1").get_attribute("value"), "km/h")
        self.type_into("Combo1", " KM/H")
        self.assertEqual(self.el("Combo1").get_attribute("value"), " KM/H")
        # Any text but "km/h" means m/s: the worked example read as m/s.
        self.fill_worked_example()
        self.el("Command1").click()
        self.assertEqual(self.result()[:11], "0.115255938")


class WorkedExampleEnglishTest(PageTestCase):
    language, separator = "en-US", "."

    def test_worked_example_in_the_browser_language(self):
        self.fill_worked_example()
        self.el("Command1").click()
        expected = f"0{self.separator}414589706622123"
        self.assertEqual(self.result(), expected)
        self.assertEqual(self.el("Label15").get_attribute("title"), expected)
        # The designed 57 px cut the text; the box does not grow.
        self.assertEqual(self.js("return arguments[0].getBoundingClientRect().width;",
                                 self.el("Label15")), 57)


    def test_a_language_intl_refuses_falls_back_to_the_point(self):
        # What some browsers report from the system's settings (LANG=C, POSIX or unset), or
        # a malformed tag: the result is still written, with a point.
        for language in ["C", "POSIX", "", "C.UTF-8", "en_US", "-", "es-ES"]:
            with self.subTest(language=language):
                self.setUp()
                self.js("Object.defineProperty(Navigator.prototype, 'language',"
                        " {get: () => arguments[0], configurable: true});", language)
                self.fill_worked_example()
                self.el("Command1").click()
                self.assertFalse(self.report_open())
                separator = "," if language == "es-ES" else "."
                self.assertEqual(self.result(), f"0{separator}414589706622123")


class WorkedExampleSpanishTest(WorkedExampleEnglishTest):
    language, separator = "es-ES", ","


class ErrorReportTest(PageTestCase):
    def check_report(self, error_name):
        self.assertTrue(self.report_open())
        report = self.el("ErrorReport")
        self.assertEqual(report.tag_name, "dialog")
        self.assertIn("Quorvel", report.text)
        self.assertIn(error_name, report.text)
        # The icon is fetched when the first report opens.
        WebDriverWait(self.driver, 5).until(lambda d: self.js(
            "const i = document.getElementById('ErrorReportIcon');"
            "return i.complete && i.naturalWidth > 0;"))
        buttons = report.find_elements(By.TAG_NAME, "button")
        self.assertEqual([b.text for b in buttons], ["Aceptar"])
        self.assertEqual(self.active_id(), "ErrorReportAccept")

    def test_fault_report_closes_three_ways_and_leaves_the_window_as_it_was(self):
        closers = {"enter": lambda: self.driver.switch_to.active_element.send_keys(Keys.ENTER),
                   "escape": lambda: self.driver.switch_to.active_element.send_keys(Keys.ESCAPE),
                   "click": lambda: self.el("ErrorReportAccept").click()}
        for way, close in closers.items():
            with self.subTest(closed_by=way):
                self.setUp()
                self.el("Option2").click()
                self.type_into("Text8", "1.4")
                self.type_into("Combo1", "m/sg")
                before = self.js(STATE_SCRIPT)
                self.el("Command1").click()  # times empty: division by zero
                self.check_report("División por cero")
                close()
                # Firefox answers Enter on the button a moment after the key.
                WebDriverWait(self.driver, 5).until(lambda d: not self.report_open())
                # The dialog leaves the page on its close event, which follows the closing.
                WebDriverWait(self.driver, 5).until(lambda d: self.js(
                    "return document.getElementById('ErrorReport') === null;"))
                self.assertEqual(self.js(STATE_SCRIPT), before)

    def test_click_beside_the_report_neither_closes_it_nor_reaches_the_window(self):
        self.el("Command1").click()
        self.check_report("División por cero")
        x, y = self.center_of("Command2")  # Salir, under the backdrop
        self.click_at(x, y)
        self.assertTrue(self.report_open())
        self.assertTrue(self.el("Form1").is_displayed())
        self.click_at(3, 3)
        self.assertTrue(self.report_open())
        self.driver.switch_to.active_element.send_keys(Keys.ENTER)
        WebDriverWait(self.driver, 5).until(lambda d: not self.report_open())
        # The program goes on: the next calculation works.
        self.fill_worked_example()
        self.el("Command1").click()
        self.assertEqual(self.result(), "0.414589706622123")

    def test_text_on_the_window_and_the_report_keeps_its_contrast(self):
        # Each text's colour, laid over the backgrounds behind it down to the first opaque one
        # (some engines' system colours are translucent), by the relative luminance of sRGB
        # colours; at least 4.5 to 1 wherever text shows.
        self.el("Command1").click()
        self.check_report("División por cero")
        ratios = self.js("""
          const rgba = (c) => {
            const v = c.match(/[\\d.]+/g).map(Number);
            return v.length < 4 ? [...v, 1] : v;
          };
          const over = (top, under) => [0, 1, 2].map((i) => top[i] * top[3] +
                                                            under[i] * (1 - top[3])).concat(1);
          const luminance = (c) => {
            const [r, g, b] = c.slice(0, 3).map((v) => v / 255)
              .map((v) => v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4);
            return 0.2126 * r + 0.7152 * g + 0.0722 * b;
          };
          const behind = (e) => {
            const layers = [];
            for (; e; e = e.parentElement) {
              const c = rgba(getComputedStyle(e).backgroundColor);
              if (c[3] > 0) layers.push(c);
              if (c[3] >= 1) break;
            }
            return layers.reduceRight((under, c) => over(c, under), [255, 255, 255, 1]);
          };
          const out = {};
          for (const selector of arguments[0]) {
            const e = document.querySelector(selector);
            const background = behind(e);
            const a = luminance(over(rgba(getComputedStyle(e).color), background));
            const b = luminance(background);
            out[selector] = (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
          }
          return out;""", ["#Label1", "#Label9", "#Label15", "#Text1", "#Combo1", "#Option1",
                            "#Frame1 legend", "#Command1", "#ErrorReportTitle",
                            "#ErrorReportMessage", "#ErrorReportAccept"])
        for selector, ratio in ratios.items():
            with self.subTest(text=selector):
                self.assertGreaterEqual(ratio, 4.5)

    def test_overflow_is_named(self):
        for field, text in {"Text1": "5", "Text2": "5", "Text5": "0"}.items():
            self.type_into(field, text)
        self.el("Command1").click()
        self.check_report("Desbordamiento")


class SalirTest(PageTestCase):
    def test_salir_takes_the_window_off_and_offers_to_open_it_again(self):
        self.el("Command2").click()
        self.assertIsNone(self.js("return document.getElementById('Form1');"))
        ended = self.el("Ended")
        self.assertTrue(ended.text.startswith("El programa ha terminado."))
        link = ended.find_element(By.TAG_NAME, "a")
        self.assertEqual(link.get_attribute("href"), self.server.url)
        link.click()
        page_driver.wait_for_window(self.driver)
        self.assertEqual(self.result(), "0.--")

    def test_salir_closes_a_page_that_a_script_opened(self):
        # Opened from a click, as a person opens it: WebKitGTK, like Safari, blocks a window
        # that a script opens with no user gesture (window.open gives null).
        first = self.driver.current_window_handle
        self.js("const b = document.createElement('button');"
                "b.id = 'Opener';"
                "b.onclick = () => { window.opened = window.open(arguments[0], '_blank', 'popup'); };"
                "document.body.append(b);", self.server.url)
        self.el("Opener").click()
        WebDriverWait(self.driver, 10).until(lambda d: len(d.window_handles) == 2)
        self.driver.switch_to.window([h for h in self.driver.window_handles if h != first][0])
        page_driver.wait_for_window(self.driver)
        self.el("Command2").click()
        WebDriverWait(self.driver, 10).until(lambda d: len(d.window_handles) == 1)
        self.driver.switch_to.window(first)
        self.assertTrue(self.js("return window.opened.closed;"))


class AccessibilityTest(PageTestCase):
    NAMES = {"Text1": ("textbox", "Velocidad inicial, ensayo 1"),
             "Text2": ("textbox", "Velocidad final, ensayo 1"),
             "Text3": ("textbox", "Velocidad inicial, ensayo 2"),
             "Text4": ("textbox", "Velocidad final, ensayo 2"),
             "Combo1": ("combobox", "Unidades de velocidad"),
             "Text5": ("textbox", "Tiempo, ensayo 1"), "Text6": ("textbox", "Tiempo, ensayo 2"),
             "Text7": ("textbox", "Área frontal"), "Text8": ("textbox", "Alto"),
             "Text9": ("textbox", "Ancho"), "Text10": ("textbox", "Peso"),
             "Text11": ("textbox", "Coeficiente de masas"),
             "Text12": ("textbox", "Densidad del aire"),
             "Option1 input": ("radio", "Area Frontal"),
             "Option2 input": ("radio", "Alto x Ancho"),
             "Command1": ("button", "Calcular"), "Command2": ("button", "Salir")}

    def check_accessible(self, selector, role, name, description=None):
        """The element's role, name and description as the engine computes them. Chromium
        gives its accessibility tree. WebKitWebDriver gives the computed role and label.
        Firefox over BiDi finds the nodes of a role and name: this element must be the one
        found. Neither can be asked the description: the texts the element's
        aria-describedby or aria-description attribute name stand in for it."""
        if ENGINE == "chromium":
            self.driver.execute_cdp_cmd("Accessibility.enable", {})
            root = self.driver.execute_cdp_cmd("DOM.getDocument", {})["root"]["nodeId"]
            node = self.driver.execute_cdp_cmd("DOM.querySelector",
                                               {"nodeId": root, "selector": selector})["nodeId"]
            ax = self.driver.execute_cdp_cmd("Accessibility.getPartialAXTree",
                                             {"nodeId": node, "fetchRelatives": False})["nodes"][0]
            found = [ax["role"]["value"], ax["name"]["value"],
                     ax.get("description", {}).get("value")]
            if role is not None:
                self.assertEqual(found[:2], [role, name])
            if description is not None:
                self.assertEqual(found[2], description)
            return
        element = self.driver.find_element(By.CSS_SELECTOR, selector)
        description_text = self.js("""
          const e = arguments[0], ids = (e.getAttribute('aria-describedby') || '').split(/\\s+/);
          const text = ids.map((id) => document.getElementById(id))
            .filter((d) => d).map((d) => d.textContent.trim()).join(' ');
          return text || e.getAttribute('aria-description');""", element)
        if role is None:
            pass
        elif ENGINE == "webkit":
            self.assertEqual([element.aria_role, element.accessible_name], [role, name])
        else:
            found = page_driver.find_accessible(self.driver, role, name)
            self.assertTrue(self.js("return [...arguments].slice(1).includes(arguments[0]);",
                                    element, *found), f"no {role} named {name!r} is {selector}")
        if description is not None:
            self.assertEqual(description_text, description)

    def test_names_roles_and_description_from_the_table(self):
        for key, (role, name) in self.NAMES.items():
            with self.subTest(control=key):
                self.check_accessible("#" + key, role, name)
        self.check_accessible("#Label15", None, None, "Coeficiente aerodinámico Cx")

    def test_error_report_is_an_alert_dialog_named_quorvel(self):
        self.el("Command1").click()
        self.check_accessible("#ErrorReport", "alertdialog", "Quorvel", "División por cero")


# The viewports of phones upright and on their side, which show the phone view, and of
# a desktop window and tablets, which show the exact window.
PHONES = [(320, 568), (375, 667), (390, 844), (667, 375), (844, 390)]
DESKTOPS = [(495, 440), (768, 1024), (1024, 768)]
TAB_ORDER = ["Text1", "Text2", "Text3", "Text4", "Combo1", "Text5", "Text6", "Option1",
             "Option2", "Text7", "Text8", "Text9", "Text10", "Text11", "Text12", "Command1",
             "Command2"]
# Each label and the field it names on screen.
LABELS = {"Label1": "Text1", "Label2": "Text2", "Label3": "Text3", "Label4": "Text4",
          "Label16": "Combo1", "Label5": "Text5", "Label6": "Text6", "Label11": "Text10",
          "Label12": "Text11", "Label13": "Text12"}

# Every control's border box, and the font sizes of the texts it shows.
GEOMETRY_SCRIPT = """
  const out = {};
  for (const id of arguments[0]) {
    const e = document.getElementById(id);
    const r = e.getBoundingClientRect();
    const texts = [e, ...e.querySelectorAll('*')].filter((t) =>
      [...t.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()) ||
      t.tagName === 'INPUT' && t.type === 'text');
    out[id] = {box: [r.left, r.top, r.width, r.height], shown: e.checkVisibility ?
               e.checkVisibility() : r.width > 0,
               fonts: texts.map((t) => parseFloat(getComputedStyle(t).fontSize))};
  }
  return out;"""


class ViewTest(PageTestCase):
    """The exact window where the viewport holds it, the phone view where it does not."""

    def setUp(self):
        pass  # each case sizes the viewport first

    def open_at(self, width, height):
        page_driver.set_viewport(self.driver, width, height)
        self.assertEqual(self.js("return [innerWidth, innerHeight];"), [width, height])
        self.open(self.server.url)

    def geometry(self, ids):
        return self.js(GEOMETRY_SCRIPT, ids)

    def assert_no_overlaps(self, boxes):
        names = sorted(boxes)
        for i, a in enumerate(names):
            for b in names[i + 1:]:
                if {a, b} & {"Frame1"} and {a, b} & IN_FRAME:
                    continue  # the frame holds them
                (ax, ay, aw, ah), (bx, by, bw, bh) = boxes[a], boxes[b]
                overlap = min(ax + aw, bx + bw) - max(ax, bx), min(ay + ah, by + bh) - max(ay, by)
                self.assertFalse(overlap[0] > 0.5 and overlap[1] > 0.5, f"{a} overlaps {b}")

    def test_exact_window_at_scale_one_where_the_viewport_holds_it(self):
        names = [name for name, *_ in DESIGN]
        for width, height in DESKTOPS:
            with self.subTest(viewport=f"{width}x{height}"):
                self.open_at(width, height)
                form = self.js("const r = document.getElementById('Form1')"
                               ".getBoundingClientRect(); return [r.x, r.y, r.right, r.bottom];")
                self.assertEqual(form[2] - form[0], 495)
                self.assertEqual(form[3] - form[1], 440)
                self.assertTrue(form[0] >= 0 and form[1] >= 0 and form[2] <= width and
                                form[3] <= height, form)
                boxes = self.geometry(names)
                frame = boxes["Frame1"]["box"]
                for name, _, left, top, w, h in DESIGN:
                    origin = frame if name in IN_FRAME else form
                    box = boxes[name]["box"]
                    self.assertEqual([box[0] - origin[0], box[1] - origin[1], box[2], box[3]],
                                     [left / 15, top / 15, w / 15, h / 15], name)

    def test_phone_view_reflows_the_window_for_touch(self):
        names = [name for name, *_ in DESIGN]
        for width, height in PHONES:
            with self.subTest(viewport=f"{width}x{height}"):
                self.open_at(width, height)
                self.fill_worked_example()
                self.el("Command1").click()
                geometry = self.geometry(names + ["Combo1Button"])
                boxes = {name: g["box"] for name, g in geometry.items()}
                for name in names:
                    self.assertTrue(geometry[name]["shown"], f"{name} shown")
                    self.assertGreaterEqual(min(geometry[name]["fonts"], default=16), 16, name)
                for name in TAB_ORDER + ["Combo1Button"]:
                    self.assertGreaterEqual(min(boxes[name][2:]), 44, f"{name} to touch")
                del boxes["Combo1Button"]  # inside Combo1's box, as on the desktop
                self.assert_no_overlaps(boxes)
                # Nothing wider than the screen; no sideways scrolling.
                self.assertTrue(self.js("const s = document.scrollingElement;"
                                        "return s.scrollWidth <= s.clientWidth;"))
                self.assertLessEqual(max(x + w for x, _, w, _ in boxes.values()), width)
                # Tab and Next move down the page, or right along a row.
                for a, b in zip(TAB_ORDER, TAB_ORDER[1:]):
                    (ax, ay, _, ah), (bx, by, _, _) = boxes[a], boxes[b]
                    self.assertTrue(by >= ay + ah or (abs(by - ay) < 1 and bx > ax),
                                    f"{b} after {a}")
                for label, field in LABELS.items():
                    (lx, ly, lw, lh), (fx, fy, fw, fh) = boxes[label], boxes[field]
                    beside = lx + lw <= fx and fy <= ly + lh / 2 <= fy + fh
                    above = ly + lh <= fy <= ly + lh + 8 and lx < fx + fw and fx < lx + lw
                    self.assertTrue(beside or above, f"{label} beside or above {field}")
                # The whole result, just below "Calcular".
                self.assertEqual(self.result(), "0.414589706622123")
                cut = self.js("const e = arguments[0];"
                              "return e.scrollWidth > e.clientWidth ||"
                              " e.scrollHeight > e.clientHeight;", self.el("Label15"))
                self.assertFalse(cut)
                calcular, frame = boxes["Command1"], boxes["Frame1"]
                self.assertTrue(0 <= frame[1] - (calcular[1] + calcular[3]) <= 16)
                # The report fits the screen, its texts and button large enough.
                self.open(self.server.url)
                self.el("Command1").click()  # times empty: division by zero
                self.assertTrue(self.report_open())
                report = self.geometry(["ErrorReport", "ErrorReportAccept"])
                x, y, w, h = report["ErrorReport"]["box"]
                self.assertTrue(x >= 0 and y >= 0 and x + w <= width and y + h <= height)
                self.assertGreaterEqual(min(report["ErrorReport"]["fonts"]), 16)
                self.assertGreaterEqual(min(report["ErrorReportAccept"]["box"][2:]), 44)

    def test_turning_between_the_views_keeps_the_window_state(self):
        self.open_at(667, 375)
        self.fill_worked_example()
        self.type_into("Combo1", "m/sg")
        self.el("Command1").click()
        self.el("Option2").click()
        self.type_into("Text8", "1.4")
        before = self.js(STATE_SCRIPT)
        self.assertEqual(before["Label15"][:11], "0.115255938")
        for width, height in [(1024, 768), (844, 390), (495, 440), (320, 568)]:
            with self.subTest(viewport=f"{width}x{height}"):
                page_driver.set_viewport(self.driver, width, height)
                exact, inner = self.js("return [document.getElementById('Form1')"
                                       ".getBoundingClientRect().width === 495,"
                                       " [innerWidth, innerHeight]];")
                self.assertEqual(exact, inner[0] >= 495 and inner[1] >= 440, inner)
                self.assertEqual(self.js(STATE_SCRIPT), before)


class StartFailureTest(PageTestCase):
    def setUp(self):
        pass

    def test_a_program_that_cannot_start_is_reported_in_the_page(self):
        for name in ["quorvel.js", "quorvel.wasm"]:
            with self.subTest(missing=name):
                self.server.blocked = {name}
                try:
                    self.driver.get(self.server.url)
                    alert = WebDriverWait(self.driver, 20).until(
                        lambda d: d.find_elements(By.CSS_SELECTOR, "[role=alert]"))[0]
                finally:
                    self.server.blocked = set()
                self.assertTrue(alert.text.startswith("Quorvel no ha podido arrancar"))
                self.assertTrue(alert.is_displayed())
                self.assertFalse(self.js("return document.getElementById('Form1')"
                                         ".hasAttribute('aria-busy');"))


class OfflineTest(PageTestCase):
    def test_opens_and_calculates_with_no_network_after_one_visit(self):
        self.js("return navigator.serviceWorker.ready.then(() => true);")
        WebDriverWait(self.driver, 20).until(
            lambda d: self.js("return navigator.serviceWorker.controller !== null;") or
            self.driver.refresh() or False)
        self.server.stop()
        try:
            for address in ("", "index.html"):
                with self.subTest(address=address or "./"):
                    self.open(self.server.url + address)
                    self.fill_worked_example()
                    self.el("Command1").click()
                    self.assertEqual(self.result(), "0.414589706622123")
                    # The manifest, which the page names once its window is drawn, and
                    # the icons it lists for an installed page, are there offline too.
                    self.assertTrue(self.js("""
                      const link = document.querySelector('link[rel="manifest"]');
                      return link && fetch(link.href).then((r) => r.json())
                        .then((m) => Promise.all(
                          m.icons.map((icon) => fetch(new URL(icon.src, link.href)))))
                        .then((icons) => icons.length > 0 && icons.every((r) => r.ok));"""))
        finally:
            self.server.start()

    def test_stores_nothing_of_the_user(self):
        self.fill_worked_example()
        self.el("Command1").click()
        stored = self.js("""
          return indexedDB.databases().then((dbs) => [document.cookie, localStorage.length,
                                                      sessionStorage.length, dbs.length]);""")
        self.assertEqual(stored, ["", 0, 0, 0])

    def test_content_security_policy_allows_only_the_page_own_code(self):
        policy = self.js("return document.querySelector("
                         "'meta[http-equiv=\"Content-Security-Policy\"]').content;")
        self.assertIn("script-src 'self' 'wasm-unsafe-eval'", policy)
        self.assertNotIn("unsafe-inline", policy)
        self.assertNotIn("'unsafe-eval'", policy)
        # Nothing on the page broke the policy while it opened and calculated (every engine
        # reports to the server what breaks the same policy sent as a header), and nothing
        # was logged as an error where the engine tells its console.
        self.fill_worked_example()
        self.el("Command1").click()
        self.assertEqual(self.result(), "0.414589706622123")
        self.assertEqual(self.server.violations, [])
        errors = [text for level, text in page_driver.console_messages(self.driver)
                  if level.lower() in ("severe", "error")]
        self.assertEqual(errors, [])


class AuditTest(PageTestCase):
    """axe-core in the page as it opens, after a result and with the error report open: no
    violation of WCAG 2.2 A and AA nor of axe's best practices. The one exception is
    target-size in the exact window, whose designed text boxes are 19 px tall."""

    TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"]
    EXCEPTIONS = ["target-size"]
    _axe = None

    def audit(self):
        if AuditTest._axe is None:
            modules = os.environ.get("QUORVEL_NODE_MODULES",
                                     os.path.join(os.path.dirname(__file__), "node_modules"))
            with open(os.path.join(modules, "axe-core", "axe.min.js"), encoding="utf-8") as f:
                AuditTest._axe = f.read()
        # Given to the page through WebDriver, not as a script element the page's policy
        # would refuse.
        self.js(AuditTest._axe + "; window.axe = axe;")
        found = self.js("""
          return axe.run(document, {runOnly: {type: 'tag', values: arguments[0]},
                                    rules: Object.fromEntries(arguments[1].map(
                                      (id) => [id, {enabled: false}]))})
            .then((r) => JSON.stringify(r.violations.map((v) => [v.id,
                    v.nodes.map((n) => n.target.join(' '))])));""",
                        self.TAGS, self.EXCEPTIONS)
        return json.loads(found)

    def test_no_violation_as_the_page_opens_after_a_result_and_with_the_report(self):
        self.assertEqual(self.audit(), [], "as the page opens")
        self.fill_worked_example()
        self.el("Command1").click()
        self.assertEqual(self.result()[:4], "0.41")
        self.assertEqual(self.audit(), [], "after a result")
        self.setUp()
        self.el("Command1").click()
        self.assertTrue(self.report_open())
        self.assertEqual(self.audit(), [], "with the error report open")


class AuditPhoneTest(AuditTest):
    """The same audit on a phone's screen, with no exception."""
    width, height, mobile = 375, 667, True
    EXCEPTIONS = []


if __name__ == "__main__":
    SITE = sys.argv.pop(1)
    ENGINE = sys.argv.pop(1)
    if ENGINE not in page_driver.ENGINES:
        sys.exit(f"page_test.py: the engine is one of {', '.join(page_driver.ENGINES)}")
    unittest.main(verbosity=2)
