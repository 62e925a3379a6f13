#!/usr/bin/env bash
# The Debian package as make package builds it: CPack makes it from the build,
# its metadata and file list are checked, lintian finds no error or warning,
# the desktop entry and AppStream metainfo validate, and the programs run from
# the package unpacked into a temporary root.
# Arguments: the build's CPackConfig.cmake, the program version.
set -uo pipefail
source "$(dirname "$0")/../support/ShellTest.sh"
config=$1
version=$2
architecture=$(dpkg --print-architecture)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
deb="$work/out/tarvine_${version}_${architecture}.deb"
if ! cpack --config "$config" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || [[ ! -f $deb ]]; then
  cat "$work/cpack.log"
  echo "FAILED: CPack made no $(basename "$deb")"
  exit 1
fi

# Metadata.
field() { dpkg-deb --field "$deb" "$1"; }
expect_eq "Package" tarvine "$(field Package)"
expect_eq "Version" "$version" "$(field Version)"
expect_eq "Architecture" "$architecture" "$(field Architecture)"
expect_eq "Section" graphics "$(field Section)"
expect "a maintainer with an address" grep -qE '^.+ <[^ @]+@[^ @]+>$' <<<"$(field Maintainer)"
expect "a long description" test "$(field Description | wc -l)" -gt 3
# dpkg-shlibdeps's Depends: the runtime libraries the programs link, no build tools.
depends=$(field Depends | tr ',' '\n' | sed -E 's/^ *([^ ]+).*/\1/' | sort)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libavformat59; do
  expect "Depends names $library" grep -qx "$library" <<<"$depends"
done
# Exiv2 and ICU, whose package names carry their library's version.
for library in 'libexiv2-[0-9]+' 'libicu[0-9]+'; do
  expect "Depends names $library" grep -qxE "$library" <<<"$depends"
done
expect_eq "Depends names no -dev package" "" "$(grep -- '-dev$' <<<"$depends")"

# The file list: every file and link, each where Debian looks for it.
expected_files="./usr/bin/tarvine
./usr/bin/tarvine-renumber
./usr/lib/tarvine/video/tarvine-video.so
./usr/share/applications/tarvine.desktop
./usr/share/bash-completion/completions/tarvine-renumber
./usr/share/doc/tarvine/changelog.gz
./usr/share/doc/tarvine/copyright
./usr/share/fish/vendor_completions.d/tarvine-renumber.fish
./usr/share/icons/hicolor/128x128/apps/tarvine.png
./usr/share/icons/hicolor/16x16/apps/tarvine.png
./usr/share/icons/hicolor/32x32/apps/tarvine.png
./usr/share/icons/hicolor/48x48/apps/tarvine.png
./usr/share/icons/hicolor/64x64/apps/tarvine.png
./usr/share/kio/servicemenus/tarvine-renumber.desktop
./usr/share/man/man1/tarvine-renumber.1.gz
./usr/share/man/man1/tarvine.1.gz
./usr/share/metainfo/io.github.tarvine.Tarvine.metainfo.xml
./usr/share/pixmaps/tarvine.xpm
./usr/share/zsh/vendor-completions/_tarvine-renumber"
expect_eq "the file list" "$expected_files" "$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort)"
expect_eq "every file owned by root" "" "$(dpkg-deb --contents "$deb" | awk '$2 != "root/root"')"

expect "lintian finds no error or warning" lintian --fail-on error,warning "$deb"

# Unpacked: the desktop files validate, and the programs run.
root="$work/root"
dpkg-deb --extract "$deb" "$root"
expect "desktop-file-validate" desktop-file-validate "$root/usr/share/applications/tarvine.desktop"
expect "appstreamcli validate-tree" appstreamcli validate-tree --no-net "$root"
# "Open With": the desktop database of the unpacked package offers Tarvine
# for pictures and videos, and Dolphin's menu has its item for them.
update-desktop-database "$root/usr/share/applications"
for type in image/jpeg video/mp4; do
  expect "Open With offers Tarvine for $type" \
    grep -qE "^$type=(.*;)?tarvine\.desktop;" "$root/usr/share/applications/mimeinfo.cache"
done
expect "the service menu's item" grep -qx "Name=Renumber this folder with Tarvine" \
  "$root/usr/share/kio/servicemenus/tarvine-renumber.desktop"

mkdir -p "$work/home" "$work/pics"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
expect_eq "tarvine-renumber --version" "tarvine-renumber $version" "$("$root/usr/bin/tarvine-renumber" --version)"
touch "$work/pics/"{b.jpg,a.jpg,IMG_10.jpg,IMG_2.jpg,notes.txt}
cd "$work/pics"
"$root/usr/bin/tarvine-renumber" -q -d 2 --log a.jpg >/dev/null
expect_eq "a renumbering" "01.jpg 02.jpg 03.jpg 04.jpg notes.txt renum.ids renum.log" "$(ls | paste -sd' ')"
expect_eq "which file became which" "IMG_2.jpg		-> 03.jpg" "$(sed -n 3p renum.log)"
"$root/usr/bin/tarvine-renumber" --undo . >/dev/null
expect_eq "its undo" "IMG_10.jpg IMG_2.jpg a.jpg b.jpg notes.txt renum.ids renum.log" "$(LC_ALL=C ls | paste -sd' ')"
# The window starts and stays up until it is closed, also with a file to
# fill in; --version answers without a display.
QT_QPA_PLATFORM=offscreen timeout 2 "$root/usr/bin/tarvine" >/dev/null 2>&1
expect_eq "tarvine runs until ended" 124 $?
QT_QPA_PLATFORM=offscreen timeout 2 "$root/usr/bin/tarvine" "$work/pics/a.jpg" >/dev/null 2>&1
expect_eq "tarvine FILE runs until ended" 124 $?
expect_eq "tarvine --version" "tarvine $version" "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tarvine" --version)"
expect_eq "the bash completion loads" "complete -F _tarvine_renumber tarvine-renumber" \
  "$(bash -c 'source "$1" && complete -p tarvine-renumber' - "$root/usr/share/bash-completion/completions/tarvine-renumber")"

finish
