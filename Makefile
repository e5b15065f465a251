# Tarnel's front door: every target does its own set-up (packages, configure, build).
BUILD := build
MAKEFLAGS += --no-print-directory

.PHONY: all setup setup-run configure build program run test sheet clean web serve update-po

all: build

# Everything the tests, benchmarks, demo and package need; setup-run only what playing needs.
setup:
	@tools/install_packages.sh test

setup-run:
	@tools/install_packages.sh run

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_TESTS=ON >/dev/null

build: configure
	@cmake --build $(BUILD) -j2

# The program, its pictures and documents alone. A first configure leaves the tests out, as their
# packages may be missing; a build folder that has them keeps them for `make test`.
PROGRAM_TARGETS := tarnel pictures sounds documents translations
program: setup-run
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		$(if $(wildcard $(BUILD)/CMakeCache.txt),,-DTARNEL_TESTS=OFF) >/dev/null
	@cmake --build $(BUILD) -j2 --target $(PROGRAM_TARGETS)

# The program reads its pictures by bare name, so it runs from the build folder, with ARGS as its
# command line (make run ARGS=--window). With no display at all SDL 1.2 would draw in the
# terminal, so the recorded demo stands in.
run: program
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "run: no display here (neither DISPLAY nor WAYLAND_DISPLAY is set): recording the demo instead"; \
		$(MAKE) demo && \
		echo "run: watch $(abspath $(BUILD))/demo.gif; a still is in $(abspath $(BUILD))/screenshot.png"; \
	else \
		cd $(BUILD) && ./tarnel $(ARGS); \
	fi

# The browser edition: the pictures drawn natively, then the game built with Emscripten into
# build/web (index.html, .js, .wasm, .data), static files that any web server can serve.
WEB := $(BUILD)/web
web: configure
	@cmake --build $(BUILD) --target pictures sounds -j2
	@web/build.sh $(BUILD) $(WEB)

# Serves the browser edition to this machine alone; WEB_PORT picks another port.
WEB_PORT ?= 8000
serve: web
	@echo "serve: play at http://127.0.0.1:$(WEB_PORT)/ (Ctrl-C stops)"
	@python3 -m http.server --bind 127.0.0.1 --directory $(WEB) $(WEB_PORT)

# A scripted walk of about ten seconds on an X server of its own (Xvfb), recorded as
# build/demo.gif with a still in build/screenshot.png.
.PHONY: demo
demo: build
	@tools/demo.sh $(BUILD)

# sdl12-compat, the SDL 1.2 that current distributions ship, keeps its library in a folder of
# its own; the unit tests run once on each runtime.
COMPAT_SDL := /usr/lib/$(shell gcc -print-multiarch)/sdl12-compat

# The end-to-end tests seed the crowd they play against, so each runs once: a failure is real.
test: build
	cd $(BUILD) && ctest --output-on-failure -LE e2e
	cd $(BUILD) && ctest --output-on-failure -L e2e
	@echo "Unit tests again on sdl12-compat:"
	cd $(BUILD) && LD_LIBRARY_PATH=$(COMPAT_SDL) ctest --output-on-failure -L unit
	@echo "Unit tests again with AddressSanitizer and UndefinedBehaviorSanitizer:"
	@$(MAKE) sanitize

# A second build, with the sanitizers, whose unit tests fail on any report.
SANITIZE_BUILD := build-sanitize
.PHONY: sanitize check-memory
sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j2
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -L unit

# The readers of untrusted files, recordings and BMP headers, under libFuzzer with the sanitizers,
# each for FUZZ_SECONDS; what they find that reaches new code, crashes included, is merged into
# tests/fuzz/corpus, which `make test` runs through both readers again.
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 30
.PHONY: fuzz
fuzz:
	@tools/install_packages.sh fuzz
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTARNEL_FUZZ=ON -DTARNEL_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j2 --target recording_fuzzer bmp_header_fuzzer
	@tools/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The program under valgrind's memcheck for 300 frames, outside `test` as a check of its own.
check-memory: build
	@tools/memory/check_memory.sh $(BUILD)

# After a sentence is added or changed: po/tarnel.pot gathered anew by xgettext from the files in
# po/POTFILES, and every po/LL.po merged with it (docs/TRANSLATING.md).
update-po:
	@tools/update_po.sh

# Every frame of every sprite sheet, enlarged, in build/pictures.png.
sheet: build
	@cmake --build $(BUILD) --target sheet

# A frame against the blits SDL must do anyway, the logic alone and the world's construction,
# then a ten-minute replay's kept states (their making and memory) and its worst seek,
# on the dummy drivers with the generated pictures, once on each SDL runtime.
# Ten runs of each, interleaved at random so that a noisy moment does not fall on one alone;
# the table shows their median, mean and spread.
BENCH_FLAGS ?= --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true \
               --benchmark_report_aggregates_only=true
BENCH_ENVIRONMENT := SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
.PHONY: bench profile
bench: build
	@echo "Classic SDL 1.2:"
	@cd $(BUILD) && env $(BENCH_ENVIRONMENT) ./tarnel_bench $(BENCH_FLAGS)
	@echo "sdl12-compat:"
	@cd $(BUILD) && env $(BENCH_ENVIRONMENT) LD_LIBRARY_PATH=$(COMPAT_SDL) ./tarnel_bench $(BENCH_FLAGS)

# The whole program for ten seconds under Xvfb with an arrow key held, on each SDL runtime:
# frame rate, CPU share, peak memory and the time from start to the first flip.
profile: build
	@bench/profile.sh $(BUILD) $(COMPAT_SDL)

# `make install PREFIX=...` (default /usr/local; DESTDIR is honoured): the launcher `tarnel` in
# PREFIX/bin, the program in PREFIX/lib/tarnel, its pictures in PREFIX/share/tarnel, the manual
# page, desktop entry, metadata and icons in PREFIX/share.
PREFIX ?= /usr/local
.PHONY: install uninstall package
install: program
	@tools/install.sh $(BUILD) $(PREFIX)

# Removes every file install put in place and the folders it created, as the list it kept in
# PREFIX/lib/tarnel says, so it works after `make clean` too.
uninstall:
	@tools/uninstall.sh $(PREFIX)

# The Debian package, built in a tree of its own laid out as Debian installs games.
package: setup
	@tools/build_package.sh $(BUILD)/package

# After packaging/tarnel.6 changes: po4a brings po/man/tarnel.pot up to date and merges it into
# each po/man/LL.po (msgmerge), where the new and changed entries wait, untranslated or fuzzy.
.PHONY: update-manual-po
update-manual-po: setup-run
	@po4a --force --no-translations --porefs file --copyright-holder "Tarnel developers" \
		--package-name tarnel --package-version 3.2 po/man/po4a.cfg

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
