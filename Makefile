# The two commands of a fresh machine: `make run` and `make test`.
.PHONY: deps build run test test-sanitizers

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
