#!/usr/bin/env bash
# The manual pages say what the programs' --help says, carry the program's
# version, and render without a single warning.
# Usage: manpage_test.sh VANTREL_CLI MAN1_DIR [VANTREL]
set -euo pipefail
cli="$1" man1="$2" desktop="${3:-}"
page="$man1/vantrel-cli.1"
failures=0
fail() {
  echo "$*"
  failures=$((failures + 1))
}

# The page's source with roff's "\-" read as the "-" it prints.
source_text="$(sed 's/\\-/-/g' "$page")"

# The options one help text lists ("-h,--help" gives both names).
options_of() {
  "$cli" "$@" --help | sed -n 's/^  \(-[^ ]*\).*/\1/p' | tr ',' '\n'
}
commands="$("$cli" --help | sed -n '/^subcommands:/I,/^$/s/^  \([a-z][^ ]*\).*/\1/p')"
[ -n "$commands" ] || fail "vantrel-cli --help lists no commands"

# Is WORD set in bold: ".B WORD", ".BI WORD ...", "\fBWORD"?
in_bold() {
  grep -Eq -- "(^\.B[IR]? +|\\\\fB)$1([^A-Za-z0-9-]|$)" <<<"$source_text"
}

all_options="$(options_of)"
for option in $(options_of); do
  in_bold "$option" || fail "vantrel-cli.1 does not describe the global option $option"
done
for command in $commands; do
  grep -q "^\.SS $command\$" <<<"$source_text" || fail "vantrel-cli.1 has no section for the command $command"
  sed -n '/^\.SH SYNOPSIS/,/^\.SH/p' <<<"$source_text" | grep -q "^\.B $command\$" ||
    fail "the synopsis of vantrel-cli.1 does not show the command $command"
  for option in $(options_of "$command"); do
    in_bold "$option" || fail "vantrel-cli.1 does not describe the option $option of $command"
  done
  all_options+=$'\n'"$(options_of "$command")"
done

# Every option the page names is one the program takes.
for option in $(grep -oE -- '--[a-z][a-z0-9-]*' <<<"$source_text" | sort -u); do
  grep -Fxq -- "$option" <<<"$all_options" || fail "vantrel-cli.1 names $option, which no --help lists"
done

# The help sends users only to what an installation has: no file of the
# source tree. What a left-out capacity means is the command's own: select
# derives it, rate and curve take the distributor's rated capacity.
for command in "" $commands; do
  # shellcheck disable=SC2086
  help="$("$cli" $command --help)"
  grep -q 'docs/' <<<"$help" && fail "vantrel-cli $command --help names a file of the source tree: $(grep 'docs/' <<<"$help")"
  blank="$(sed -n 's/^  --capacity .*; blank //p' <<<"$help")"
  case "$command" in
    select) expected="to select" ;;
    rate | curve) expected="for the distributor's rated capacity" ;;
    *) expected="" ;;
  esac
  [ "$blank" = "$expected" ] || fail "vantrel-cli $command --help says a blank capacity means \"$blank\""
done

# Each output format has its entry.
formats="$("$cli" --help | sed -n 's/^  --format [A-Z]*:{\([^}]*\)}.*/\1/p' | tr ',' ' ')"
[ -n "$formats" ] || fail "vantrel-cli --help shows no choices for --format"
output_formats="$(sed -n '/^\.SH "*OUTPUT FORMATS/,/^\.SH/p' <<<"$source_text")"
for format in $formats; do
  grep -q "^\.B $format\$" <<<"$output_formats" || fail "OUTPUT FORMATS in vantrel-cli.1 lacks $format"
done

# vantrel.1 describes every option `vantrel --help` lists, which answers
# without a display.
if [ -n "$desktop" ]; then
  desktop_text="$(sed 's/\\-/-/g' "$man1/vantrel.1")"
  desktop_options="$(env -u DISPLAY "$desktop" --help | grep -oE -- '(^| )--?[a-z][a-z-]*' | tr -d ' ' | sort -u)"
  [ -n "$desktop_options" ] || fail "vantrel --help lists no options"
  for option in $desktop_options; do
    grep -Eq -- "(^\.B[IR]? +|\\fB)$option([^A-Za-z0-9-]|\$)" <<<"$desktop_text" ||
      fail "vantrel.1 does not describe the option $option"
  done
fi

# Both pages carry the version the program reports.
version="$("$cli" --version | awk '{ print $NF }')"
for name in vantrel vantrel-cli; do
  grep -q "^\.TH .* \"Vantrel $version\" " "$man1/$name.1" || fail "$name.1 is not marked as version $version"
done

# Rendering: groff at its most particular, and man-db's check where it is installed.
command -v groff >/dev/null || { echo "groff is missing (scripts/install-deps installs it)"; exit 1; }
for name in vantrel vantrel-cli; do
  warnings="$(groff -ww -z -man -Tutf8 "$man1/$name.1" 2>&1)"
  [ -z "$warnings" ] || fail "groff warns about $name.1: $warnings"
  if command -v man >/dev/null; then
    for width in 80 60; do
      warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=$width man --warnings -E UTF-8 -l -Tutf8 -Z "$man1/$name.1" 2>&1 >/dev/null)"
      [ -z "$warnings" ] || fail "man warns about $name.1 at $width columns: $warnings"
    done
  fi
done

[ "$failures" -eq 0 ] || exit 1
echo "vantrel-cli.1 covers $(wc -w <<<"$commands") commands and $(sort -u <<<"$all_options" | wc -l) options; both pages render cleanly"
