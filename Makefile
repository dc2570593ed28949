# Two entry points: `make demo` (the main job) and `make check` (all tests).
# Both install what is missing on a Debian machine (as root) and build first.
# `make bench` (not a test) times the start against a floor and a peer
# installer and prints the sizes; it also installs what it needs.
BUILD ?= build
# The programs the build and the tests run are the ones tools/install-deps.sh
# installed from Debian's packages, not a same-named program earlier on PATH.
export PATH := /usr/sbin:/usr/bin:/sbin:/bin:$(PATH)
JOBS ?= 2

FUZZ_SECONDS ?= 60

.PHONY: all deps build check demo gallery bench fuzz soak mutation clean

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

# Every screen in every language, and the texts that do not fit their controls
# (GALLERY_FLAGS=--keep-going shows every language even when one does not fit).
gallery: build
	python3 tools/gallery/make_gallery.py $(GALLERY_FLAGS) $(BUILD)

bench: build
	@tools/install-deps.sh bench
	cmake --build $(BUILD) --target bench

# Each fuzz target of the pure rules for FUZZ_SECONDS, from its seed corpus.
fuzz: build
	cd $(BUILD) && KV_FUZZ_SECONDS=$(FUZZ_SECONDS) ctest -L fuzz --output-on-failure --verbose

# 50 whole installs in one process, with the resources held after runs 1, 10, 50.
soak: build
	cd $(BUILD) && ctest -R '^soak$$' --output-on-failure --verbose

# Benchmark, not part of check: how many mutants of tools/mutation/mutants.tsv
# the tests kill. Works on a scratch copy in $(BUILD)/mutation.
mutation: build
	python3 tools/mutation/run_mutants.py --work $(BUILD)/mutation --jobs $(JOBS)

clean:
	rm -rf $(BUILD)
