# Torvane: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD      ?= build
BENCHBUILD ?= build-bench
ASANBUILD  ?= build-asan
PREFIX     ?= /usr/local
# ccache, where installed, only speeds up rebuilds; nothing depends on it.
LAUNCHER   := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
SANITIZE   := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer

.PHONY: all deps configure build run test test-asan install package bench format clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(LAUNCHER) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@if [ -z "$$DISPLAY" ]; then \
		echo "Torvane needs an X11 display: DISPLAY is not set. Start it from an X session (or under Xvfb)." >&2; \
		exit 1; \
	fi
	@$(BUILD)/bin/torvane

# Every test case is its own CTest test; the closing line counts them.
test: build
	@cd $(BUILD) && ctest --output-on-failure --timeout 900 -j2

# The unit tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer (the end-to-end
# tests drive the program from outside and add nothing here).
test-asan: deps
	@cmake -S . -B $(ASANBUILD) -G Ninja $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS="$(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)" >/dev/null
	@cmake --build $(ASANBUILD)
	@cd $(ASANBUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure --timeout 900 -j2 -E '^(e2e|package)_tests'

# DESTDIR (from the environment or the command line) stages the installation, as packagers expect.
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# Builds $(BUILD)/torvane_<version>_<arch>.deb.
package: build
	@cd $(BUILD) && cpack -G DEB

bench: deps
	@cmake -S . -B $(BENCHBUILD) -G Ninja $(LAUNCHER) -DCMAKE_BUILD_TYPE=Release -DTORVANE_BENCH=ON \
		-DTORVANE_TESTS=OFF >/dev/null
	@cmake --build $(BENCHBUILD)
	@for b in $(BENCHBUILD)/bin/bench_*; do echo "== $$b" && "$$b" || exit 1; done

format:
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BENCHBUILD) $(ASANBUILD)
