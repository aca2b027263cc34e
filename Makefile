# SPDX-License-Identifier: GPL-3.0-or-later
# Quorvel: the two commands a newcomer needs are `make run` and `make test`.
# Every target installs what it needs first (Debian 12 or 13, via sudo when not root).

BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR     ?= build-fuzz
WINDOWS_DIR  ?= build-windows
WASM_DIR     ?= build-wasm
WEB_DIR      ?= build-web
WEB_PORT     ?= 8000
BUILD_TYPE   ?= RelWithDebInfo
FUZZ_SECONDS ?= 60
PREFIX       ?= /usr/local
CTEST_FLAGS  ?= --output-on-failure --timeout 300 -j2
RELEASE      ?= trixie
RELEASE_TARGETS ?=

CONFIGURE = cmake -S . -G Ninja -Wno-dev

.PHONY: all deps build windows wasm web run-web test run bench sanitize fuzz install package \
  screenshot test-release clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	@$(CONFIGURE) -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null
	@cmake --build $(BUILD_DIR)

# Quorvel.exe, cross-built with mingw-w64; its tests run under Wine.
windows: deps
	@$(CONFIGURE) -B $(WINDOWS_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WINDOWS_DIR)

# The toolkit-free core built for WebAssembly with emscripten (cmake/emscripten.cmake); its
# suites, and its conversions against the native ones, run under node. The same build makes
# the page, a static site in $(WEB_DIR), whose window markup, icons and emblem the build
# machine's tools write (the renderer draws with Qt, which WebAssembly has not); the page's
# tests run in Chromium, Firefox and WebKitGTK (npm ci installs their driver for Firefox
# and axe-core into the build tree).
wasm: deps
	@$(CONFIGURE) -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null
	@cmake --build $(BUILD_DIR) --target quorvel_render_icon quorvel_write_page
	@$(CONFIGURE) -B $(WASM_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake \
	  -DQUORVEL_RENDER_ICON=$(abspath $(BUILD_DIR))/packaging/quorvel_render_icon \
	  -DQUORVEL_WRITE_PAGE=$(abspath $(BUILD_DIR))/frontends/web/quorvel_write_page \
	  -DQUORVEL_SITE_DIR=$(abspath $(WEB_DIR)) >/dev/null
	@cmake --build $(WASM_DIR)

web: wasm
	@echo "The page is in $(WEB_DIR)/: serve that folder with any static web server (make run-web)"

# Serves the page on 127.0.0.1 (WEB_PORT) until interrupted, and prints its address.
run-web: web
	tools/serve-web.py $(WEB_DIR) $(WEB_PORT)

test: build windows wasm
	ctest --test-dir $(BUILD_DIR) $(CTEST_FLAGS)
	ctest --test-dir $(WINDOWS_DIR) $(CTEST_FLAGS)
	ctest --test-dir $(WASM_DIR) $(CTEST_FLAGS)

run: build
	$(BUILD_DIR)/app/quorvel

bench: build web
	$(BUILD_DIR)/bench/quorvel_bench
	@if [ -x bench/startup/run.sh ]; then bench/startup/run.sh $(BUILD_DIR); fi
	@cmake --build $(WASM_DIR) --target quorvel_lighthouse
	@# Every figure is measured even when an earlier one misses its target.
	status=0; bench/web/run.py $(WEB_DIR) || status=1; \
	  bench/web/lighthouse.py $(WEB_DIR) $(abspath $(WASM_DIR))/bench-node/node_modules || status=1; \
	  exit $$status

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package, build/quorvel_<version>_<architecture>.deb.
package: build
	cpack --config $(BUILD_DIR)/CPackConfig.cmake -B $(BUILD_DIR)

# The page's pictures in Firefox and WebKitGTK use the page tests' driver and locales.
screenshot: build windows web
	QUORVEL_NODE_MODULES=$(abspath $(WASM_DIR))/tests/web/node/node_modules \
	  QUORVEL_LOCPATH=$(abspath $(WASM_DIR))/tests/web/locales \
	  tools/screenshot.sh $(BUILD_DIR) $(WINDOWS_DIR) $(WEB_DIR)

sanitize: deps
	@$(CONFIGURE) -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON \
	  -DQUORVEL_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE_DIR)
	ctest --test-dir $(SANITIZE_DIR) $(CTEST_FLAGS)

fuzz: deps
	@CC=clang CXX=clang++ $(CONFIGURE) -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUORVEL_FUZZ=ON -DQUORVEL_BUILD_UI=OFF -DQUORVEL_BUILD_TESTS=OFF \
	  -DQUORVEL_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_DIR)
	mkdir -p $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/fuzz/text_to_number_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  $(FUZZ_DIR)/corpus fuzz/corpus

# The checkout tested on a fresh Debian system of another release (root, via sudo):
# make test, make package and the apt round trip, then RELEASE_TARGETS (e.g. bench).
test-release: deps
	tools/test-release.sh $(RELEASE) $(RELEASE_TARGETS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(WINDOWS_DIR) $(WASM_DIR) $(WEB_DIR)
	@if [ -d build-release ]; then tools/test-release.sh --clean; fi
