#!/usr/bin/env bash
# Completes vantrel-cli command lines with the shipped bash completion and the
# built program, in a fresh bash without any rc file, once on its own and once
# with the bash-completion helpers loaded when they are installed.
# Usage: completion_test.sh BIN_DIR COMPLETION_SCRIPT
set -euo pipefail

if [ "${1-}" != --cases ]; then
  self="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
  bin="$(cd "$1" && pwd)"
  script="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
  scratch="$(mktemp -d)"
  trap 'rm -rf "$scratch"' EXIT
  # A user's refrigerant table, so the developer's own cannot change what is
  # offered, and the user's refrigerant is offered after the ten.
  printf 'name,group,factor,composition,gwp,safety,source\nR-460X,R-22,1.1,,,,bench test\n' >"$scratch/refrigerants.csv"
  export VANTREL_REFRIGERANTS="$scratch/refrigerants.csv"
  # A program that knows one refrigerant more than the built one: completion
  # must offer what the program's help says, not a list of its own.
  mkdir "$scratch/extended"
  printf '#!/bin/sh\n"%s/vantrel-cli" "$@" | sed "s/,R-460X}/,R-460X,R-600a}/"\n' "$bin" >"$scratch/extended/vantrel-cli"
  chmod +x "$scratch/extended/vantrel-cli"
  mkdir "$scratch/work" "$scratch/work/jobs"
  touch "$scratch/work/store-12.csv" "$scratch/work/store-14.csv" "$scratch/work/notes.txt"
  cd "$scratch/work"
  status=0
  PATH="$bin:$PATH" BASH_ENV= bash --norc --noprofile "$self" --cases "$script" plain "$scratch/extended" || status=1
  helpers=/usr/share/bash-completion/bash_completion
  if [ -r "$helpers" ]; then
    PATH="$bin:$PATH" BASH_ENV= bash --norc --noprofile "$self" --cases "$script" "$helpers" "$scratch/extended" || status=1
  else
    echo "bash-completion is not installed: completing without its helpers only"
  fi
  exit "$status"
fi

script="$2" helpers="$3" extended="$4"
# Completion functions end with a failed test as often as not; and the helpers
# do not all hold up under nounset, the script on its own must.
set +e -u
if [ "$helpers" != plain ]; then
  set +u
  source "$helpers"
fi
source "$script"
function="$(complete -p vantrel-cli | sed -n 's/.*-F \([^ ]*\) .*/\1/p')"
[ -n "$function" ] || { echo "the script registers no completion function for vantrel-cli"; exit 1; }
failures=0

# Completes LINE as bash would with the cursor at its end; "=" breaks words
# as it does in bash's default COMP_WORDBREAKS.
complete_line() {
  local line="$1" split
  split="${line//=/ = }"
  read -ra COMP_WORDS <<<"$split"
  if [[ $split == *" " ]]; then COMP_WORDS+=(""); fi
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="$line"
  COMP_POINT=${#line}
  COMPREPLY=()
  "$function" vantrel-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
}

# expect LINE [WORD...]: completing LINE offers exactly the WORDs, in order.
expect() {
  local line="$1"
  shift
  complete_line "$line"
  if [ "${COMPREPLY[*]}" != "$*" ]; then
    echo "[$helpers] '$line' offered '${COMPREPLY[*]}', expected '$*'"
    failures=$((failures + 1))
  fi
}

# expect_files LINE [NAME...]: as expect, in any order.
expect_files() {
  local line="$1" offered expected
  shift
  complete_line "$line"
  offered="$(printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | tr '\n' ' ')"
  expected="$(printf '%s\n' "$@" | sed '/^$/d' | sort | tr '\n' ' ')"
  if [ "$offered" != "$expected" ]; then
    echo "[$helpers] '$line' offered '$offered', expected '$expected'"
    failures=$((failures + 1))
  fi
}

# Commands and options.
expect "vantrel-cli " select rate batch curve refrigerants
expect "vantrel-cli sel" select
expect "vantrel-cli --for" --format
expect "vantrel-cli --inl"
expect "vantrel-cli select --si" --side-port --si
expect "vantrel-cli select --ty" --type
expect "vantrel-cli rate --ty"
expect "vantrel-cli batch --b" --best
expect "vantrel-cli curve --o" --output
# Option values, and words after them that are not values.
expect "vantrel-cli --format " table rows lines csv json pdf svg png
expect "vantrel-cli --format=j" json
expect "vantrel-cli --paper " a4 letter
expect "vantrel-cli select --refrigerant R-4" R-401A R-402A R-404A R-407C R-410A R-460X
expect "vantrel-cli select --tube 1/" 1/4 1/2
expect "vantrel-cli select --inlet-style " any odm flare idm
expect "vantrel-cli curve --sweep " capacity suction
expect "vantrel-cli select --suction "
expect "vantrel-cli --si select --suction -7 --inlet-s" --inlet-style
expect "vantrel-cli --limits 90,110,90,110 cu" curve
expect "vantrel-cli --format csv --paper a4 r" rate refrigerants
expect "vantrel-cli --format csv --paper a4 ra" rate
expect "vantrel-cli refrigerants --for" --format
# File names.
expect_files "vantrel-cli --venturi st" store-12.csv store-14.csv
expect_files "vantrel-cli --nozzle=n" notes.txt
expect_files "vantrel-cli curve --output s" store-12.csv store-14.csv
expect_files "vantrel-cli batch j" jobs
expect_files "vantrel-cli --si batch st" store-12.csv store-14.csv
expect_files "vantrel-cli batch store-12.csv st"
expect_files "vantrel-cli rate st"
# The choices come from the program that is completed.
PATH="$extended:$PATH"
expect "vantrel-cli rate --refrigerant R-6" R-600a

[ "$failures" -eq 0 ] || exit 1
echo "[$helpers] completions as expected"
