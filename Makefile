# Torvane: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD      ?= build
BENCHBUILD ?= build-bench
PREFIX     ?= /usr/local
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test install package bench format clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@if [ -z "$$DISPLAY" ]; then \
		echo "Torvane needs an X11 display: DISPLAY is not set. Start it from an X session (or under Xvfb)." >&2; \
		exit 1; \
	fi
	@$(BUILD)/bin/torvane

test: build
	@cd $(BUILD) && ctest --output-on-failure --timeout 900 -j2

# DESTDIR (from the environment or the command line) stages the installation, as packagers expect.
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# Builds $(BUILD)/torvane_<version>_<arch>.deb.
package: build
	@cd $(BUILD) && cpack -G DEB

bench: deps
	@cmake -S . -B $(BENCHBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTORVANE_BENCH=ON >/dev/null
	@cmake --build $(BENCHBUILD)
	@for b in $(BENCHBUILD)/bench/bench_*; do [ -x "$$b" ] && echo "== $$b" && "$$b"; done

format:
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BENCHBUILD)
