#!/usr/bin/env bash
# Fails when a translatable text of the sources has no finished English or Spanish translation:
# lupdate is run over the sources into copies of resources/translations/*.ts (the repository's
# files stay as they are) and every message it leaves unfinished is listed.
set -euo pipefail
lupdate=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root"/resources/translations/*.ts "$work"/
status=0
for ts in "$work"/*.ts; do
  "$lupdate" -silent -locations none -no-obsolete "$root/src" -ts "$ts"
  missing=$(grep -B2 'type="unfinished"' "$ts" | sed -n 's:.*<source>\(.*\)</source>.*:\1:p' || true)
  if [ -n "$missing" ]; then
    echo "$(basename "$ts"): without a translation:"
    echo "$missing" | sed 's/^/  /'
    status=1
  fi
done
[ $status -eq 0 ] && echo "every translatable text is translated in $(ls "$root"/resources/translations/*.ts | wc -l) languages"
exit $status
