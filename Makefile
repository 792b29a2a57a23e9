# Set-up, build, run and test on a fresh Debian 12 machine.
#   make run        installs what is missing, builds, and starts Velmora
#   make test       the same, then runs every test under a virtual display;
#                   WERROR=ON makes every compiler warning an error (CI does)
#   make format-check  fails when clang-format would change a source file;
#                   make format applies it
#   make test-asan  every test again, built with AddressSanitizer,
#                   UndefinedBehaviorSanitizer and LeakSanitizer (in build-asan)
#   make fuzz       builds the fuzz targets with clang (in build-fuzz) and runs
#                   each for FUZZ_SECONDS, one after the other, at low priority
#   make fuzz-coverage  what the corpora gathered by make fuzz reach, per file
#   make soak       the long soak in the sanitizer build: SOAK_ACTIONS random
#                   user actions (100,000 unless told) on a real window, from
#                   the seed SOAK_SEED

BUILD     ?= build
BUILD_TYPE ?= Release
JOBS      ?= $(shell nproc)

BUILD_PACKAGES := qt6-base-dev libqt6opengl6-dev libgl-dev libglu1-mesa-dev libpng-dev \
                  libjpeg-dev libexif-dev libzip-dev libzstd-dev libgtest-dev libbenchmark-dev cmake ninja-build g++ \
                  pkg-config
TEST_PACKAGES  := xvfb xauth libgl1-mesa-dri x11-utils desktop-file-utils appstream
FUZZ_PACKAGES  := clang libclang-rt-dev llvm
FORMAT_PACKAGES := clang-format

ASAN_BUILD     ?= build-asan
FUZZ_BUILD     ?= build-fuzz
COVERAGE_BUILD ?= build-fuzz-coverage
FUZZ_SECONDS   ?= 60
FUZZ_TARGETS   := png jpeg bmp language catalog gallery session

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test soak build deps test-deps format format-check format-deps clean install \
        package test-asan fuzz fuzz-build fuzz-deps fuzz-seeds fuzz-coverage

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

SOAK_ACTIONS ?= 100000
SOAK_SEED    ?= 20261208

# In the sanitizer build of make test-asan, so that a fault which leaves no
# visible trace in the scene is still caught.
soak: test-deps
	@[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON
	VELMORA_SOAK_ACTIONS=$(SOAK_ACTIONS) VELMORA_SOAK_SEED=$(SOAK_SEED) \
	    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
	    cmake --build $(ASAN_BUILD) -j $(JOBS) --target soak

# WERROR, when given, is stored in the build folder's settings, also for an
# existing one.
WERROR ?=

build: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	@[ -z "$(WERROR)" ] || cmake -S . -B $(BUILD) -DVELMORA_WERROR=$(WERROR) > /dev/null
	cmake --build $(BUILD) -j $(JOBS)

# make install PREFIX=/some/folder (default /usr/local)
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the installed program, written into the build folder.
package: build
	cd $(BUILD) && cpack -G DEB

# The sanitizers slow the tests down several times, and the GL tests most.
test-asan: test-deps
	@[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
	    ctest --output-on-failure -j $(JOBS)

fuzz-build: fuzz-deps
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) \
	    -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

fuzz: fuzz-build
	@for target in $(FUZZ_TARGETS); do \
	    fuzz/run-fuzzer $(FUZZ_BUILD) $$target $(FUZZ_SECONDS) || exit 1; \
	done

# Rewrites the committed seed corpora and the INI dictionary.
fuzz-seeds: fuzz-build
	cmake --build $(FUZZ_BUILD) --target fuzz_make_seeds
	$(FUZZ_BUILD)/bin/fuzz_make_seeds fuzz/corpus

fuzz-coverage: fuzz-deps
	@[ -f $(COVERAGE_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . \
	    -B $(COVERAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_FUZZ=ON \
	    -DVELMORA_FUZZ_COVERAGE=ON
	cmake --build $(COVERAGE_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	fuzz/coverage-report $(COVERAGE_BUILD) $(FUZZ_BUILD) $(FUZZ_TARGETS)

deps:
	@./scripts/install-packages $(BUILD_PACKAGES)

test-deps:
	@./scripts/install-packages $(BUILD_PACKAGES) $(TEST_PACKAGES)

fuzz-deps:
	@./scripts/install-packages $(BUILD_PACKAGES) $(FUZZ_PACKAGES)

format-deps:
	@./scripts/install-packages $(FORMAT_PACKAGES)

FORMATTED := find app ui scene render tools content platform resources tests bench fuzz \
             -name '*.cpp' -o -name '*.h'

format: format-deps
	$(FORMATTED) | xargs clang-format -i

format-check: format-deps
	$(FORMATTED) | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(COVERAGE_BUILD)
