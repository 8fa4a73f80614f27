# The set-up commands of the README. Each installs the Debian packages it
# needs when they are missing, then configures and builds.
#   make run [ARGS="--version"]   builds the program alone and starts it
#   make test                     builds everything and runs every test
#   make install [PREFIX=…]       installs the program, its menu entry and icon
#   make deb                      builds a Debian package in build/
.PHONY: run test install deb build-release build-debug

# Where `make install` puts Vantor; DESTDIR, when given, is put before it.
PREFIX ?= /usr/local

run: build-release
	@"$$(cat build/release/vantor-path.txt)" $(ARGS)

test: build-debug
	ctest --preset debug

install: build-release
	DESTDIR="$(DESTDIR)" cmake --install build/release --prefix "$(PREFIX)"

# build/vantor_<version>_<arch>.deb, for `apt-get install ./build/vantor_*.deb`.
deb:
	scripts/install-deps.sh build run
	cmake --preset package
	cmake --build --preset package
	cpack --preset package

build-release:
	scripts/install-deps.sh build run recommend
	cmake --preset release
	cmake --build --preset release --target vantor

build-debug:
	scripts/install-deps.sh build run recommend test
	cmake --preset debug
	cmake --build --preset debug
