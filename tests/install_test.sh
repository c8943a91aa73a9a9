#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the installed programs
# from there, with no settings: they must find their catalog and help by
# themselves. Usage: install_test.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/program_checks.sh"
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
isolate_home "$scratch"
cd "$scratch"
for file in bin/vantrel bin/vantrel-cli share/vantrel/vflo.csv share/vantrel/nflo.csv share/vantrel/vantrel.hlp \
            share/vantrel/examples/supermarket.csv \
            share/applications/vantrel.desktop share/mime/packages/vantrel.xml \
            share/icons/hicolor/48x48/apps/vantrel.png share/bash-completion/completions/vantrel-cli; do
  [ -e "prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
# The manual pages, compressed when gzip was there at build time.
for page in vantrel vantrel-cli; do
  installed="prefix/share/man/man1/$page.1.gz"
  [ -e "$installed" ] || installed="prefix/share/man/man1/$page.1"
  [ -e "$installed" ] || { echo "not installed: the manual page $page(1)"; exit 1; }
  if command -v man >/dev/null; then
    shown="$(MANWIDTH=80 man -l "$installed" 2>&1)"
    grep -q '^SEE ALSO' <<<"$shown" || { echo "man cannot show $installed: $shown"; exit 1; }
  fi
done
out="$("prefix/bin/vantrel-cli" --format rows select --refrigerant R-22 --capacity 10 --circuits 8 --tube 1/4 \
        --suction 40 --liquid 100 --length 30)"
grep -q '^Venturi' <<<"$out" || { echo "the installed command line found no venturi rows"; exit 1; }
grep -q '^Nozzle' <<<"$out" || { echo "the installed command line found no nozzle rows"; exit 1; }
expect_gui_keeps_running prefix/bin/vantrel installed
echo "installed programs run from $scratch/prefix"
