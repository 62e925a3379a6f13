#!/usr/bin/env bash
# tarvine-renumber.exe under Wine renumbers a directory of mixed-case
# extensions and names in several scripts exactly as the Linux program does:
# the same renames in the same order (the logs are the same bytes), the same
# files under the same names afterwards, and its undo gives every file its
# first name back.
#
#   renumbers-as-linux.test.sh LINUX_PROGRAM WINDOWS_PROGRAM
set -euo pipefail
linux=$(realpath "$1")
windows=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A directory numbered before in part, with pictures from a camera (.JPG),
# a phone (.jpg) and by hand (.Jpg, .jPg), names in Latin, Greek, CJK and
# a sharp s, companions of pictures (a raw, sidecars, the Finder's data, a
# live photo's other half), and entries of other kinds that stay as they are.
fill() {
  mkdir -p "$1"
  local name
  for name in "01.jpg" "03.jpg" "IMG_2.JPG" "IMG_10.JPG" "IMG_9.jpg" "b.Jpg" "a.jPg" "Ç10.jpg" "Ç9.JPG" \
      "é€ photo.jpg" "Ωmega.jpg" "日本 2.jpg" "日本 10.JPG" "Straße.jpg" "x.jpgx" "notes.txt" "photo.jpeg" \
      "IMG_2.CR2" "IMG_2.JPG.xmp" "._IMG_9.jpg" "IMG_9.AAE" "PXL_5.heic" "PXL_5.MOV" "VID_6.mp4" "VID_6.mp4.json"; do
    printf 'content of %s' "$name" > "$1/$name"
  done
  mkdir "$1/album.jpg"
}

# Each file's name and content, one line each, in byte order of the names;
# renum.ids by its name alone, as it holds what identifies each file on its
# own system (inode or file index, times).
listing() {
  (cd "$1" && for name in *; do
    if [ -d "$name" ]; then printf '%s/\n' "$name"
    elif [ "$name" = renum.ids ]; then printf '%s\n' "$name"
    else printf '%s %s\n' "$name" "$(sha1sum < "$name" | cut -c1-12)"; fi
  done | LC_ALL=C sort)
}

# Each program's output (Windows' line ends read as "\n") and its exit status
# on the last line.
run_linux() { (cd "$1" && shift && { "$linux" "$@"; echo "exit $?"; }); }
run_windows() { (cd "$1" && shift && { wine "$windows" "$@"; echo "exit $?"; } | tr -d '\r'); }

fail=0
check() {  # what, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1"
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") || true
    fail=$((fail + 1))
  else
    echo "ok: $1"
  fi
}

fill "$work/linux"
fill "$work/windows"
before=$(listing "$work/linux")
check "the two directories start alike" "$before" "$(listing "$work/windows")"

# (A rename that changes only the case of a name goes round a temporary name
# on Windows, whose names ignore case: the rows avoid one.)
for options in "--log -d 3 -p trip_ IMG_2.JPG" "--log -d 0 b.Jpg" "--log -d 2 -p k --kinds jpg,heic,cr2,mov,mp4 IMG_2.JPG"; do
  # shellcheck disable=SC2086
  check "dry run, $options" "$(run_linux "$work/linux" -n $options)" "$(run_windows "$work/windows" -n $options)"
  # shellcheck disable=SC2086
  check "run, $options" "$(run_linux "$work/linux" $options)" "$(run_windows "$work/windows" $options)"
  check "renum.log, $options" "$(cat "$work/linux/renum.log")" "$(cat "$work/windows/renum.log")"
  check "the renamed directory, $options" "$(listing "$work/linux")" "$(listing "$work/windows")"
  check "something was renamed, $options" "false" "$([ "$(listing "$work/windows")" = "$before" ] && echo true || echo false)"

  undo=$(run_windows "$work/windows" --undo .)
  check "undo, $options" "$(run_linux "$work/linux" --undo .)" "$undo"
  check "undo succeeds, $options" "exit 0" "${undo##*$'\n'}"
  rm "$work/linux/renum.log" "$work/windows/renum.log" "$work/linux/renum.ids" "$work/windows/renum.ids"
  check "undo restores every name, $options" "$before" "$(listing "$work/windows")"
done

if [ "$fail" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$fail"
