# The two set-up commands of the README. Each installs the Debian packages it
# needs when they are missing, then configures and builds.
.PHONY: run test build-release build-debug

run: build-release
	./build/release/vantor

test: build-debug
	ctest --preset debug

build-release:
	scripts/install-deps.sh build run
	cmake --preset release
	cmake --build --preset release

build-debug:
	scripts/install-deps.sh build run test
	cmake --preset debug
	cmake --build --preset debug
