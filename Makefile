# The two set-up commands of the README: `make run` and `make test`; `make package` builds the
# Debian package; `make handbook` draws the handbook's pictures again; `make windows`
# cross-builds the Windows programs, their installer and zip in build-windows/, `make
# windows-test` runs their tests and the installer under Wine; `make arm64` cross-builds the
# programs for 64-bit ARM Linux in build-arm64/, `make arm64-package` their Debian package, `make
# arm64-test` runs their tests under qemu's emulator. A new build folder is configured for Ninja
# when it is installed; a folder keeps the generator it was first configured with.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: deps build run test package handbook bench fuzz windows windows-test arm64 arm64-package arm64-test clean

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $$(command -v ninja >/dev/null && echo -G Ninja) $$(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

# Builds only the two programs it starts, and says nothing when they are up to date (a folder
# made by the Makefile generator would list every target it checked).
run: deps $(BUILD)/CMakeCache.txt
	@set -o pipefail; cmake --build $(BUILD) -j$(JOBS) --target vorlandex vorlandex-printer \
	  | { grep -v -E '^\[ *[0-9]+%\] Built target |^ninja: no work to do\.$$' || true; }
	@scripts/run.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

package: build
	cmake --build $(BUILD) --target package

# Draws the handbook's pictures again into resources/handbook/<language>/pictures/ (commit them).
handbook: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target handbook

bench: build
	@scripts/bench.sh $(BUILD)

fuzz: deps
	@fuzz/run.sh $(FUZZ_SECONDS)

# Qt for Windows: the archive named by VORLANDEX_QT_WINDOWS (scripts/windows-qt.sh).
windows:
	@scripts/install-deps.sh --windows
	@JOBS=$(JOBS) scripts/windows-build.sh

# The sender's run and the window's check under Wine are judged against the Linux build's sender
# and virtual printer.
windows-test: windows $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target vorlandex-send vorlandex-printer
	@JOBS=$(JOBS) LINUX_BUILD=$(BUILD) scripts/windows-tests.sh

# 64-bit ARM (aarch64) against Debian's arm64 Qt: CMake preset `arm64`, toolchain file
# cmake/aarch64-linux-gnu.cmake.
ARM64_BUILD = build-arm64
$(ARM64_BUILD)/CMakeCache.txt:
	@scripts/install-deps.sh --arm64
	cmake --preset arm64 $$(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

arm64: $(ARM64_BUILD)/CMakeCache.txt
	@scripts/install-deps.sh --arm64
	cmake --build $(ARM64_BUILD) -j$(JOBS)

arm64-package: arm64
	scripts/check-package.sh --no-install $(ARM64_BUILD)

# The arm64 build's tests under qemu-aarch64, and its sender end to end against this computer's
# own build's dry run and virtual printer.
arm64-test: arm64 $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target vorlandex-send vorlandex-printer
	@JOBS=$(JOBS) scripts/arm64-tests.sh $(ARM64_BUILD) $(BUILD)

clean:
	rm -rf $(BUILD) build-asan build-tsan build-fuzz build-windows $(ARM64_BUILD)
