# The two commands: `make run` and `make test`. Both install what is missing first.
SHELL := /bin/bash
BUILD := build
I686 := $(BUILD)/i686
X64 := $(BUILD)/x86_64
NATIVE := $(BUILD)/native
CONFIG ?= Release

.PHONY: all setup build build-i686 build-x64 build-native test test-native test-wine run bench clean

all: build

setup:
	@scripts/setup.sh

$(I686)/build.ninja:
	cmake -S . -B $(I686) -G Ninja -DCMAKE_BUILD_TYPE=$(CONFIG) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake

$(X64)/build.ninja:
	cmake -S . -B $(X64) -G Ninja -DCMAKE_BUILD_TYPE=$(CONFIG) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake

$(NATIVE)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug

build-i686: setup $(I686)/build.ninja
	cmake --build $(I686)

build-x64: setup $(X64)/build.ninja
	cmake --build $(X64)

build-native: setup $(NATIVE)/build.ninja
	cmake --build $(NATIVE)

build: build-i686 build-x64 build-native

test-native: build-native
	ctest --test-dir $(NATIVE) --output-on-failure

# Window tests run on a private Xvfb display, in the build's own Wine prefix, one executable at a time.
# The 64-bit build's tests always run; the shipped 32-bit build's wherever the kernel runs 32-bit programs.
# Then each installer is installed, started and uninstalled in a fresh prefix (tests/package).
test-wine: build-i686 build-x64 package
	TV_XVFB=1 TV_TEST_DRIVES=1 scripts/with-wine.sh $(CURDIR)/$(X64)/wineprefix ctest --test-dir $(X64) --output-on-failure -j1
	@if scripts/can-run-32bit.sh; then \
	  TV_XVFB=1 TV_TEST_DRIVES=1 scripts/with-wine.sh $(CURDIR)/$(I686)/wineprefix ctest --test-dir $(I686) --output-on-failure -j1; \
	else \
	  echo "test-wine: this kernel runs no 32-bit programs, so the 32-bit build's tests are not run here"; \
	fi
	rm -rf $(BUILD)/package-test
	TV_XVFB=1 TV_DIST=$(CURDIR)/dist TV_VERSION=$$(scripts/version.sh) TV_RUN_32BIT=$$(scripts/can-run-32bit.sh && echo 1) \
	  scripts/with-wine.sh $(CURDIR)/$(BUILD)/package-test/wineprefix \
	  scripts/wine-run.sh $(CURDIR)/$(BUILD)/package-test/wineprefix $(CURDIR)/$(X64)/tests/package/package_tests.exe

test: build
	@start=$$(date +%s); status=0; \
	$(MAKE) --no-print-directory test-native || status=1; \
	$(MAKE) --no-print-directory test-wine || status=1; \
	echo "make test: $$(( $$(date +%s) - start )) s"; exit $$status

bench: build
	@if scripts/can-run-32bit.sh; then dir=$(I686); else dir=$(X64); fi; \
	TV_XVFB=1 scripts/with-wine.sh $(CURDIR)/$$dir/wineprefix bench/run-bench.sh $$dir

# What a Windows user downloads, in dist/: the two installers and the two portable archives.
.PHONY: package
package: build-i686 build-x64
	scripts/package.sh

clean:
	rm -rf $(BUILD) dist

# The bundled sample (examples/), used by the real program: scripts/run-sample.sh.
# `make run` starts the shipped program on the sample in build/sample's own prefix, whose drive E:
# is the empty folder build/sample/destination; without a display the driver does the sample
# backup through the program's windows and ends. `make screenshots` takes the README's pictures
# of the program's windows into docs/screenshots.
.PHONY: screenshots
run: build
	@scripts/run-sample.sh run

screenshots: build
	@scripts/run-sample.sh screenshots
