#!/usr/bin/env bash
# The command line loads cairo, Pango and the libraries below them only to
# draw (a PNG picture, a PDF report): every other command starts without
# them. A copy without its drawing module still selects and says what is
# missing when asked to draw, and a module of another build is refused.
# Usage: drawing_module_test.sh VANTREL_CLI DRAWING_MODULE STALE_MODULE DATA_DIR
set -euo pipefail
source "$(dirname "$0")/program_checks.sh"
cli="$1"
module_name="$(basename "$2")"
stale="$3"
data="$(cd "$4" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
isolate_home "$scratch"
drawing='lib(cairo|pango|harfbuzz|glib|gobject|gio|fontconfig|freetype|pixman|X11|xcb)|vantrel-render'

needed="$(readelf -d "$cli" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')"
if grep -Eq "$drawing" <<<"$needed"; then
  echo "vantrel-cli is linked against drawing libraries:" $needed
  exit 1
fi

# The files the dynamic loader opens for a run of vantrel-cli with ARGS.
loaded() { LD_DEBUG=files "$cli" "$@" 2>&1 >/dev/null | grep -Eo 'file=[^ ]+' | sort -u; }
duty=(--refrigerant R-22 --capacity 5 --suction 40 --liquid 100 --length 30)
schedule="$data/examples/supermarket.csv"
for run in "--version" "--help" "select ${duty[*]} --circuits 4" "--format json rate 503-4-1/4-5 ${duty[*]}" \
           "batch $schedule" "curve 503-4-1/4-5 ${duty[*]}" "--format svg curve 503-4-1/4-5 ${duty[*]}" \
           "--format svg curve 503-4-1/4-5 ${duty[*]} --output $scratch/curve.svg" "refrigerants"; do
  # shellcheck disable=SC2086
  files="$(loaded $run)"
  if grep -Eq "$drawing" <<<"$files"; then
    echo "vantrel-cli $run loads drawing libraries:" $(grep -E "$drawing" <<<"$files")
    exit 1
  fi
done
for run in "--format png curve 503-4-1/4-5 ${duty[*]} --output $scratch/curve.png" \
           "--format pdf --output $scratch/rate.pdf rate 503-4-1/4-5 ${duty[*]}"; do
  # shellcheck disable=SC2086
  grep -q "$module_name" <<<"$(loaded $run)" || { echo "vantrel-cli $run did not open $module_name"; exit 1; }
done
file -b "$scratch/curve.png" | grep -q '^PNG image data, 800 x 600' || { echo "no PNG picture: $(file -b "$scratch/curve.png")"; exit 1; }
file -b "$scratch/rate.pdf" | grep -q '^PDF document' || { echo "no PDF report: $(file -b "$scratch/rate.pdf")"; exit 1; }

# A copy of the program with its data but no drawing module, then with one
# of another build: the same message and status for every drawing command,
# no file written, and everything else as before.
mkdir -p "$scratch/copy/bin" "$scratch/copy/share"
cp "$cli" "$scratch/copy/bin/vantrel-cli"
ln -s "$data" "$scratch/copy/share/vantrel"
copy="$scratch/copy/bin/vantrel-cli"
expected_path="$scratch/copy/lib/vantrel/$module_name"
expect_refusal() {
  local reason="$1" what="$2" run status out
  for run in "--format png curve 503-4-1/4-5 ${duty[*]} --output $scratch/copy.png" \
             "--format pdf --output $scratch/copy.pdf rate 503-4-1/4-5 ${duty[*]}" \
             "--format pdf --output $scratch/copy.pdf batch $schedule"; do
    status=0
    # shellcheck disable=SC2086
    out="$("$copy" $run 2>&1)" || status=$?
    if [ "$status" -ne 2 ] || ! grep -Fxq "vantrel-cli: cannot load the drawing module $expected_path: $reason" <<<"$out"; then
      echo "vantrel-cli $run, $what: status $status, said:"; echo "$out"; exit 1
    fi
    if [ -e "$scratch/copy.png" ] || [ -e "$scratch/copy.pdf" ]; then echo "vantrel-cli $run, $what: wrote a file"; exit 1; fi
  done
  out="$("$copy" --format rows rate 503-4-1/4-5 "${duty[@]}")"
  grep -q '^Nozzle' <<<"$out" || { echo "vantrel-cli rate, $what, rated nothing: $out"; exit 1; }
}
expect_refusal "$expected_path: cannot open shared object file: No such file or directory" "without the module"
mkdir -p "$scratch/copy/lib/vantrel"
cp "$stale" "$expected_path"
version="$("$cli" --version | cut -d' ' -f2)"
# The stale module is built from the same header, so it carries the current
# interface number: only the program version tells the builds apart.
interface="$(grep -o 'kRenderModuleInterface = [0-9]*' "$(dirname "$0")/../src/render/render_module.h" | grep -o '[0-9]*$')"
expect_refusal "it belongs to Vantrel 0.0-other (interface $interface), this program is $version (interface $interface)" \
  "with a module of another build"
echo "vantrel-cli loads its drawing libraries only to draw"
