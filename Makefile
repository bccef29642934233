# The two commands of the README. Both install what is missing first.
.PHONY: run test build setup clean

run:
	@tools/run.sh

test:
	@tools/test.sh

build:
	@tools/setup.sh && tools/build.sh

setup:
	@tools/setup.sh

clean:
	rm -rf build
