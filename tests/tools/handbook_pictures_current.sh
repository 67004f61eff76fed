#!/bin/sh
# The handbook's pictures come out the same twice, and the same as those in the source tree:
# a change to the window, its dialogs or the virtual printer fails here until the pictures are
# drawn again.
#   handbook_pictures_current.sh SOURCE_DIR PROGRAM
set -u
src=$1 program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for run in first second; do
  "$src/tools/handbook_pictures/render.sh" "$src" "$program" "$work/$run" || { echo "drawing the pictures failed"; exit 1; }
done
status=0
for picture in "$work"/first/*/pictures/*.png; do
  name=${picture#"$work/first/"}
  if ! cmp -s "$picture" "$work/second/$name"; then
    echo "$name: two runs drew different pictures"
    status=1
  elif ! cmp -s "$picture" "$src/resources/handbook/$name"; then
    echo "$name: differs from resources/handbook/$name"
    status=2
  fi
done
count=$(ls "$work"/first/*/pictures/*.png | wc -l)
committed=$(ls "$src"/resources/handbook/*/pictures/*.png 2>/dev/null | wc -l)
if [ "$count" -ne "$committed" ]; then
  echo "drew $count pictures, resources/handbook holds $committed"
  status=2
fi
[ $status -eq 2 ] && echo "The pictures are out of date: run 'make handbook' and commit resources/handbook/*/pictures."
exit $status
