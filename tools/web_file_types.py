# SPDX-License-Identifier: GPL-3.0-or-later
"""The types of the page's files that Python's web server does not name by itself, by file
extension: browsers compile the WebAssembly module as it arrives only when it is served as
application/wasm. Both servers of the page take them from here: make run-web's
(tools/serve-web.py) and the one the page's tests, screenshots and benchmark start
(tests/web/page_driver.py)."""

EXTENSIONS = {
    ".wasm": "application/wasm",
    ".webmanifest": "application/manifest+json",
    ".woff2": "font/woff2",
    ".js": "text/javascript",
}
