# make run   installs what is missing, builds, and starts the program.
# make test  installs what is missing, builds, and runs every test twice:
#            in a normal build and under AddressSanitizer + UBSan.
# make stress the kill, race and fault tests at full size.
# make build the normal build only (build/).

JOBS ?= $(shell nproc)
CMAKE_NORMAL = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g"
CMAKE_SANITIZED = -DCMAKE_BUILD_TYPE=Debug -DTARVINE_SANITIZE=ON

.PHONY: deps build build-sanitized run stress test test-normal test-sanitized clean

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B build $(CMAKE_NORMAL)
	cmake --build build -j $(JOBS)

build-sanitized: deps
	cmake -S . -B build-sanitized $(CMAKE_SANITIZED)
	cmake --build build-sanitized -j $(JOBS)

run: build
	./build/app/tarvine

test-normal: build
	ctest --test-dir build --output-on-failure -j $(JOBS)

test-sanitized: build-sanitized
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir build-sanitized --output-on-failure -j $(JOBS)

test: test-normal test-sanitized

# The kill test at full size: 100 kills of runs over 2,000 files.
stress: build
	TARVINE_CRASH_KILLS=100 TARVINE_CRASH_FILES=2000 ./build/tests/crash_tests
	./build/tests/renumber_tests --gtest_filter='RaceTest.*:FaultInjectionTest.*' --gtest_repeat=20

clean:
	rm -rf build build-sanitized
