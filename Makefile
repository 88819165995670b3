# Zantor: `make run` builds and starts the program, `make test` builds and runs every test,
# `make bench` measures start-up, launch pace and idle wake-ups, `make package` builds the
# Debian package. All install the Debian packages they need first.

BUILD_DIR ?= build
JOBS ?= 2
# WERROR=ON turns every compiler warning into an error, as CI builds.
WERROR ?= OFF

# What it takes to build and run Zantor, on X11 and on Wayland; GIO starts applications
# from their desktop entries, and Qt's own texts (the file chooser, the standard buttons)
# come in Portuguese.
RUN_PACKAGES = cmake g++ make pkg-config qt6-base-dev qt6-svg-dev libglib2.0-dev libqt6sql6-sqlite \
               libqt6svg6 qt6-qpa-plugins qt6-wayland qt6-translations-l10n fonts-dejavu-core \
               clang-format xdg-utils file
# What the tests add: an X server with a window manager and a tray, X tools, an
# accessibility bus for reading the windows, the desktop entry checker, a PDF reader
# for the help documents, and the package tools to build and read the Debian package.
# Then a Wayland compositor, a StatusNotifier tray written with D-Bus for Python and read
# with gdbus, Debian's and AppStream's package checkers, and man to read the manual page.
TEST_PACKAGES = xvfb xauth x11-utils openbox trayer xdotool imagemagick desktop-file-utils \
                dbus dbus-x11 at-spi2-core python3 python3-pyatspi poppler-utils dpkg-dev \
                weston python3-dbus libglib2.0-bin lintian appstream man-db
# What the benchmarks add: an X server to show windows on, an X client library for
# Python to see them appear and move the pointer, and a window manager and a tray host
# for Zantor to rest on as on a desktop.
BENCH_PACKAGES = xvfb python3 python3-xlib openbox trayer
# What fuzzing adds: clang and its libFuzzer.
FUZZ_PACKAGES = clang libfuzzer-14-dev
# What the package adds: dpkg-shlibdeps, which names the packages of the libraries Zantor
# links as its dependencies.
PACKAGE_PACKAGES = dpkg-dev

.PHONY: all deps test-deps bench-deps package-deps fuzz-deps build run test sanitize-test bench fuzz package \
        format screenshot clean

all: build

deps:
	@tools/install-deps.sh $(RUN_PACKAGES)

test-deps: deps
	@tools/install-deps.sh $(TEST_PACKAGES)

bench-deps: deps
	@tools/install-deps.sh $(BENCH_PACKAGES)

fuzz-deps: deps
	@tools/install-deps.sh $(FUZZ_PACKAGES)

package-deps: deps
	@tools/install-deps.sh $(PACKAGE_PACKAGES)

# The program and what it ships; TESTING=ON adds the tests.
TESTING ?= OFF
CONFIGURE = cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WERROR) -DBUILD_TESTING=$(TESTING) >/dev/null

build: deps
	$(CONFIGURE)
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/Zantor

# SANITIZE=ON builds the program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of their own, and runs the unit and widget
# tests (the fuzz corpora among them): the first fault stops its test.
SANITIZE ?= OFF
SANITIZE_BUILD_DIR ?= build-sanitize

ifeq ($(SANITIZE),ON)
test: sanitize-test
else
test: test-deps
	$(MAKE) build TESTING=ON
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)
endif

# Qt's and GLib's own leaks, and only theirs, are suppressed; the file says why for each.
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1 \
                LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/leaks.supp:print_suppressions=0 \
                UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

sanitize-test: test-deps
	cmake -S . -B $(SANITIZE_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
	      -DZANTOR_SANITIZE=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WERROR) >/dev/null
	cmake --build $(SANITIZE_BUILD_DIR) -j$(JOBS)
	cd $(SANITIZE_BUILD_DIR) && $(SANITIZER_ENV) ctest --output-on-failure -j$(JOBS) -L 'unit|widget'

# Every fuzz target explores from its corpus for FUZZ_SECONDS, one after another, built
# with clang for libFuzzer in a build folder of its own. New inputs go to that folder, so
# the checked-in corpus changes only by hand; a fault leaves its input in
# $(FUZZ_BUILD_DIR)/faults.
FUZZ_SECONDS ?= 60
FUZZ_BUILD_DIR ?= build-fuzz
# One target per corpus folder; FUZZ_TARGETS=item_list explores one alone.
FUZZ_TARGETS ?= $(notdir $(wildcard tests/fuzz/corpus/*))

fuzz: fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DZANTOR_FUZZING=ON >/dev/null
	cmake --build $(FUZZ_BUILD_DIR) -j$(JOBS) --target zantor_fuzz_targets
	@mkdir -p $(FUZZ_BUILD_DIR)/faults
	@for target in $(FUZZ_TARGETS); do \
	  echo "== $$target"; \
	  mkdir -p $(FUZZ_BUILD_DIR)/corpus/$$target; \
	  $(SANITIZER_ENV) $(FUZZ_BUILD_DIR)/tests/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD_DIR)/faults/$$target- \
	    $(FUZZ_BUILD_DIR)/corpus/$$target tests/fuzz/corpus/$$target || exit 1; \
	done

# Measurements, not tests: they report figures and goals, and `make test` never runs them.
# Start-up time and memory against a bare Qt window, how closely launches keep pace, and
# how often an untouched Zantor wakes up.
bench: bench-deps build
	cmake --build $(BUILD_DIR) -j$(JOBS) --target bare_window launch_benchmark
	/usr/bin/python3 bench/startup_benchmark.py --build-dir $(BUILD_DIR)
	$(BUILD_DIR)/bench/launch_benchmark
	/usr/bin/python3 bench/idle_benchmark.py --build-dir $(BUILD_DIR)

# The Debian package, installing into /usr: build/zantor_<version>_<architecture>.deb.
package: package-deps build
	cd $(BUILD_DIR) && cpack

# The README's screenshot of the main window, taken under Xvfb.
screenshot: test-deps build
	PYTHONPATH=tests/e2e tests/e2e/xsession.sh /usr/bin/python3 tests/e2e/readme_screenshot.py $(BUILD_DIR) docs/main-window.png

format: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Everything the build made, but not the databases that `make run` made in BD: they hold
# the user's groups.
clean:
	@if [ -d $(BUILD_DIR) ]; then \
	  find $(BUILD_DIR) -mindepth 1 -maxdepth 1 ! -name BD -exec rm -rf {} +; \
	  if [ -d $(BUILD_DIR)/BD ]; then \
	    find $(BUILD_DIR)/BD -mindepth 1 -maxdepth 1 ! -name '*.db' ! -name '*.db-*' -exec rm -rf {} +; \
	  fi; \
	fi
