#!/usr/bin/env python3
"""Packs PNG pictures of one icon, a size each, into a Windows .ico that holds them as they are
(Windows takes PNG entries of any size since Vista).

    make-ico.py OUTPUT.ico PICTURE.png...
"""
import struct, sys


def main():
    output, pictures = sys.argv[1], sys.argv[2:]
    images = []
    for path in pictures:
        with open(path, "rb") as f:
            data = f.read()
        if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
            sys.exit(f"{path}: not a PNG picture")
        width, height = struct.unpack(">II", data[16:24])
        if width > 256 or height > 256:
            sys.exit(f"{path}: {width}x{height}, larger than an icon may be (256x256)")
        images.append((width, height, data))
    images.sort(key=lambda image: image[0])
    # The header, then a 16-byte entry for each picture, then the pictures. 256 is written as 0.
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, body = b"", b""
    for width, height, data in images:
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data),
                               offset + len(body))
        body += data
    with open(output, "wb") as f:
        f.write(header + entries + body)


if __name__ == "__main__":
    main()
