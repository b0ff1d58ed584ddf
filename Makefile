# Tarvelo: `make run` builds and starts the program under Wine, `make test`
# builds both builds and runs every test. Both install what is missing first.
NATIVE := build/native
WIN32 := build/win32
JOBS ?= $(shell nproc)

.PHONY: all setup configure build test run sample-data bench format clean

all: build

setup:
	@scripts/setup.sh

$(NATIVE)/Makefile:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

$(WIN32)/Makefile:
	cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null

configure: $(NATIVE)/Makefile $(WIN32)/Makefile

build: setup configure
	cmake --build $(NATIVE) -j $(JOBS) -- --no-print-directory
	cmake --build $(WIN32) -j $(JOBS) -- --no-print-directory

test: build
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS) --timeout 300

run: build
	@scripts/run.sh $(WIN32)

sample-data: setup
	@scripts/sample-data.sh

format:
	clang-format -i $$(find app toolkit store search crash resources tests -name '*.cpp' -o -name '*.h')

clean:
	rm -rf build
