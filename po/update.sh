#!/bin/sh
# The translations' texts, read from the code: every text marked with tr(),
# trn() or N_() (engine/rules/translation.h).
#
#   sh po/update.sh             reads the marked texts into po/draughts3d.pot and
#                               merges them into every po/<language>.po
#   sh po/update.sh uk          the same, first making po/uk.po for a new language
#   sh po/update.sh --pot FILE  only writes the texts to FILE (the translations' test)
#
# A text new to a .po comes in untranslated; one that changed comes in marked
# fuzzy, with its old translation as a guess. Translate or check them all, then
# build: the build compiles every po/*.po (msgfmt --check).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)

extract() {
    version=$(sed -n 's/^project(draughts3d VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
    list=$(mktemp)
    (cd "$root" && find engine app tools scene textures lettering \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort) >"$list"
    (cd "$root" && xgettext --language=C++ --from-code=UTF-8 --keyword --keyword=tr --keyword=trn:1,2 \
        --keyword=N_ --add-comments=TRANSLATORS: --add-location=file --package-name=draughts3d \
        --package-version="$version" --msgid-bugs-address=draughts3d@localhost --copyright-holder="draughts3d developers" \
        --files-from="$list" --output="$1")
    rm -f "$list"
}

if [ "${1:-}" = --pot ]; then
    out=${2:?usage: sh po/update.sh --pot FILE}
    case "$out" in /*) ;; *) out="$(pwd)/$out" ;; esac
    extract "$out"
    exit 0
fi

pot="$root/po/draughts3d.pot"
extract "$pot"
for language in "$@"; do
    if [ ! -e "$root/po/$language.po" ]; then
        msginit --no-translator --locale="$language" --input="$pot" --output-file="$root/po/$language.po"
        # Every translation is written in UTF-8.
        sed -i 's/charset=[A-Za-z0-9-]*/charset=UTF-8/' "$root/po/$language.po"
    fi
done
for po in "$root"/po/*.po; do
    [ -e "$po" ] || continue
    msgmerge --quiet --update --backup=none --previous "$po" "$pot"
done
