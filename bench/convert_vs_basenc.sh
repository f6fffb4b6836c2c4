#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# trelvane-convert beside GNU basenc on the same input, one direction after the other:
# texto->binario, texto->hexadecimal, binario->texto, hexadecimal->texto (32 MiB of random
# bytes, read as Windows-1252 text, which is what basenc encodes), then decimal both ways
# beside texto->binario. Reports the best wall time of a few runs, the CPU time of that run
# and the peak resident memory, and checks that both tools give the same bytes where their
# notations agree (hexadecimal up to the leading zeros trelvane-convert leaves out).
#
#   bench/convert_vs_basenc.sh [path/to/trelvane-convert] [MiB] [runs]
#
# Needs GNU time (/usr/bin/time, Debian package "time") and basenc (coreutils).
set -euo pipefail

convert=${1:-build/release/cli/trelvane-convert}
mib=${2:-32}
runs=${3:-3}
time_bin=/usr/bin/time
[ -x "$time_bin" ] || { echo "needs GNU time: apt-get install time" >&2; exit 2; }
[ -x "$convert" ] || { echo "no trelvane-convert at $convert" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

head -c $((mib << 20)) /dev/urandom > "$work/bytes"
basenc --base2msbf -w0 "$work/bytes" > "$work/binary"
basenc --base16 -w0 "$work/bytes" > "$work/hex"
"$convert" --cp1252 texto decimal "$work/bytes" > "$work/decimal"

# best_of LABEL COMMAND...: the best wall time of $runs runs, with the CPU time and the peak
# resident memory of that run; the output goes to /dev/null.
best_of() {
    local label=$1
    shift
    local best="" line
    for _ in $(seq "$runs"); do
        "$time_bin" -f "%e %U %S %M" -o "$work/time" "$@" > /dev/null
        line=$(tail -1 "$work/time")
        if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then
            best=$line
        fi
    done
    read -r wall user sys rss <<< "$best"
    printf '%-34s %7.2f s  (cpu %5.2f s)  %8.1f MiB\n' "$label" "$wall" \
        "$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
}

echo "input: $mib MiB of random bytes; best of $runs runs; output to /dev/null"
printf '%-34s %9s  %16s  %12s\n' "" "wall" "" "peak RSS"
for direction in "texto binario:--base2msbf -w0:bytes" "texto hexadecimal:--base16 -w0:bytes" \
                 "binario texto:-d --base2msbf:binary" "hexadecimal texto:-d --base16:hex"; do
    IFS=: read -r modes basenc_args file <<< "$direction"
    # shellcheck disable=SC2086
    best_of "basenc $basenc_args" basenc $basenc_args "$work/$file"
    # shellcheck disable=SC2086
    best_of "trelvane-convert $modes" "$convert" --cp1252 $modes "$work/$file"
done
best_of "trelvane-convert texto decimal" "$convert" --cp1252 texto decimal "$work/bytes"
best_of "trelvane-convert decimal texto" "$convert" --cp1252 decimal texto "$work/decimal"

# The same bytes from both tools.
cmp -s <("$convert" --cp1252 texto binario "$work/bytes") "$work/binary" && echo "same: texto->binario"
cmp -s <("$convert" --cp1252 binario texto "$work/binary") "$work/bytes" && echo "same: binario->texto"
cmp -s <("$convert" --cp1252 hexadecimal texto "$work/hex") "$work/bytes" && echo "same: hexadecimal->texto"
cmp -s <("$convert" --cp1252 decimal texto "$work/decimal") "$work/bytes" && echo "same: decimal there and back"
cmp -s <("$convert" --cp1252 texto hexadecimal "$work/bytes") <(sed 's/^0*//' "$work/hex") &&
    echo "same: texto->hexadecimal (leading zeros aside)"

# Input through a pipe, which cannot be read twice: kept in memory and a temporary file.
best_of "trelvane-convert binario texto |" sh -c "cat '$work/binary' | '$convert' --cp1252 binario texto"
