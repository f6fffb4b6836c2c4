#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The built trelvane-convert as scripts and pipelines meet it: one table of shell commands,
# each with the exit status it must end with and what its standard error must say. Every
# line on standard error must be the tool's own (Spanish, "trelvane-convert: ..."), never a
# runtime's abort or a sanitizer's report.
#
#   tests/cli/end_to_end.sh path/to/trelvane-convert [sanitized]
#
# "sanitized": the program is built with AddressSanitizer, which reserves far more address
# space than any `ulimit -v` leaves; the row that limits it is skipped.
set -u

T=$1
sanitized=${2:-}
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
export T W
export LC_ALL=C  # the system's own messages would be English here: the tool must not use them

# The inputs: 8 MiB of random bytes, a small file starting with a byte below 0x10, "AB".
head -c $((8 << 20)) /dev/urandom > "$W/big"
{ printf '\005'; head -c 10000 /dev/urandom; } > "$W/small"
printf AB > "$W/ab"

failures=0
# row NAME STATUS STDERR COMMAND: runs COMMAND with bash; its status must match the extended
# regular expression STATUS, and its standard error STDERR (^$: nothing).
row() {
    local name=$1 status=$2 stderr=$3 command=$4 got
    bash -c "$command" > "$W/out" 2> "$W/err"
    got=$?
    if ! [[ $got =~ ^($status)$ ]]; then
        echo "FAIL $name: status $got, not $status"
    elif if [ -s "$W/err" ]; then ! grep -Eq -- "$stderr" "$W/err"; else ! [[ "" =~ $stderr ]]; fi; then
        echo "FAIL $name: standard error does not say /$stderr/"
    elif grep -vq '^trelvane-convert: ' "$W/err"; then
        echo "FAIL $name: standard error holds what the tool did not write"
    else
        echo "ok   $name"
        return
    fi
    sed 's/^/     | /' "$W/err" | head -5
    failures=$((failures + 1))
}

row "missing modes" 2 "^trelvane-convert: faltan los modos\. Uso: trelvane-convert" \
    '$T texto'
row "unknown option" 2 "opción desconocida: --rapido\. Uso:" '$T --rapido texto bin'
row "unknown mode" 2 "modo desconocido: octal" '$T texto octal'
row "columns that are no number" 2 "número de columnas no válido: x" '$T -w x texto bin'
row "missing file" 2 "no se puede leer .*/no-existe: no existe$" '$T texto hex "$W/no-existe"'
row "directory" 2 "no se puede leer .*: es una carpeta$" '$T texto hex "$W"'
row "full output" 2 "no se puede escribir la salida: no queda espacio en el disco$" \
    'printf A | $T texto bin > /dev/full'
row "--help into a full output" 2 "no se puede escribir la salida: no queda espacio" \
    '$T --help > /dev/full'
row "--version into a closed output" 2 "no se puede escribir la salida: el descriptor" \
    '$T --version >&-'
row "closed standard input" 2 "no se puede leer la entrada estándar: el descriptor" \
    '$T texto hex <&-'
# A reader that stops early ends the writer by SIGPIPE (status 141), as it does coreutils; a
# caller that ignores SIGPIPE gets the write error instead.
row "reader that stops early" "141|2" '^$|la salida se ha cerrado$' \
    '$T --cp1252 texto binario "$W/big" | head -c1 > /dev/null; exit ${PIPESTATUS[0]}'
# 8 MiB become 64 MiB of digits: once the first of them comes through the pipe, the tool is
# stuck writing, with most of the file unread, until the file is cut short.
row "file truncated while read" 2 "no se puede leer .*: el archivo ha cambiado mientras se leía$" \
    'cp "$W/big" "$W/shrinks"
     $T --cp1252 texto binario "$W/shrinks" |
         { head -c1 > /dev/null; truncate -s 1000 "$W/shrinks"; cat > /dev/null; }
     exit ${PIPESTATUS[0]}'
# Piped input beyond the 4 MiB kept in memory goes to a temporary file.
row "nonexistent TMPDIR" 2 "archivo temporal para la entrada: no existe$" \
    'head -c 6000000 /dev/zero | tr "\0" 1 | TMPDIR="$W/no-existe" $T binario texto > /dev/null
     exit ${PIPESTATUS[2]}'
row "TMPDIR that takes no more (file size limit)" 2 \
    "archivo temporal: el archivo es demasiado grande$" \
    'ulimit -f 1024
     head -c 6000000 /dev/zero | tr "\0" 1 | $T binario texto > /dev/null; exit ${PIPESTATUS[2]}'
row "standard input left after what was read" 0 '^$' \
    '[ "$({ $T texto hex; cat; } < "$W/ab")" = 4142 ]'
if [ "$sanitized" = sanitized ]; then
    echo "skip pipe under ulimit -v: AddressSanitizer reserves more address space than it allows"
else
    # Converted, or refused with the Spanish message; never an abort.
    row "pipe under ulimit -v" "0|2" '^$|no hay memoria suficiente$' \
        '$T --cp1252 texto binario "$W/big" > "$W/big.bin"
         ulimit -v 12288
         cat "$W/big.bin" | $T --cp1252 binario texto > "$W/back"; s=${PIPESTATUS[1]}
         [ $s != 0 ] || cmp -s "$W/back" "$W/big" || s=1
         exit $s'
fi
# Around the 4 MiB kept in memory, a foreign last byte turns the whole input into text.
row "pipe at 4 MiB and one either side, foreign last byte" 0 '^$' \
    'for size in 4194303 4194304 4194305; do
         { head -c $((size - 1)) /dev/zero | tr "\0" 1; printf x; } > "$W/edge"
         cat "$W/edge" | $T --cp1252 --pares bin hex | cmp -s - <(basenc --base16 -w0 "$W/edge"; echo) ||
             exit 1
     done'
row "basenc -w76 output decoded" 0 '^$' \
    'basenc --base16 "$W/small" | $T --cp1252 hex texto | cmp -s - "$W/small" &&
     basenc --base2msbf "$W/small" | $T --cp1252 bin texto | cmp -s - "$W/small"'
row "xxd -p output decoded" 0 '^$' 'xxd -p "$W/small" | $T --cp1252 hex texto | cmp -s - "$W/small"'
row "the manual page's example round trip" 0 '^$' \
    '$T --cp1252 --pares texto hex "$W/small" > "$W/small.hex" &&
     $T --cp1252 hex texto "$W/small.hex" | cmp -s - "$W/small"'
row "odd hexadecimal refused, strictly" 1 "un byte incompleto en el desplazamiento 2$" \
    'out=$(printf 414 | $T --strict hex texto); s=$?; [ -z "$out" ] || s=99; exit $s'

echo "$failures failed"
[ "$failures" -eq 0 ]
