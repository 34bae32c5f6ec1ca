# The two commands of a fresh machine: `make run` and `make test`.
.PHONY: deps build run test test-sanitizers bench

deps:
	bash scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	./build/default/ketterby

test: build
	ctest --preset default

test-sanitizers: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench: build
	./build/default/bench/ketterby_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
