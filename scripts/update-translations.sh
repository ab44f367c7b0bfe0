#!/bin/sh
# Brings the translation catalogues up to date with the sources: the workstation's Russian
# templates into resources/translations/zel_en.ts (English), zelbatch's own English sentences into
# zelbatch_ru.ts (Russian). With --check the catalogues are updated in a scratch copy and the run
# fails when a text has no finished translation. Run from anywhere; LUPDATE names the tool.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
aliases="qtTrId+=Tr,qtTrId+=ZelError,qtTrId+=UserText,QT_TRID_NOOP+=ZEL_TR_NOOP"
out=$root/resources/translations
if [ "${1:-}" = "--check" ]; then
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
    cp "$root"/resources/translations/*.ts "$out"/
fi
lists=$(mktemp)
trap 'rm -rf "$lists" "$lists".*; [ "${1:-}" = "--check" ] && rm -rf "$out"' EXIT
find "$root/src" \( -name '*.cpp' -o -name '*.h' \) -not -path '*/src/batch/*' | sort > "$lists.zel"
find "$root/src/batch" \( -name '*.cpp' -o -name '*.h' \) | sort > "$lists.batch"
# Texts are their own ids, so lupdate's "has no source" note says nothing.
run() {
    "$lupdate" -silent -no-obsolete -locations none -tr-function-alias "$aliases" \
        -source-language "$1" -target-language "$2" "@$3" -ts "$4" 2>&1 | grep -v 'has no source' || true
}
run ru en "$lists.zel" "$out/zel_en.ts"
run en ru "$lists.batch" "$out/zelbatch_ru.ts"
if [ "${1:-}" = "--check" ]; then
    missing=0
    for ts in "$out"/*.ts; do
        n=$(grep -c 'type="unfinished"' "$ts" || true)
        if [ "$n" -gt 0 ]; then
            echo "$(basename "$ts"): $n texts without a finished translation:"
            grep -B2 'type="unfinished"' "$ts" | grep '<message id=' | sed 's/^ */    /' | head -40
            missing=1
        fi
    done
    [ $missing -eq 0 ] && echo "every text has its translation"
    exit $missing
fi
