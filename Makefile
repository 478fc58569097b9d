# Kelvra: the two set-up commands of README.md, and the benchmarks.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench fuzz format clean examples

all: build

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/bin && ./Kelvra

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	cmake --build $(BUILD_DIR) --target benchmarks -j $(JOBS)
	cd $(BUILD_DIR)/bin && for b in ./bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; done

FUZZ_SECONDS ?= 60

# The libFuzzer targets, built with clang, each run for FUZZ_SECONDS.
fuzz:
	./scripts/install-deps.sh --with-clang
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVRA_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus
	for t in build-fuzz/bin/fuzz_*; do \
		mkdir -p build-fuzz/corpus/$$(basename $$t) && \
		ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen $$t -max_total_time=$(FUZZ_SECONDS) \
			-rss_limit_mb=4096 -artifact_prefix=build-fuzz/ \
			build-fuzz/corpus/$$(basename $$t) examples || exit 1; \
	done

format:
	find src tests bench setup -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) build-asan build-fuzz

# Rewrites the example diagrams from examples/make_examples.cpp.
examples: build
	cmake --build $(BUILD_DIR) --target make_examples
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bin/make_examples examples
