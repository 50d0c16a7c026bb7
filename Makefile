# Front door for the two everyday commands; CMake does the real work.
BUILD ?= build
JOBS ?= 2

.PHONY: run test build bench clean

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS) --target tavolent
	./$(BUILD)/tavolent

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench:
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTAVOLENT_TESTS=OFF -DTAVOLENT_BENCHMARKS=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	for b in $(BUILD)-bench/bench/*_bench; do $$b --benchmark_min_time=0.2; done

clean:
	rm -rf $(BUILD) $(BUILD)-bench
