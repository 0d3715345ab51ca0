# Shared by the command-line test scripts (sourced): a temporary folder and
# the checks that count passes and failures.
# shellcheck shell=bash
passed=0
failed=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

check() {  # description, then a command that must succeed
  local what="$1"; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
exits() {  # expected status, command...
  local want="$1"; shift
  "$@" >"$tmp/out" 2>"$tmp/err"
  local got=$?
  [ "$got" -eq "$want" ] || { echo "  exit $got, wanted $want: $*"; cat "$tmp/err"; return 1; }
}
one_line_error() { [ "$(wc -l <"$tmp/err")" -eq 1 ] && [ ! -s "$tmp/out" ]; }
refused() {  # expected status, command...: that status, one line of message and no output
  exits "$@" && one_line_error
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
