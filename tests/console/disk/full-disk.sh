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

# Lines of L bytes (two times of 20 characters, the path, three separators) that fill the last free
# page up to 11..19 bytes into a line's nanoseconds: a line written after such a fragment was joined
# to it and could no longer be read. Fewer than 24 lines fit. The folder's name sets L.
for ((L = (${#work} > 110 ? ${#work} + 70 : 180); L < 4096; L++)); do (((4096 % L) >= 11 && (4096 % L) <= 19)) && break; done
photos="$work/$(printf '%*s' $((L - 43 - ${#work} - 14)) '' | tr ' ' f)"
"$pelmark" sample "$photos" >/dev/null
mapfile -t files < <(ls "$photos"/*.JPG)
mapfile -t backwards < <(printf '%s\n' "${files[@]}" | tac)
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
# All 24 photos dropped (13 is the most one drop takes): the record fills up. Then again once space
# was freed, last photo first: the first line written then is that of a photo never recorded, which
# a fragment left before would swallow.
{
  echo ":answer Yes"; echo ":drop ${files[*]:0:13}"
  echo ":answer Yes"; echo ":drop ${files[*]:13}"
} | run_console
rm "$work/disk/filler"
{
  echo ":answer Yes"; echo ":drop ${backwards[*]:0:13}"
  echo ":answer Yes"; echo ":drop ${backwards[*]:13}"
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

# A record that ends in a fragment (left by an older program, or edited): the next line starts a line
# of its own, so the photo comes back, and the fragment is named.
printf '1796607961.92' >"$work/disk/settings/Pelmark/file-times.txt"
stat -c '%x %y' "${files[0]}" >"$work/times-before"
echo "DatumSetzen \"${files[0]}\"" | run_console
code=0
"$pelmark" restore-times --settings "$work/disk/settings" >"$work/restore.out" 2>"$work/restore.err" || code=$?
stat -c '%x %y' "${files[0]}" | cmp -s - "$work/times-before" || { echo "not restored after a fragment"; failed=1; }
[ "$code" -eq 1 ] && grep -q "cannot read line 1 " "$work/restore.err" || { echo "the fragment was not named"; failed=1; }
exit $failed
