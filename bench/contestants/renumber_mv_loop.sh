#!/usr/bin/env bash
# A shell loop renumbering, a contestant of the benchmark: the current
# directory's *.EXTENSION files, in the glob's order (name order under
# LC_ALL=C), to zero-padded numbers with one `mv -n` (never replace) each.
#
#   renumber_mv_loop.sh DIGITS EXTENSION
set -eu
digits=$1
extension=$2
number=0
for name in *."$extension"; do
  number=$((number + 1))
  printf -v new_name '%0*d.%s' "$digits" "$number" "$extension"
  mv -n -- "$name" "$new_name"
done
