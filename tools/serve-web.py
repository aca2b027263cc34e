#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves the page (make web's folder) on 127.0.0.1 until interrupted, and prints its
address. Any static web server will do; this one only names the WebAssembly module's type,
which browsers need to compile it as it arrives.

Usage: tools/serve-web.py [FOLDER [PORT]]"""

import functools
import http.server
import pathlib
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import web_file_types  # noqa: E402

folder = sys.argv[1] if len(sys.argv) > 1 else "build-web"
port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      **web_file_types.EXTENSIONS}


server = http.server.ThreadingHTTPServer(("127.0.0.1", port),
                                         functools.partial(Handler, directory=folder))
print(f"Quorvel: http://127.0.0.1:{server.server_address[1]}/  (Ctrl+C ends)", flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
