#!/bin/sh
# Writes the template of the window's texts (xgettext over window/, list/ and
# engine/) to OUT; with --check, writes it to a temporary file instead and
# fails when a catalogue in po/ lacks one of its texts or leaves one
# untranslated or fuzzy.
# Usage: scripts/catalogue-template.sh OUT | --check
set -eu
cd "$(dirname "$0")/.."
make_template() {
  xgettext --from-code=UTF-8 --language=C++ --keyword=_ --keyword=UiText --keyword=UiPlural:1,2 \
    --keyword=Counted:2,3 --keyword=Translatable --add-comments=TRANSLATORS --package-name=Quorvane \
    --package-version="$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" --no-location --sort-output -o "$1" window/*.cpp list/*.cpp engine/*.cpp
}
if [ "${1:-}" != --check ]; then
  make_template "${1:?usage: $0 OUT | --check}"
  exit 0
fi
template=$(mktemp)
trap 'rm -f "$template"' EXIT
make_template "$template"
sed -i 's/charset=CHARSET/charset=UTF-8/' "$template"
status=0
for po in po/*.po; do
  msgcmp "$po" "$template" || status=1
  for kind in untranslated only-fuzzy; do
    if [ -n "$(msgattrib --$kind --no-obsolete "$po")" ]; then
      echo "$po: texts left ${kind#only-} (msgattrib --$kind $po lists them)" >&2
      status=1
    fi
  done
done
exit $status
