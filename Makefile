# Entry points for people and CI. Every target installs missing Debian packages first.
#   make run            build and run the program on its bundled default data
#   make test           build and run every test
#   make test-sanitize  the same tests built with AddressSanitizer and UBSan
# WERROR=ON turns compiler warnings into errors (CI sets it).

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
WERROR ?= OFF
JOBS ?= $(shell nproc)

SAMPLE_GEARS := 20,25,30,35,40,45,50,55,60,70,80,90,100,120

.PHONY: all deps build run test test-sanitize clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DGEARSEL_WERROR=$(WERROR)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/gearsel-cli select --gears $(SAMPLE_GEARS) --ratio 1.23456

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DGEARSEL_SANITIZE=ON -DGEARSEL_WERROR=$(WERROR)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
