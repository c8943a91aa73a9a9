#!/usr/bin/env bash
# The Windows installer, under Wine in a fresh prefix of its own: a silent
# install for the user (no administrator) of programs without symbols or
# debug information, the installed command line finds its catalog from
# anywhere, the registry holds the uninstall entry (and with the desktop
# program the document type and a Start menu entry); a silent uninstall
# leaves nothing of the installation but the user's settings and files.
# Installed over an earlier version that shipped files this one does not,
# it leaves none of them and one uninstall entry, its own; uninstalled with
# /REMOVESETTINGS, not the settings either.
#   installer_test.sh BUILD_DIR INSTALLER VERSION OBJDUMP DATA_DIR CMAKE MAKE_INSTALLER_SCRIPT [-DNAME=VALUE...]
# The last ones make an installer as the build does (make_installer.cmake
# and what every installer shares); the earlier version is made with them.
set -euo pipefail
build=$1
installer=$2
version=$3
objdump=$4
data_dir=$5
cmake_command=$6
make_installer=$7
shared_definitions=("${@:8}")

cmake --build "$build" --target vantrel_installer >/dev/null
[ -f "$installer" ] || { echo "no installer at $installer"; exit 1; }
desktop=false
[ -f "$build/bin/vantrel.exe" ] && desktop=true

export WINEPREFIX="$build/packaging/windows/installer-test-wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
wine cmd /c exit >/dev/null 2>&1 || true
wineserver -w

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
windows_env() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
value_of() {  # KEY NAME (empty: the default value)
  local args=(/v "$2")
  [ -n "$2" ] || args=(/ve)
  wine reg query "$1" "${args[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ].*REG_[A-Z_]* *//p' | head -1
}
# Every line of the user's registry that names the program, its documents or its type.
registry_mentions() {
  wine reg export HKCU "$WINEPREFIX/hkcu.reg" /y >/dev/null 2>&1
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/hkcu.reg" | tr -d '\r' | grep -i -E 'vantrel|morvex|\\\.dst\]' || true
}
# What is left once the uninstaller's last registry change has landed: its
# copy in the temporary folder may still be finishing on a busy machine.
registry_left() {
  local left waited
  for waited in 1 2 3 4 5 6 7 8 9 10; do
    left="$(registry_mentions)"
    [ -z "$left" ] && break
    sleep 1
  done
  printf '%s' "$left"
}

local_app_data=$(windows_env LOCALAPPDATA)
app_data=$(windows_env APPDATA)
programs_menu="$(winepath -u "$app_data")/Microsoft/Windows/Start Menu/Programs"
install_dir="$local_app_data\\Programs\\Vantrel"
installed=$(winepath -u "$install_dir")
settings_key="HKCU\\SOFTWARE\\Vantrel, Inc.\\Vantrel\\$version"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
[ -z "$(registry_mentions)" ] || fail "a fresh prefix already mentions the program"

install() {  # [INSTALLER]: this version's when not named
  wine "${1:-$installer}" /S
  wineserver -w
}
uninstall() {
  # The uninstaller runs from a copy in the temporary folder; wait for it.
  wine "$installed/uninstall.exe" /S "$@"
  wineserver -w
}

# This version's files are there and its command line works: run from
# elsewhere, with or without settings, it finds its catalog beside itself.
check_installed() {
  local file rows batch
  for file in bin/vantrel-cli.exe uninstall.exe share/vantrel/vflo.csv share/vantrel/nflo.csv \
              share/vantrel/refrigerants.csv share/vantrel/refrigerant-components.csv share/vantrel/vantrel.hlp \
              share/vantrel/bitmaps/splash.png share/vantrel/icons/vantrel-48.png share/vantrel/examples/supermarket.csv; do
    [ -f "$installed/$file" ] || fail "not installed: $file"
  done
  rows=$(cd / && wine "$installed/bin/vantrel-cli.exe" select --refrigerant R-22 --capacity 10 --circuits 8 \
           --tube 1/4 --suction 40 --liquid 100 --length 30 --format csv 2>/dev/null | tr -d '\r' | grep -c '^Venturi,' || true)
  [ "$rows" -ge 1 ] || fail "the installed vantrel-cli select gave no rows"
  batch=$(cd / && wine "$installed/bin/vantrel-cli.exe" batch "$install_dir\\share\\vantrel\\examples\\supermarket.csv" \
            --best --format csv 2>/dev/null | tr -d '\r' | wc -l)
  [ "$batch" -ge 2 ] || fail "the installed vantrel-cli could not run the example schedule"
  [ "$(value_of "$uninstall_key" DisplayVersion)" = "$version" ] ||
    fail "the uninstall entry names version $(value_of "$uninstall_key" DisplayVersion), not $version"
}

