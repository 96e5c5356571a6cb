#!/usr/bin/env bash
# A drop answered Yes while the time record's file system is full, then `pelmark restore-times`: every
# photo gets its times back, or restore-times names it and fails. The record lives on a tmpfs of 64 KiB
# mounted in a mount namespace of this test's own, filled up to its last page; the photos live on the
# ordinary disk and keep their bytes.
# Usage: full-disk.sh PELMARK WORK [widgets]; exit 77 (skipped) where no tmpfs can be mounted.
set -euo pipefail
pelmark=$1 work=$2 mode=${3:-}
if [ -z "${PELMARK_IN_NAMESPACE:-}" ]; then
  rm -rf "$work" && mkdir -p "$work/disk"
  if ! unshare -m true 2>/dev/null; then echo "no mount namespace here"; exit 77; fi
  PELMARK_IN_NAMESPACE=1 exec unshare -m bash "$0" "$@"
fi
mount -t tmpfs -o size=64k pelmark-full "$work/disk" || { echo "cannot mount a tmpfs"; exit 77; }

# Long folder names make long lines, so the last page holds about a dozen of them.
photos="$work/$(printf 'a-folder-with-a-long-name-%.0s' 1 2 3 4 5)"
"$pelmark" sample "$photos" >/dev/null
mapfile -t files < <(ls "$photos"/*.JPG)
(cd "$photos" && sha256sum ./*.JPG) >"$work/bytes-before"
for f in "${files[@]}"; do stat -c '%x %y %n' "$f"; done >"$work/times-before"

mkdir -p "$work/disk/settings/Pelmark"
dd if=/dev/zero of="$work/disk/filler" bs=4096 count=100 2>/dev/null || true
truncate -s -4096 "$work/disk/filler"

run_console() {
  local options=(--settings "$work/disk/settings")
  [ "$mode" = widgets ] && options+=(--widgets)
  "$pelmark" console "${options[@]}" >>"$work/console.out" || true
}
# Two drops of all 24 photos (13 is the most one drop takes): the record fills up in the first; the
# second comes after space was freed, when a line cut short before would swallow the next one.
{
  echo ":answer Yes"; echo ":drop ${files[*]:0:13}"
  echo ":answer Yes"; echo ":drop ${files[*]:13}"
} | run_console
rm "$work/disk/filler"
{
  echo ":answer Yes"; echo ":drop ${files[*]:0:13}"
  echo ":answer Yes"; echo ":drop ${files[*]:13}"
} | run_console

code=0
"$pelmark" restore-times --settings "$work/disk/settings" >"$work/restore.out" 2>"$work/restore.err" || code=$?
failed=0
for f in "${files[@]}"; do stat -c '%x %y %n' "$f"; done >"$work/times-after"
while read -r line; do
  file=${line##* }
  if ! grep -qxF "$line" "$work/times-before"; then
    if [ "$code" -eq 0 ] || ! grep -qF "$file" "$work/restore.err"; then
      echo "times not restored and not named: $file"; failed=1
    fi
  fi
done <"$work/times-after"
(cd "$photos" && sha256sum -c --quiet "$work/bytes-before") || { echo "a photo's bytes changed"; failed=1; }
grep -c '"error"' "$work/console.out" >/dev/null || { echo "the full disk was never reached"; failed=1; }
echo "restore-times exit code $code; $(grep -c '^restored' "$work/restore.out") restored"
cat "$work/restore.err"
exit $failed
