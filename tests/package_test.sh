#!/usr/bin/env bash
# Checks that the build the README names before packaging (scripts/run, which
# builds the target vantrel_installable) makes everything the installation
# takes from the build tree. Builds the Debian package as the README does
# (cd build && cpack), checks it with lintian and checks that its
# dependencies name the package of every shared library the programs load,
# then unpacks it and runs the programs from the unpacked tree: the menu
# entry must start the packaged program, which registers nothing per user.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/program_checks.sh"
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# What the installation reads from the build tree and ninja makes must be
# made by vantrel_installable; what configuring wrote is there already.
if [ -f "$build/build.ninja" ]; then
  made="$(ninja -C "$build" -t targets all | sed 's/: [^:]*$//')"
  installable="$(ninja -C "$build" -t graph vantrel_installable | sed -n 's/.*label="\([^"]*\)".*/\1/p')"
  for file in $(grep -rhoE "\"$build/[^\"\$]+\"" --include=cmake_install.cmake "$build" | tr -d '"' | sort -u); do
    relative="${file#"$build"/}"
    if grep -Fxq "$relative" <<<"$made" && ! grep -Fxq "$relative" <<<"$installable"; then
      echo "the installation takes $relative, which scripts/run (vantrel_installable) does not build"
      exit 1
    fi
  done
fi
(cd "$build" && cpack -B "$scratch/out" >/dev/null)
deb="$(ls "$scratch"/out/vantrel_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
depended="$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')"
dpkg-deb -x "$deb" "$scratch/root"
for program in bin/vantrel bin/vantrel-cli lib/vantrel/vantrel-render.so; do
  for library in $(readelf -d "$scratch/root/usr/$program" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'); do
    [ "$library" = libm.so.6 ] && continue  # part of libc6
    package="$( (dpkg -S "*/$library" 2>/dev/null || true) | head -1 | cut -d: -f1)"
    if [ -z "$package" ] || ! grep -Fxq "$package" <<<"$depended"; then
      echo "$(basename "$program") needs $library (package ${package:-unknown}), which the package does not depend on: $depends"
      exit 1
    fi
  done
done
# Errors fail the test; the warnings left are listed, with why, in
# docs/packaging.md.
lintian --fail-on error --no-tag-display-limit "$deb" || { echo "lintian found errors in $(basename "$deb")"; exit 1; }
for doc in copyright changelog.gz schedules.md.gz; do
  [ -f "$scratch/root/usr/share/doc/vantrel/$doc" ] || { echo "the package has no /usr/share/doc/vantrel/$doc"; exit 1; }
done
expect_pages_name_installed_paths "$scratch/root" /usr
# The menu entry names its program as the installed system finds it: on PATH.
entry="$scratch/root/usr/share/applications/vantrel.desktop"
desktop-file-validate "$entry"
for key in Exec TryExec; do
  program="$(sed -n "s/^$key=\([^ ]*\).*/\1/p" "$entry")"
  found="$(PATH="$scratch/root/usr/bin" command -v "$program" || true)"
  [ "$found" = "$scratch/root/usr/bin/vantrel" ] || { echo "$key=$program does not start the packaged program"; exit 1; }
done
isolate_home "$scratch"
out="$("$scratch/root/usr/bin/vantrel-cli" --format rows rate 503-4-1/4-5 --refrigerant R-22 --capacity 5 \
        --suction 40 --liquid 100 --length 30)"
grep -q '^Nozzle' <<<"$out" || { echo "the packaged command line rated nothing: $out"; exit 1; }
# Its drawing module lies in the package's own folder under /usr/lib.
[ -f "$scratch/root/usr/lib/vantrel/vantrel-render.so" ] || { echo "the package has no /usr/lib/vantrel/vantrel-render.so"; exit 1; }
"$scratch/root/usr/bin/vantrel-cli" --format pdf --output "$scratch/packaged.pdf" rate 503-4-1/4-5 --refrigerant R-22 \
  --capacity 5 --suction 40 --liquid 100 --length 30
file -b "$scratch/packaged.pdf" | grep -q '^PDF document' || { echo "the packaged command line wrote no PDF report"; exit 1; }
expect_gui_keeps_running "$scratch/root/usr/bin/vantrel" packaged
expect_no_user_registration packaged
echo "$(basename "$deb") depends on: $depends"
