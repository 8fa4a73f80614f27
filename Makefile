# The set-up commands of the README. Each installs the Debian packages it
# needs when they are missing, then configures and builds.
#   make run [ARGS="--version"]   builds the program alone and starts it
#   make test                     builds everything and runs every test
.PHONY: run test build-release build-debug

run: build-release
	@"$$(cat build/release/vantor-path.txt)" $(ARGS)

test: build-debug
	ctest --preset debug

build-release:
	scripts/install-deps.sh build run
	cmake --preset release
	cmake --build --preset release --target vantor

build-debug:
	scripts/install-deps.sh build run test
	cmake --preset debug
	cmake --build --preset debug
