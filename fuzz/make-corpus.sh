#!/bin/sh
# Makes the seed corpora of the fuzz targets from the sample exam, into fuzz/corpus/TARGET.
#   make-corpus.sh BUILD_FUZZ_FOLDER
set -eu
if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_FUZZ_FOLDER" >&2
    exit 1
fi
here=$(cd "$(dirname "$0")" && pwd)
sample=$here/../resources/sample
corpus=$here/corpus
rm -rf "$corpus"
mkdir -p "$corpus/bank" "$corpus/settings" "$corpus/score_database" "$corpus/answer_sheet" \
    "$corpus/bank_text" "$corpus/roster_text" "$corpus/workspace" "$corpus/xml"
cp "$sample/WordE97.kst" "$corpus/bank/sample.kst"
cp "$sample/olvane.dat" "$corpus/settings/sample.dat"
cp "$sample/cj.kcj" "$corpus/score_database/sample.kcj"
cp "$sample/WordE97.txt" "$corpus/bank_text/sample.txt"
cp "$sample/cj.txt" "$corpus/roster_text/sample.txt"
# What the XML reader meets: a question file's constructs and a sheet's cells.
printf '<?xml version="1.0"?>\n<!DOCTYPE a [<!ENTITY x "y">]>\n<x:a r="1" p:id=\047&lt;&#x4E00;\047><b/><![CDATA[<&>\r\n]]>a&amp;b\r\n<!-- c --></x:a>\n' >"$corpus/xml/sample.xml"
printf '<sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>x</t></is></c><c r="B1"><v>2</v></c></row></sheetData>' >"$corpus/xml/sheet.xml"
# Two candidates of a bank of 12 questions, each record ending in CR CR LF.
printf '7  20240101      *RE*R**E*RR*\r\r\n3  20240102      E**R*E*R***E\r\r\n' >"$corpus/answer_sheet/two-records.txt"
"$1/fuzz/make_workspace_seeds" "$sample" "$corpus/workspace"
