#!/usr/bin/env bash
# Compares the results of the profile cases from our reader and from the
# Windows reader, case by case.
#   compare_profile_readers.sh <native-program> <windows-command...>
set -euo pipefail
native=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Leaves out the lookups on which the readers differ by choice.
known=$(dirname "$0")/reader_differences.txt
grep -v '^#' "$known" | grep -v '^$' >"$work/known.txt"
drop_known() { grep -v -F -f "$work/known.txt" || true; }

"$native" | drop_known >"$work/ours.txt"
"$@" | tr -d '\r' | drop_known >"$work/windows.txt"

if diff -u --label "Windows (GetPrivateProfileStringA)" --label "ours (ProfileFile)" \
  "$work/windows.txt" "$work/ours.txt"; then
  echo "$(wc -l <"$work/ours.txt") lookups read alike by both readers"
else
  echo "The readers differ in the lines above (- Windows, + ours)." >&2
  exit 1
fi
