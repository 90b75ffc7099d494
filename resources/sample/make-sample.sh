#!/bin/sh
# Regenerates the sample exam files from their text sources.
#   make-sample.sh OLVTOOL [OUTDIR]
# OLVTOOL is the built olvtool (e.g. build/tools/olvtool); OUTDIR defaults to this folder.
set -eu

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 OLVTOOL [OUTDIR]" >&2
    exit 1
fi
olvtool=$1
here=$(cd "$(dirname "$0")" && pwd)
out=${2:-$here}

"$olvtool" bank-pack "$here/WordE97.txt" "$out/WordE97.kst"
"$olvtool" roster-pack "$here/cj.txt" "$out/cj.kcj"
"$olvtool" settings-defaults "$out/olvane.dat"
