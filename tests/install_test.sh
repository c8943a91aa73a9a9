#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the installed programs
# from there, with no settings: they must find their catalog and help by
# themselves, and the desktop program leaves registration to the installed
# menu entry. The program of the build tree, which has none, registers itself
# for the user. The desktop metadata passes its validators.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/program_checks.sh"
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
isolate_home "$scratch"
cd "$scratch"
for file in bin/vantrel bin/vantrel-cli share/vantrel/vflo.csv share/vantrel/nflo.csv share/vantrel/vantrel.hlp \
            share/vantrel/refrigerants.csv share/vantrel/refrigerant-components.csv \
            share/vantrel/examples/supermarket.csv \
            share/applications/vantrel.desktop share/mime/packages/vantrel.xml \
            share/icons/hicolor/48x48/apps/vantrel.png share/metainfo/example.vantrel.Vantrel.metainfo.xml \
            share/doc/vantrel/copyright share/doc/vantrel/changelog.gz share/doc/vantrel/schedules.md.gz \
            share/bash-completion/completions/vantrel-cli; do
  [ -e "prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
# The manual pages, compressed when gzip was there at install time.
for page in vantrel vantrel-cli; do
  installed="prefix/share/man/man1/$page.1.gz"
  [ -e "$installed" ] || installed="prefix/share/man/man1/$page.1"
  [ -e "$installed" ] || { echo "not installed: the manual page $page(1)"; exit 1; }
  if command -v man >/dev/null; then
    shown="$(MANWIDTH=80 man -l "$installed" 2>&1)"
    grep -q '^SEE ALSO' <<<"$shown" || { echo "man cannot show $installed: $shown"; exit 1; }
  fi
done
expect_pages_name_installed_paths "" "$scratch/prefix"
out="$("prefix/bin/vantrel-cli" --format rows select --refrigerant R-22 --capacity 10 --circuits 8 --tube 1/4 \
        --suction 40 --liquid 100 --length 30)"
grep -q '^Venturi' <<<"$out" || { echo "the installed command line found no venturi rows"; exit 1; }
grep -q '^Nozzle' <<<"$out" || { echo "the installed command line found no nozzle rows"; exit 1; }
# The installed program finds its drawing module, which it opens only to draw.
find prefix -name vantrel-render.so -path '*/vantrel/*' | grep -q . || { echo "not installed: the drawing module"; exit 1; }
"prefix/bin/vantrel-cli" --format png curve 503-4-1/4-5 --refrigerant R-22 --capacity 5 --suction 40 --liquid 100 \
  --length 30 --output "$scratch/installed.png" 2>/dev/null
file -b "$scratch/installed.png" | grep -q '^PNG image data' || { echo "the installed command line drew no PNG picture"; exit 1; }
# The installed program reads its own refrigerant table, not the engine's names alone.
out="$("prefix/bin/vantrel-cli" --format csv refrigerants)"
grep -q '^R-404A,R-502,1.076,3922,A1,' <<<"$out" || { echo "the installed command line lists no shipped GWP: $out"; exit 1; }
desktop-file-validate prefix/share/applications/vantrel.desktop
appstreamcli validate --no-net prefix/share/metainfo/example.vantrel.Vantrel.metainfo.xml >/dev/null ||
  { appstreamcli validate --no-net prefix/share/metainfo/example.vantrel.Vantrel.metainfo.xml; exit 1; }
# --version and --help answer without a display and touch nothing.
[ "$(env -u DISPLAY prefix/bin/vantrel --version)" = "vantrel $(prefix/bin/vantrel-cli --version | cut -d' ' -f2)" ] ||
  { echo "vantrel --version: $(env -u DISPLAY prefix/bin/vantrel --version 2>&1)"; exit 1; }
env -u DISPLAY prefix/bin/vantrel --help | grep -q '^Usage: vantrel' || { echo "vantrel --help printed no usage"; exit 1; }
expect_gui_keeps_running prefix/bin/vantrel installed
expect_no_user_registration installed

# The build tree's program registers itself, naming itself in the entry.
expect_gui_keeps_running "$build/bin/vantrel" "build tree's"
entry="$XDG_DATA_HOME/applications/vantrel.desktop"
[ -f "$entry" ] || { echo "the build tree's program registered no desktop entry"; exit 1; }
desktop-file-validate "$entry"
grep -Fxq "Exec=\"$build/bin/vantrel\" %f" "$entry" || { echo "the per-user entry starts something else:"; cat "$entry"; exit 1; }
grep -Fxq "TryExec=$build/bin/vantrel" "$entry" || { echo "the per-user entry tries something else:"; cat "$entry"; exit 1; }
echo "installed programs run from $scratch/prefix"
