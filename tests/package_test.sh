#!/usr/bin/env bash
# Builds the Debian package, checks that its dependencies name the package of
# every shared library the programs load, then unpacks it and runs the
# programs from the unpacked tree. Usage: package_test.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/program_checks.sh"
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null
deb="$(ls "$scratch"/out/vantrel_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
depended="$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')"
dpkg-deb -x "$deb" "$scratch/root"
for program in vantrel vantrel-cli; do
  for library in $(readelf -d "$scratch/root/usr/bin/$program" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'); do
    [ "$library" = libm.so.6 ] && continue  # part of libc6
    package="$( (dpkg -S "*/$library" 2>/dev/null || true) | head -1 | cut -d: -f1)"
    if [ -z "$package" ] || ! grep -Fxq "$package" <<<"$depended"; then
      echo "$program needs $library (package ${package:-unknown}), which the package does not depend on: $depends"
      exit 1
    fi
  done
done
isolate_home "$scratch"
out="$("$scratch/root/usr/bin/vantrel-cli" --format rows rate 503-4-1/4-5 --refrigerant R-22 --capacity 5 \
        --suction 40 --liquid 100 --length 30)"
grep -q '^Nozzle' <<<"$out" || { echo "the packaged command line rated nothing: $out"; exit 1; }
expect_gui_keeps_running "$scratch/root/usr/bin/vantrel" packaged
echo "$(basename "$deb") depends on: $depends"
