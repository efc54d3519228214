# Two commands: `make run` and `make test`. Both install what is missing first.
.PHONY: run test setup build

run: build
	bash scripts/run

test: build
	bash scripts/test

build: setup
	bash scripts/build

setup:
	bash scripts/setup
