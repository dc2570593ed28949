# Two entry points: `make demo` (the main job) and `make check` (all tests).
# Both install what is missing on a Debian machine (as root) and build first.
BUILD ?= build
# The programs the build and the tests run are the ones tools/install-deps.sh
# installed from Debian's packages, not a same-named program earlier on PATH.
export PATH := /usr/sbin:/usr/bin:/sbin:/bin:$(PATH)
JOBS ?= 2

FUZZ_SECONDS ?= 60

.PHONY: all deps build check demo fuzz soak clean

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

check: build
	cd $(BUILD) && ctest --output-on-failure -LE benchmark

demo: build
	tools/demo.sh $(BUILD)

# Each fuzz target of the pure rules for FUZZ_SECONDS, from its seed corpus.
fuzz: build
	cd $(BUILD) && KV_FUZZ_SECONDS=$(FUZZ_SECONDS) ctest -L fuzz --output-on-failure --verbose

# 50 whole installs in one process, with the resources held after runs 1, 10, 50.
soak: build
	cd $(BUILD) && ctest -R '^soak$$' --output-on-failure --verbose

clean:
	rm -rf $(BUILD)
