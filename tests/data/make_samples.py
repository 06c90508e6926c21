#!/usr/bin/env python3
"""Writes the hand-made sample figures of tests/data/figures, byte by byte, independently of
the program's writer: the older formats, a figure with restricted menus, and damaged files.
pi.qvf and construction.qvf were written by the program itself and are kept as regression
files; the damaged files are cut from construction.qvf."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
VALID = os.path.join(HERE, "figures", "valid")
DAMAGED = os.path.join(HERE, "figures", "damaged")


def byte(v): return struct.pack("<B", v)
def word(v): return struct.pack("<H", v & 0xFFFF)
def dword(v): return struct.pack("<I", v & 0xFFFFFFFF)
def dbl(v): return struct.pack("<d", v)
def string(s): return byte(len(s.encode("cp1252"))) + s.encode("cp1252")
def new_class(name, schema): return word(0xFFFF) + word(schema) + word(len(name)) + name.encode()


def graphic(name, colour=1):
    return byte(0) + byte(colour) + byte(0) + byte(1) + string(name) + dbl(0) + dbl(0)


def point_fields(name, x, y):
    # graphic fields, point style, mobile, coordinates
    return graphic(name) + byte(0) + byte(1) + dbl(x) + dbl(y)


def current_header(version, menus=(), window=(640, 480)):
    b = b"Korvendal32Vers2" + dword(version)
    if version > 2:
        b += byte(200) + byte(220) + byte(255) + string("") + string("") + dword(0) + dword(0)
        b += dword(6400) + dword(4500)
    b += word(len(menus))
    for i, m in enumerate(menus):
        b += (new_class("CIdMenu", 1) if i == 0 else word(0x8001)) + dword(m)
    b += byte(1)
    b += string("") + bytes(5)
    b += trailer(window)
    return b


def trailer(window=(640, 480), flags=(0, 0, 1), clip=0.0):
    return (string("") + dword(window[0]) + dword(window[1]) + bytes(flags) + dbl(clip))


def two_points_list(action_class_index=1, schema=2):
    """Angle unit, two free points A and B, no unit length, no default macro, no documents."""
    b = word(1) + word(2)
    b += new_class("CAction", schema) + (byte(0) if schema == 2 else dword(1))
    b += new_class("CPointBase", 1) + point_fields("A", 1000, 1000)
    b += word(0x8000 | action_class_index) + (byte(0) if schema == 2 else dword(1))
    b += word(0x8000 | (action_class_index + 2)) + point_fields("B", 3000, 2000)
    return b + dword(0xFFFFFFFF) + dword(0xFFFFFFFF) + word(0)


def earliest(width=5000, height=2000, entries=None, unit=-1):
    b = b"TessalinorFigure" + bytes(3) + word(0) + word(0) + word(0) + dword(0) + byte(0)
    b += word(width) + word(height)
    if entries is None:
        pi = (word(1100) + dword(0x2000000) + word(1209) + byte(1) + byte(2) + b"pi\0\0"
              + string("3.14159265358979323846") + word(1301) + dbl(3.14159265358979323846))
        a = word(1100) + dword(1) + word(1023) + byte(1) + earliest_graphic("A") + byte(0) + byte(1) \
            + dbl(1000) + dbl(1000)
        bb = word(1100) + dword(1) + word(1023) + byte(1) + earliest_graphic("B") + byte(0) + byte(1) \
            + dbl(3000) + dbl(1500)
        m = word(1100) + dword(2) + word(1003) + byte(1) + earliest_graphic("M") + byte(0) \
            + word(1) + word(2)
        entries = [pi, a, bb, m]
    b += byte(1) + byte(2) + word(len(entries)) + dword(0) + b"".join(entries) + word(unit)
    return b


def earliest_graphic(name):
    # masked, colour, name hidden, 5-byte name field, name offsets
    return byte(0) + byte(1) + byte(0) + byte(len(name)) + name.encode().ljust(4, b"\0") \
        + dbl(10) + dbl(-10)


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    write(VALID, "version2.qvf", current_header(2) + two_points_list())
    write(VALID, "later_version.qvf", current_header(4) + two_points_list())
    # Two menu ids: CIdMenu is class 1 and its objects 2 and 3, so CAction is class 4.
    write(VALID, "menus.qvf", current_header(3, menus=(32800, 32801)) + two_points_list(4))
    write(VALID, "tessalinor32.qvf",
          b"Tessalinor32bits" + trailer((700, 500), (1, 1, 0), 2.5) + two_points_list(schema=1))
    write(VALID, "earliest.qvf", earliest())

    write(DAMAGED, "empty.qvf", b"")
    write(DAMAGED, "bad_magic.qvf", b"Korvendal32Vers3" + (current_header(3) + two_points_list())[16:])
    write(DAMAGED, "zero_window.qvf", current_header(3, window=(0, 480)) + two_points_list())
    write(DAMAGED, "entry_schema_3.qvf", current_header(3) + two_points_list(schema=3))
    good = current_header(3) + two_points_list()
    write(DAMAGED, "unknown_class.qvf", good.replace(b"CPointBase", b"CPointBaze"))
    write(DAMAGED, "nature_byte_65.qvf", good.replace(b"CAction" + byte(0), b"CAction" + byte(65)))
    write(DAMAGED, "unit_length_index.qvf", good[:-10] + dword(7) + dword(0xFFFFFFFF) + word(0))
    write(DAMAGED, "huge_count.qvf", current_header(3) + word(1) + word(0xFFFF) + dword(0x7FFFFFF0))
    write(DAMAGED, "earliest_unknown_tag.qvf",
          earliest(entries=[word(1100) + dword(1) + word(1999) + bytes(40)]))
    write(DAMAGED, "earliest_bad_reference.qvf",
          earliest(entries=[word(1100) + dword(2) + word(1003) + byte(1) + earliest_graphic("M")
                            + byte(0) + word(5) + word(6)]))
    # The unit length must be a measure; here it names the constant pi.
    write(DAMAGED, "earliest_unit_not_measure.qvf", earliest(unit=0))
    construction = os.path.join(VALID, "construction.qvf")
    if os.path.exists(construction):
        data = open(construction, "rb").read()
        write(DAMAGED, "truncated.qvf", data[: len(data) * 2 // 3])
        write(DAMAGED, "no_document_count.qvf", data[:-2])


if __name__ == "__main__":
    main()
