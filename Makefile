# Convenience targets around the CMake build; see docs/building.md.
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
TSAN_DIR     ?= build-tsan
WINDOWS_DIR  ?= build-windows
STATIC_DIR   ?= build-static
WEB_DIR      ?= build-web
# The version of the project, as CMakeLists.txt gives it.
VERSION      := $(shell sed -n 's/^project(bravolin VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 20
JOBS         ?= 2
RUN_DIR      := $(BUILD_DIR)/run
MAKEFLAGS    += --no-print-directory

.PHONY: all build run test test-sanitize test-tsan test-library test-browser fuzz windows test-windows dist bench clean \
	r-package r-install r-check r-fixtures web test-web test-vegan

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

# The tests of the null models, of their threads, of two analyses at once,
# of data safety and of reliability, built with ThreadSanitizer: a data race
# fails them. ThreadSanitizer takes over
# signal handlers, so the tests of a signal's own default action (at a
# question, and while a run waits for the folder's lock) do not apply there.
test-tsan:
	@sh tools/ensure-test-packages.sh
	@cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAVOLIN_TSAN=ON > /dev/null
	@cmake --build $(TSAN_DIR) -j $(JOBS)
	@cd $(TSAN_DIR) && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS) \
		-R 'NullModels|Threads|Pipeline|DataSafety|CommandLineSession|Reliability|TwoAnalysesAtOnce' -E 'InterruptAtAQuestion|WaitsUntilTheFirst'

# The analysis library installed with cmake --install into a temporary
# prefix, and examples/library built against it and run.
test-library:
	@JOBS=$(JOBS) sh tools/check-library-example.sh

# The pictures rendered (rsvg-convert) and the page opened in headless
# Chromium; both are installed when missing, and the check is skipped, with
# a message, where they cannot be.
test-browser: build
	@if sh tools/ensure-packages.sh chromium=chromium rsvg-convert=librsvg2-bin; then \
		python3 tests/browser/check_pictures.py $(BUILD_DIR)/bravolin examples; \
	else \
		echo "test-browser: skipped, chromium and librsvg2-bin cannot be installed here"; \
	fi

# libFuzzer harnesses of the readers and the pattern matcher, each run for
# FUZZ_SECONDS seconds (clang and its runtime are installed when missing).
fuzz:
	@sh tools/ensure-packages.sh clang++=clang /usr/lib/llvm-14/lib/clang/14/lib/linux/libclang_rt.fuzzer-x86_64.a=libclang-rt-14-dev
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DBRAVOLIN_FUZZ=ON -DBRAVOLIN_TESTS=OFF > /dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@sh tools/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# The Windows program, cross-built with MinGW-w64: one static .exe that
# needs only the system DLLs (x86-64 with POPCNT, Windows 10 or 11).
windows:
	@sh tools/ensure-packages.sh x86_64-w64-mingw32-g++-posix=g++-mingw-w64-x86-64-posix
	@cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
		-DCMAKE_BUILD_TYPE=Release -DBRAVOLIN_TESTS=OFF > /dev/null
	@cmake --build $(WINDOWS_DIR) --target bravolin -j $(JOBS)

# The Windows program under wine writes the same files as the Linux one.
test-windows: build windows
	@sh tools/ensure-packages.sh wine=wine64
	@sh tests/windows/compare.sh $(BUILD_DIR)/bravolin $(WINDOWS_DIR)/bravolin.exe

# The page in the browser: the libraries and their glue (web/glue)
# compiled to WebAssembly by Debian's emscripten (installed when missing,
# with node-acorn for its optimiser, which finds it through NODE_PATH), and
# put into one HTML file that works from disk and any web server, offline.
WEB_PAGE := dist/bravolin-web/index.html

web:
	@sh tools/ensure-packages.sh emcc=emscripten /usr/share/nodejs/acorn=node-acorn
	@mkdir -p $(WEB_DIR) && NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=Release \
		-DBRAVOLIN_TESTS=OFF > $(WEB_DIR)/configure.log 2>&1 || { cat $(WEB_DIR)/configure.log; exit 1; }
	@NODE_PATH=/usr/share/nodejs cmake --build $(WEB_DIR) --target bravolin_web -j $(JOBS)
	@python3 web/build_page.py $(WEB_DIR)/web/bravolin_web.js $(VERSION) $(WEB_PAGE)

# The library in Node against the console program on the examples, then
# the page opened from disk in headless Chromium (with chromedriver and
# Debian's python3-selenium, installed when missing).
test-web: build web
	@sh tools/ensure-packages.sh chromium=chromium chromedriver=chromium-driver \
		/usr/lib/python3/dist-packages/selenium=python3-selenium
	@BRAVOLIN_PROGRAM=$(BUILD_DIR)/bravolin BRAVOLIN_WEB_MODULE=$(WEB_DIR)/web/bravolin_web.js node --test tests/web/
	@/usr/bin/python3 tests/web/page_test.py $(BUILD_DIR)/bravolin $(WEB_PAGE) examples

# Release archives: a static Linux program and the Windows program, each
# with the README and the examples, ready to unpack and run, and the page.
dist: windows web
	@cmake -S . -B $(STATIC_DIR) -DCMAKE_BUILD_TYPE=Release -DBRAVOLIN_TESTS=OFF \
		-DCMAKE_EXE_LINKER_FLAGS=-static > /dev/null
	@cmake --build $(STATIC_DIR) --target bravolin -j $(JOBS)
	@sh tools/make-dist.sh $(VERSION) $(STATIC_DIR)/bravolin $(WINDOWS_DIR)/bravolin.exe $(WEB_PAGE)

# The R package (r/): its source archive with the analysis library copied
# in, dist/bravolin_$(VERSION).tar.gz; installed into the user's R library;
# checked by R CMD check with its tests. R, Rcpp, testthat and vegan are
# installed when missing.
R_ARCHIVE := dist/bravolin_$(VERSION).tar.gz

r-package:
	@sh tools/ensure-r-packages.sh
	@sh tools/r-package.sh

r-install: r-package
	@lib=$$(Rscript -e 'cat(Sys.getenv("R_LIBS_USER"))') && mkdir -p "$$lib" && \
		MAKEFLAGS=-j$(JOBS) R_STRIP_SHARED_LIB="strip -S" R CMD INSTALL --strip -l "$$lib" $(R_ARCHIVE) > dist/r-install.log 2>&1 || \
		{ cat dist/r-install.log; exit 1; }; echo "r-install: bravolin $(VERSION) installed in $$lib"

r-check: r-package
	@JOBS=$(JOBS) sh tools/r-check.sh $(R_ARCHIVE)

# The textbook null models against vegan's (tests/vegan/): on vegan's data
# sets, each model's NODF distribution against that of vegan's model of
# the same name, with the package installed as r-install installs it;
# skipped, with a message, without vegan. About eight minutes, six of them
# vegan's quasiswap on BCI: a target of its own, outside r-check.
test-vegan: r-install
	@Rscript tests/vegan/null_models_against_vegan.R

# The R package's fixtures: the console program's tables for the examples,
# which the package's tests must equal (rerun when a change of the program
# changes its values on purpose; a test of the suite says when).
r-fixtures: build
	@sh tools/r-fixtures.sh $(BUILD_DIR)/bravolin

bench: build
	@cmake --build $(BUILD_DIR) --target bravolin_bench -j $(JOBS)
	@$(BUILD_DIR)/bench/bravolin_bench $(BENCH_ARGS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR) $(FUZZ_DIR) $(WINDOWS_DIR) $(STATIC_DIR) $(WEB_DIR) dist
