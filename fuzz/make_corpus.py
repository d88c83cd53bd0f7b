#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz target into fuzz/corpus/.

Seeds are small: a 10-byte header (scenario flags, option boxes, answer
seed) and a few real dictionary lines, GBK as they are, from
tests/data/realdata (lines around their defects: empty lines, tabs, control
bytes, "=" inside texts), plus hand-made edge cases.
"""
import hashlib
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
REALDATA = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else HERE.parent / "tests" / "data" / "realdata"
OUT = HERE / "corpus"

# Byte 0: bit 0 equals layout, bit 1 correct mode, bit 2 live options,
# bits 3-5 the dictionary's name, bits 6-7 the folder setup.
# Byte 1: option boxes, bit i = Option i (fresh window: 0x37).
FRESH = 0x37
ALL_DELETE = 0x77


def header(flags, options, seed=1):
    return bytes([flags, options]) + seed.to_bytes(8, "big")


def lines_of(data):
    """Lines with their terminators (CR LF or lone CR)."""
    out, start, i = [], 0, 0
    while i < len(data):
        if data[i] == 0x0D:
            end = i + 2 if data[i + 1:i + 2] == b"\n" else i + 1
            out.append(data[start:end])
            start = i = end
        else:
            i += 1
    if start < len(data):
        out.append(data[start:])
    return out


def interesting(line):
    body = line.rstrip(b"\r\n")
    return (not body.strip(b" ") or b"\t" in body or any(b < 0x20 for b in body)
            or body.endswith(b"=") or body.count(b"=") > 1)


def real_slices(path, width=6, limit=4):
    """The first lines and a few windows around defects, each small."""
    lines = lines_of(path.read_bytes())
    starts = [0] + [max(0, i - 2) for i, l in enumerate(lines) if interesting(l)]
    picked, seen = [], set()
    for s in starts:
        s -= s % 2  # keep line pairs aligned
        if s in seen:
            continue
        seen.add(s)
        chunk = b"".join(lines[s:s + width])
        if len(chunk) <= 600:
            picked.append(chunk)
        if len(picked) == limit:
            break
    return picked


def hand_made():
    gbk = lambda t: t.encode("gbk")
    row = b"".join(gbk("Save 文件\r\n保存\r\n") for _ in range(12))
    return [
        (0x00, FRESH, b""),
        (0x01, FRESH, b""),
        (0x02, FRESH, gbk("Open\r\n打开\r\nSave 文件\r\n保存\r\nExit\r\nExit\r\n\r\n帮助\r\n")),
        (0x00, FRESH | 0x08, gbk("Open\r\n打开\r\n   \r\n帮助\r\n")),
        (0x00, FRESH, row),
        (0x00, FRESH, b"a\rb\nc\r\n\r\r\n\x80\r\x81\r\t\r" + gbk("　　\r\nlast")),
        (0x03, FRESH, gbk("Open=打开\r\nOpen=\r\n=\r\nOpen\r\n\r\n打开=Open\r\na=b=打开\r\n") + b"x=\x80\r\ny=\x81"),
        (0x02 | (1 << 3), ALL_DELETE, gbk("Open\r\n打开\r\nOK\r\nOK\r\n")),
        (0x03 | (2 << 3), FRESH, gbk("Open=打开\r\n")),
        (0x02 | (1 << 6), FRESH & ~0x01, gbk("Open\r\n打开\r\n")),
        (0x02 | (2 << 6), FRESH, gbk("Open\r\n打开\r\n")),
        (0x01 | (3 << 6), FRESH, gbk("Open=打开\r\n")),
        (0x00 | (4 << 3), FRESH, gbk("Open\r\n打开\r\n")),
        (0x06, FRESH, gbk("Open\r\n打开\r\n\r\n\r\nSave 文件\r\nOK\r\n")),
    ]


def main():
    if not REALDATA.is_dir():
        sys.exit(f"make_corpus.py: missing test data: {REALDATA}")
    OUT.mkdir(exist_ok=True)
    seeds = []
    for i, (flags, options, body) in enumerate(hand_made()):
        seeds.append(header(flags, options, i + 1) + body)
    for path in sorted(REALDATA.glob("*.txt")):
        equals = path.name.endswith(".eq.txt")
        for j, chunk in enumerate(real_slices(path)):
            for mode in (0, 2):
                flags = (1 if equals else 0) | mode
                options = FRESH if j % 2 == 0 else ALL_DELETE
                seeds.append(header(flags, options, j + 7) + chunk)
    for seed in seeds:
        name = hashlib.sha1(seed).hexdigest()
        (OUT / name).write_bytes(seed)
    print(f"{len(seeds)} seeds in {OUT}")


if __name__ == "__main__":
    main()
