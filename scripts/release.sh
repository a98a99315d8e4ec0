#!/bin/bash
# Makes the release of VORNEL from this checkout, into release/ (the unit and
# Win32 tests are scripts/test.sh's; this runs the release's own end-to-end test):
#
#   VORNEL-<version>.zip        VORNEL.exe, zelvo_v3.exe, vornel-contour.exe, the sample
#                               data laid out as the program expects, the licences of the
#                               sample data, the solver's README and the guide (Markdown
#                               and PDF)
#   VORNEL-<version>-setup.exe  the NSIS installer of the same files
#
# The version is the one of project() in CMakeLists.txt. Steps: install what is
# missing (scripts/setup.sh), build VORNEL.exe, zelvo_v3.exe, vornel-contour.exe
# and the guide driver, drive VORNEL.exe under Wine through one estimation on
# the sample data and through a grid converted by vornel-contour.exe (the
# guide's screenshots), build the guide (docs/build.sh), lay out and zip the
# files, make the installer, and test the installer and the zip under Wine
# (tests/release/installer_test.sh).
#
# Options:
#   --no-build   use the binaries already in the build folder (the CTest test
#                of the release does this)
#   --no-test    do not run the installer test
# Environment: VORNEL_RELEASE_BUILD (build folder, default build/win),
#              VORNEL_RELEASE_DIR (output folder, default release).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

build_first=1
test_after=1
for arg in "$@"; do
  case "$arg" in
    --no-build) build_first=0 ;;
    --no-test) test_after=0 ;;
    *) echo "release: unknown option $arg" >&2; exit 2 ;;
  esac
done

die() { echo "release: $*" >&2; exit 1; }

version="$(sed -nE 's/^project\(VORNEL VERSION ([0-9]+\.[0-9]+\.[0-9]+)[ )].*/\1/p' CMakeLists.txt)"
[ -n "$version" ] || die "no version in the project() line of CMakeLists.txt"
build="${VORNEL_RELEASE_BUILD:-$root/build/win}"
out="${VORNEL_RELEASE_DIR:-$root/release}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
echo "release: VORNEL $version"

if [ "$build_first" -eq 1 ]; then
  bash scripts/setup.sh
  echo "release: building VORNEL.exe, zelvo_v3.exe, vornel-contour.exe and the guide driver in $build"
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >"$out/configure.log" 2>&1 ||
    { cat "$out/configure.log"; die "configure failed"; }
  cmake --build "$build" -j"${VORNEL_JOBS:-2}" --target VORNEL zelvo_v3 vornel-contour release_guide_driver >"$out/build.log" 2>&1 ||
    { tail -40 "$out/build.log"; die "build failed"; }
  rm -f "$out/configure.log" "$out/build.log"
fi

for f in VORNEL.exe solver/zelvo_v3.exe gridcontour/vornel-contour.exe release_guide_driver.exe generated/version.h; do
  [ -f "$build/$f" ] || die "$build/$f is missing: build first (without --no-build)"
done
# The programs are shipped alone: they may import system DLLs only, never the
# MinGW runtime (libstdc++, libgcc_s, libwinpthread), which a user does not have.
for exe in VORNEL.exe solver/zelvo_v3.exe gridcontour/vornel-contour.exe; do
  if x86_64-w64-mingw32-objdump -p "$build/$exe" | grep -iE 'DLL Name: *(libstdc|libgcc|libwinpthread)'; then
    die "$exe needs MinGW runtime DLLs: link it statically"
  fi
done
# The programs carry the version of the build's generated header: it must be this one.
grep -q "VORNEL_VERSION_TEXT \"$version\"" "$build/generated/version.h" ||
  die "$build/generated/version.h is not of version $version: configure the build again"

# A program folder as shipped: the programs beside the data they read. Index
# caches are written by the program at its first start; never shipped.
lay_out_program_folder() {
  cp "$build/VORNEL.exe" "$build/solver/zelvo_v3.exe" "$build/gridcontour/vornel-contour.exe" "$1/"
  cp -r sample/Db01 sample/M7000 sample/japan.llm sample/parameter.lst "$1/"
  find "$1/Db01" -name '*.grd' -delete
}

