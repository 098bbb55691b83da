#!/usr/bin/env python3
"""Writes a copy of a test's PNG picture with its image data compressed.

The tests write their pictures with stored (uncompressed) deflate blocks;
a picture committed to the repository, such as the README's, is made
smaller with this (`./quorvane.sh picture` runs it for the README's):

    python3 testing/recompress_png.py build/screenshots/day/main_window.png docs/main-window.png
"""
import struct
import sys
import zlib


def chunks(data):
    position = 8
    while position < len(data):
        (length,) = struct.unpack(">I", data[position:position + 4])
        kind = data[position + 4:position + 8]
        yield kind, data[position + 8:position + 8 + length]
        position += 12 + length


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def main(source, target):
    with open(source, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{source}: not a PNG file")
    image = b"".join(body for kind, body in chunks(data) if kind == b"IDAT")
    out = [data[:8]]
    for kind, body in chunks(data):
        if kind == b"IDAT":
            if image is not None:
                out.append(chunk(b"IDAT", zlib.compress(zlib.decompress(image), 9)))
                image = None
        else:
            out.append(chunk(kind, body))
    with open(target, "wb") as f:
        f.write(b"".join(out))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: recompress_png.py SOURCE TARGET")
    main(sys.argv[1], sys.argv[2])
