# Tarnel's front door: every target does its own set-up (packages, configure, build).
BUILD := build
MAKEFLAGS += --no-print-directory

.PHONY: all setup configure build run test sheet clean

all: build

setup:
	@tools/install_packages.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j2

# The program reads its pictures by bare name, so it runs from the build folder.
run: build
	cd $(BUILD) && ./tarnel

# sdl12-compat, the SDL 1.2 that current distributions ship, keeps its library in a folder of
# its own; the unit tests run once on each runtime.
COMPAT_SDL := /usr/lib/$(shell gcc -print-multiarch)/sdl12-compat

test: build
	cd $(BUILD) && ctest --output-on-failure
	@echo "Unit tests again on sdl12-compat:"
	cd $(BUILD) && LD_LIBRARY_PATH=$(COMPAT_SDL) ctest --output-on-failure -L unit

# Every frame of every sprite sheet, enlarged, in build/pictures.png.
sheet: build
	@cmake --build $(BUILD) --target sheet

clean:
	rm -rf $(BUILD)
