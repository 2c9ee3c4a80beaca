BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: deps configure build test test-sanitize demo bench docs clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite again, instrumented: any memory error or undefined behaviour fails the run.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
		-DTESSARO_SANITIZE=ON -DTESSARO_BUILD_DEMO=OFF -DTESSARO_BUILD_BENCH=OFF > /dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

demo: build
	@scripts/run-demo.sh $(BUILD)/apps/demo/tessaro-demo

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tessaro-bench
	@cd $(BUILD) && bench/tessaro-bench $(FILTER)

# The API reference of the public headers with the host guide, into $(BUILD)/docs/html. Doxygen
# is optional for everything else, so it is checked here; any warning fails the run.
docs:
	@command -v doxygen > /dev/null 2>&1 || { echo "make docs needs Doxygen: sudo apt-get install doxygen" >&2; exit 1; }
	@$(MAKE) --no-print-directory configure
	@cmake --build $(BUILD) --target docs
	@echo "API reference: $(BUILD)/docs/html/index.html"

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