# Wine draws the caption buttons with the Marlett font. This Wine does not load
# the fonts of its own data folder into a prefix, so without a copy in the
# prefix's Fonts folder the buttons show the letters "0 1 r" instead of the
# symbols every Windows user knows.
install_marlett() {
  local font
  for font in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf /usr/local/share/wine/fonts/marlett.ttf; do
    [ -f "$font" ] || continue
    mkdir -p "$1/drive_c/windows/Fonts"
    cp "$font" "$1/drive_c/windows/Fonts/marlett.ttf"
    return 0
  done
  echo "release: no marlett.ttf of Wine found: the screenshots' caption buttons will show 0 1 r" >&2
}

# The guide's screenshots: VORNEL.exe driven through the guide's examples on
# the sample data (the estimation, its sensitivity, a batch estimation of the
# made-up record tests/release/guide_records.csv, a sheltered case), in a
# program folder laid out as shipped, in a Wine prefix and on an X display of
# their own; then through the guide's own-data example, a made-up grid
# (tests/release/guide_grid.py) that the shipped vornel-contour.exe converts
# beside itself, in a folder of its own.
echo "release: the guide's examples on the sample data and one converted grid for the guide's screenshots"
guide_run="$build/release-guide-run"
guide_own="$build/release-guide-own"
rm -rf "$guide_run" "$guide_own"
mkdir -p "$guide_run" "$guide_own" "$build/screenshots"
lay_out_program_folder "$guide_run"
rm -f "$build/screenshots"/guide-*.bmp "$build/screenshots"/guide-*.svg
winpath() { local p; p="$(cd "$1" && pwd)"; echo "Z:${p//\//\\}"; }
. tests/release/own-xvfb.sh
start_own_xvfb
trap 'WINEPREFIX="$build/wineprefix-guide" wineserver -k >/dev/null 2>&1 || true; stop_own_xvfb' EXIT
python3 tests/release/guide_grid.py "$guide_own/鹿島灘.asc"
WINEPREFIX="$build/wineprefix-guide" WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=" \
  tools/wine-run.sh "$guide_run/vornel-contour.exe" "$(winpath "$guide_own")\\鹿島灘.asc" \
  >"$build/guide-contour.log" 2>&1 || { iconv -f CP932 -t UTF-8 "$build/guide-contour.log"; die "vornel-contour.exe failed on the guide's grid"; }
[ -f "$guide_own/M7901_鹿島灘.txt" ] || { iconv -f CP932 -t UTF-8 "$build/guide-contour.log"; die "vornel-contour.exe wrote no M7901_鹿島灘.txt"; }
iconv -f CP932 -t UTF-8 "$build/guide-contour.log" | tr -d '\r' | head -1 | sed 's/^/  vornel-contour: /'
# The prefix exists now: the caption buttons' font, and the folder C:\鹿島 of
# the records file and the reports the driver saves (a path as a user's).
install_marlett "$build/wineprefix-guide"
guide_work="$build/wineprefix-guide/drive_c/鹿島"
rm -rf "$guide_work"
mkdir -p "$guide_work"
cp tests/release/guide_records.csv "$guide_work/鹿島沖観測.csv"
# Inside a Wine virtual desktop the windows get the frames and captions a user
# sees (bare Xvfb has no window manager to draw them); the driver runs in the
# same desktop, where it finds VORNEL's windows. The desktop's exit status is
# not the driver's: its last line tells.
WINEPREFIX="$build/wineprefix-guide" WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=" \
  tools/wine-run.sh explorer /desktop=VORNELGuide,1600x1200 \
  "$build/release_guide_driver.exe" "$(winpath "$guide_run")" "$(winpath "$build/screenshots")" \
  "$(winpath "$guide_own")" 'C:\鹿島' \
  >"$build/guide-driver.log" 2>&1 || true
# Read from a file: grep -q on a pipe may end before its writer, which fails
# the pipeline under pipefail.
log="$build/guide-driver-utf8.log"
tr -d '\r' <"$build/guide-driver.log" >"$log"
grep -q 'guide_driver: estimation done' "$log" || { cat "$log"; die "the estimation for the guide failed"; }
grep -E ' row |warning|own data|table|figure|rule|progress|summary|wavelengths' "$log" | sed 's/^/  /' || true
# The guide quotes this example's result: it must still be what the program shows.
for row in 'Smax    10  Ho 2.849  θo  93.7  推定式Smax   25.9' 'Smax    25  Ho 2.757  θo  86.4  推定式Smax   26.6　　◯' \
           'Smax    75  Ho 2.712  θo  84.1  推定式Smax   26.9' 'θcon 58.8, h/L0 0.154' \
           'typed from its table gives the same 3 rows'; do
  grep -qF "$row" "$log" || die "the example's result changed (no \"$row\"): update the example in docs/ガイド.md"
