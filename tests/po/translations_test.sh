#!/bin/sh
# Every text marked in the code has a translation in every po/<language>.po:
# the marked texts are read afresh from the sources (po/update.sh --pot); each
# .po must define them all (msgcmp), hold no untranslated or fuzzy entry, give
# the plural forms gettext knows for its language, and compile with its printf
# formats and plural forms checked (msgfmt --check). Each miss is reported; the
# test fails at the end if there was any.
# Usage: translations_test.sh SOURCE_ROOT
root=${1:?usage: translations_test.sh SOURCE_ROOT}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
# The Plural-Forms line of a .po's header, joined.
plural() { sed -n '/^"Plural-Forms:/,/\\n"$/p' "$1" | tr -d '"\n' | sed 's/^Plural-Forms: //; s/\\n$//'; }
fail() {
    echo "FAIL  $*"
    failed=1
}

sh "$root/po/update.sh" --pot "$scratch/draughts3d.pot" || fail "xgettext could not read the marked texts"
for po in "$root"/po/*.po; do
    [ -e "$po" ] || { fail "no po/*.po"; break; }
    language=$(basename "$po" .po)
    msgcmp "$po" "$scratch/draughts3d.pot" 2>"$scratch/missing" ||
        fail "$language.po lacks marked texts:$(echo; grep -v 'warning: this message is not used' "$scratch/missing")"
    counts=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1) || fail "msgfmt --check $language.po: $counts"
    case "$counts" in *fuzzy* | *untranslated*) fail "$language.po is not complete: $counts" ;; esac
    msginit --no-translator --locale="$language" --input="$scratch/draughts3d.pot" --output-file="$scratch/new.po" \
        2>/dev/null
    [ "$(plural "$po")" = "$(plural "$scratch/new.po")" ] ||
        fail "$language.po's Plural-Forms ($(plural "$po")) is not gettext's ($(plural "$scratch/new.po"))"
    [ "$failed" = 0 ] && echo "ok    $language.po: $counts"
done
exit "$failed"
