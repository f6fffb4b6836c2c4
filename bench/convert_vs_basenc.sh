#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# trelvane-convert beside GNU basenc on the same input, one direction after the other:
# texto->binario, texto->hexadecimal, binario->texto, hexadecimal->texto (32 MiB of random
# bytes, read as Windows-1252 text, which is what basenc encodes), hexadecimal in lines of 76
# columns back to text, then decimal both ways, and the same random bytes read as UTF-8 (the
# default, where they are mostly invalid). Reports the best wall time of a few runs, the CPU
# time of that run and the peak resident memory, and checks that both tools give the same
# bytes where their notations agree (hexadecimal in pairs, --pares).
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
basenc --base16 "$work/bytes" > "$work/hex76"
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
best_of "basenc -d --base16 (76 columns)" basenc -d --base16 "$work/hex76"
best_of "trelvane-convert hex texto, 76 col" "$convert" --cp1252 hexadecimal texto "$work/hex76"
best_of "trelvane-convert texto decimal" "$convert" --cp1252 texto decimal "$work/bytes"
best_of "trelvane-convert decimal texto" "$convert" --cp1252 decimal texto "$work/decimal"
best_of "trelvane-convert texto bin, UTF-8" "$convert" texto binario "$work/bytes"
best_of "trelvane-convert texto hex, UTF-8" "$convert" texto hexadecimal "$work/bytes"

# The same bytes from both tools (basenc -w0 ends without a line feed).
cmp -s <("$convert" --cp1252 texto binario "$work/bytes") <(cat "$work/binary"; echo) && echo "same: texto->binario"
cmp -s <("$convert" --cp1252 binario texto "$work/binary") "$work/bytes" && echo "same: binario->texto"
cmp -s <("$convert" --cp1252 hexadecimal texto "$work/hex") "$work/bytes" && echo "same: hexadecimal->texto"
cmp -s <("$convert" --cp1252 hexadecimal texto "$work/hex76") "$work/bytes" && echo "same: hexadecimal in lines->texto"
cmp -s <("$convert" --cp1252 decimal texto "$work/decimal") "$work/bytes" && echo "same: decimal there and back"
cmp -s <("$convert" --cp1252 --pares texto hexadecimal "$work/bytes") <(cat "$work/hex"; echo) &&
    echo "same: texto->hexadecimal in pairs"

# Input through a pipe, which cannot be read twice: kept in memory and a temporary file.
best_of "trelvane-convert binario texto |" sh -c "cat '$work/binary' | '$convert' --cp1252 binario texto"
