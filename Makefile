# The two commands of a fresh machine: `make run` and `make test`. `make run` installs only what
# building and running need; the others add what tests, benchmarks and packaging need.
.PHONY: deps deps-all build run test test-sanitizers bench fuzz package

deps:
	bash scripts/install-deps.sh

deps-all:
	bash scripts/install-deps.sh --all

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	./build/default/ketterby

test: deps-all build
	ctest --preset default

test-sanitizers: deps-all
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench: deps-all
	cmake --preset bench
	cmake --build --preset bench
	./build/default/bench/ketterby_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/default/bench/bench_freed_memory_plain --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/default/bench/bench_freed_memory --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# Ten minutes of libFuzzer on the import reader, on one core; the inputs it finds go to
# build/fuzz/corpus, its report to build/fuzz/fuzz-0.log.
fuzz: deps-all
	cmake --preset fuzz
	cmake --build --preset fuzz
	mkdir -p build/fuzz/corpus
	cd build/fuzz && ./fuzz/fuzz_import -jobs=1 -max_total_time=600 -timeout=10 \
		-dict=../../fuzz/import.dict -print_final_stats=1 corpus ../../fuzz/seeds

# The Debian package, build/default/ketterby_<version>_<architecture>.deb.
package: deps-all build
	cd build/default && cpack -G DEB
