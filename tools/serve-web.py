#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves the page (make web's folder) on 127.0.0.1 until interrupted, and prints its
address: compressed and with cache headers, as a static host serves it (static_site.py).

Usage: tools/serve-web.py [FOLDER [PORT]]"""

import functools
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import static_site  # noqa: E402

folder = sys.argv[1] if len(sys.argv) > 1 else "build-web"
port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000


server = static_site.Server(("127.0.0.1", port),
                            functools.partial(static_site.StaticHandler, directory=folder))
print(f"Quorvel: http://127.0.0.1:{server.server_address[1]}/  (Ctrl+C ends)", flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
