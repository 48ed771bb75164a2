#!/usr/bin/env bash
# Exports the sample project as HTML Help and reads the result back with
# chmls: its topics, the Japanese contents and index (Shift-JIS), the
# context numbers of the map, and an ASCII word in chmcmd's full-text
# index. Exit 77 (skipped) when fp-utils is not installed.
#   check_chm.sh QUILLORY_CLI PROJECT.qyp
set -euo pipefail
cli=$1 project=$2
if ! command -v chmcmd >/dev/null || ! command -v chmls >/dev/null; then
  echo "chmcmd/chmls (fp-utils) are not installed; skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$cli" export "$project" --chm sample.chm >/dev/null 2>&1
status=0
fail() { echo "FAIL $*"; status=1; }
extract() { chmls extract sample.chm "$1" "$2" >/dev/null 2>&1; }

list=$(chmls -n list sample.chm 2>/dev/null)
for page in HLP000001 HLP000003 HLP000004 HLP000006 HLP000008 HLP000009 HLP000010; do
  grep -qx "/$page.html" <<<"$list" || fail "topic $page.html is not in the file"
done
grep -qx "/search.js" <<<"$list" || fail "the search index is not in the file"

extract /contents.hhc contents.hhc
contents=$(iconv -f CP932 -t UTF-8 contents.hhc)
grep -q 'value="家計簿を作成する"><param name="Local" value="HLP000003.html"' <<<"$contents" ||
  fail "the contents lack the entry of HLP000003"
grep -q 'value="基本操作">' <<<"$contents" || fail "the contents lack the book 基本操作"

extract /index.hhk index.hhk
grep -q 'value="新規作成">' <(iconv -f CP932 -t UTF-8 index.hhk) || fail "the index lacks 新規作成"
grep -q 'charset=Shift_JIS' <(extract /HLP000003.html page.html; cat page.html) ||
  fail "pages are not marked Shift_JIS"

# #IVB: a length, then (context number, #STRINGS offset) pairs.
extract /#IVB ivb.bin
ids=$(python3 -c 'import sys
d=open("ivb.bin","rb").read()
n=int.from_bytes(d[:4],"little")
print(" ".join(str(int.from_bytes(d[4+i:8+i],"little")) for i in range(0,n,8)))')
[[ $ids == "1 3 4 6 8 9 10" ]] || fail "map numbers are \"$ids\""

# $FIftiMain: one leaf of words, each (length, shared prefix, rest of word,
# context, topic count, offset, zero, length of its location codes).
extract '/$FIftiMain' fts.bin
words=$(python3 -c 'import sys
d=open("fts.bin","rb").read()
leaf=int.from_bytes(d[8:12],"little")
end=leaf+4096-int.from_bytes(d[leaf+6:leaf+8],"little")
def encint(i):
    while d[i]&0x80: i+=1
    return i+1
i,prev,out=leaf+8,b"",[]
while i<end:
    n,pos=d[i],d[i+1]
    word=prev[:pos]+d[i+2:i+1+n]
    i=encint(encint(i+1+n+1)+6)
    out.append(word.decode("latin1")); prev=word
print(" ".join(out))')
grep -qw enter <<<"$words" || fail "the full-text index lacks the word \"enter\" ($words)"

[[ $status == 0 ]] && echo "PASS chm"
exit $status
