#!/usr/bin/env bash
# Every outside program the build and the tests call comes from a package
# that scripts/install-deps installs on a fresh Debian (or from one of those
# packages' dependencies, or from the base system), so the README's commands
# work on a machine that was not prepared by hand. The sanitized build needs
# the symbolizer of its clang: without it, every report of a leak the
# suppressions hide adds a warning to standard error.
# Usage: install_deps_test.sh INSTALL_DEPS PROGRAM...
set -euo pipefail
install_deps="$1"
shift
programs=("$@")
if command -v clang++ >/dev/null; then
  programs+=("llvm-symbolizer-$(clang++ -dumpversion | cut -d. -f1)")
fi

listed="$(sed -n '/^packages=(/,/^)/p' "$install_deps" | sed '1s/^packages=(//; $s/)$//' | tr -s ' \n' '\n' | sed '/^$/d')"
[ -n "$listed" ] || { echo "found no package list in $install_deps"; exit 1; }
# What installing the list brings: the packages and everything they depend on.
# shellcheck disable=SC2086
brought="$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
             --no-enhances --installed $listed 2>/dev/null |
           sed -n 's/^ *\(Pre\)\{0,1\}Depends: \([^<>]*\)$/\2/p; s/^\([a-z0-9][^ :]*\)$/\1/p' | sort -u)"
base="$(dpkg-query -W -f='${Package} ${Essential} ${Priority}\n' | awk '$2 == "yes" || $3 == "required" { print $1 }')"

failures=0
for program in "${programs[@]}"; do
  # Debian's own copy: a developer's own in /usr/local or a home folder proves nothing.
  path="$(PATH=/usr/sbin:/usr/bin:/sbin:/bin command -v "$program" || true)"
  if [ -z "$path" ]; then
    echo "$program is not installed, and scripts/install-deps does not install it"
    failures=$((failures + 1))
    continue
  fi
  # With /usr merged, dpkg may know the file under /bin or by its link's target.
  package=""
  for name in "$path" "${path#/usr}" "$(readlink -f "$path")"; do
    package="$( (dpkg -S "$name" 2>/dev/null || true) | head -1 | cut -d: -f1)"
    [ -n "$package" ] && break
  done
  if [ -z "$package" ]; then
    echo "$program ($path) belongs to no Debian package"
    failures=$((failures + 1))
  elif ! grep -Fxq "$package" <<<"$listed"$'\n'"$brought"$'\n'"$base"; then
    echo "$program comes from $package, which scripts/install-deps does not install"
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] || exit 1
echo "scripts/install-deps installs all of: ${programs[*]}"
