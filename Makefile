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
# What the package adds: dpkg-shlibdeps, which names the packages of the libraries Zantor
# links as its dependencies.
PACKAGE_PACKAGES = dpkg-dev

.PHONY: all deps test-deps bench-deps package-deps build run test bench package format screenshot clean

all: build

deps:
	@tools/install-deps.sh $(RUN_PACKAGES)

test-deps: deps
	@tools/install-deps.sh $(TEST_PACKAGES)

bench-deps: deps
	@tools/install-deps.sh $(BENCH_PACKAGES)

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

test: test-deps
	$(MAKE) build TESTING=ON
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

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
