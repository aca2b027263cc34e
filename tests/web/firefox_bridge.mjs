// SPDX-License-Identifier: GPL-3.0-or-later
// Firefox for the page's tests, driven over WebDriver BiDi with puppeteer-core: a line of
// JSON in ({id, cmd, ...}) gives a line of JSON out ({id, value} or {id, error}). Elements
// travel as {"element": n}, a number this bridge keeps the handle under. page_driver.py
// speaks to it and offers the tests the same calls as selenium's drivers.
//
// Usage: node firefox_bridge.mjs FIREFOX LANGUAGE WIDTH HEIGHT MOBILE PROFILE

import readline from "node:readline";
import puppeteer from "puppeteer-core";

const [firefox, language, width, height, mobile, profile] = process.argv.slice(2);

const browser = await puppeteer.launch({
  browser: "firefox",
  protocol: "webDriverBiDi",
  executablePath: firefox,
  headless: true,
  userDataDir: profile,
  args: [`--width=${width}`, `--height=${height}`],
  extraPrefsFirefox: {
    "intl.accept_languages": language,
    "intl.locale.requested": language,
    // A window a script opened may close itself; nothing else is asked of the network.
    "dom.allow_scripts_to_close_windows": false,
    "network.captive-portal-service.enabled": false,
    "browser.safebrowsing.update.enabled": false,
  },
});

const viewport = { width: Number(width), height: Number(height), deviceScaleFactor: 1,
                   isMobile: mobile === "1", hasTouch: mobile === "1" };
const pages = new Map();  // handle -> page
const log = [];
let current = null;
let nextPage = 0;

function watch(page) {
  const handle = `page-${nextPage++}`;
  pages.set(handle, page);
  page.on("console", (m) => log.push({ level: m.type(), message: m.text() }));
  page.on("pageerror", (e) => log.push({ level: "error", message: String(e) }));
  page.on("close", () => pages.delete(handle));
  return handle;
}

// The tab Firefox starts with never has the focus (document.hasFocus() is false there,
// even with focusmanager.testmode), and Firefox activates a focused button on Enter or
// Space only in a document that has it: the page opens in a tab of its own instead. A
// blank page first, as in a tab a person types the address into: a tab whose history
// holds the page alone is one the page's script may close.
const [startup] = await browser.pages();
const first = await browser.newPage();
await startup.close();
await first.goto("about:blank");
await first.setViewport(viewport);
current = watch(first);
browser.on("targetcreated", async (target) => {
  const page = await target.page();
  if (page && ![...pages.values()].includes(page)) watch(page);
});

const handles = new Map();
let nextHandle = 0;
const keep = (handle) => { handles.set(++nextHandle, handle); return { element: nextHandle }; };
const page = () => {
  const p = pages.get(current);
  if (!p) throw new Error("no such window");
  return p;
};
const toHandle = (value) => {
  if (value && typeof value === "object" && "element" in value) {
    const h = handles.get(value.element);
    if (!h) throw new Error("stale element reference");
    return h;
  }
  if (Array.isArray(value)) return value.map(toHandle);
  return value;
};

// A function the page's realm compiles from the given source, called with the arguments
// as selenium's execute_script passes them.
function scriptFunction(body) {
  const fn = function () {};
  fn.toString = () => `function () {\n${body}\n}`;
  return fn;
}

async function fromResult(result) {
  const element = result.asElement();
  if (element) return keep(element);
  const type = await result.evaluate((v) =>
    Array.isArray(v) && v.some((x) => x instanceof Element) ? "elements" : typeof v);
  if (type === "elements") {
    const properties = await result.getProperties();
    const list = [];
    for (const [key, value] of properties) {
      if (/^\d+$/.test(key)) list[Number(key)] = await fromResult(value);
    }
    return list;
  }
  const value = await result.jsonValue();
  return value === undefined ? null : value;
}

// selenium's Keys: the characters of Unicode's private use area WebDriver names.
const KEYS = { "\ue003": "Backspace", "\ue004": "Tab", "\ue006": "Enter", "\ue007": "Enter",
               "\ue008": "Shift", "\ue009": "Control", "\ue00a": "Alt", "\ue00c": "Escape",
               "\ue00d": " ", "\ue011": "Home", "\ue010": "End", "\ue012": "ArrowLeft",
               "\ue013": "ArrowUp", "\ue014": "ArrowRight", "\ue015": "ArrowDown",
               "\ue017": "Delete" };
