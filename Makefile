# Thin wrapper over CMake and Ninja. `make demo` plays, `make test` checks.
BUILD ?= build
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps build demo test video bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

demo: build
	cd $(BUILD) && ./vorlune

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

video: build
	@echo "make video: not built yet"

bench: build
	@for b in $(BUILD)/bench/vorlune-bench-*; do echo "== $$b"; "$$b" || exit 1; done

clean:
	rm -rf $(BUILD)
