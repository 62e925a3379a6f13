#!/usr/bin/env bash
# The shell completion of tarvine-renumber: bash's driven through its
# completion function as bash calls it, fish's through `complete -C`, zsh's
# read for syntax and options. Each offers exactly the options of --help.
# Arguments: the tarvine-renumber program, the folder of the completion scripts.
set -o pipefail
source "$(dirname "$0")/../support/ShellTest.sh"
program=$(realpath "$1")
scripts=$(realpath "$2")

# A directory to complete in, and a viewer program on the PATH.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/files/pics" "$work/files/my dir" "$work/bin"
touch "$work/files/a.jpg" "$work/files/b c.jpg" "$work/files/-x.jpg" "$work/files/notes.txt"
printf '#!/bin/sh\n' >"$work/bin/tarvine-test-viewer"
chmod +x "$work/bin/tarvine-test-viewer"
export PATH="$work/bin:$PATH"
cd "$work/files"

help_list=$(help_options "$program" | LC_ALL=C sort | paste -sd'|')

# Sorted replies, parted by "|".
joined() { printf '%s\n' "$@" | LC_ALL=C sort | sed '/^$/d' | paste -sd'|'; }

# bash: the replies to the line "tarvine-renumber $1", cut into words as bash
# cuts them ("--undo=p" => "--undo" "=" "p").
bash_replies() {
  local line="tarvine-renumber $1"
  local spaced=${line//=/ = }
  read -ra COMP_WORDS <<<"$spaced"
  [[ $line == *" " || $line == *= ]] && COMP_WORDS+=("")
  [[ $line == *= ]] && unset 'COMP_WORDS[-1]'
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  _tarvine_renumber
  joined "${COMPREPLY[@]}"
}

# Each row: the line after "tarvine-renumber ", " => ", the replies parted by "|".
bash_cases=(
  "--d => --digits|--dry-run"
  "--undo  => my dir|pics"
  "--undo=p => pics"
  "-d  => "
  "--log= => "
  " => -x.jpg|a.jpg|b c.jpg|my dir|notes.txt|pics"
  "-l b => b c.jpg"
  "-- - => -x.jpg"
  "--viewer tarvine-test- => tarvine-test-viewer"
  "- => $help_list"
)
source /usr/share/bash-completion/bash_completion
source "$scripts/tarvine-renumber.bash"
for row in "${bash_cases[@]}"; do
  expect_eq "bash: tarvine-renumber ${row%% => *}" "${row#* => }" "$(bash_replies "${row%% => *}")"
done
# An option that takes one of some words is one more row of the table.
_tarvine_renumber_options+=("--order:{name taken modified}")
expect_eq "bash: a choice's words" "modified|name|taken" "$(bash_replies "--order ")"
expect_eq "bash: a choice's words that fit" "taken" "$(bash_replies "--order=t")"

# fish: the replies to the line "tarvine-renumber $1", without their descriptions.
fish_replies() {
  joined "$(fish --no-config -c 'source $argv[1]; complete -C "tarvine-renumber $argv[2]"' \
    "$scripts/tarvine-renumber.fish" "$1" | cut -f1)"
}
fish_cases=(
  "- => $(joined $(help_options "$program") -x.jpg)"
  "--undo  => my dir/|pics/"
  "-d  => "
  " => -x.jpg|a.jpg|b c.jpg|my dir/|notes.txt|pics/"
)
for row in "${fish_cases[@]}"; do
  expect_eq "fish: tarvine-renumber ${row%% => *}" "${row#* => }" "$(fish_replies "${row%% => *}")"
done

# zsh: the script parses, and names every option.
expect "zsh: the script parses" zsh -n "$scripts/_tarvine-renumber"
while read -r option; do
  expect "zsh: the script offers $option" \
    grep -qE -- "(^|[^[:alnum:]-])$option([^[:alnum:]-]|\$)" "$scripts/_tarvine-renumber"
done < <(help_options "$program")

finish
