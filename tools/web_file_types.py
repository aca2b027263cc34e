# SPDX-License-Identifier: GPL-3.0-or-later
"""The types of the page's files that Python's web server does not name by itself, by file
extension: browsers compile the WebAssembly module as it arrives only when it is served as
application/wasm; the text types name their character set. The page's one static server
(tools/static_site.py), which make run-web and the page's tests, screenshots and benchmark
start, takes them from here."""

EXTENSIONS = {
    ".wasm": "application/wasm",
    ".webmanifest": "application/manifest+json",
    ".woff2": "font/woff2",
    ".js": "text/javascript",
    ".svg": "image/svg+xml",
    ".html": "text/html; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".json": "application/json",
    ".png": "image/png",
    ".ico": "image/vnd.microsoft.icon",
}
