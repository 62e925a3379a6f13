#!/usr/bin/env bash
# The manual pages as scdoc made them: every option and argument that
# tarvine-renumber --help lists is described in the OPTIONS section of
# tarvine-renumber(1), and both pages have the sections a reader looks for.
# Arguments: the tarvine-renumber program, the folder of the roff pages.
set -euo pipefail
source "$(dirname "$0")/../support/ShellTest.sh"
program=$1
pages=$2

# The text of section $2 of roff page $1, without font changes and escapes:
#   ".SH OPTIONS" ... ".SH NEXT"   => the lines between
#   "\fB-d\fR, \fB--digits\fR"     => "-d, --digits"
section() {
  awk -v name="$2" '/^\.SH / { inside = (substr($0, 5) == name || substr($0, 5) == "\"" name "\""); next } inside' "$1" |
    sed -e 's/\\f[BIRP]//g' -e 's/\\&//g' -e 's/\\-/-/g'
}

# Whether text $1 holds option $2 as a whole word: --file-list holds neither
# --file nor -l.
holds_word() {
  grep -qE -- "(^|[^[:alnum:]-])$2([^[:alnum:]-]|\$)" <<<"$1"
}

options_text=$(section "$pages/tarvine-renumber.1" OPTIONS)
while read -r option; do
  expect "tarvine-renumber(1) describes $option" holds_word "$options_text" "$option"
done < <(help_options "$program"; help_positionals "$program")

for page in tarvine tarvine-renumber; do
  for name in NAME SYNOPSIS DESCRIPTION "WHAT IT NEVER DOES" "EXIT STATUS" FILES EXAMPLES "SEE ALSO"; do
    expect "$page(1) has the section $name" test -n "$(section "$pages/$page.1" "$name")"
  done
  expect "$page(1) names the settings file in the user's configuration directory" \
    grep -qF '.config/tarvine/Tarvine.ini' <(section "$pages/$page.1" FILES)
done

finish
