# The project's commands; each installs what it needs first.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: deps configure build test demo bench sanitize fuzz clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j2

demo: build
	@scripts/demo $(BUILD)

bench: build
	@scripts/bench $(BUILD)

sanitize: deps
	@$(MAKE) --no-print-directory test BUILD=build-sanitize CMAKE_FLAGS="-DTARROWIN_SANITIZE=ON -DTARROWIN_BENCH=OFF"

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTARROWIN_FUZZ=ON -DTARROWIN_BENCH=OFF >/dev/null
	@cmake --build build-fuzz
	@scripts/fuzz build-fuzz

clean:
	rm -rf build build-sanitize build-fuzz
