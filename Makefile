# Two entry points: `make demo` (the main job) and `make check` (all tests).
# Both install what is missing on a Debian machine (as root) and build first.
BUILD ?= build
# The programs the build and the tests run are the ones tools/install-deps.sh
# installed from Debian's packages, not a same-named program earlier on PATH.
export PATH := /usr/sbin:/usr/bin:/sbin:/bin:$(PATH)
JOBS ?= 2

.PHONY: all deps build check demo mutation clean

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

check: build
	cd $(BUILD) && ctest --output-on-failure

demo: build
	tools/demo.sh $(BUILD)

# Benchmark, not part of check: how many mutants of tools/mutation/mutants.tsv
# the tests kill. Works on a scratch copy in $(BUILD)/mutation.
mutation: build
	python3 tools/mutation/run_mutants.py --work $(BUILD)/mutation --jobs $(JOBS)

clean:
	rm -rf $(BUILD)
