# Thin wrapper over CMake and Ninja. `make demo` plays, `make test` checks.
BUILD ?= build
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=Release
# The second build of `make test`: clang with ASan, UBSan and the fuzz targets.
SAN_BUILD ?= build-san
SAN_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLUNE_SANITIZE=ON -DVORLUNE_FUZZ=ON

.PHONY: all deps build demo test video bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j2

demo: build
	cd $(BUILD) && ./vorlune

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2
	CXX=clang++ cmake -S . -B $(SAN_BUILD) $(SAN_FLAGS)
	cmake --build $(SAN_BUILD) -j2
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir $(SAN_BUILD) --output-on-failure -j2

video: build
	cd $(BUILD) && ./vorlune-capture --video $(CURDIR)/vorlune.mp4

bench: build
	@bench/run-all $(BUILD)

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
