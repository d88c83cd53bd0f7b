#!/usr/bin/env python3
"""Reads a compiled gettext catalogue (.mo) back into a .po file.

Usage: mo_to_po.py IN.mo OUT.po

A .mo holds each message's msgid (with its msgctxt before a 0x04 byte, its
msgid_plural after a NUL) and its msgstr (plural forms separated by NULs),
sorted by msgid; the header is the message with the empty msgid. Only
translated messages are compiled, so the catalogue has no fuzzy or obsolete
entries. Texts are written as C strings, one msgid/msgstr line each.
"""
import struct
import sys


def c_string(text):
    out = []
    for ch in text:
        if ch == "\\":
            out.append("\\\\")
        elif ch == '"':
            out.append('\\"')
        elif ch == "\n":
            out.append("\\n")
        elif ch == "\t":
            out.append("\\t")
        elif ch == "\r":
            out.append("\\r")
        else:
            out.append(ch)
    return '"' + "".join(out) + '"'


def read_mo(data):
    magic = struct.unpack("<I", data[:4])[0]
    order = "<" if magic == 0x950412DE else ">"
    _, count, ids, strs = struct.unpack(order + "4I", data[4:20])
    for i in range(count):
        ilen, ioff = struct.unpack(order + "2I", data[ids + 8 * i: ids + 8 * i + 8])
        slen, soff = struct.unpack(order + "2I", data[strs + 8 * i: strs + 8 * i + 8])
        yield data[ioff: ioff + ilen], data[soff: soff + slen]


def main():
    data = open(sys.argv[1], "rb").read()
    messages = list(read_mo(data))
    charset = "UTF-8"
    for mid, mstr in messages:
        if mid == b"":
            for line in mstr.decode("ascii", "replace").split("\n"):
                if "charset=" in line:
                    charset = line.split("charset=")[1].strip()
    with open(sys.argv[2], "w", encoding="utf-8", newline="\n") as out:
        for mid, mstr in messages:
            mid = mid.decode(charset)
            mstr = mstr.decode(charset)
            if mid == "":
                mstr = mstr.replace("charset=" + charset, "charset=UTF-8")
            ctxt = None
            if "\x04" in mid:
                ctxt, mid = mid.split("\x04", 1)
            if ctxt is not None:
                out.write(f"msgctxt {c_string(ctxt)}\n")
            if "\x00" in mid:
                singular, plural = mid.split("\x00", 1)
                out.write(f"msgid {c_string(singular)}\nmsgid_plural {c_string(plural)}\n")
                for n, form in enumerate(mstr.split("\x00")):
                    out.write(f"msgstr[{n}] {c_string(form)}\n")
            else:
                out.write(f"msgid {c_string(mid)}\nmsgstr {c_string(mstr)}\n")
            out.write("\n")


if __name__ == "__main__":
    main()
