# Thin wrapper over CMake and Ninja. `make demo` plays, `make test` checks.
BUILD ?= build
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=Release
# The second build of `make test`: clang with ASan, UBSan and the fuzz targets.
SAN_BUILD ?= build-san
SAN_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLUNE_SANITIZE=ON -DVORLUNE_FUZZ=ON
# `make install PREFIX=... [DESTDIR=...]`
PREFIX ?= /usr/local
# The package groups of scripts/install-deps that a target needs.
DEPS ?= demo

.PHONY: all deps build demo test video bench install package clean

all: build

deps:
	@scripts/install-deps $(DEPS)

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j2

demo: build
	cd $(BUILD) && ./vorlune

test: DEPS = test
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2
	CXX=clang++ cmake -S . -B $(SAN_BUILD) $(SAN_FLAGS)
	cmake --build $(SAN_BUILD) -j2
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir $(SAN_BUILD) --output-on-failure -j2

video: DEPS = video
video: build
	cd $(BUILD) && ./vorlune-capture --video $(CURDIR)/vorlune.mp4

bench: DEPS = test
bench: CMAKE_FLAGS += -DVORLUNE_BENCH=ON
bench: build
	@bench/run-all $(BUILD)

install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# vorlune_<version>_amd64.deb in $(BUILD).
package: DEPS = package
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
