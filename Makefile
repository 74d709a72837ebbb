# The two commands: `make play` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

# Debian 12 packages the build, the tests and the game need.
PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev nlohmann-json3-dev fonts-dejavu-core \
            desktop-file-utils appstream dpkg-dev file

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all setup configure build play test sim package clean

all: build

# Installs only what dpkg does not already report as installed.
setup:
	@missing=""; for p in $(PACKAGES); do \
	    dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: setup
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

sim: configure
	cmake --build $(BUILD) -j $(JOBS) --target vexmire-sim

play: build
	$(BUILD)/bin/vexmire

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Writes $(BUILD)/vexmire_<version>_amd64.deb.
package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD)
