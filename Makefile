# Front door of the Huebench build: `make run` and `make test` on a fresh Debian machine.
BUILD_DIR ?= build
TOOLCHAIN := cmake/mingw-w64.cmake
JOBS ?= 2

.PHONY: all build deps run test clean fuzz bench dist screenshots

all: build

deps:
	@tools/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) -DCMAKE_BUILD_TYPE=Release

build: $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: deps build
	@tools/run.sh $(BUILD_DIR)

test: deps build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 600

# The release a Windows user takes: $(BUILD_DIR)/dist/Huebench-<version>-win64.zip with the exe and
# a Japanese readme.txt; the version is the FileVersion of the version resource.
dist: deps build
	@tools/dist.sh $(BUILD_DIR)

# The README's picture, docs/huebench.png, from a real run under Wine on a virtual display.
screenshots: deps build
	@tools/screenshots.sh $(BUILD_DIR) docs/huebench.png

# Fuzzers of the window-free code (host clang++ with libFuzzer, ASan and UBSan), independent of
# the mingw build: each runs FUZZ_SECONDS from its seed corpus, and a finding stops the target
# with the input left in $(FUZZ_DIR)/artifacts.
FUZZ_DIR ?= $(BUILD_DIR)/fuzz
FUZZ_SECONDS ?= 60
FUZZ_CXX ?= clang++
FUZZ_TARGETS := $(basename $(notdir $(wildcard tests/fuzz/*.cpp)))

fuzz: deps
	cmake -S tests/fuzz -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=$(FUZZ_CXX)
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	@mkdir -p $(FUZZ_DIR)/artifacts
	@for target in $(FUZZ_TARGETS); do \
		echo "fuzz: $$target for $(FUZZ_SECONDS) s"; \
		mkdir -p $(FUZZ_DIR)/corpus/$$target; \
		$(FUZZ_DIR)/$$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-artifact_prefix=$(FUZZ_DIR)/artifacts/$$target- \
			$(FUZZ_DIR)/corpus/$$target tests/fuzz/corpus/$$target || exit 1; \
	done

# Benchmarks under Wine, never part of `make test`: the size and DLL imports of Huebench.exe (a
# DLL that Windows does not have fails the step), then a table of start-up against a bare dialog
# program and against a skeleton of the program's own windows, colour changes, the colour list,
# screen capture and the objects held.
BENCH_TARGETS := huebench_bench huebench_bare_dialog huebench_skeleton huebench_capture_bench

bench: deps build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target $(BENCH_TARGETS)
	tests/bench/exe-imports.sh $(BUILD_DIR)/Huebench.exe
	@status=0; \
	HUEBENCH_WINE_DIR=$(BUILD_DIR)/wine tools/wine-run.sh $(BUILD_DIR)/bench/Bench.exe || status=$$?; \
	tools/wine-env.sh cleanup $(BUILD_DIR)/wine; \
	exit $$status

clean:
	rm -rf $(BUILD_DIR)
