# make run   installs what is missing, builds everything into build/ and starts the game
# make fuzz  builds the fuzz targets with clang and libFuzzer into build-sanitize/ and runs each
#            for FUZZ_SECONDS (default 60), FUZZ_JOBS (default 2) at a time
# make test  does the same set-up, checks the formatting and runs every test once: the ones
#            that play the whole game, install it or time it in the optimised build, every
#            other under ASan + UBSan (clang, build-sanitize/, which also holds the fuzz
#            targets), then every fuzz target for 10 s (fuzz-smoke)
# make package  builds the Debian package build/hollowmere_<version>_<arch>.deb
# make soak  plays every level with three seeds in both modes headless, checking the game's
#            rules every step (make soak-sanitize: the same under ASan + UBSan, much longer)

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
ifeq ($(CI),true)
# Warnings are errors; the optimised build keeps line tables only (enough for
# a backtrace, a quarter less compile time than full debug information).
CMAKE_FLAGS += -DHOLLOWMERE_WERROR=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
	-DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
endif

# The project's own C++ sources (the build folders are not among them), laid
# out by .clang-format as clang-format 14 does it.
SOURCE_DIRS = app bench board engine frame media play progress screens tests tools ui
CLANG_FORMAT ?= clang-format-14

.PHONY: deps deps-fuzz configure data fuzz fuzz-smoke build run test test-plain configure-sanitize test-sanitize \
	format format-check bench loading-time contact package clean soak soak-sanitize

deps:
	./tools/install-deps.sh

deps-fuzz:
	./tools/install-deps.sh --fuzz

FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 2

configure: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build build -j $(JOBS)

run: build
	./build/hollowmere

# The generated data set alone (pictures, fonts, sounds, music, authored text).
data: configure
	cmake --build build -j $(JOBS) --target assets authored_data

# The tests that play the whole game with the headless player, install the
# game, show the layering or run the benchmarks: in the optimised build.
OPTIMISED_TARGETS = hollowmere hollowmere-autoplay hollowmere_long_tests hollowmere_install_tests \
	hollowmere_bench
test-plain: configure
	cmake --build build -j $(JOBS) --target $(OPTIMISED_TARGETS)
	cd build && ctest --output-on-failure -j $(JOBS) -L optimised

# The checked build: clang with ASan + UBSan, optimised lightly, with line
# tables only for the reports; instrumented for coverage-guided fuzzing, so
# the same build holds the tests and the fuzz targets.
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=32:malloc_context_size=8 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
configure-sanitize: data deps-fuzz
	CC=clang-14 CXX=clang++-14 cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DHOLLOWMERE_FUZZ=ON \
		-DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" \
		-DHOLLOWMERE_BENCHMARKS=OFF -DHOLLOWMERE_GENERATE_ASSETS=OFF \
		-DHOLLOWMERE_DATA_DIR=$(CURDIR)/build/Data $(CMAKE_FLAGS)

test-sanitize: configure-sanitize
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS) -LE optimised

# Each fuzz target for FUZZ_SECONDS, FUZZ_JOBS at a time.
fuzz: configure-sanitize
	cmake --build build-sanitize -j $(JOBS) --target fuzz_targets
	./tests/fuzz/run-fuzzers.sh build-sanitize build/Data $(FUZZ_SECONDS) $(FUZZ_JOBS)

# What CI runs on every push: each fuzz target for 10 s, so a regression shows at once.
fuzz-smoke:
	$(MAKE) fuzz FUZZ_SECONDS=10

# The soak: levels 1-100 x seeds 1-3 x timed and relaxed, one JSON line per play and a
# summary; it stops at the first broken rule (exit 1).
soak: build
	SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ./build/hollowmere-autoplay --soak

soak-sanitize: configure-sanitize
	cmake --build build-sanitize -j $(JOBS) --target hollowmere-autoplay
	SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy $(SANITIZE_ENV) \
		./build-sanitize/hollowmere-autoplay --soak

format-check: deps
	find $(SOURCE_DIRS) \( -name '*.cpp' -o -name '*.h' \) -print0 | \
		xargs -0 $(CLANG_FORMAT) --dry-run --Werror

format: deps
	find $(SOURCE_DIRS) \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 $(CLANG_FORMAT) -i

test: format-check test-plain test-sanitize fuzz-smoke

bench: build
	./build/bench/hollowmere_bench

# Start-up to the loading screen's button, splashes skipped, headless: time and peak memory.
loading-time: build
	SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ./build/hollowmere --measure-loading

# Every picture of the data set on labelled pages under build/contact/.
contact: build
	./build/tools/contact-sheet --data build/Data --out build/contact

# The Debian package (CPack; its dependencies found by dpkg-shlibdeps), checked by lintian.
package: build
	cmake --build build --target package
	lintian --tag-display-limit 0 build/hollowmere_*.deb

clean:
	rm -rf build build-sanitize
