# make run   installs what building and running need and is missing, builds
#            the programs, and starts the window.
# make test  installs what is missing, builds, and runs every test twice:
#            in a normal build (with the package's tests) and under
#            AddressSanitizer + UBSan; then each fuzz target for 20 seconds
#            (build-fuzz/, clang); then the Windows tests under Wine
#            (make windows-test).
# make package builds tarvine_VERSION_amd64.deb here (apt install ./tarvine_*.deb).
# make fuzz  each fuzz target for FUZZ_SECONDS (600 unless set), with a
#            summary line of executions per target at the end.
# make stress the kill, power-cut, race and fault tests at full size.
# make build the programs only, in the normal build (build/): without the
#            tests, which make test switches on again in the same folder.
# make screenshots draws the window's pictures in docs/ (the main window and
#            the preview, at display scales 1 and 2) under Xvfb.
# make windows builds the Windows command line, build-windows/cli/
#            tarvine-renumber.exe (static; mingw-w64, cmake/mingw-w64-x86_64.cmake).
# make package-windows builds that and build-windows/tarvine-VERSION-windows.zip
#            (the program and a README) and tarvine-VERSION-setup.exe (NSIS).
# make windows-test cross-builds the tests and runs them under Wine, in a
#            Wine prefix of build-windows/ (part of make test).
# make bench times tarvine-renumber against the floor programs and other
#            renaming tools (build-bench/, -O2, NDEBUG) and writes
#            bench/results.md; BENCH_ARGS passes options to
#            bench/run_benchmarks.py (e.g. --sizes 1000,10000 --runs 2).

JOBS ?= $(shell nproc)
CMAKE_NORMAL = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g"
# build/ holds the programs alone (make build, make run), with the manual
# pages and the package (make package), or with the tests as well (make test);
# switching between them rebuilds nothing that is built.
CMAKE_PROGRAMS = -DTARVINE_TESTS=OFF -DTARVINE_PACKAGE=OFF
CMAKE_PACKAGE = -DTARVINE_TESTS=OFF -DTARVINE_PACKAGE=ON
CMAKE_TESTS = -DTARVINE_TESTS=ON -DTARVINE_PACKAGE=ON
CMAKE_SANITIZED = -DCMAKE_BUILD_TYPE=Debug -DTARVINE_SANITIZE=ON
CMAKE_BENCH = -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -g -DNDEBUG" \
  -DCMAKE_C_FLAGS_RELEASE="-O2 -g -DNDEBUG" -DTARVINE_TESTS=OFF -DTARVINE_BENCH=ON
