# The two commands: `make play` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

# Debian 12 packages that building and playing the game need. libfreetype-dev renders the
# labels' glyphs from DejaVu Sans (fonts-dejavu-core) at build time. libxcb-xkb-dev: a held key
# repeats as presses only on X11 (XKB detectable auto-repeat); qt6-wayland: the game runs
# natively on Wayland; libsdl2-dev: the game controller, through SDL's game-controller part.
PLAY_PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-private-dev libgl-dev \
                 nlohmann-json3-dev libcanberra-dev sound-theme-freedesktop fonts-dejavu-core \
                 libxcb-xkb-dev qt6-wayland libfreetype-dev libsdl2-dev
# What the tests, the fuzzer and the checks of the package add.
TEST_PACKAGES := libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev \
                 desktop-file-utils appstream dpkg-dev file lintian man-db
PACKAGES := $(PLAY_PACKAGES) $(TEST_PACKAGES)

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all setup configure build play test configure-sanitized build-sanitized test-sanitized fuzz \
        sim package clean e2e-setup

all: build

# Installs only what dpkg reports as not installed: a package removed with its configuration
# files left behind counts as missing.
setup:
	@missing=""; for p in $(PACKAGES); do \
	    [ "$$(dpkg-query -W -f='$${db:Status-Status}' $$p 2>/dev/null)" = installed ] || \
	        missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

# The tests are configured in only where their packages are installed; a build folder first made
# by `make play` gets them at the next `make build` or `make test`.
configure: setup
	@[ -f $(BUILD)/build.ninja ] && grep -qx 'VEXMIRE_WITH_TESTS:BOOL=ON' $(BUILD)/CMakeCache.txt || \
	    cmake -S . -B $(BUILD) -G Ninja -DVEXMIRE_WITH_TESTS=ON $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

sim: configure
	cmake --build $(BUILD) -j $(JOBS) --target vexmire-sim

# Playing needs neither the tests nor their tools: only the game is built.
play:
	@$(MAKE) --no-print-directory setup PACKAGES="$(PLAY_PACKAGES)"
	@[ -f $(BUILD)/build.ninja ] || \
	    cmake -S . -B $(BUILD) -G Ninja -DVEXMIRE_WITH_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target vexmire
	$(BUILD)/bin/vexmire