done
# And every other number it quotes from the program (sensitivities, reports,
# the sheltered case, the batch estimation) must be what the program gave.
python3 docs/check_numbers.py docs/ガイド.md "$log" | sed 's/^/  /' ||
  die "the guide quotes numbers the program no longer gives: update docs/ガイド.md"
WINEPREFIX="$build/wineprefix-guide" wineserver -k >/dev/null 2>&1 || true
stop_own_xvfb
trap - EXIT

echo "release: building the guide"
bash docs/build.sh "$build/screenshots" "$build/guide"

name="VORNEL-$version"
stage_root="$build/release-stage"
stage="$stage_root/$name"
rm -rf "$stage_root"
mkdir -p "$stage/docs/images" "$stage/licences"

lay_out_program_folder "$stage"
# Licences of the sample data sources, the solver's description, the guide.
cp sample/README.md "$stage/licences/sample-data-README.md"
cp installer/licences/*.txt "$stage/licences/"
cp solver/README.md "$stage/docs/zelvo_v3-README.md"
cp docs/ガイド.md "$build/guide/ガイド.pdf" "$stage/docs/"
cp docs/images/*.png docs/images/*.svg "$stage/docs/images/"

# The zip: one folder VORNEL-<version>. Names are stored as UTF-8 with the
# UTF-8 flag (bit 11), which Windows' Explorer and 7-Zip read; without it the
# Japanese folder names (地域, 5万分の1) would unpack garbled and the program
# would not find its data. Sorted, with one time stamp: the same input gives
# the same zip.
rm -f "$out/$name.zip"
stamp="${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}"
python3 - "$stage_root" "$name" "$out/$name.zip" "$stamp" <<'PY'
import os, sys, time, zipfile
root, top, target, stamp = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
when = time.gmtime(stamp)[:6]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for folder, dirs, files in os.walk(os.path.join(root, top)):
        dirs.sort()
        rel = os.path.relpath(folder, root).replace(os.sep, "/")
        entry = zipfile.ZipInfo(rel + "/", when)
        entry.external_attr = 0o40755 << 16 | 0x10
        z.writestr(entry, b"")
        for f in sorted(files):
            entry = zipfile.ZipInfo(rel + "/" + f, when)
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, f), "rb") as data:
                z.writestr(entry, data.read())
PY

# The installer: lists of the installed files for the install and uninstall sections.
install_list="$stage_root/install-files.nsh"
uninstall_list="$stage_root/uninstall-files.nsh"
: >"$install_list"
: >"$uninstall_list"
while IFS= read -r -d '' dir; do
  rel="${dir#"$stage"}"
  rel="${rel#/}"
  case "$rel" in *'$'* | *'"'* | *'`'*) die "a file name the installer cannot hold: $rel" ;; esac
  win="\$INSTDIR${rel:+\\${rel//\//\\}}"
  echo "SetOutPath \"$win\"" >>"$install_list"
  while IFS= read -r -d '' file; do
    base="$(basename "$file")"
    case "$base" in *'$'* | *'"'* | *'`'*) die "a file name the installer cannot hold: $base" ;; esac
    echo "File \"$file\"" >>"$install_list"
    echo "Delete \"$win\\$base\"" >>"$uninstall_list"
  done < <(find "$dir" -maxdepth 1 -type f -print0 | sort -z)
done < <(find "$stage" -type d -print0 | sort -z)
# Folders, deepest first, removed only when empty (files of the user stay).
while IFS= read -r -d '' dir; do
  rel="${dir#"$stage"/}"
  echo "RMDir \"\$INSTDIR\\${rel//\//\\}\"" >>"$uninstall_list"
done < <(find "$stage" -mindepth 1 -type d -print0 | sort -rz)
cp resources/vornel.ico "$stage_root/vornel.ico"

rm -f "$out/$name-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 "-DVERSION=$version" "-DSTAGE=$stage" "-DLISTS=$stage_root" \
  "-DOUTFILE=$out/$name-setup.exe" installer/vornel.nsi >"$stage_root/makensis.log" 2>&1 ||
  { cat "$stage_root/makensis.log"; die "makensis failed"; }

echo "release: made"
ls -l "$out/$name.zip" "$out/$name-setup.exe" | awk '{printf "  %s  %d bytes\n", $NF, $5}'

if [ "$test_after" -eq 1 ]; then
  bash tests/release/installer_test.sh "$out/$name-setup.exe" "$out/$name.zip" "$build"
fi
