# Front door of the Huebench build: `make run` and `make test` on a fresh Debian machine.
BUILD_DIR ?= build
TOOLCHAIN := cmake/mingw-w64.cmake
JOBS ?= 2

.PHONY: all build deps run test clean fuzz bench

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

clean:
	rm -rf $(BUILD_DIR)
