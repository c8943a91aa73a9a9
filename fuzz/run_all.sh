#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each on a copy of its seed corpus, so the
# inputs a run discovers do not pile up in the repository. Exits non-zero when
# any target finds a crash, a leak or a failed property.
#
#   fuzz/run_all.sh SECONDS [TARGET...]   (build tree: build-check, or $VANTREL_FUZZ_BUILD)
#
# TARGET is a name without the fuzz_ prefix (catalog_rows, document, ...).
set -u

if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS [TARGET...]" >&2
    exit 2
fi
seconds=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${VANTREL_FUZZ_BUILD:-$root/build-check}
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-fuzz-run.XXXXXX")
echo "work folder: $work (logs, corpora, crash inputs)"

targets=(catalog_rows fraction result_line part_number document number_text schedule refrigerant_table message_catalog)
[[ $# -gt 0 ]] && targets=("$@")
failed=()
for name in "${targets[@]}"; do
    binary=$build/fuzz/fuzz_$name
    if [[ ! -x $binary ]]; then
        echo "missing $binary: build with -DVANTREL_FUZZ=ON first (scripts/test does)" >&2
        exit 2
    fi
    mkdir -p "$work/$name/corpus" "$work/$name/artifacts"
    cp -R "$here/corpus/$name/." "$work/$name/corpus/"
    # Known regressions are replayed as seeds so a fixed bug that returns is caught at once.
    if [[ -d $here/regressions/$name ]]; then cp -R "$here/regressions/$name/." "$work/$name/corpus/"; fi
    log=$work/$name/log.txt
    "$binary" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$work/$name/artifacts/" "$work/$name/corpus" >"$log" 2>&1
    status=$?
    runs=$(grep -o 'Done [0-9]* runs' "$log" | tail -1)
    if [[ $status -eq 0 ]]; then
        echo "ok      $name: ${runs:-no run count}"
    else
        echo "FAILED  $name (exit $status): see $log"
        ls "$work/$name/artifacts/" | sed 's/^/        /'
        failed+=("$name")
    fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "targets with findings: ${failed[*]}"
    exit 1
fi
# The test suite's short runs leave nothing behind when they find nothing.
if [[ ${VANTREL_FUZZ_CLEAN:-} == 1 ]]; then rm -rf "$work"; fi
