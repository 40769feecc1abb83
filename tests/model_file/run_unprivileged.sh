#!/usr/bin/env bash
# Runs the permission tests of the model-file writer as an unprivileged user: as root (CI) the
# file modes they rely on bind no one, so the program is copied where "nobody" can run it.
# Fails when the tests are skipped, so a root-only run cannot pass silently.
set -euo pipefail
program=$1
filter='ModelFileWriter.ReadOnly*'
if [[ $(id -u) -ne 0 ]]; then
    out=$("$program" --gtest_filter="$filter")
else
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    chmod 1777 "$scratch"
    cp "$program" "$scratch/"
    out=$(cd "$scratch" && setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env TMPDIR="$scratch" "./$(basename "$program")" --gtest_filter="$filter")
fi
echo "$out"
grep -q '\[  PASSED  \] 1 test' <<<"$out" && ! grep -q 'SKIPPED' <<<"$out"
