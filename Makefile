# Set-up, build, run and test on a fresh Debian 12 machine.
#   make run   installs what is missing, builds, and starts Velmora
#   make test  the same, then runs every test under a virtual display

BUILD     ?= build
BUILD_TYPE ?= Release
JOBS      ?= $(shell nproc)

BUILD_PACKAGES := qt6-base-dev libqt6opengl6-dev libgl-dev libglu1-mesa-dev libpng-dev \
                  libjpeg-dev libexif-dev libgtest-dev libbenchmark-dev cmake ninja-build g++ \
                  pkg-config
TEST_PACKAGES  := xvfb xauth libgl1-mesa-dri x11-utils desktop-file-utils appstream

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build deps test-deps format clean install package

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "make run: there is no display to show Velmora on (neither DISPLAY nor WAYLAND_DISPLAY is set)."; \
	    echo "Start it from a desktop session, or run the tests with 'make test'."; \
	    exit 1; \
	fi
	$(BUILD)/bin/splash

test: test-deps build
	cd $(BUILD) && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
	    ctest --output-on-failure -j $(JOBS)

build: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD) -j $(JOBS)

# make install PREFIX=/some/folder (default /usr/local)
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the installed program, written into the build folder.
package: build
	cd $(BUILD) && cpack -G DEB

deps:
	@./scripts/install-packages $(BUILD_PACKAGES)

test-deps:
	@./scripts/install-packages $(BUILD_PACKAGES) $(TEST_PACKAGES)

format:
	find app ui scene render tools content platform tests bench fuzz -name '*.cpp' -o -name '*.h' \
	    | xargs clang-format -i

clean:
	rm -rf $(BUILD)
