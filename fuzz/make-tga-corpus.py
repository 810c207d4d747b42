#!/usr/bin/env python3
"""Writes the TGA fuzzing seeds: tiny valid images of every kind the loader
accepts. Run from anywhere; the files land in fuzz/corpus/tga/."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "tga")


def header(image_type, width, height, depth, descriptor=0):
    # id length, colour map type, type, map first/length/entry size,
    # x and y origin, width, height, depth, descriptor: little-endian.
    return struct.pack("<BBBhhBhhhhBB", 0, 0, image_type, 0, 0, 0, 0, 0,
                       width, height, depth, descriptor)


def main():
    os.makedirs(OUT, exist_ok=True)
    images = {
        # 3 x 2 blue-green-red: a width whose rows are not 4-byte aligned.
        "rgb24.tga": header(2, 3, 2, 24) + bytes(range(1, 19)),
        "rgba32.tga": header(2, 2, 2, 32, 8) + bytes(range(10, 26)),
        "grey8.tga": header(3, 4, 2, 8) + bytes([0, 32, 64, 96, 128, 160, 192, 255]),
        # A run of 3, a raw packet of 2, a run of 3: 8 pixels.
        "rle24.tga": header(10, 4, 2, 24)
        + bytes([0x82, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9, 0x82, 10, 11, 12]),
        "rle32.tga": header(10, 3, 1, 32, 8)
        + bytes([0x00, 1, 2, 3, 4, 0x81, 5, 6, 7, 8]),
    }
    for name, data in images.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
