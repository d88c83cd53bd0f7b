#!/usr/bin/env python3
"""Builds UTF-8 test dictionaries from the Simplified Chinese gettext
catalogues (.mo) that Debian's binary packages ship.

    convert_mo.py --set games PACKAGE_DIR [OUT_DIR]
    convert_mo.py --set desktop PACKAGE_DIR [OUT_DIR]

PACKAGE_DIR holds the packages as `apt-get download PACKAGE=VERSION` writes
them; a package whose sha256 differs from the one below is refused. Each
catalogue gives NAME.eq.txt (English=Chinese) and NAME.pairs.txt (English on
an odd line, its Chinese on the next), UTF-8 with LF line ends, in the
catalogue's order. A catalogue holds only translated messages; its header
(the empty msgid) is left out, a context is dropped from the text, and a
plural message gives two entries, the singular and the plural, both with
the first Chinese form. A line break inside a text is written `\\n`.
"""
import argparse
import hashlib
import json
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

# name: (package, version, sha256 of the .deb, catalogues inside it, licence, licence file)
SETS = {
    "games": {
        "freeciv": ("freeciv-data", "3.0.6-1+deb12u1",
                    "278bed022b87408ca9923aa727bef3d6c97875c811723e93ff95dded1b9b76b2",
                    ["usr/share/locale/zh_CN/LC_MESSAGES/freeciv-core.mo",
                     "usr/share/locale/zh_CN/LC_MESSAGES/freeciv-nations.mo"],
                    "GPL-2.0-or-later", "freeciv-copyright"),
        "aisleriot": ("aisleriot", "1:3.22.23-1",
                      "4aa432d5b5512274aacebc292aefd423850055b8c558ec7e9602fed57294f7ce",
                      ["usr/share/locale/zh_CN/LC_MESSAGES/aisleriot.mo"],
                      "GPL-3.0-or-later", "aisleriot-copyright"),
    },
    "desktop": {
        "filezilla": ("filezilla-common", "3.63.0-1+deb12u3",
                      "2788f0f962c3a3d8eda1e76f10339b29ca5dc42dceb4ee8ad66b0c9beb6a717a",
                      ["usr/share/locale/zh_CN/LC_MESSAGES/filezilla.mo"],
                      "GPL-2.0-or-later", "filezilla-copyright"),
        "audacity": ("audacity-data", "3.2.4+dfsg-1",
                     "82b3f46f97238f64cf0982155f81e350df4553231d2a7186e4aea2712e96a5d4",
                     ["usr/share/locale/zh_CN/LC_MESSAGES/audacity.mo"],
                     "GPL-2.0-or-later", "audacity-copyright"),
    },
}


def read_mo(path: Path):
    """Yields (English, Chinese, whether a plural) per message of a catalogue, in its order."""
    data = path.read_bytes()
    if data[:4] == b"\xde\x12\x04\x95":
        order = "<"
    elif data[:4] == b"\x95\x04\x12\xde":
        order = ">"
    else:
        sys.exit(f"{path}: not a gettext catalogue")
    count, ids_at, strs_at = struct.unpack(order + "3I", data[8:20])

    def string(table, i):
        length, offset = struct.unpack(order + "2I", data[table + 8 * i:table + 8 * i + 8])
        return data[offset:offset + length].decode("utf-8")

    for i in range(count):
        ids, strs = string(ids_at, i).split("\0"), string(strs_at, i).split("\0")
        if ids[0] == "":
            continue  # the header
        ids[0] = ids[0].split("\x04")[-1]  # drop a context
        for english in ids:
            yield english, strs[0], len(ids) > 1


def escape(text: str) -> str:
    return text.replace("\r", "\\r").replace("\n", "\\n")


def deb_file(package_dir: Path, package: str, version: str) -> Path:
    return package_dir / f"{package}_{version.replace(':', '%3a')}_all.deb" \
        if (package_dir / f"{package}_{version.replace(':', '%3a')}_all.deb").exists() \
        else package_dir / f"{package}_{version.replace(':', '%3a')}_amd64.deb"


def convert(name, entry, package_dir: Path, out_dir: Path) -> str:
    package, version, sha, catalogues, licence, licence_file = entry
    deb = deb_file(package_dir, package, version)
    digest = hashlib.sha256(deb.read_bytes()).hexdigest()
    if digest != sha:
        sys.exit(f"{deb}: sha256 {digest}, not the package these files were built from")
    pairs, counts = [], {"identical": 0, "plural_forms": 0}
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(["dpkg-deb", "-x", str(deb), tmp], check=True)
        for catalogue in catalogues:
            for english, chinese, plural in read_mo(Path(tmp) / catalogue):
                counts["identical"] += english == chinese
                counts["plural_forms"] += plural
                pairs.append((escape(english), escape(chinese)))
    counts["entries"] = len(pairs)
    eq = "".join(f"{en}={zh}\n" for en, zh in pairs)
    lp = "".join(f"{en}\n{zh}\n" for en, zh in pairs)
    (out_dir / f"{name}.eq.txt").write_bytes(eq.encode("utf-8"))
    (out_dir / f"{name}.pairs.txt").write_bytes(lp.encode("utf-8"))
    return "\n".join([f"## {name}",
                      f"- package: {package} {version} (Debian 12 bookworm, binary package)",
                      f"- integrity: sha256:{sha}",
                      *[f"- catalogue: {c}" for c in catalogues],
                      f"- licence: {licence} (licenses/{licence_file})",
                      "- counts: " + json.dumps(counts, sort_keys=True), "", ""])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--set", choices=sorted(SETS), required=True)
    parser.add_argument("package_dir", type=Path)
    parser.add_argument("out_dir", type=Path, nargs="?")
    args = parser.parse_args()
    out_dir = args.out_dir or Path(__file__).resolve().parent.parent / args.set
    parts = ["# Where these dictionaries come from\n\n"
             "Written by ../games/convert_mo.py --set " + args.set + " from the packages\n"
             "`apt-get download` fetches (by name and version; the sha256 is checked).\n"
             "`entries` pairs written (a plural message gives two), `identical`\n"
             "Chinese equal to the English.\n\n"]
    for name, entry in SETS[args.set].items():
        parts.append(convert(name, entry, args.package_dir, out_dir))
    (out_dir / "SOURCES.md").write_text("".join(parts).rstrip("\n") + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
