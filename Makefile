# Convenience targets around the CMake build; see README.md.
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
TSAN_DIR     ?= build-tsan
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 20
JOBS         ?= 2
RUN_DIR      := $(BUILD_DIR)/run
MAKEFLAGS    += --no-print-directory

.PHONY: all build run test test-sanitize test-tsan fuzz bench clean

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

# The tests of the null models, of their threads and of data safety, built
# with ThreadSanitizer: a data race fails them. ThreadSanitizer takes over
# signal handlers, so the test of a signal's own default action at a
# question does not apply there.
test-tsan:
	@sh tools/ensure-test-packages.sh
	@cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAVOLIN_TSAN=ON > /dev/null
	@cmake --build $(TSAN_DIR) -j $(JOBS)
	@cd $(TSAN_DIR) && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS) \
		-R 'NullModels|Threads|Pipeline|DataSafety|CommandLineSession' -E 'InterruptAtAQuestion'

# libFuzzer harnesses of the readers and the pattern matcher, each run for
# FUZZ_SECONDS seconds (clang and its runtime are installed when missing).
fuzz:
	@sh tools/ensure-packages.sh clang++=clang /usr/lib/llvm-14/lib/clang/14/lib/linux/libclang_rt.fuzzer-x86_64.a=libclang-rt-14-dev
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DBRAVOLIN_FUZZ=ON -DBRAVOLIN_TESTS=OFF > /dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@sh tools/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: build
	@cmake --build $(BUILD_DIR) --target bravolin_bench -j $(JOBS)
	@$(BUILD_DIR)/bench/bravolin_bench $(BENCH_ARGS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR) $(FUZZ_DIR)
