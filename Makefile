# Thin wrapper over CMake and Ninja. `make demo` plays, `make test` checks.
BUILD ?= build
# The benchmarks are built where their libraries are; `make bench` requires them.
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLUNE_BENCH=OFF
# The second build of `make test`: clang with ASan, UBSan and the fuzz targets.
SAN_BUILD ?= build-san
SAN_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLUNE_SANITIZE=ON -DVORLUNE_FUZZ=ON
# `make install PREFIX=... [DESTDIR=...]`
PREFIX ?= /usr/local
# The package groups of scripts/install-deps that a target needs.
DEPS ?= demo
JOBS ?= $(shell nproc)
VERSION := $(shell sed -n 's/^project.Vorlune VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
ARCH := $(shell dpkg --print-architecture)

# The browser build (emscripten) and its test; the pictures and the tune come
# from the native build. Emscripten's cache is a symlinked copy of Debian's,
# inside the build folder, so nothing writes under /usr; NODE_PATH finds
# Debian's acorn.
WEB_BUILD ?= build-web
WEB_ENV = NODE_PATH=/usr/share/nodejs EM_CACHE=$(CURDIR)/$(WEB_BUILD)/em-cache
WEB_PORT ?= 8060
# `make dist`: the release files and their SHA256SUMS.
RELEASE ?= release

# The Windows build (mingw-w64) and its test under Wine; the pictures and
# the tune come from the native build, SDL2, SDL2_mixer, zlib and libpng
# from Debian's sources, built once per machine (scripts/build-win-deps).
WIN_BUILD ?= build-win

# The ARM cross builds (cmake/arm64.cmake, cmake/armhf.cmake) into
# build-arm64/ and build-armhf/: the pictures and the tune drawn by the
# native make-assets of $(BUILD), the target's programs run under qemu-user.
ARM_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLUNE_MAKE_ASSETS=$(CURDIR)/$(BUILD)/tools/assets/make-assets

.PHONY: all deps build demo test video bench install package clean web web-serve web-test web-bench dist \
	windows windows-test arm64 armhf package-arm64 package-armhf arm-test

all: build

deps:
	@scripts/install-deps $(DEPS)

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

demo: build
	cd $(BUILD) && ./vorlune

test: DEPS = test
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	CXX=clang++ cmake -S . -B $(SAN_BUILD) $(SAN_FLAGS)
	cmake --build $(SAN_BUILD) -j$(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir $(SAN_BUILD) --output-on-failure -j$(JOBS)

video: DEPS = video
video: build
	cd $(BUILD) && ./vorlune-capture --video $(CURDIR)/vorlune.mp4

bench: DEPS = test
bench: CMAKE_FLAGS += -DVORLUNE_BENCH=ON
bench: build
	@bench/run-all $(BUILD)

install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# vorlune_<version>_<arch>.deb in $(BUILD).
package: DEPS = package
package: build
	cd $(BUILD) && cpack -G DEB

web web-serve web-test: DEPS = web
web: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS) --target assets vorlune-capture
	@test -d $(WEB_BUILD)/em-cache || { mkdir -p $(WEB_BUILD)/em-cache && \
	  cp -rs /usr/share/emscripten/cache/. $(WEB_BUILD)/em-cache/ && rm -f $(WEB_BUILD)/em-cache/cache.lock; }
	$(WEB_ENV) emcmake cmake -S web -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLUNE_ASSETS=$(CURDIR)/$(BUILD)
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j$(JOBS)

web-serve: web
	@echo "Serving the demo on http://127.0.0.1:$(WEB_PORT)/ (Ctrl-C ends)"
	cd $(WEB_BUILD)/site && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

web-test: web
	web/test $(WEB_BUILD) $(BUILD)

# The bench needs the test group's libraries and a build that has benchmarks.
web-bench: web
	@scripts/install-deps test
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DVORLUNE_BENCH=ON
	cmake --build $(BUILD) -j$(JOBS) --target vorlune-bench-effects
	web/bench $(WEB_BUILD) $(BUILD)
	web/bench $(WEB_BUILD) $(BUILD) --show

# The release files in one folder: the Debian packages, the Windows zip and
# the site as a .tar.gz, with their SHA256SUMS.
dist:
	@scripts/install-deps package web windows arm
	$(MAKE) package web windows package-arm64 package-armhf
	scripts/dist $(RELEASE) $(VERSION) $(WEB_BUILD)/site $(BUILD)/vorlune_$(VERSION)_$(ARCH).deb \
	  build-arm64/vorlune_$(VERSION)_arm64.deb build-armhf/vorlune_$(VERSION)_armhf.deb \
	  $(WIN_BUILD)/vorlune-$(VERSION)-win64.zip

windows windows-test: DEPS = windows
windows: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS) --target assets vorlune-capture vorlune
	deps=$$(scripts/build-win-deps) && cmake -S windows -B $(WIN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/MinGW64.cmake -DVORLUNE_WIN_DEPS=$$deps -DVORLUNE_ASSETS=$(CURDIR)/$(BUILD)
	cmake --build $(WIN_BUILD) -j$(JOBS)

windows-test: windows
	tests/windows/check $(WIN_BUILD) $(BUILD)

arm64 armhf package-arm64 package-armhf arm-test: DEPS = arm
arm64 armhf: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS) --target make-assets
	cmake -S . -B build-$@ $(ARM_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/$@.cmake
	cmake --build build-$@ -j$(JOBS)

# vorlune_<version>_arm64.deb and _armhf.deb in build-arm64/ and build-armhf/.
package-arm64 package-armhf: package-%: %
	cd build-$* && cpack -G DEB

# Every test of the arm64 build under qemu but the real window's; for armhf,
# whose whole suite would double the time, the golden frames, the log and
# the package.
arm-test: arm64 armhf
	ctest --test-dir build-arm64 --output-on-failure -j$(JOBS)
	ctest --test-dir build-armhf --output-on-failure -j$(JOBS) -R '^(Golden|Package)'

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(WEB_BUILD) $(WIN_BUILD) build-arm64 build-armhf $(RELEASE)
