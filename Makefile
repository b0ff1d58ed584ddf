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

# The import benchmarks, not tests, each beside sqlite3's own .import of the
# same file: the import alone natively and under Wine, and the whole "Update
# database" command through the real window and file dialog under Wine.
BENCH_FILE := sample-data/pc-full.csv
bench: setup configure sample-data
	cmake --build $(NATIVE) -j $(JOBS) --target import_bench -- --no-print-directory
	cmake --build $(WIN32) -j $(JOBS) --target import_bench import_wine_bench search_bench startup_bench tarvelo \
	    -- --no-print-directory
	@echo "== the import alone, native build"
	@bench/import_vs_sqlite.sh $(NATIVE)/import_bench $(BENCH_FILE)
	@echo "== the import alone, Windows build under Wine"
	@RUNNER=$(CURDIR)/$(WIN32)/wine-run bench/import_vs_sqlite.sh $(WIN32)/import_bench.exe $(BENCH_FILE)
	@echo "== the Update database command, Windows build under Wine (dialog's end to final message)"
	@RUNNER=$(CURDIR)/$(WIN32)/wine-run bench/import_vs_sqlite.sh $(WIN32)/import_wine_bench.exe $(BENCH_FILE)
	@echo "== the search, under Wine (every row, and one postcode)"
	@$(WIN32)/wine-run $(WIN32)/search_bench.exe $(BENCH_FILE)
	@echo "== start-up to the ready message, under Wine"
	@$(WIN32)/wine-run $(WIN32)/startup_bench.exe $(CURDIR)/$(WIN32)/tarvelo.exe 7

format:
	clang-format -i $$(find app toolkit store search crash resources tests bench -name '*.cpp' -o -name '*.h')

clean:
	rm -rf build
