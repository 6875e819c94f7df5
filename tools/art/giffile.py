"""GIF89a files with one image and a global colour table, written byte by byte."""

import struct

_MAX_CODES = 4096


def lzw_codes(indices, min_code_size):
    """The variable-length LZW codes of a GIF image as (code, bit width) pairs.

    The width grows when the code just added to the table needs one more bit,
    which is exactly when a decoder (one entry behind) grows its own.
    """
    clear = 1 << min_code_size
    end = clear + 1
    out = [(clear, min_code_size + 1)]
    if not indices:
        out.append((end, min_code_size + 1))
        return out
    table, width, next_code = {}, min_code_size + 1, end + 1
    prefix = indices[0]
    for pixel in indices[1:]:
        key = (prefix, pixel)
        found = table.get(key)
        if found is not None:
            prefix = found
            continue
        out.append((prefix, width))
        table[key] = next_code
        if next_code == 1 << width and width < 12:
            width += 1
        next_code += 1
        if next_code == _MAX_CODES:
            # Start afresh rather than keep a full table: simpler for decoders.
            out.append((clear, width))
            table, width, next_code = {}, min_code_size + 1, end + 1
        prefix = pixel
    out.append((prefix, width))
    out.append((end, width))
    return out


def pack_codes(codes):
    """Codes packed least significant bit first."""
    out = bytearray()
    acc = nbits = 0
    for code, width in codes:
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 255)
            acc >>= 8
            nbits -= 8
    if nbits:
        out.append(acc & 255)
    return bytes(out)


def _sub_blocks(data):
    chunks = [data[i : i + 255] for i in range(0, len(data), 255)]
    return b"".join(bytes((len(c),)) + c for c in chunks) + b"\0"


def gif_file(width, height, table, indices, transparent=None):
    """One image of `width` x `height` palette indices (rows top to bottom).
    `table` holds 2, 4, ..., 256 RGB colours; `transparent` is an index or None."""
    size_bits = max(1, (len(table) - 1).bit_length())
    if len(table) != 1 << size_bits:
        raise ValueError("a GIF colour table holds a power of two entries, not %d" % len(table))
    if len(indices) != width * height or any(i >= len(table) for i in indices):
        raise ValueError("pixel indices do not match the picture and its table")
    min_code_size = max(2, size_bits)
    out = b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF0 | (size_bits - 1), 0, 0)
    out += b"".join(bytes(c[:3]) for c in table)
    if transparent is not None:
        out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, 1, 0, transparent, 0)
    out += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    out += bytes((min_code_size,)) + _sub_blocks(pack_codes(lzw_codes(indices, min_code_size)))
    return out + b"\x3B"
