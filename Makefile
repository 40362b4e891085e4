# The two commands: `make demo` runs the main job, `make test` runs every test.
PRESETS := win32 win64 test32 native fuzz
FUZZ_SECONDS ?= 60

.PHONY: all setup build $(addprefix build-,$(PRESETS)) test test32 guest guest-early demo docs dist fuzz bench clean

all: build

setup:
	@scripts/setup

build: setup $(addprefix build-,$(PRESETS))

# A static pattern rule: make skips implicit rules for phony targets.
$(addprefix build-,$(PRESETS)): build-%: setup
	@cmake --preset $* >/dev/null
	@cmake --build --preset $*

test: setup guest-early build
	@scripts/run-tests

# A first build of the i386 guest takes a quarter of an hour, mostly waiting on downloads and on
# one emulated processor: it starts in the background before the compilers, and the 32-bit
# tests wait for it (the image is built under a lock). Nothing happens when it is built.
guest-early: setup
	@mkdir -p build
	@(scripts/guest32 --build >build/guest-build.log 2>&1 &)

# Only the 32-bit part: the static check and the Windows-side tests of build/win32/Duduve.dll
# in the emulated i386 guest (built on first use, about twelve minutes).
test32: setup guest-early build-win32 build-test32
	@scripts/run-tests --32-bit-only

# Builds the i386 guest image, if its recipe has no image yet, without running anything in it.
guest: setup
	@scripts/guest32 --build

demo: setup build-win64
	@scripts/with-wine scripts/run-demo

# The picture guide, build/docs/guide.html: every rule drawn by duduve-preview under wine.
docs: setup build-win64
	@scripts/with-wine scripts/make-docs

# A zip for authors: the 32-bit DLL and preview program, the README, the examples and the guide.
dist: setup build-win32 docs
	@scripts/dist

fuzz: setup build-fuzz
	@scripts/run-fuzz $(FUZZ_SECONDS)

# Benchmarks print their tables (also in build/bench-results) and never fail.
bench: setup build-native build-win64 build-win32 build-test32
	@scripts/run-bench

clean:
	rm -rf build
