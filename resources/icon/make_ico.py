#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Builds the program's multi-image .ico and its 16-colour window image from rendered PNGs.

Standard library only. Reads the 8-bit RGBA PNGs that rsvg-convert writes and writes:

  make_ico.py ico OUT.ico DEPTH:FILE...   an icon holding one image per argument, in that order;
                                          DEPTH is 32 (true colour with alpha), 8 (256 colours),
                                          4 (16 colours) or png (the file stored as it is)
  make_ico.py indexed COLOURS IN.png OUT.png
                                          IN reduced to COLOURS colours (transparency included),
                                          written as a palette PNG

Palette images keep their transparency in the icon's 1-bit mask: a pixel is either fully
drawn or not drawn. Index 0 of every palette is black and reserved for the transparent
pixels, which is what the AND/XOR drawing of an icon expects; the other entries come from a
median cut of the opaque pixels, and each pixel takes its nearest entry (no dithering, so the
edges stay clean).
"""

import struct
import sys
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
OPAQUE_FROM = 128  # alpha at or above which a pixel counts as drawn in a 1-bit mask


# --- PNG reading and writing ---------------------------------------------------------------


def read_rgba_png(path):
    """Width, height and a list of (r, g, b, a) rows-first of a non-interlaced 8-bit RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != PNG_SIGNATURE:
        sys.exit(f"{path}: not a PNG file")
    at, packed = 8, []
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at : at + 8])
        body = data[at + 8 : at + 8 + size]
        at += size + 12
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour_type, interlace) != (8, 6, 0):
                sys.exit(f"{path}: expected a non-interlaced 8-bit RGBA PNG")
        elif kind == b"IDAT":
            packed.append(body)
        elif kind == b"IEND":
            break
    raw = zlib.decompress(b"".join(packed))
    stride = width * 4
    pixels, prior = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        row = unfilter(raw[start], bytearray(raw[start + 1 : start + 1 + stride]), prior)
        pixels.extend(tuple(row[x : x + 4]) for x in range(0, stride, 4))
        prior = row
    return width, height, pixels


def unfilter(kind, row, prior, step=4):
    """Undoes one PNG row filter in place and returns the row."""
    for i in range(len(row)):
        left = row[i - step] if i >= step else 0
        up = prior[i]
        upper_left = prior[i - step] if i >= step else 0
        if kind == 1:
            row[i] = (row[i] + left) & 255
        elif kind == 2:
            row[i] = (row[i] + up) & 255
        elif kind == 3:
            row[i] = (row[i] + ((left + up) >> 1)) & 255
        elif kind == 4:
            p = left + up - upper_left
            pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
            predictor = left if pa <= pb and pa <= pc else up if pb <= pc else upper_left
            row[i] = (row[i] + predictor) & 255
        elif kind != 0:
            sys.exit("unknown PNG row filter")
    return row


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def write_indexed_png(path, width, height, indices, palette, bits):
    """Writes a palette PNG whose entry 0 is fully transparent."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter
        rows += pack_bits(indices[y * width : (y + 1) * width], bits)
    header = struct.pack(">IIBBBBB", width, height, bits, 3, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(PNG_SIGNATURE)
        f.write(png_chunk(b"IHDR", header))
        f.write(png_chunk(b"PLTE", b"".join(bytes(c) for c in palette)))
        f.write(png_chunk(b"tRNS", b"\x00"))
        f.write(png_chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        f.write(png_chunk(b"IEND", b""))


def pack_bits(values, bits):
    """Packs palette indices of 4 or 8 bits into bytes, most significant first."""
    if bits == 8:
        return bytes(values)
    packed = bytearray()
    for i in range(0, len(values), 2):
        high = values[i]
        low = values[i + 1] if i + 1 < len(values) else 0
        packed.append((high << 4) | low)
    return bytes(packed)


# --- Colour reduction ----------------------------------------------------------------------


def median_cut(colours, count):
    """At most count colours standing for the weighted colours {(r, g, b): weight}."""
    boxes = [list(colours.items())]
    while len(boxes) < count:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        box = max(splittable, key=box_spread)
        boxes.remove(box)
        channel = max(range(3), key=lambda c: channel_range(box, c))
        box.sort(key=lambda item: item[0][channel])
        half, running = sum(w for _, w in box) / 2, 0
        for cut, (_, weight) in enumerate(box):
            running += weight
            if running >= half:
                break
        cut = min(max(cut + 1, 1), len(box) - 1)
        boxes += [box[:cut], box[cut:]]
    return sorted(box_mean(b) for b in boxes)


def channel_range(box, channel):
    values = [colour[channel] for colour, _ in box]
    return max(values) - min(values)


def box_spread(box):
    return max(channel_range(box, c) for c in range(3)) * sum(w for _, w in box)


def box_mean(box):
    total = sum(w for _, w in box)
    return tuple(round(sum(colour[c] * w for colour, w in box) / total) for c in range(3))


def reduce_colours(pixels, count):
    """A palette of count entries (entry 0 black, for transparent pixels) and each pixel's index."""
    opaque = {}
    for r, g, b, a in pixels:
        if a >= OPAQUE_FROM:
            opaque[(r, g, b)] = opaque.get((r, g, b), 0) + 1
    chosen = median_cut(opaque, count - 1)
    palette = [(0, 0, 0)] + chosen + [(0, 0, 0)] * (count - 1 - len(chosen))
    nearest = {}
    for colour in opaque:
        nearest[colour] = 1 + min(
            range(len(chosen)), key=lambda i: sum((colour[c] - chosen[i][c]) ** 2 for c in range(3))
        )
    indices = [nearest[(r, g, b)] if a >= OPAQUE_FROM else 0 for r, g, b, a in pixels]
    return palette, indices


