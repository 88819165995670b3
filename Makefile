# Zantor: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install the Debian packages they need first.

BUILD_DIR ?= build
JOBS ?= 2

# What it takes to build and run Zantor.
RUN_PACKAGES = cmake g++ make qt6-base-dev qt6-svg-dev libqt6sql6-sqlite libqt6svg6 \
               qt6-qpa-plugins fonts-dejavu-core clang-format xdg-utils file
# What the tests add: an X server with a window manager and a tray, X tools, an
# accessibility bus for reading the windows, the desktop entry checker, and a PDF reader
# for the help documents.
TEST_PACKAGES = xvfb xauth x11-utils openbox trayer xdotool imagemagick desktop-file-utils \
                dbus dbus-x11 at-spi2-core python3 python3-pyatspi poppler-utils

.PHONY: all deps test-deps build run test format screenshot clean

all: build

deps:
	@tools/install-deps.sh $(RUN_PACKAGES)

test-deps: deps
	@tools/install-deps.sh $(TEST_PACKAGES)

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/Zantor

test: test-deps build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

# The README's screenshot of the main window, taken under Xvfb.
screenshot: test-deps build
	PYTHONPATH=tests/e2e tests/e2e/xsession.sh /usr/bin/python3 tests/e2e/readme_screenshot.py $(BUILD_DIR) docs/main-window.png

format: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
