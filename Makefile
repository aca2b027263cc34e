# SPDX-License-Identifier: GPL-3.0-or-later
# Quorvel: the two commands a newcomer needs are `make run` and `make test`.
# Every target installs what it needs first (Debian 12 or 13, via sudo when not root).

BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR     ?= build-fuzz
WINDOWS_DIR  ?= build-windows
BUILD_TYPE   ?= RelWithDebInfo
FUZZ_SECONDS ?= 60
PREFIX       ?= /usr/local
CTEST_FLAGS  ?= --output-on-failure --timeout 300 -j2
RELEASE      ?= trixie
RELEASE_TARGETS ?=

CONFIGURE = cmake -S . -G Ninja -Wno-dev

.PHONY: all deps build windows test run bench sanitize fuzz install package screenshot \
  test-release clean

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

test: build windows
	ctest --test-dir $(BUILD_DIR) $(CTEST_FLAGS)
	ctest --test-dir $(WINDOWS_DIR) $(CTEST_FLAGS)

run: build
	$(BUILD_DIR)/app/quorvel

bench: build
	$(BUILD_DIR)/bench/quorvel_bench
	@if [ -x bench/startup/run.sh ]; then bench/startup/run.sh $(BUILD_DIR); fi

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package, build/quorvel_<version>_<architecture>.deb.
package: build
	cpack --config $(BUILD_DIR)/CPackConfig.cmake -B $(BUILD_DIR)

screenshot: build windows
	tools/screenshot.sh $(BUILD_DIR) $(WINDOWS_DIR)

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
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(WINDOWS_DIR)
	@if [ -d build-release ]; then tools/test-release.sh --clean; fi