# --- Icon images ---------------------------------------------------------------------------


def bottom_up_rows(width, height, row_bytes):
    """Row y of a bitmap as the icon stores it: bottom row first, each row padded to 4 bytes."""
    stride = (len(row_bytes(0)) + 3) // 4 * 4
    return b"".join(row_bytes(y).ljust(stride, b"\0") for y in reversed(range(height)))


def and_mask(width, height, transparent):
    def row(y):
        bits = bytearray((width + 7) // 8)
        for x in range(width):
            if transparent[y * width + x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        return bytes(bits)

    return bottom_up_rows(width, height, row)


def bitmap_image(width, height, pixels, depth):
    """A BITMAPINFOHEADER image of the icon (colour table, XOR bitmap, AND mask)."""
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, depth, 0, 0, 0, 0, 0, 0)
    if depth == 32:
        transparent = [a < OPAQUE_FROM for _, _, _, a in pixels]

        def colour_row(y):
            row = pixels[y * width : (y + 1) * width]
            return b"".join(bytes((b, g, r, a)) for r, g, b, a in row)

        return header + bottom_up_rows(width, height, colour_row) + and_mask(width, height, transparent)
    palette, indices = reduce_colours(pixels, 1 << depth)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    transparent = [i == 0 for i in indices]

    def index_row(y):
        return pack_bits(indices[y * width : (y + 1) * width], depth)

    return header + table + bottom_up_rows(width, height, index_row) + and_mask(width, height, transparent)


def write_ico(path, entries):
    images = []
    for depth, file in entries:
        width, height, pixels = read_rgba_png(file)
        if depth == "png":
            with open(file, "rb") as f:
                data = f.read()
            bit_count = 32
        else:
            bit_count = int(depth)
            if bit_count not in (4, 8, 32):
                sys.exit(f"unsupported depth {depth}")
            data = bitmap_image(width, height, pixels, bit_count)
        colour_count = 16 if bit_count == 4 else 0
        images.append((width % 256, height % 256, colour_count, bit_count, data))

    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for width, height, colour_count, bit_count, data in images:
        directory += struct.pack("<BBBBHHII", width, height, colour_count, 0, 1, bit_count, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(directory)
        for *_, data in images:
            f.write(data)


def main(args):
    if len(args) >= 3 and args[0] == "ico":
        write_ico(args[1], [entry.split(":", 1) for entry in args[2:]])
    elif len(args) == 4 and args[0] == "indexed":
        count = int(args[1])
        width, height, pixels = read_rgba_png(args[2])
        palette, indices = reduce_colours(pixels, count)
        write_indexed_png(args[3], width, height, indices, palette, 4 if count <= 16 else 8)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