const MODIFIERS = new Set(["Shift", "Control", "Alt"]);

async function typeKeys(text) {
  const keyboard = page().keyboard;
  const held = [];
  for (const ch of text) {
    const key = KEYS[ch];
    if (key && MODIFIERS.has(key)) {
      await keyboard.down(key);
      held.push(key);
    } else if (key) {
      await keyboard.press(key);
    } else {
      await keyboard.type(ch);
    }
  }
  for (const key of held.reverse()) await keyboard.up(key);
}

const commands = {
  async get({ url }) { await page().goto(url, { waitUntil: "load" }); },
  async refresh() { await page().reload({ waitUntil: "load" }); },
  async title() { return page().title(); },
  async url() { return page().url(); },
  async script({ body, args }) {
    const result = await page().evaluateHandle(scriptFunction(body), ...toHandle(args));
    return fromResult(result);
  },
  async find({ scope, css, all }) {
    const root = scope ? toHandle(scope) : page();
    const found = await root.$$(css);
    if (all) return found.map(keep);
    if (!found.length) throw new Error(`no such element: ${css}`);
    return keep(found[0]);
  },
  async aria({ role, name }) {
    const quoted = JSON.stringify(name);
    return (await page().$$(`::-p-aria([name=${quoted}][role="${role}"])`)).map(keep);
  },
  async click({ element }) { await toHandle(element).click(); },
  async keys({ element, text }) {
    if (element) {
      await toHandle(element).evaluate((e) => {
        if (e !== document.activeElement) {
          e.focus();
          if (typeof e.value === "string" && e.setSelectionRange) {
            try { e.setSelectionRange(e.value.length, e.value.length); } catch { /* not text */ }
          }
        }
      });
    }
    await typeKeys(text);
  },
  async clear({ element }) {
    await toHandle(element).evaluate((e) => {
      e.focus();
      if (e.value !== "") {
        e.value = "";
        e.dispatchEvent(new Event("input", { bubbles: true }));
      }
      e.blur();
    });
  },
  async attribute({ element, name }) {
    return toHandle(element).evaluate((e, name) => {
      const booleans = ["checked", "disabled", "hidden", "readonly", "required", "selected",
                        "open", "multiple"];
      if (booleans.includes(name.toLowerCase())) {
        return (e[name] ?? e.hasAttribute(name)) ? "true" : null;
      }
      if (name in e && e[name] !== null && typeof e[name] !== "object" &&
          typeof e[name] !== "function") {
        return String(e[name]);
      }
      return e.getAttribute(name);
    }, name);
  },
  async text({ element }) {
    return toHandle(element).evaluate((e) => e.innerText.replace(/[ \t]+\n/g, "\n").trim());
  },
  async tag({ element }) { return toHandle(element).evaluate((e) => e.tagName.toLowerCase()); },
  async displayed({ element }) {
    return toHandle(element).evaluate((e) => e.checkVisibility({ visibilityProperty: true }));
  },
  async active() {
    return fromResult(await page().evaluateHandle(() => document.activeElement));
  },
  async handles() { return [...pages.keys()]; },
  async current() {
    if (!pages.has(current)) throw new Error("no such window");
    return current;
  },
  async window({ handle }) {
    if (!pages.has(handle)) throw new Error("no such window");
    current = handle;
    await page().bringToFront();
  },
  async viewport({ width, height, mobile }) {
    await page().setViewport({ ...viewport, width, height, isMobile: !!mobile, hasTouch: !!mobile });
  },
  async screenshot() { return page().screenshot({ encoding: "base64" }); },
  async log() { return log.splice(0); },
  async mouse({ x, y }) { await page().mouse.click(x, y); },
  async tap({ x, y }) { await page().touchscreen.tap(x, y); },
  async quit() { await browser.close(); },
};

const input = readline.createInterface({ input: process.stdin });
for await (const line of input) {
  const request = JSON.parse(line);
  let reply;
  try {
    reply = { id: request.id, value: (await commands[request.cmd](request)) ?? null };
  } catch (e) {
    reply = { id: request.id, error: String(e && e.message || e) };
  }
  process.stdout.write(JSON.stringify(reply) + "\n");
  if (request.cmd === "quit") break;
}
process.exit(0);
