#!/usr/bin/env bash
# The Windows installer under Wine: a silent install with the PATH option
# puts tarvine-renumber.exe and its README in the chosen folder and the
# folder on the system's PATH once; the program runs from there; the
# uninstaller removes the files, the folder, its PATH entry and its
# Programs and Features entry, and leaves the rest of PATH as it was.
#
# Explorer's verb "Renumber with Tarvine" for pictures and videos is there
# after the install, starts the window with the file in its path field, and
# is gone after the uninstall.
#
#   installer.test.sh SETUP_EXE WINDOW_PATH_FIELD_EXE   (WINEPREFIX names the Wine prefix)
set -uo pipefail
source "$(dirname "$0")/../support/ShellTest.sh"
setup=$(realpath "$1")
window_path_field=$(realpath "$2")

environment='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvine'
system_path() { wine reg query "$environment" /v Path 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_[A-Z_]*SZ *//p'; }
folder='C:\TarvineTest'  # /D= takes no quotes, so no blank
unix_folder=$(winepath -u "$folder" 2>/dev/null | tr -d '\r')
rm -rf "$unix_folder"
path_before=$(system_path)

wine "$setup" /S /PATH "/D=$folder"
expect "the program is installed" test -f "$unix_folder/tarvine-renumber.exe"
expect "the window is installed" test -f "$unix_folder/tarvine.exe"
expect "its README is installed" test -f "$unix_folder/README.txt"
expect "the uninstaller is installed" test -f "$unix_folder/Uninstall.exe"
expect_eq "the folder ends the PATH, once" "$path_before;$folder" "$(system_path)"
associations='HKLM\Software\Classes\SystemFileAssociations'
# The verb's value (its caption with "", its command with command) for
# image or video.
verb() {
  wine reg query "$associations\\$1\\shell\\Tarvine.Renumber${2:+\\$2}" /ve 2>/dev/null | tr -d '\r' |
    sed -n 's/.*REG_SZ *//p'
}
for kind in image video; do
  expect_eq "the $kind verb's caption" "Renumber with Tarvine" "$(verb $kind)"
  expect_eq "the $kind verb's command" "\"$folder\\tarvine.exe\" \"%1\"" "$(verb $kind command)"
done
# The command as Explorer runs it, on a picture whose path has a blank.
picture='C:\Tarvine Test Pictures\IMG 0001.jpg'
pictures=$(winepath -u 'C:\Tarvine Test Pictures' | tr -d '\r')
mkdir -p "$pictures" && touch "$pictures/IMG 0001.jpg"
command=$(verb image command)
program=$(sed -nE 's/^"([^"]*)" "%1"$/\1/p' <<<"$command")
timeout 60 wine "$program" "$picture" >/dev/null 2>&1 &
started=$!
expect_eq "the verb opens the window with the file in its path field" "$picture" \
  "$(wine "$window_path_field" 20 | tr -d '\r')"
wait "$started"
registered() { wine reg query "$uninstall" /v DisplayName >/dev/null 2>&1; }
expect "it has an entry in Programs and Features" registered
expect_eq "it runs from there" "tarvine-renumber 1.0.0.1" \
  "$(wine "$unix_folder/tarvine-renumber.exe" --version | tr -d '\r')"
expect_eq "the window answers --version without opening" "tarvine 1.0.0.1" \
  "$(wine "$unix_folder/tarvine.exe" --version | tr -d '\r')"

wine "$setup" /S /PATH "/D=$folder"
expect_eq "installing again adds no second PATH entry" "$path_before;$folder" "$(system_path)"

# The uninstaller copies itself aside and returns at once; _?= keeps it in
# place, so it is done when it returns, and it cannot remove itself.
wine "$unix_folder/Uninstall.exe" /S "_?=$folder"
rm -f "$unix_folder/Uninstall.exe"
rmdir "$unix_folder" 2>/dev/null
expect "the program is removed" test ! -e "$unix_folder/tarvine-renumber.exe"
expect "the window is removed" test ! -e "$unix_folder/tarvine.exe"
expect "the README is removed" test ! -e "$unix_folder/README.txt"
expect_eq "PATH is as it was" "$path_before" "$(system_path)"
expect "the Programs and Features entry is removed" eval "! registered"
for kind in image video; do
  expect_eq "the $kind verb is removed" "" "$(verb $kind)"
done
rm -rf "$pictures"

finish
