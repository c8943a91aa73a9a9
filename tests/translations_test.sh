#!/usr/bin/env bash
# Every language's catalog is complete against the texts the sources hold
# today: no text missing, untranslated or fuzzy, and msgfmt --check clean
# (format directives matching the English, a valid header).
# Usage: translations_test.sh SOURCE_DIR XGETTEXT_ARGUMENTS_FILE LANGUAGE...
set -euo pipefail
source_dir="$1" arguments_file="$2"
shift 2
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mapfile -t arguments <"$arguments_file"
(cd "$source_dir" && xgettext "${arguments[@]}" -o "$scratch/vantrel.pot")
status=0
for language in "$@"; do
  po="$source_dir/po/$language.po"
  if ! msgfmt --check --statistics -o /dev/null "$po" 2>"$scratch/stats"; then
    echo "$language: msgfmt --check refuses the catalog:" >&2
    cat "$scratch/stats" >&2
    status=1
    continue
  fi
  if grep -qE 'fuzzy|untranslated' "$scratch/stats"; then
    echo "$language: $(cat "$scratch/stats")" >&2
    status=1
  fi
  # Fuzzy and untranslated entries count as missing here.
  if ! msgcmp "$po" "$scratch/vantrel.pot" 2>"$scratch/missing"; then
    echo "$language: texts of the program the catalog does not translate:" >&2
    head -40 "$scratch/missing" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "catalogs complete: $*"
exit $status
