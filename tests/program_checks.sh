# Shared by the tests that run an installed or packaged copy of the programs.
# Source it; the functions exit the test with a message on failure.

# Gives the programs a home of their own under SCRATCH, with no settings.
isolate_home() {
  export HOME="$1/home" XDG_DATA_HOME="$1/home/data" VANTREL_CONFIG="$1/home/settings.ini"
  mkdir -p "$HOME"
}

# The desktop program PROGRAM starts and keeps running until it is stopped
# (exit 124 from timeout); WHAT names the copy in the failure message.
expect_gui_keeps_running() {
  local program="$1" what="$2" log
  log="$(mktemp)"
  local status=0
  timeout 4 xvfb-run -a "$program" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 124 ]; then
    echo "the $what desktop program ended with status $status:"; cat "$log"; rm -f "$log"; exit 1
  fi
  rm -f "$log"
}

# An installed program leaves the user's data folder alone: the system's menu
# entry, document type and icons are already there. WHAT names the copy.
expect_no_user_registration() {
  local what="$1" written
  written="$(find "$XDG_DATA_HOME" -type f 2>/dev/null | grep -E 'vantrel' || true)"
  [ -z "$written" ] || { echo "the $what program registered itself per user:"; echo "$written"; exit 1; }
}

# Every absolute path under PREFIX that the installed manual pages of ROOT
# (ROOT/PREFIX/share/man/man1/*.1.gz) name in italics, the files they send
# users to, exists in ROOT: the pages name where this installation put things.
expect_pages_name_installed_paths() {
  local root="$1" prefix="$2" page path named
  for page in "$root$prefix"/share/man/man1/*.1.gz; do
    named="$(zcat "$page" | sed 's/\\-/-/g; s/\\://g' | sed -n 's/^\.IR\{0,1\} \(\/[^ "]*\).*/\1/p' | sort -u)"
    for path in $named; do
      [ "${path#"$prefix"/}" != "$path" ] || [ "${path#/usr/}" != "$path" ] || continue
      [ -e "$root$path" ] || { echo "$(basename "$page") names $path, which the installation does not have"; exit 1; }
    done
  done
}
