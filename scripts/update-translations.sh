#!/bin/sh
# Brings the translation catalogues up to date with the sources: the workstation's Russian
# templates into resources/translations/zel_en.ts (English), zelbatch's own English sentences into
# zelbatch_ru.ts (Russian). With --check the catalogues are updated in a scratch copy and the run
# fails when a text has no finished translation. Run from anywhere; LUPDATE names the tool.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
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
# lupdate writes an id attribute as it is (quotes, "&", "<", line breaks), which no XML reader
# takes back: the ids are escaped after every run.
escape_ids() {
    python3 - "$1" <<'PY'
import re, sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
def escaped(m):
    raw = m.group(1)
    for a, b in (("&", "&amp;"), ("<", "&lt;"), (">", "&gt;"), ('"', "&quot;"),
                 ("\n", "&#10;"), ("\t", "&#9;"), ("\r", "&#13;")):
        raw = raw.replace(a, b)
    return '<message id="' + raw + '"' + (m.group(2) or "") + ">\n" + m.group(3)
text = re.sub(r'<message id="(.*?)"( numerus="yes")?>\n(\s*<(?:location|source|comment|extracomment))',
              escaped, text, flags=re.S)
open(path, "w", encoding="utf-8").write(text)
PY
}
# Texts are their own ids, so lupdate's "has no source" note says nothing. lupdate does not look
# inside the arguments of a function it recognises, so ZelError("…") and ZelError(Tr("…")) need
# runs of their own; lconvert joins them.
lconvert=$(dirname "$lupdate")/lconvert
no_source_notes() {
    awk '/^lupdate warning: Message with id/ { skip = 1 } skip { if (/has no source\.$/) skip = 0; next } { print }'
}
run() {
    for pass in texts errors; do
        if [ $pass = texts ]; then names="qtTrId+=Tr,qtTrId+=UserText,QT_TRID_NOOP+=ZEL_TR_NOOP"
        else names="qtTrId+=ZelError"; fi
        cp "$4" "$4.$pass.ts" 2>/dev/null || true
        "$lupdate" -silent -no-obsolete -locations none -tr-function-alias "$names" \
            -source-language "$1" -target-language "$2" "@$3" -ts "$4.$pass.ts" 2>&1 | no_source_notes
        escape_ids "$4.$pass.ts"
    done
    "$lconvert" -no-obsolete -i "$4.texts.ts" -i "$4.errors.ts" -o "$4"
    rm -f "$4.texts.ts" "$4.errors.ts"
    escape_ids "$4"
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