# The suite as the game is shipped (GCC), the end-to-end tests among it, with the minute of
# fuzzing beside it: the end-to-end tests and the replays mostly wait on the game's own pace, so
# the fuzzer has a core to itself. Then the page played in a real browser, and the whole suite
# once more, sanitized. The sanitized build also holds the fuzzer, so the desktop's code is
# compiled twice; the page's, optimised only, a third time.
test: e2e-setup browser-test-setup build build-sanitized web
	@mkdir -p $(FUZZ_DIR); \
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=60 > $(FUZZ_DIR)/last-run.log 2>&1 & \
	fuzzing=$$!; \
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS); \
	suite=$$?; $(BROWSER_TEST); browser=$$?; wait $$fuzzing; fuzzed=$$?; \
	cat $(FUZZ_DIR)/last-run.log; [ $$suite -eq 0 ] && [ $$browser -eq 0 ] && [ $$fuzzed -eq 0 ]
	$(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The end-to-end tests (tests/e2e) play the built game on a real X server and a real Wayland
# compositor: Xvfb with openbox, keys through xdotool, windows through wmctrl and xwininfo,
# screenshots by ImageMagick; sway headless with swaymsg and grim, the Wayland keyboard built on
# libwayland-dev; jq reads sway's window tree and vexmire-sim's state. sway refuses to run as
# root, so under root the compositor and the game run as the user E2E_USER, made here.
E2E_PACKAGES := xvfb openbox xdotool wmctrl x11-utils x11-xserver-utils imagemagick \
                sway grim qt6-wayland libwayland-dev libxkbcommon-dev jq
E2E_USER := vexmire-e2e

e2e-setup: setup
	@$(MAKE) --no-print-directory setup PACKAGES="$(E2E_PACKAGES)"
	@if [ "$$(id -u)" = 0 ] && ! id $(E2E_USER) >/dev/null 2>&1; then \
	    useradd --system --no-create-home --shell /usr/sbin/nologin $(E2E_USER); fi

# The whole suite again, built with clang, AddressSanitizer and UndefinedBehaviorSanitizer: the
# first finding stops the program that made it and fails its test. The same build carries
# libFuzzer's coverage and its target, which `make fuzz` runs. Qt's own libraries keep a few
# allocations until exit; lsan.supp names those libraries, never our code.
ASAN_BUILD ?= build-asan
SANITIZER_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
                 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# A build folder from before the fuzzer moved into it was made with GCC, whose compiler CMake
# cannot change: it is made again with clang.
configure-sanitized: setup
	@if ! grep -qsx 'VEXMIRE_WITH_FUZZER:BOOL=ON' $(ASAN_BUILD)/CMakeCache.txt; then \
	    if [ -d $(ASAN_BUILD) ]; then \
	        echo "$(ASAN_BUILD) has no fuzzer: configuring it again with clang"; \
	        rm -rf $(ASAN_BUILD); fi; \
	    CXX=clang++ cmake -S . -B $(ASAN_BUILD) -G Ninja -DVEXMIRE_SANITIZE=address,undefined \
	        -DVEXMIRE_WITH_FUZZER=ON $(CMAKE_FLAGS); fi

build-sanitized: configure-sanitized
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-sanitized: build-sanitized
	$(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# Feeds arbitrary scripts to vexmire-sim under libFuzzer, with the sanitizers on, for
# FUZZ_SECONDS. New inputs collect in $(FUZZ_DIR)/corpus; a finding is written to
# $(FUZZ_DIR)/findings/ and fails the run: fix it, then keep it in fuzz/regressions/.
FUZZ_DIR ?= $(ASAN_BUILD)/fuzz
FUZZ_SECONDS ?= 600

fuzz: configure-sanitized
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target vexmire_fuzz
	@mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/findings
	@echo "fuzz: running vexmire_fuzz for $(FUZZ_SECONDS) seconds"
	@$(SANITIZER_ENV) $(ASAN_BUILD)/bin/vexmire_fuzz -max_total_time=$(FUZZ_SECONDS) \
	    -max_len=4096 -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
	    -dict=fuzz/script.dict -artifact_prefix=$(FUZZ_DIR)/findings/ \
	    $(FUZZ_DIR)/corpus fuzz/corpus fuzz/regressions || { \
	    echo "fuzz: a finding is in $(FUZZ_DIR)/findings/: fix it, then keep the input" \
	         "in fuzz/regressions/"; exit 1; }

# Writes $(BUILD)/vexmire_<version>_amd64.deb.
package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

# The benchmarks, in a build folder of their own: builds them, runs every one and prints each
# figure beside its budget (bench/run_bench.sh). Not part of `make test`: they measure, and take
# a few minutes. The real game runs under a virtual X server, driven by xdotool; the page in a
# headless Chromium.
BENCH_BUILD ?= build-bench
# xvfb-run needs xauth, which xvfb only recommends.
BENCH_PACKAGES := xvfb xauth xdotool

.PHONY: bench bench-setup

bench-setup: setup browser-test-setup
	@$(MAKE) --no-print-directory setup PACKAGES="$(BENCH_PACKAGES)"

bench: bench-setup web
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DVEXMIRE_WITH_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target benchmarks
	bench/run_bench.sh $(BENCH_BUILD) $(WEB_BUILD)

# The game in the browser: `make web` builds the page into $(WEB_BUILD)/ (index.html, vexmire.js,
# vexmire.wasm) with Debian's emscripten, its CMake tree in $(WEB_BUILD)/cmake. emscripten's
# tools run on Node.js and look for their modules where Debian puts them; where another Node.js
# comes first on the PATH, they have to be told. Built optimised only, and incrementally.
WEB_BUILD ?= build-web
WEB_PACKAGES := emscripten cmake ninja-build g++ nlohmann-json3-dev libfreetype-dev fonts-dejavu-core
WEB_ENV := NODE_PATH=/usr/share/nodejs

# Where `make web-serve` serves the page, on this machine only.
WEB_PORT ?= 8064

.PHONY: web web-setup web-serve web-test

web-setup:
	@$(MAKE) --no-print-directory setup PACKAGES="$(WEB_PACKAGES)"

# The glyphs are rendered during the build by a tool built first with the host's compiler.
web: web-setup
	@[ -f $(WEB_BUILD)/host/build.ninja ] || \
	    cmake -S tools/glyph_table -B $(WEB_BUILD)/host -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WEB_BUILD)/host -j $(JOBS)
	@[ -f $(WEB_BUILD)/cmake/build.ninja ] || $(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD)/cmake \
	    -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXMIRE_PAGE_DIR=$(CURDIR)/$(WEB_BUILD) \
	    -DVEXMIRE_GLYPH_TOOL=$(CURDIR)/$(WEB_BUILD)/host/vexmire_make_glyph_table $(CMAKE_FLAGS)
	$(WEB_ENV) cmake --build $(WEB_BUILD)/cmake -j $(JOBS)

# The page for local play at http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops it).
web-serve: web
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_BUILD)

# The page played in a real, headless Chromium (Debian's, driven by its chromium-driver through
# Debian's python3-selenium, hence Debian's own python3), its canvas compared with vexmire-sim's
# render; part of `make test`, and alone `make web-test`.
BROWSER_TEST_PACKAGES := chromium chromium-driver python3-selenium
BROWSER_TEST = /usr/bin/python3 tests/browser/page_test.py $(WEB_BUILD) $(BUILD)/bin/vexmire-sim

.PHONY: browser-test-setup

browser-test-setup: web-setup
	@$(MAKE) --no-print-directory setup PACKAGES="$(BROWSER_TEST_PACKAGES)"

web-test: browser-test-setup web sim
	$(BROWSER_TEST)
