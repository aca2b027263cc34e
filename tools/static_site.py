# SPDX-License-Identifier: GPL-3.0-or-later
"""A static web server for the page's folder, as a real static host serves it: each file
with its type (browsers compile the WebAssembly module as it arrives only when it is named
application/wasm), text and the module compressed with gzip for a browser that accepts it,
and cache headers that make the browser ask again on every visit but take a 304 when
nothing changed (Cache-Control: no-cache with ETag and Last-Modified), so that a new
service worker is always seen. tools/serve-web.py and the page's tests use it."""

import email.utils
import gzip
import http.server
import os
import threading

from web_file_types import EXTENSIONS

COMPRESSED = {".wasm", ".webmanifest", ".js", ".svg", ".html", ".css", ".json"}


class StaticHandler(http.server.SimpleHTTPRequestHandler):
    """Serves GET and HEAD from `directory`; subclasses may change cache_control."""

    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **EXTENSIONS}
    cache_control = "no-cache"
    _gzipped = {}  # (path, mtime, size) -> compressed bytes, shared by all requests
    _gzipped_lock = threading.Lock()

    def do_GET(self):
        self._serve(with_body=True)

    def do_HEAD(self):
        self._serve(with_body=False)

    def _serve(self, with_body):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            if not self.path.split("?", 1)[0].endswith("/"):
                return super().do_GET() if with_body else super().do_HEAD()  # redirects
            path = os.path.join(path, "index.html")
        try:
            stat = os.stat(path)
            with open(path, "rb") as f:
                body = f.read()
        except OSError:
            self.send_error(404, "File not found")
            return
        extension = os.path.splitext(path)[1].lower()
        etag = f'"{stat.st_mtime_ns:x}-{stat.st_size:x}"'
        accepts_gzip = "gzip" in self.headers.get("Accept-Encoding", "")
        compress = accepts_gzip and extension in COMPRESSED and len(body) > 256
        if compress:
            etag = etag[:-1] + '-gz"'
        if etag in [t.strip() for t in self.headers.get("If-None-Match", "").split(",")]:
            self.send_response(304)
            self._validators(etag, stat)
            self.end_headers()
            return
        if compress:
            key = (path, stat.st_mtime_ns, stat.st_size)
            with self._gzipped_lock:
                if key not in self._gzipped:
                    self._gzipped[key] = gzip.compress(body, 9, mtime=0)
                body = self._gzipped[key]
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        if compress:
            self.send_header("Content-Encoding", "gzip")
        if extension in COMPRESSED:
            self.send_header("Vary", "Accept-Encoding")
        self.send_header("Content-Length", str(len(body)))
        self._validators(etag, stat)
        self.end_headers()
        if with_body:
            self.wfile.write(body)

    def _validators(self, etag, stat):
        self.send_header("ETag", etag)
        self.send_header("Last-Modified", email.utils.formatdate(stat.st_mtime, usegmt=True))

    def end_headers(self):
        self.send_header("Cache-Control", self.cache_control)
        self.send_header("X-Content-Type-Options", "nosniff")
        super().end_headers()


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
