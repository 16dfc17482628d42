#!/usr/bin/env bash
# Scores Quorvane.dat against the labelled corpus with the corpus' own scorer:
#   1. the files as they are (correctly named): false mismatches, coverage;
#   2. mis-named copies (score.py make-misnamed --seed 1): right and wrong proposals;
#   3. copies with upper-case extensions: must score as 1;
#   4. tests/data/containers (real container members from several writers), named and mis-named.
#
# Usage: scripts/accuracy.sh [QUORVANE_CHECK [CORPUS_DIR [DATA_FILE]]]
#   QUORVANE_CHECK  default build/quorvane-check
#   CORPUS_DIR      default <repository>/../shared/corpus (holds score.py and public/)
#   DATA_FILE       default <repository>/Quorvane.dat
set -euo pipefail

root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
check=${1:-$root/build/quorvane-check}
corpus=${2:-$root/../shared/corpus}
data=${3:-$root/Quorvane.dat}

# Relative arguments are taken from the caller's directory; the runs below change it.
absolute() { case $1 in /*) printf '%s\n' "$1" ;; *) printf '%s/%s\n' "$PWD" "$1" ;; esac; }
check=$(absolute "$check")
corpus=$(absolute "$corpus")
data=$(absolute "$data")

for need in "$check" "$corpus/score.py" "$corpus/public/manifest.tsv" "$data"; do
    if [[ ! -e $need ]]; then
        echo "accuracy.sh: $need not found" >&2
        exit 2
    fi
done

score=$corpus/score.py
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Judges every file a manifest lists, all in one run of the checker, and writes the
# scorer's TSV: path, verdict in capitals, proposed extension (the text after the
# last "; " of the expected type).
judge() {
    local manifest=$1 results=$2
    (
        cd "$(dirname "$manifest")"
        tail -n +2 "$manifest" | cut -f1 | tr '\n' '\0' |
            xargs -0 "$check" --data "$data" --
    ) | awk -F'\t' 'BEGIN { OFS = "\t"; print "path", "verdict", "proposed_ext" }
        {
            ext = ""
            n = split($3, parts, "; ")
            if (n > 1) ext = parts[n]
            print $2, toupper($1), ext
        }' >"$results"
}

echo "== Correctly named files"
judge "$corpus/public/manifest.tsv" "$work/named.tsv"
python3 "$score" named "$corpus/public/manifest.tsv" "$work/named.tsv" --by-type 20

echo
echo "== Mis-named copies (seed 1)"
python3 "$score" make-misnamed "$corpus/public/manifest.tsv" "$work/misnamed" --seed 1 >/dev/null
judge "$work/misnamed/manifest.tsv" "$work/misnamed.tsv"
python3 "$score" misnamed "$work/misnamed/manifest.tsv" "$work/misnamed.tsv" --by-type 20

echo
echo "== Upper-case extensions"
python3 "$score" make-upper "$corpus/public/manifest.tsv" "$work/upper" >/dev/null
judge "$work/upper/manifest.tsv" "$work/upper.tsv"
python3 "$score" named "$work/upper/manifest.tsv" "$work/upper.tsv" --by-type 20

# The container samples (tests/data/containers: real members of the ZIP, compound file, Matroska, PE,
# ID3 and ELF families from several writers), named and mis-named, to follow what the second look adds.
containers=$root/tests/data/containers/manifest.tsv
if [[ -e $containers ]]; then
    echo
    echo "== Container samples: correctly named files"
    judge "$containers" "$work/containers-named.tsv"
    python3 "$score" named "$containers" "$work/containers-named.tsv" --by-type 60

    echo
    echo "== Container samples: mis-named copies (seed 1)"
    python3 "$score" make-misnamed "$containers" "$work/containers-misnamed" --seed 1 >/dev/null
    judge "$work/containers-misnamed/manifest.tsv" "$work/containers-misnamed.tsv"
    python3 "$score" misnamed "$work/containers-misnamed/manifest.tsv" "$work/containers-misnamed.tsv" --by-type 60
fi
