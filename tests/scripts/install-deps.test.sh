#!/usr/bin/env bash
# scripts/install-deps --list for each use: what make run needs is part of
# what make package needs, which is part of what make test needs, and the
# tools of the tests and benchmarks stay out of the first two.
# Argument: the install-deps script.
set -uo pipefail
source "$(dirname "$0")/../support/ShellTest.sh"
script=$1

run=$("$script" --for run --list | sort)
package=$("$script" --for package --list | sort)
windows=$("$script" --for windows --list | sort)
test=$("$script" --for test --list | sort)

# "$1" as a subset of "$2": the lines of $1 missing from $2, none expected.
missing_from() { comm -23 <(printf '%s\n' "$1") <(printf '%s\n' "$2") | paste -sd' '; }
expect_eq "run's packages are all in package's" "" "$(missing_from "$run" "$package")"
expect_eq "package's packages are all in test's" "" "$(missing_from "$package" "$test")"
expect_eq "windows's packages are all in test's" "" "$(missing_from "$windows" "$test")"
for needed in g++-mingw-w64-x86-64-posix libcli11-dev nsis; do
  expect "windows needs $needed" grep -qx -- "$needed" <<<"$windows"
done
expect "windows leaves out wine" test -z "$(grep -x -- wine <<<"$windows")"
expect "test needs wine" grep -qx -- wine <<<"$test"

for needed in cmake g++ make libcli11-dev qt6-base-dev qt6-qpa-plugins libexiv2-dev libicu-dev; do
  expect "run needs $needed" grep -qx -- "$needed" <<<"$run"
done
for needed in scdoc dpkg-dev; do
  expect "package needs $needed" grep -qx -- "$needed" <<<"$package"
done
for test_only in libgtest-dev chromium clang llvm xvfb hyperfine strace libbenchmark-dev lintian bash-completion \
    libimage-exiftool-perl ffmpeg libheif-examples; do
  expect "run leaves out $test_only" test -z "$(grep -x -- "$test_only" <<<"$run")"
  expect "package leaves out $test_only" test -z "$(grep -x -- "$test_only" <<<"$package")"
  expect "test needs $test_only" grep -qx -- "$test_only" <<<"$test"
done

"$script" --for everything --list >/dev/null 2>&1
expect_eq "an unknown use is a usage error" 2 $?

finish
