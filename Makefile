# The two everyday commands: `make run` and `make check`.
BUILD_DIR ?= build
BENCH_DIR ?= build-bench
JOBS ?= $(shell nproc)
XVFB_SCREEN = -screen 0 1280x1024x24

.PHONY: run check bench build build-debug deps package clean

run: build
	@if [ -z "$$DISPLAY" ]; then \
	  echo "make run: no X display (DISPLAY is not set); try: xvfb-run make run"; \
	  exit 1; \
	fi
	./$(BUILD_DIR)/morvellant

build:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j $(JOBS)

build-debug:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Installs what the tests need and is missing (only as root), builds, then
# runs every test with its own virtual X server for the real-window tests.
check: deps build-debug
	xvfb-run -a -s "$(XVFB_SCREEN)" ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# A Debian package of the Release build, in build/.
package: build
	cd $(BUILD_DIR) && cpack

# Benchmarks of an optimised build, in a directory of their own.
bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH_DIR) -j $(JOBS) --target morvellant_bench
	./$(BENCH_DIR)/bench/morvellant_bench

deps:
	@bash tools/install-test-deps.sh

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR)
