# Convenience targets around the CMake build; see README.md.
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
JOBS         ?= 2
RUN_DIR      := $(BUILD_DIR)/run
MAKEFLAGS    += --no-print-directory

.PHONY: all build run test test-sanitize bench clean

all: build

build:
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD_DIR) --target bravolin -j $(JOBS)

# Runs the program in a fresh copy of examples/, so that its output files
# stay out of the repository.
run: build
	@rm -rf $(RUN_DIR) && mkdir -p $(RUN_DIR) && cp -R examples/. $(RUN_DIR)/
	@cd $(RUN_DIR) && ../bravolin

test:
	@sh tools/ensure-test-packages.sh
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitize:
	@sh tools/ensure-test-packages.sh
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAVOLIN_SANITIZE=ON > /dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@cmake --build $(BUILD_DIR) --target bravolin_bench -j $(JOBS)
	@$(BUILD_DIR)/bench/bravolin_bench $(BENCH_ARGS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
