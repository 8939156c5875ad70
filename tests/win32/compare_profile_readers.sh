#!/usr/bin/env bash
# Compares the results of the profile cases from the Windows reader with
# those of our reader, natively and in the Windows program, case by case.
#   compare_profile_readers.sh <native-program> <windows-command...>
# The Windows command prints the Windows reader's results, and ours when
# given --ours as its last argument.
set -euo pipefail
native=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Leaves out the lookups on which the readers differ by choice.
known=$(dirname "$0")/reader_differences.txt
grep -v '^#' "$known" | grep -v '^$' >"$work/known.txt"
drop_known() { grep -v -F -f "$work/known.txt" || true; }

"$@" | tr -d '\r' | drop_known >"$work/windows.txt"
"$native" | drop_known >"$work/native.txt"
"$@" --ours | tr -d '\r' | drop_known >"$work/ours-on-windows.txt"

status=0
for ours in native ours-on-windows; do
  if ! diff -u --label "Windows (GetPrivateProfileStringA)" --label "ours ($ours)" \
    "$work/windows.txt" "$work/$ours.txt"; then
    echo "The readers differ in the lines above (- Windows, + ours, $ours)." >&2
    status=1
  fi
done
[ "$status" = 0 ] && echo "$(wc -l <"$work/windows.txt") lookups read alike by all readers"
exit "$status"
