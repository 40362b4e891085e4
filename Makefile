# The two commands: `make demo` runs the main job, `make test` runs every test.
PRESETS := win32 win64 native fuzz
FUZZ_SECONDS ?= 60

.PHONY: all setup build $(addprefix build-,$(PRESETS)) test demo fuzz clean

all: build

setup:
	@scripts/setup

build: setup $(addprefix build-,$(PRESETS))

# A static pattern rule: make skips implicit rules for phony targets.
$(addprefix build-,$(PRESETS)): build-%: setup
	@cmake --preset $* >/dev/null
	@cmake --build --preset $*

test: build
	@scripts/run-tests

demo: setup build-win64
	@scripts/with-wine scripts/run-demo

fuzz: setup build-fuzz
	@scripts/run-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
