#!/usr/bin/env bash
# Compares the command line's output digests with tests/regression/expected.txt.
# After a deliberate change of output: snapshot.sh build/varnel > expected.txt
set -euo pipefail
here=$(dirname "$0")
diff <("$here/snapshot.sh" "$1") "$here/expected.txt"
