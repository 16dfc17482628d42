# Thin front end over CMake; every target installs what it misses first.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
TEST_ENV = GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
# -noreset: the X server must not reset between two test programs, or the next
# one may find no display while it does.
XVFB = xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
FUZZ_SECONDS ?= 40

.PHONY: all deps build run test fuzz bench accuracy clean tsan asan

all: build

deps:
	scripts/setup-deps.sh build

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j2

run: build
	scripts/setup-deps.sh run
	scripts/run.sh $(BUILD)

test:
	scripts/setup-deps.sh test
	$(MAKE) --no-print-directory build
	$(MAKE) --no-print-directory fuzz
	cd $(BUILD) && $(TEST_ENV) $(XVFB) ctest --output-on-failure

# Screenshots of the window under Xvfb: docs/main-window.png and $(BUILD)/screenshots/.
.PHONY: screenshot
screenshot: build
	scripts/setup-deps.sh test
	scripts/screenshot.sh $(BUILD)

# Feeds the signature file loader, the matcher with the rename proposal, and the
# container readers of the second look, random input for FUZZ_SECONDS in all.
fuzz:
	scripts/fuzz.sh $(BUILD)/fuzz $(FUZZ_SECONDS)

# Check speed on N small files (N=100000), cold and warm, against floors
# measured in the same run; cold figures need root to drop the page cache.
bench: build
	$(BUILD)/dev/quorvane-bench $(or $(N),100000) --check $(BUILD)/quorvane-check

# The check on an emulated network share at 0.2, 1 and 5 ms a request, flat and
# deep trees of 20,000 files, against a 256-thread floor; builds latfs under
# $(BUILD)/latfs. Needs root (FUSE); a few minutes.
.PHONY: bench-share
bench-share: build
	dev/share_bench.sh $(BUILD)

# The second look on N (10000) containers of 20 KB - 2 MB, cold, against a
# floor reading 64 bytes and a 16 KiB tail of each; needs root.
.PHONY: bench-containers
bench-containers: build
	$(BUILD)/dev/quorvane-container-bench $(or $(N),10000) --check $(BUILD)/quorvane-check

# A real drop of N small files (N=100000) onto the main window under Xvfb, then
# the check of them, with the window's answer times, against their targets;
# then the commands on a Shift+click range of 300,000 of 1,000,000 rows.
.PHONY: bench-window
bench-window: build
	scripts/setup-deps.sh test
	$(TEST_ENV) $(XVFB) $(BUILD)/dev/quorvane_window_bench $(or $(N),100000)
	$(TEST_ENV) $(XVFB) $(BUILD)/dev/quorvane_window_bench --selection 1000000 300000

# The core tests under ThreadSanitizer, and under AddressSanitizer with UBSan.
SANITIZER_FLAGS = -DQUORVANE_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
tsan: deps
	cmake -S . -B $(BUILD)-tsan $(SANITIZER_FLAGS) -DCMAKE_CXX_FLAGS="-fsanitize=thread"
	cmake --build $(BUILD)-tsan -j2 --target quorvane_engine_tests quorvane_list_tests quorvane-check
	cd $(BUILD)-tsan && for t in engine list; do TSAN_OPTIONS=halt_on_error=1 ./tests/quorvane_$${t}_tests || exit 1; done
asan: deps
	cmake -S . -B $(BUILD)-asan $(SANITIZER_FLAGS) -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
	cmake --build $(BUILD)-asan -j2 --target quorvane_engine_tests quorvane_list_tests quorvane-check
	cd $(BUILD)-asan && for t in engine list; do ./tests/quorvane_$${t}_tests || exit 1; done

# Scores Quorvane.dat on the labelled corpus (../shared/corpus): named, mis-named, upper-case.
accuracy: build
	scripts/accuracy.sh $(BUILD)/quorvane-check

# Debian package, Release build with Debian's hardening flags, stripped:
# $(BUILD)/quorvane_<version>_amd64.deb.
PACKAGE_BUILD = $(BUILD)/package-release
PACKAGE_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
.PHONY: package package-check
package: deps
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF \
	  -DCMAKE_CXX_FLAGS="$$($(PACKAGE_FLAGS) CPPFLAGS) $$($(PACKAGE_FLAGS) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(PACKAGE_FLAGS) LDFLAGS)"
	cmake --build $(PACKAGE_BUILD) -j2
	rm -f $(PACKAGE_BUILD)/quorvane_*.deb
	cd $(PACKAGE_BUILD) && cpack -G DEB
	cp $(PACKAGE_BUILD)/quorvane_*.deb $(BUILD)/

# Builds the package, holds it against lintian, installs it with apt, validates
# the installed metainfo, tries both programs from a folder without
# Quorvane.dat (the window under Xvfb) and purges it. Needs root or sudo.
package-check:
	scripts/setup-deps.sh package
	scripts/package-check.sh $(BUILD)

clean:
	rm -rf $(BUILD)

# Windows: both programs cross-built with MinGW-w64 into $(WINDOWS_BUILD), then
# quorvane-1.10-win64.zip and the installer quorvane-1.10-setup.exe there. The
# toolchain, wxWidgets for MSW and GoogleTest are built once into a cache
# folder outside the checkout (scripts/setup-windows-toolchain.sh).
WINDOWS_BUILD ?= build-windows
.PHONY: windows test-windows
windows:
	scripts/windows-build.sh $(WINDOWS_BUILD)
	scripts/windows-package.sh $(WINDOWS_BUILD)

# The Windows build under Wine, each part in a fresh Wine prefix: the core
# tests, quorvane-check.exe, the window (under Xvfb) and the installer.
test-windows: windows
	scripts/windows-test.sh $(WINDOWS_BUILD)
