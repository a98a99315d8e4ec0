#!/bin/bash
# Tests the release under Wine, in a fresh Wine prefix of its own:
#
#   tests/release/installer_test.sh <setup.exe> <zip> <Windows build folder>
#
# 1. the zip unpacks to the program folder layout, byte for byte the sample data;
# 2. the installer, silent (/S, /D=), installs exactly the zip's files, an
#    uninstaller, a Start-menu shortcut to VORNEL.exe whose working folder is
#    the install folder, and the uninstall entry under HKCU;
# 3. the installed zelvo_v3.exe solves a case in the install folder and writes
#    candidate rows, and in batch mode the same rows for the same wave; the
#    installed vornel-contour.exe turns a small grid into an
#    M7000 data set in a folder of the user's (which the uninstall leaves);
# 4. the installed VORNEL.exe, started in the shortcut's working folder, shows
#    its window "VORNELシステム", writes its index files beside itself, runs one
#    estimation on 鹿島 driven through its windows (tests/release/guide_driver.cpp)
#    with candidate rows in its result dialog, and closes on WM_CLOSE;
# 5. the silent uninstall leaves only the files the user made (a planted CSV
#    report and a contour file), and removes the registry entry and the shortcuts.
set -euo pipefail

[ $# -eq 3 ] || { echo "usage: installer_test.sh <setup.exe> <zip> <build folder>" >&2; exit 2; }
setup="$(realpath "$1")"
zip="$(realpath "$2")"
build="$(realpath "$3")"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
start=$(date +%s)

failures=0
pass() { echo "  ok    $*"; }
fail() { echo "  FAIL  $*"; failures=$((failures + 1)); }
check() {  # description, command...
  local what="$1"
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

work="$build/release-test"
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/wineprefix"
# No menu entries or file associations in the real desktop of whoever runs this.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
wine_run() { "$root/tools/wine-run.sh" "$@"; }

driver="$build/release_guide_driver.exe"
[ -f "$driver" ] || { echo "installer_test: $driver is missing (build the Windows build first)" >&2; exit 1; }
# An X display of its own, ended on exit with the Wine server of the test prefix.
. "$here/own-xvfb.sh"
start_own_xvfb
trap 'wineserver -k >/dev/null 2>&1 || true; stop_own_xvfb' EXIT

echo "installer_test: $(basename "$setup"), $(basename "$zip")"

# ---- 1. the zip ----
unzip -q "$zip" -d "$work/zip"
top="$(ls "$work/zip")"
zipped="$work/zip/$top"
check "the zip holds one folder named after it ($top)" test "$top.zip" = "$(basename "$zip")"
for f in VORNEL.exe zelvo_v3.exe vornel-contour.exe japan.llm parameter.lst Db01/kowan.lst Db01/otable.5 Db01/otable.20 \
  Db01/M7000.Lst M7000/M7001.shp M7000/M7001.dbf M7000/M7002.txt docs/ガイド.md docs/ガイド.pdf \
  docs/zelvo_v3-README.md licences/sample-data-README.md licences/world-atlas-LICENSE.txt \
  licences/natural-earth-terms.txt; do
  [ -f "$zipped/$f" ] || fail "zip: $f is missing"
done
check "zip: the sample data (Db01, M7000, japan.llm, parameter.lst) equal sample/, with Japanese names" \
  bash -c "for d in Db01 M7000 japan.llm parameter.lst; do diff -r --exclude='*.grd' '$root/sample/'\$d '$zipped/'\$d || exit 1; done"
check "zip: every non-ASCII name carries the UTF-8 flag (Explorer unpacks it unchanged)" python3 -c "
import sys, zipfile
names = [i for i in zipfile.ZipFile(sys.argv[1]).infolist() if not i.filename.isascii()]
sys.exit(not names or any(not i.flag_bits & 0x800 for i in names))" "$zip"
check "zip: no index file (*.grd) is shipped" test -z "$(find "$zipped" -name '*.grd')"
check "zip: every image the guide shows is in docs/images" \
  bash -c "for i in \$(grep -oE 'images/[A-Za-z0-9_-]+\.(png|svg)' '$zipped/docs/ガイド.md' | sort -u); do [ -s '$zipped/docs/'\$i ] || exit 1; done"
check "zip: the guide PDF renders Japanese text" bash -c "pdftotext '$zipped/docs/ガイド.pdf' - | grep -q '準沖波地点'"

# ---- 2. silent install into a folder with Japanese in its name ----
inst_win='C:\VORNEL試験\インストール先'
inst="$WINEPREFIX/drive_c/VORNEL試験/インストール先"
t0=$(date +%s)
wine_run "$setup" /S "/D=$inst_win" >"$work/install.log" 2>&1 || fail "the installer exited with $?"
for _ in $(seq 1 60); do [ -f "$inst/uninstall.exe" ] && break; sleep 1; done
echo "  (install: $(( $(date +%s) - t0 )) s)"
check "install: uninstall.exe written" test -f "$inst/uninstall.exe"
(cd "$zipped" && find . -type f | sort) >"$work/zip-files.txt"
(cd "$inst" && find . -type f ! -name uninstall.exe | sort) >"$work/installed-files.txt"
check "install: exactly the zip's files are installed" diff "$work/zip-files.txt" "$work/installed-files.txt"
check "install: the installed files equal the zip's, byte for byte" diff -r "$zipped" --exclude=uninstall.exe "$inst"
check "install: the three programs VORNEL.exe, zelvo_v3.exe, vornel-contour.exe" \
  test -f "$inst/VORNEL.exe" -a -f "$inst/zelvo_v3.exe" -a -f "$inst/vornel-contour.exe"

users="$WINEPREFIX/drive_c/users/$(whoami)"
menu="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/VORNEL"
lnk="$menu/VORNEL.lnk"
check "install: Start-menu shortcut VORNEL.lnk" test -f "$lnk"
workdir=""
if [ -f "$lnk" ]; then
  cp "$lnk" "$work/VORNEL.lnk"
  python3 "$here/lnk_info.py" "$lnk" >"$work/lnk.txt"
  workdir="$(sed -n 's/^workdir=//p' "$work/lnk.txt")"
  target="$(sed -n 's/^target=//p' "$work/lnk.txt")"
  check "shortcut: working folder is the install folder ($workdir)" test "$workdir" = "$inst_win"
  check "shortcut: target is the installed VORNEL.exe ($target)" test "$target" = "$inst_win\\VORNEL.exe"
fi
check "install: the guide's shortcut" test -f "$menu/VORNEL ガイド.lnk"

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VORNEL'
wine_run reg query "$key" >"$work/reg.txt" 2>&1 || true
check "install: uninstall entry under HKCU with the uninstaller" grep -q 'uninstall.exe' "$work/reg.txt"
version="${top#VORNEL-}"
check "install: the entry's DisplayVersion is $version" grep -Eq "DisplayVersion.*$version" "$work/reg.txt"

# ---- 3. one estimation with the installed solver, in the install folder ----
# The input VORNEL writes for a case off 鹿島 without diffraction point: contours
# facing east (θcon 90), the quasi-offshore point 20 m deep, H1/3 2.5 m, T1/3 10 s,
# waves from 80°.
printf '%s\r\n' 'release-check' 'azim**| 90.0' 'angl**|999.0' 'sit***|  0.0' 'hh_B**|  0.0' \
  'hh_A**| 20.0' 'h13***| 2.50' 't13***|10.00' 'dir***| 80.0' >"$inst/zelvo-in.txt"
t0=$(date +%s)
(cd "$inst" && wine_run ./zelvo_v3.exe) >"$work/solver.log" 2>&1 || fail "zelvo_v3.exe exited with $?"
echo "  (solver: $(( $(date +%s) - t0 )) s)"
out="$inst/zelvo-out_release-check.tmp"
check "solver: zelvo-out_release-check.tmp, .txt and .crv written in the install folder" \
  test -f "$out" -a -f "$inst/zelvo-out_release-check.txt" -a -f "$inst/zelvo-out_release-check.crv"
if [ -f "$out" ]; then
  rows="$(tr -d '\r' <"$out" | awk 'NR > 1 && NF == 0 { exit } NR > 1')"
  echo "$rows" | sed 's/^/        /'
  check "solver: candidate rows (Smax 10/25/75, Ho > 0, θo in [0, 360)) before the end marker" \
    bash -c "[ -n '$rows' ] && echo '$rows' | awk '(\$1 != 10 && \$1 != 25 && \$1 != 75) || \$2 <= 0 || \$3 < 0 || \$3 >= 360 { bad = 1 } END { exit bad }'"
  check "solver: every Smax of the three has a candidate in this open-sea case" \
    bash -c "for s in 10 25 75; do echo '$rows' | awk -v s=\$s '\$1 == s { f = 1 } END { exit !f }' || exit 1; done"
  check "solver: the echo names the case" grep -q '^release-check' "$out"
fi

# The same site in batch mode: three records (one from the land side, one the single case would
# refuse); the first must give the single case's rows.
printf '%s\r\n' 'release-check' 'azim**| 90.0' 'angl**|999.0' 'sit***|  0.0' 'hh_B**|  0.0' 'hh_A**| 20.0' \
  '2.50 10.00 80.0' '2.50 10.00 270.0' '2.50 -1.00 80.0' >"$inst/zelvo-batch-in.txt"
(cd "$inst" && wine_run ./zelvo_v3.exe --batch) >"$work/batch.log" 2>&1 || fail "zelvo_v3.exe --batch exited with $?"
batch="$inst/zelvo-batch-out_release-check.txt"
check "solver: batch mode wrote zelvo-batch-out_release-check.txt, complete, and no temporary file" \
  bash -c "test -f '$batch' -a ! -e '$inst/zelvo-batch-out_release-check.part' && tr -d '\r' <'$batch' | tail -1 | grep -qx 'end 3'"
if [ -f "$batch" ] && [ -f "$out" ]; then
  check "solver: batch record 1 equals the single case's rows, record 2 none, record 3 an error" \
    bash -c "diff <(tr -d '\r' <'$out' | awk 'NR > 1 && NF == 0 { exit } NR > 1 { print \"1\", \$1, \$2, \$3 }') \
                  <(tr -d '\r' <'$batch' | awk '\$1 == 1 { print \$1, \$2, \$3, \$4 }') &&
             tr -d '\r' <'$batch' | grep -qx '2 none' && tr -d '\r' <'$batch' | grep -q '^3 error '"
fi

# The installed vornel-contour.exe on a grid of the user's (3 × 3 nodes, 2 to
# 10 m deep, --depths), from a command prompt into a folder beside the install
# folder: the data set M7901_<grid>.txt (the sample's M7001 and M7002 are
# VORNEL's own codes), its path the last line of the output.
own="$WINEPREFIX/drive_c/VORNEL試験/自分の水深"
mkdir -p "$own"
printf '%s\r\n' 'ncols 3' 'nrows 3' 'xllcorner 140.70' 'yllcorner 35.90' 'cellsize 0.01' \
  '2 6 10' '2 6 10' '2 6 10' >"$own/測深.asc"
if wine_run "$inst/vornel-contour.exe" 'C:\VORNEL試験\自分の水深\測深.asc' --depths --levels=5,8 \
  >"$work/contour.log" 2>&1; then
  pass "vornel-contour.exe in the install folder converted a grid"
else
  fail "vornel-contour.exe in the install folder exited with $?: $(iconv -f CP932 -t UTF-8 "$work/contour.log" | tr -d '\r')"
fi
check "vornel-contour.exe wrote M7901_測深.txt beside the grid, and said so last" \
  bash -c "test -s '$own/M7901_測深.txt' && iconv -f CP932 -t UTF-8 '$work/contour.log' | tr -d '\r' | tail -1 | grep -qxF 'C:\\VORNEL試験\\自分の水深\\M7901_測深.txt'"

# ---- 4. VORNEL.exe started in the shortcut's working folder: one estimation ----
start_in="${workdir:-$inst_win}"
t0=$(date +%s)
if wine_run "$driver" "$start_in" - >"$work/driver.log" 2>&1; then
  pass "VORNEL.exe in the install folder: window, estimation on 鹿島, closed ($(( $(date +%s) - t0 )) s)"
  grep -E 'row|found' "$work/driver.log" | tr -d '\r' | sed 's/^/        /'
else
  fail "VORNEL.exe in the install folder: $(tr -d '\r' <"$work/driver.log" | tail -2 | tr '\n' ' ')"
fi
for f in kowan.grd otable5.grd otable20.grd; do
  check "VORNEL.exe wrote Db01/$f beside itself" test -s "$inst/Db01/$f"
done
check "VORNEL.exe ran the solver in its folder: zelvo-in.txt, zelvo-out_鹿島試験.tmp" \
  test -f "$inst/zelvo-in.txt" -a -f "$inst/zelvo-out_鹿島試験.tmp"

# ---- 5. the user's files, then the silent uninstall ----
printf '%s\r\n' 'VORNELパラメータ' '--------------------------------' >"$inst/鹿島_報告.csv"
printf '%s\r\n' 'user data' >"$inst/Db01/関東/自作.con"
t0=$(date +%s)
wine_run "$inst/uninstall.exe" /S >"$work/uninstall.log" 2>&1 || fail "the uninstaller exited with $?"
# The uninstaller copies itself to %TEMP% and runs from there: wait for it.
for _ in $(seq 1 60); do [ ! -f "$inst/uninstall.exe" ] && break; sleep 1; done
sleep 2
echo "  (uninstall: $(( $(date +%s) - t0 )) s)"
(cd "$WINEPREFIX/drive_c/VORNEL試験" && find . | sort) >"$work/left.txt"
printf '%s\n' . ./インストール先 ./インストール先/Db01 ./インストール先/Db01/関東 ./インストール先/Db01/関東/自作.con \
  ./インストール先/鹿島_報告.csv ./自分の水深 ./自分の水深/測深.asc ./自分の水深/M7901_測深.txt | sort >"$work/expected-left.txt"
check "uninstall: only the user's files (and their folders) are left" diff "$work/expected-left.txt" "$work/left.txt"
check "uninstall: the Start-menu folder is gone" test ! -e "$menu"
wine_run reg query "$key" >"$work/reg-after.txt" 2>&1 && fail "uninstall: the registry entry is still there" ||
  pass "uninstall: the registry entry is gone"

echo "installer_test: $(( $(date +%s) - start )) s"
if [ "$failures" -eq 0 ]; then
  echo "installer_test: passed"
else
  echo "installer_test: $failures check(s) failed (logs in $work)"
  exit 1
fi
