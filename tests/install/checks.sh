# Sourced by the install and package checks: a scratch folder removed on exit,
# and check DESCRIPTION COMMAND..., which counts the command's success and shows
# its output when it fails. finish prints the count and sets the exit status.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0
failed=0

check() {
  local what="$1"; shift
  if "$@" >"$tmp/log" 2>&1; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; cat "$tmp/log"; fi
}

finish() {  # finish NAME
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