BENCH_TARGETS = tarvine-renumber floor_rename_only floor_per_entry floor_list_sort tarvine_micro_bench window_run
BENCH_ARGS ?=
CMAKE_FUZZ = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTARVINE_FUZZ=ON -DTARVINE_TESTS=OFF
FUZZ_SECONDS ?= 600
# Runs the fuzz targets' CTest runs for $(1) seconds each, then prints each
# target's summary line, whether the runs passed or not.
FUZZ_RUNS = TARVINE_FUZZ_SECONDS=$(1) ctest --test-dir build-fuzz -L fuzz --output-on-failure -j $(JOBS) \
  --timeout $$(( $(1) + 600 )); status=$$?; cat build-fuzz/tests/fuzz/runs/*/summary.txt 2>/dev/null; exit $$status

# The Windows build (build-windows/): cross-built, its tests run under Wine
# with a prefix of its own, whose server and services start before CTest (a
# cold start per test costs seconds) and stop after it.
# Without debugging information: it makes the static programs ten times as
# large and their linking the slowest step.
CMAKE_WINDOWS = --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2" -DCMAKE_C_FLAGS_RELEASE="-O2"
WINE_ENV = WINEPREFIX=$(CURDIR)/build-windows/wine-prefix WINEDEBUG=-all

.PHONY: deps deps-run deps-package deps-windows windows package-windows build-windows-tests windows-test build build-tests build-sanitized build-fuzz build-bench bench run package \
  screenshots stress test test-normal test-sanitized test-fuzz fuzz clean

deps:
	@scripts/install-deps --for test

deps-run:
	@scripts/install-deps --for run

deps-package:
	@scripts/install-deps --for package

deps-windows:
	@scripts/install-deps --for windows

build: deps-run
	cmake -S . -B build $(CMAKE_NORMAL) $(CMAKE_PROGRAMS)
	cmake --build build -j $(JOBS)

build-tests: deps
	cmake -S . -B build $(CMAKE_NORMAL) $(CMAKE_TESTS)
	cmake --build build -j $(JOBS)

# CPack writes the package into build/; the one of this version is copied here.
package: deps-package
	cmake -S . -B build $(CMAKE_NORMAL) $(CMAKE_PACKAGE)
	cmake --build build -j $(JOBS)
	rm -f tarvine_*.deb build/tarvine_*.deb
	cd build && cpack -G DEB
	cp build/tarvine_*.deb .

build-sanitized: deps
	cmake -S . -B build-sanitized $(CMAKE_SANITIZED)
	cmake --build build-sanitized -j $(JOBS)

build-fuzz: deps
	cmake -S . -B build-fuzz $(CMAKE_FUZZ)
	cmake --build build-fuzz -j $(JOBS) --target fuzzers

# Only what the benchmark runs: the command line, the floors, the
# micro-benchmarks; and renamer, the npm contestant, as bench/package-lock.json fixes it.
build-bench: deps
	cmake -S . -B build-bench $(CMAKE_BENCH)
	cmake --build build-bench -j $(JOBS) --target $(BENCH_TARGETS)
	cd bench && if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then \
	  npm ci --no-audit --no-fund; fi

bench: build-bench
	/usr/bin/python3 bench/run_benchmarks.py $(BENCH_ARGS)

windows: deps-windows
	cmake -S . -B build-windows $(CMAKE_WINDOWS) -DTARVINE_TESTS=OFF
	cmake --build build-windows -j $(JOBS) --target tarvine-renumber tarvine

package-windows: deps-windows
	cmake -S . -B build-windows $(CMAKE_WINDOWS) -DTARVINE_TESTS=OFF
	cmake --build build-windows -j $(JOBS) --target package-windows

# The end-to-end test compares with the Linux program of the normal build.
build-windows-tests: deps build-tests
	cmake -S . -B build-windows $(CMAKE_WINDOWS) -DTARVINE_TESTS=ON -DTARVINE_LINUX_RENUMBER=$(CURDIR)/build/cli/tarvine-renumber
	cmake --build build-windows -j $(JOBS)
	cmake --build build-windows -j $(JOBS) --target package-windows

windows-test: build-windows-tests
	mkdir -p build-windows/wine-prefix
	@# All on one virtual display: a desktop Wine starts without a display
	@# stays without one, and the window's test could open no window on it.
	$(WINE_ENV) xvfb-run -a sh -c 'wineserver -p60 </dev/null >/dev/null 2>&1; \
	  wineboot </dev/null >/dev/null 2>&1; \
	  ctest --test-dir build-windows --output-on-failure -j $(JOBS) --timeout 600; \
	  status=$$?; wineserver -k; exit $$status'

run: build
	./build/app/tarvine

screenshots: deps
	cmake -S . -B build $(CMAKE_NORMAL) $(CMAKE_TESTS)
	cmake --build build -j $(JOBS) --target window_screenshots
	QT_SCALE_FACTOR=1 xvfb-run -a build/tests/window_screenshots docs/tarvine-window.png docs/tarvine-preview.png
	QT_SCALE_FACTOR=2 xvfb-run -a build/tests/window_screenshots docs/tarvine-window@2x.png docs/tarvine-preview@2x.png

test-normal: build-tests
	ctest --test-dir build --output-on-failure -j $(JOBS)

test-sanitized: build-sanitized
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir build-sanitized --output-on-failure -j $(JOBS)

test-fuzz: build-fuzz
	@$(call FUZZ_RUNS,20)

test: test-normal test-sanitized test-fuzz windows-test

fuzz: build-fuzz
	@$(call FUZZ_RUNS,$(FUZZ_SECONDS))

# The kill test at full size: 100 kills of runs over 2,000 files.
stress: build-tests
	TARVINE_CRASH_KILLS=100 TARVINE_CRASH_FILES=2000 TARVINE_POWER_CUTS=40 TARVINE_POWER_CUT_FILES=10000 ./build/tests/crash_tests
	./build/tests/renumber_tests --gtest_filter='RaceTest.*:FaultInjectionTest.*' --gtest_repeat=20

clean:
	rm -rf build build-sanitized build-fuzz build-bench build-windows
	rm -f tarvine_*.deb
