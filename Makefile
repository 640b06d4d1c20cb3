# ZETView: the two commands are `make demo` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
JOBS       ?= $(shell nproc)
CTEST_ARGS ?= --output-on-failure -j $(JOBS)

# A clone in another folder reuses the compiler cache of this one.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all setup build test test-print test-browser test-sanitize fuzz demo bench bench-table clean format
.PHONY: package test-install

all: build

setup:
	@bash scripts/setup.sh

$(BUILD)/build.ninja: | setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZET_WERROR=ON >/dev/null

build: setup $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest $(CTEST_ARGS)

# Printing for real: a cupsd of its own with cups-pdf queues, the printed
# files checked with pdfinfo and pdftotext (needs root, like the spooler).
test-print: setup $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS) --target zetview_cli zetview
	@bash tests/print/cups-pdf-queue-test.sh $(BUILD)

# The Debian package of the library, its headers and package files, the
# program, the guide and the samples: $(BUILD)/package/zetview_*.deb.
package: setup $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS) --target zetview_cli zetview
	@cd $(BUILD) && cpack -G DEB >/dev/null && ls "$$PWD"/package/zetview_*.deb

# The host example built on its own against an install and against the
# unpacked Debian package (CMake package and pkg-config), run offscreen.
test-install: setup $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS) --target zetview_cli zetview
	@bash tests/install/host-against-install-test.sh $(BUILD)

# The HTML export of every sample opened in headless Chromium.
test-browser: setup $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS) --target zetview_cli
	@bash tests/export/html-in-chromium-test.sh $(BUILD)

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: setup
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZET_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 ctest $(CTEST_ARGS)

# Each libFuzzer target (element reader, template loader, data reader, layout
# and drawing) for FUZZ_SECONDS, built with clang; a crash, leak or timeout fails.
fuzz: setup
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DZET_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target zetview_fuzz
	@bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The demo needs only the command-line program.
demo: setup $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS) --target zetview_cli
	@bash scripts/demo.sh $(BUILD)

bench: setup
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j $(JOBS) --target zetview_bench
	@./build-bench/bench/zetview_bench

# The rows of the performance table in docs/performance.md, each program
# printing its own rows (Release build, like bench).
bench-table: setup
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j $(JOBS) --target zetview_scale_table zetview_output_table
	@echo "| Work | ZETView | reference | ratio | goal | met |"
	@echo "|---|---|---|---|---|---|"
	@./build-bench/bench/scale/zetview_scale_table --rows
	@./build-bench/bench/table/zetview_output_table

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) build-bench out
