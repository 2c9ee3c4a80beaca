BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test demo bench clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	@scripts/run-demo.sh $(BUILD)/apps/demo/tessaro-demo

bench: configure
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTESSARO_BUILD_TESTS=OFF > /dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS) --target tessaro-bench
	@$(BUILD)-bench/bench/tessaro-bench

clean:
	rm -rf $(BUILD) $(BUILD)-bench
