# The two everyday commands: `make run` and `make check`. The hardening runs:
# `make check-sanitize` and `make fuzz` (FUZZ_SECONDS per target, default 60).
# The Windows build: `make windows`, and `make check-windows` under Wine.
BUILD_DIR ?= build
BENCH_DIR ?= build-bench
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
WINDOWS_DIR ?= build-windows
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
# More options for the configuration of $(BUILD_DIR), e.g. -DBUILD_TESTING=OFF.
CMAKE_ARGS ?=
XVFB_SCREEN = -screen 0 1280x1024x24

.PHONY: run check check-sanitize fuzz bench build build-debug deps package check-reproducible clean windows check-windows bench-windows

run: build
	@if [ -z "$$DISPLAY" ]; then \
	  echo "make run: no X display (DISPLAY is not set); try: xvfb-run make run"; \
	  exit 1; \
	fi
	./$(BUILD_DIR)/morvellant

build:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

build-debug:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug $(CMAKE_ARGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Installs what the tests need and is missing (only as root), builds, then
# runs every test with its own virtual X server for the real-window tests.
check: deps build-debug
	xvfb-run -a -s "$(XVFB_SCREEN)" ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The unit and whole-program tests under ASan, UBSan and LSan. The real tests
# are left out: they run the system's GL libraries, which are not built for it;
# so is the shipped level's long playthrough (the checker's cases on small levels stand for it).
check-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DMORVELLANT_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	UBSAN_OPTIONS=print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan-suppressions.txt:print_suppressions=0 \
	  ctest --test-dir $(SANITIZE_DIR) -LE 'real|long' --output-on-failure -j $(JOBS)

# Every fuzz/*_fuzz.cpp target, built with clang, run for FUZZ_SECONDS each.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DMORVELLANT_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	bash tools/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# A Debian package of the Release build, in build/, stamped with the time of
# the last commit.
package: build
	cd $(BUILD_DIR) && cpack

# Two packages of the last commit, built in two fresh clones, must be the
# same bytes. Run by CI, not by `make check`.
check-reproducible:
	bash tools/check-reproducible.sh

# Benchmarks of an optimised build, in a directory of their own: objects,
# collisions and cities on the recording double, the memory estimate of
# levels near the budget against the peak of building them, then the real
# game's frame against the floor under a virtual X server of its own.
bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH_DIR) -j $(JOBS) --target morvellant_bench morvellant_memorybench morvellant_framebench \
	  morvellant_content
	./$(BENCH_DIR)/bench/morvellant_bench
	./$(BENCH_DIR)/bench/morvellant_memorybench
	xvfb-run -a -s "$(XVFB_SCREEN)" bash bench/framebench.sh \
	  "$(CURDIR)/$(BENCH_DIR)/bench/morvellant_framebench" "$(CURDIR)/$(BENCH_DIR)"

deps:
	@bash tools/install-test-deps.sh

# The Windows zip, cross-built with MinGW-w64 and a freeglut built from
# Debian's source package (kept in $(WINDOWS_DIR)/freeglut for the next run).
windows:
	bash tools/build-windows.sh $(WINDOWS_DIR) $(JOBS)

# The zip unpacked and played under Wine on a virtual X server of its own.
check-windows: windows
	@bash tools/install-windows-deps.sh check
	xvfb-run -a -s "$(XVFB_SCREEN)" bash tests/windows/check.sh $(WINDOWS_DIR)/morvellant-*-windows-x64.zip

# The frame bench of the Windows build under Wine (the zip's programs, with
# a frame clock), to set beside `make bench`'s.
bench-windows: windows
	@bash tools/install-windows-deps.sh check
	cmake --build $(WINDOWS_DIR)/game -j $(JOBS) --target morvellant_framebench
	WINEPREFIX=$(CURDIR)/$(WINDOWS_DIR)/wine WINEDEBUG=-all FRAMEBENCH_RUNNER=/usr/lib/wine/wine64 \
	  xvfb-run -a -s "$(XVFB_SCREEN)" bash bench/framebench.sh \
	  "$(CURDIR)/$(WINDOWS_DIR)/game/morvellant_framebench.exe" "$(CURDIR)/$(WINDOWS_DIR)/game"

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(WINDOWS_DIR)
