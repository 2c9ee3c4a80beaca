BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test demo bench clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	@scripts/run-demo.sh $(BUILD)/apps/demo/tessaro-demo

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tessaro-bench
	@cd $(BUILD) && bench/tessaro-bench $(FILTER)

clean:
	rm -rf $(BUILD)
