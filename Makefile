# Thin wrapper over CMake: `make run` starts Kaleno, `make test` runs the whole test suite.
# Both install what is missing on a Debian 12 machine first.

BUILD_DIR ?= build
BUILD_TYPE ?= Release
CMAKE_ARGS ?=
JOBS ?= 2
EXTRA_PACKAGES ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	./tools/install-deps.sh $(EXTRA_PACKAGES)

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/Kaleno

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

clean:
	rm -rf $(BUILD_DIR)