# --- install, silently, for this user ---
install
check_installed
# The programs go out without symbols or debug information.
for program in "$installed"/bin/*.exe; do
  ! "$objdump" -h "$program" | grep -q ' \.debug_' || fail "debug information in $(basename "$program")"
  ! "$objdump" -f "$program" | grep -q 'HAS_SYMS' || fail "symbols in $(basename "$program")"
done
[ "$(value_of "$uninstall_key" QuietUninstallString)" = "\"$install_dir\\uninstall.exe\" /S" ] ||
  fail "uninstall entry: $(value_of "$uninstall_key" QuietUninstallString)"
[ "$(value_of "$uninstall_key" InstallLocation)" = "$install_dir" ] || fail "uninstall entry: no install location"
if $desktop; then
  program="$install_dir\\bin\\vantrel.exe"
  [ -f "$installed/bin/vantrel.exe" ] || fail "not installed: bin/vantrel.exe"
  [ -f "$programs_menu/Vantrel.lnk" ] || fail "no Start menu entry"
  fonts_key='HKCU\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
  [ "$(value_of "$fonts_key" 'DejaVu Sans (TrueType) (Vantrel)')" = "$install_dir\share\vantrel\fonts\DejaVuSans.ttf" ] ||
    fail "the typeface is not registered for the user: $(value_of "$fonts_key" 'DejaVu Sans (TrueType) (Vantrel)')"
  [ -n "$(value_of "$fonts_key" 'DejaVu Sans Bold (TrueType) (Vantrel)')" ] || fail "the bold typeface is not registered"
  [ "$(value_of 'HKCU\Software\Classes\.dst' '')" = morvex.Document.1 ] || fail ".dst is not a morvex.Document.1"
  [ "$(value_of 'HKCU\Software\Classes\morvex.Document.1\DefaultIcon' '')" = "$program,1" ] || fail "document icon"
  [ "$(value_of 'HKCU\Software\Classes\morvex.Application\DefaultIcon' '')" = "$program,1" ] || fail "program icon"
  [ "$(value_of 'HKCU\Software\Classes\morvex.Document.1\shell\open\command' '')" = "\"$program\" \"%1\"" ] ||
    fail "open command: $(value_of 'HKCU\Software\Classes\morvex.Document.1\shell\open\command' '')"
else
  echo "note: no desktop program in this build: installer made with the command line only"
fi

# The user's settings and own files, and a file of the user's among the installed ones.
wine reg add "$settings_key" /v units /d ENGLISH /f >/dev/null 2>&1
mkdir -p "$(winepath -u "$app_data")/Vantrel"
echo "Name,Group,Factor" >"$(winepath -u "$app_data")/Vantrel/refrigerants.csv"
echo "mine" >"$installed/share/vantrel/examples/mine.csv"

# --- uninstall, silently: the settings stay ---
uninstall
[ "$(cd "$installed" && find . -mindepth 1 | sort | tr '\n' ' ')" = \
  "./share ./share/vantrel ./share/vantrel/examples ./share/vantrel/examples/mine.csv " ] ||
  fail "left in the installation folder: $(cd "$installed" && find . -mindepth 1 | tr '\n' ' ')"
[ ! -e "$programs_menu/Vantrel.lnk" ] || fail "the Start menu entry is left"
key_exists "$uninstall_key" && fail "the uninstall entry is left"
[ "$(value_of "$settings_key" units)" = ENGLISH ] || fail "the settings did not stay"
[ -f "$(winepath -u "$app_data")/Vantrel/refrigerants.csv" ] || fail "the user's refrigerant table did not stay"
left=$(registry_mentions | grep -v -i -F "[HKEY_CURRENT_USER\\SOFTWARE\\Vantrel, Inc." || true)
[ -z "$left" ] || fail "left in the registry: $left"

# --- an earlier version, then this one installed over it ---
# The earlier one: the same programs under another version, with a data file
# and a folder of its own that this version does not ship.
rm "$installed/share/vantrel/examples/mine.csv"
earlier="$build/packaging/windows/installer-test-earlier"
earlier_version="$version-earlier"
earlier_installer="$earlier/vantrel-$earlier_version-setup.exe"
rm -rf "$earlier"
mkdir -p "$earlier"
cp -r "$data_dir" "$earlier/data"
mkdir -p "$earlier/data/retired"
echo "Name,Group,Factor" >"$earlier/data/retired/old-table.csv"
echo "Circuits" >"$earlier/data/examples/retired.csv"
"$cmake_command" "${shared_definitions[@]}" -DWORK="$earlier/work" -DINSTALLER="$earlier_installer" \
  -DDATA_DIR="$earlier/data" -DVERSION="$earlier_version" -P "$make_installer" >/dev/null
install "$earlier_installer"
[ -f "$installed/share/vantrel/retired/old-table.csv" ] && [ -f "$installed/share/vantrel/examples/retired.csv" ] ||
  fail "the earlier version did not install its own files"
[ "$(value_of "$uninstall_key" DisplayVersion)" = "$earlier_version" ] || fail "the earlier version has no uninstall entry"
install
[ ! -e "$installed/share/vantrel/retired" ] || fail "the earlier version's folder is left: share/vantrel/retired"
[ ! -e "$installed/share/vantrel/examples/retired.csv" ] || fail "the earlier version's file is left: examples/retired.csv"
check_installed
entries=$(registry_mentions | grep -c '^"DisplayName"="Vantrel ' || true)
[ "$entries" -eq 1 ] || fail "$entries uninstall entries name the program, not 1"
[ "$(value_of "$settings_key" units)" = ENGLISH ] || fail "a new installation lost the settings"

# --- uninstall with /REMOVESETTINGS: only the user's own file stays ---
uninstall /REMOVESETTINGS
[ ! -e "$installed" ] || fail "the installation folder is left: $(cd "$installed" && find . | tr '\n' ' ')"
left="$(registry_left)"
[ -z "$left" ] || fail "left in the registry after /REMOVESETTINGS: $left"
[ -f "$(winepath -u "$app_data")/Vantrel/refrigerants.csv" ] || fail "/REMOVESETTINGS removed the user's table"

wineserver -k || true
if [ "$failures" -ne 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
rm -rf "$WINEPREFIX" "$earlier"
echo "installer $(basename "$installer") ($(stat -c %s "$installer") bytes): install, use and uninstall passed"
