# Checks for the shell tests: each check counts as passed or failed, a
# failure says what was expected, and finish ends the test with the count.
# Sourced by the tests of tests/packaging/ and tests/scripts/.

shell_test_passed=0
shell_test_failed=0

# expect_eq WHAT EXPECTED ACTUAL
expect_eq() {
  if [[ $2 == "$3" ]]; then
    shell_test_passed=$((shell_test_passed + 1))
  else
    shell_test_failed=$((shell_test_failed + 1))
    printf 'FAILED: %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}

# expect WHAT COMMAND...: the command succeeds.
expect() {
  local what=$1
  shift
  if "$@"; then
    shell_test_passed=$((shell_test_passed + 1))
  else
    shell_test_failed=$((shell_test_failed + 1))
    printf 'FAILED: %s\n' "$what"
  fi
}

# Ends the test: "N passed, N failed", and a failing exit status after any failure.
finish() {
  printf '%d passed, %d failed\n' "$shell_test_passed" "$shell_test_failed"
  [[ $shell_test_failed -eq 0 ]]
}

# The options that `PROGRAM --help` lists, short and long, one a line:
#   "  -d,--digits TEXT   Number..."    => -d and --digits
#   "  --verbose Needs: --version ..."  => --verbose
help_options() {
  "$1" --help | awk '/^[A-Za-z]+:$/ { options = ($0 == "Options:"); next }
    options && $1 ~ /^-/ { count = split($1, names, ","); for (i = 1; i <= count; i++) print names[i] }'
}

# The positional arguments that `PROGRAM --help` lists, one a line ("  FILE TEXT  One file..." => FILE).
help_positionals() {
  "$1" --help | awk '/^[A-Za-z]+:$/ { positionals = ($0 == "Positionals:"); next } positionals && NF { print $1 }'
}
