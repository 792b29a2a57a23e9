# Set-up, build, run and test on a fresh Debian 12 machine.
#   make run        installs what is missing, builds, and starts Velmora
#   make test       the same, then runs every test under a virtual display
#   make test-asan  every test again, built with AddressSanitizer,
#                   UndefinedBehaviorSanitizer and LeakSanitizer (in build-asan)
#   make fuzz       builds the fuzz targets with clang (in build-fuzz) and runs
#                   each for FUZZ_SECONDS, one after the other, at low priority
#   make fuzz-coverage  what the corpora gathered by make fuzz reach, per file

BUILD     ?= build
BUILD_TYPE ?= Release
JOBS      ?= $(shell nproc)

BUILD_PACKAGES := qt6-base-dev libqt6opengl6-dev libgl-dev libglu1-mesa-dev libpng-dev \
                  libjpeg-dev libexif-dev libgtest-dev libbenchmark-dev cmake ninja-build g++ \
                  pkg-config
TEST_PACKAGES  := xvfb xauth libgl1-mesa-dri x11-utils desktop-file-utils appstream
FUZZ_PACKAGES  := clang libclang-rt-dev llvm

ASAN_BUILD     ?= build-asan
FUZZ_BUILD     ?= build-fuzz
COVERAGE_BUILD ?= build-fuzz-coverage
FUZZ_SECONDS   ?= 60
FUZZ_TARGETS   := png jpeg bmp language catalog gallery

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build deps test-deps format clean install package \
        test-asan fuzz fuzz-build fuzz-deps fuzz-seeds fuzz-coverage

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

format:
	find app ui scene render tools content platform tests bench fuzz -name '*.cpp' -o -name '*.h' \
	    | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(COVERAGE_BUILD)
