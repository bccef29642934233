# The two commands of the README. Both install what is missing first.
.PHONY: run test build setup clean installer

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

# The installer, build/Quorvane-<version>-setup.exe (64-bit program); builds first.
installer:
	@tools/setup.sh && tools/build.sh x86_64
