#!/bin/sh
# Draws the handbook's pictures of every language into HANDBOOK/<language>/pictures/:
#   render.sh SOURCE_DIR PROGRAM HANDBOOK
# PROGRAM is vorlandex-handbook-pictures. The example pair is the one the Ansible role's test
# uses (tests/ansible/make_pair.py): the program's defaults with a striped logo; the picture
# then opened as the logo is its colour gradient.
set -eu
src=$1 program=$2 handbook=$3
example=$(mktemp -d)
trap 'rm -rf "$example"' EXIT
python3 "$src/tests/ansible/make_pair.py" "$src" "$example" 400 120 --logo 400 120
mkdir "$example/gradient"
python3 "$src/tests/ansible/make_pair.py" "$src" "$example/gradient" 600 200 --gradient
mv "$example/gradient/clinica.bmp" "$example/picture.bmp"
for language in pt en es; do
  "$program" "$language" "$example" "$handbook/$language/pictures"
done
