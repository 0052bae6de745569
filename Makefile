# SPDX-License-Identifier: GPL-3.0-or-later
# Entry points for people and CI. Every target installs missing Debian packages first.
#   make run            build and run the program on its bundled default data
#   make test           build and run every test
#   make test-sanitize  the same tests built with AddressSanitizer and UBSan
#   make fuzz           fuzz the data-file reader with libFuzzer for FUZZ_SECONDS (60) seconds
#   make lint           check formatting and run clang-tidy's listed checks over the sources
#   make bench          time the fast search against the reference, suggest and charts, and
#                       the window's select command (optimized; takes about a quarter of an hour)
#   make package        the Debian package gearsel_<version>_<arch>.deb, at the top of the checkout
#   make package-check  make package, then lintian, hardening-check and a second pack that must
#                       give the same bytes (scripts/check-package.sh)
#   make deb            the source and binary packages of debian/ with dpkg-buildpackage, from
#                       the last commit, in build/debian (scripts/debian-build.sh; minutes)
# WERROR=ON turns compiler warnings into errors (CI sets it). Optimized builds are hardened
# with Debian's flags. Files written into packages carry the time of the last commit.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
BENCH_DIR ?= build-bench
WERROR ?= OFF
JOBS ?= $(shell nproc)
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif

.PHONY: all deps build run test test-sanitize fuzz lint bench package package-check deb clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DGEARSEL_WERROR=$(WERROR)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Without a display the program says so in one line (status 3) instead of failing.
run: build
	@$(BUILD_DIR)/bin/gearsel; status=$$?; [ $$status -eq 0 ] || [ $$status -eq 3 ] || exit $$status

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DGEARSEL_SANITIZE=ON -DGEARSEL_WERROR=$(WERROR)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j $(JOBS)

# Needs the compile commands of the normal build folder.
lint: build
	bash scripts/lint.sh $(BUILD_DIR)

# The default data file is the seed; the corpus folder keeps what earlier runs found.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
	    -DGEARSEL_FUZZ=ON -DGEARSEL_BUILD_TESTS=OFF -DGEARSEL_WERROR=$(WERROR)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target lib_reader_fuzzer default_system_lib
	mkdir -p $(FUZZ_DIR)/corpus
	cp $(FUZZ_DIR)/bin/system.lib $(FUZZ_DIR)/corpus/default.lib
	$(FUZZ_DIR)/bin/lib_reader_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=32768 \
	    -print_final_stats=1 $(FUZZ_DIR)/corpus

# Not a test and not run by CI. BENCH_ARGS passes options on to gearsel-bench, e.g.
# --benchmark_filter=^fast/ to leave out the reference, which takes from half a minute to two
# minutes per search at 412 gears. gearsel-window-bench runs offscreen and takes seconds;
# gearsel-three-pair-bench half a minute, gearsel-worst-input-bench about a minute.
bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DGEARSEL_BUILD_TESTS=OFF -DGEARSEL_WERROR=$(WERROR)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target gearsel-bench gearsel-window-bench \
	    gearsel-three-pair-bench gearsel-worst-input-bench
	$(BENCH_DIR)/bin/gearsel-bench $(BENCH_ARGS)
	$(BENCH_DIR)/bin/gearsel-window-bench
	$(BENCH_DIR)/bin/gearsel-three-pair-bench
	$(BENCH_DIR)/bin/gearsel-worst-input-bench

# Packs what the normal build folder installs; the .deb is copied here for apt install ./...
package: build
	rm -rf $(BUILD_DIR)/package
	cd $(BUILD_DIR) && cpack -G DEB -B $(abspath $(BUILD_DIR))/package
	cp $(BUILD_DIR)/package/gearsel_*.deb .

package-check: package
	bash scripts/check-package.sh $(BUILD_DIR)

deb: deps
	bash scripts/debian-build.sh $(BUILD_DIR)/debian

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(BENCH_DIR)
