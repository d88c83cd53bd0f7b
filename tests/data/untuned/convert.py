#!/usr/bin/env python3
"""Builds the dictionaries of this folder from the npm tarballs they come from.

    npm pack PACKAGE@VERSION        (for each package in PROJECTS, into one folder)
    tests/data/untuned/convert.py TARBALL_DIR [OUT_DIR]

Each project's English and Simplified Chinese message files are read (with
node for the JavaScript ones), flattened to dotted keys and paired by key in
the English file's order. The projects' own defects stay as they are: a key
the Chinese file lacks is a missing translation, an empty or English text is
kept. Entries whose English text is not a string or is empty are left out.
Line breaks inside a text are written as the two characters \\n. Both layouts
are written in GBK with CR LF; a character GBK cannot hold becomes "?".
The provenance and the counts go to SOURCES.md.
"""
import base64
import hashlib
import json
import re
import subprocess
import sys
import tarfile
import tempfile
from pathlib import Path

# name: (package, version, english file, chinese file, how to read them),
# then the tarball's sha512 integrity as the registry gives it, and the licence.
PROJECTS = {
    "element_plus": ("element-plus", "2.14.9",
                     "dist/locale/en.js", "dist/locale/zh-cn.js", "require:el"),
    "quasar": ("quasar", "2.34.0", "lang/en-US.js", "lang/zh-CN.js", "import:default"),
    "uppy": ("@uppy/locales", "5.2.0", "lib/en_US.js", "lib/zh_CN.js", "import:default.strings"),
    "videojs": ("video.js", "8.24.1", "dist/lang/en.json", "dist/lang/zh-CN.json", "json"),
    "surveyjs": ("survey-core", "3.1.1", "fesm/i18n/english.mjs",
                 "fesm/i18n/simplified-chinese.mjs", "import-stripped"),
    "ag_grid": ("@ag-grid-community/locale", "36.2.0", "dist/package/main.cjs.js",
                "dist/package/main.cjs.js", "require:AG_GRID_LOCALE_EN|AG_GRID_LOCALE_CN"),
    "docusaurus": ("@docusaurus/theme-translations", "3.10.2", "locales/base/*.json",
                   "locales/zh-Hans/*.json", "json-glob"),
    "monaco_editor": ("monaco-editor", "0.58.0", "esm/vs", "esm/vs/nls/lang/zh-cn.js",
                      "localize-calls|message-array"),
    "vee_validate": ("@vee-validate/i18n", "4.15.1", "dist/locale/en.json",
                     "dist/locale/zh_CN.json", "json:messages"),
}
INTEGRITY = {
    "element_plus": "sha512-ugBD9sxCQNLNhqzQLB2xdtkqGAE395pJ/p8ck8wzKS490lAf6OfANOuZN3+n97fFA7DfTgn/8W+p74e9IIMUYQ==",
    "quasar": "sha512-FwTTqffFyXtEMaEebo5olOHGAJtCZB7Gn6BtWBdypjYOarM6azllrgvVVIQp23qZ0W9leZDFqKRXFm87tua3DA==",
    "uppy": "sha512-nW+jrrljbVVBRmYhfUBn5eU7rQV27/NkgJyo7VB+G3OHCaG4EhWoGcGrF5qu/apHkaQx+3a+jKwCueAuzff6Fw==",
    "videojs": "sha512-Qh2WxVyiw6BEvpS95KCoZM8wt10r2iDvembOjHPftVcxY4QR53WVTDQlJEuI1J46Yo9Zw+6rRDIe62C+J+edfQ==",
    "surveyjs": "sha512-DCIjC//kSA5ldAjCNqWH8MPz7Rf1v713RYDcilOTCpagj5oJqp++z9/VV4WSliiKV97VaGJ4YHLZodm0Ki24Dw==",
    "ag_grid": "sha512-N1sBNSa6z/TzSsN/YdXmfP4Gsdl+7JAmQosTPOfGA9C5pVeOV0y4lcK6rOLfkzaL4D84AZIDSItWXA4XmuBbdg==",
    "docusaurus": "sha512-iv20wrxnyXkY89LM3TzRlzGlt5fIGO5UnaR6UL1ZVfB9RRFjxQFQ6awDrwAc6Km8Y5gD8pInuwYPF+6/TiCxXA==",
    "monaco_editor": "sha512-Lj5hlfT4zdM5GSG9VxTHslWnwibGBvO6d9Mq/+9zmb1CkTZnib4+uAZUKl1zg+tMHRgY2OGax6hHKZNBtldR1g==",
    "vee_validate": "sha512-6ogEyxkoTr7IZk4EAUT0rD3pr34Nw/YEToez/c0DSlI1/cBeOpunSmGmoYPh32pmd3imxFPEawCB7IyFvRJSAw==",
}
LICENCE = {
    "element_plus": ("MIT", "element_plus-LICENSE"),
    "quasar": ("MIT", "quasar-LICENSE"),
    "uppy": ("MIT", "uppy-LICENSE"),
    "videojs": ("Apache-2.0", "videojs-LICENSE, videojs-Apache-2.0.txt"),
    "surveyjs": ("MIT", "surveyjs-LICENSE"),
    "ag_grid": ("MIT", "ag_grid-LICENSE.txt"),
    "docusaurus": ("MIT", "docusaurus-LICENSE"),
    "monaco_editor": ("MIT", "monaco_editor-LICENSE"),
    "vee_validate": ("MIT", "vee_validate-LICENSE"),
}

NODE_LOADER = r"""
const path = require('path'), fs = require('fs'), vm = require('vm');
const [file, how] = process.argv.slice(1);
function pick(obj, dotted) {
  for (const k of dotted.split('.').filter(Boolean)) obj = obj[k];
  return obj;
}
(async () => {
  let out;
  if (how.startsWith('require:')) {
    out = pick(require(path.resolve(file)), how.slice(8));
  } else if (how.startsWith('import:')) {
    out = pick(await import(path.resolve(file)), how.slice(7));
  } else if (how === 'import-stripped') {
    // A locale module that registers itself with its library: keep only the object.
    let src = fs.readFileSync(file, 'utf8')
      .replace(/^import .*$/mg, '').replace(/^setupLocale\(.*$/mg, '')
      .replace(/^export .*$/mg, '');
    const m = src.match(/var (\w+) = \{/);
    const ctx = {};
    vm.runInNewContext(src + `\n;__out = ${m[1]};`, ctx);
    out = ctx.__out;
  } else if (how === 'localize-calls') {
    // English texts sit in the code as localize(INDEX, "text"); INDEX is the
    // position of the translation in the language's message array.
    out = {};
    const lit = String.raw`("(?:[^"\\\n]|\\.)*"|'(?:[^'\\\n]|\\.)*')`;
    const call = new RegExp(String.raw`\blocalize2?\(\s*(\d+),\s*` + lit, 'g');
    const walk = d => fs.readdirSync(d, {withFileTypes: true}).sort((a, b) => a.name < b.name ? -1 : 1)
      .flatMap(e => e.isDirectory() ? walk(path.join(d, e.name)) : e.name.endsWith('.js') ? [path.join(d, e.name)] : []);
    for (const f of walk(file))
      for (const m of fs.readFileSync(f, 'utf8').matchAll(call))
        out[m[1]] = vm.runInNewContext(m[2]);
    out = Object.fromEntries(Object.entries(out).sort((a, b) => a[0] - b[0]));
  } else if (how === 'message-array') {
    const ctx = {globalThis: {}};
    vm.runInNewContext(fs.readFileSync(file, 'utf8'), ctx);
    out = Object.fromEntries(ctx.globalThis._VSCODE_NLS_MESSAGES.map((t, i) => [String(i), t]));
  }
  process.stdout.write(JSON.stringify(out));
})();
"""


def integrity(tarball: Path) -> str:
    return "sha512-" + base64.b64encode(hashlib.sha512(tarball.read_bytes()).digest()).decode()


def tarball_name(package: str, version: str) -> str:
    return package.lstrip("@").replace("/", "-") + "-" + version + ".tgz"


def flatten(obj, prefix=""):
    """Yields (dotted key, value) in the object's order; non-strings are yielded as None."""
    if isinstance(obj, dict):
        for k, v in obj.items():
            yield from flatten(v, f"{prefix}.{k}" if prefix else str(k))
    elif isinstance(obj, list):
        for i, v in enumerate(obj):
            yield from flatten(v, f"{prefix}.{i}")
    else:
        yield prefix, obj if isinstance(obj, str) else None


def load(root: Path, rel: str, how: str, side: int):
    if how == "json-glob":
        merged = {}
        for f in sorted(root.glob(rel)):
            data = json.loads(f.read_text(encoding="utf-8"))
            merged.update({f"{f.stem}:{k}": v for k, v in data.items()
                           if not k.endswith("___DESCRIPTION")})
        return merged
    if how in ("json", "json:messages"):
        data = json.loads((root / rel).read_text(encoding="utf-8"))
        return data["messages"] if how == "json:messages" else data
    if "|" in how:
        kind, _, names = how.rpartition(":")
        how = (kind + ":" if kind else "") + names.split("|")[side]
    text = subprocess.run(["node", "-e", NODE_LOADER, str(root / rel), how],
                          check=True, capture_output=True, text=True).stdout
    return json.loads(text)


def plural_parent(key: str) -> str:
    """"x.0" and "x.1" are the English plural forms of "x"; Chinese has one form for all."""
    return re.sub(r"\.\d+$", "", key)


def pairs_of(root: Path, en_rel: str, zh_rel: str, how: str, counts: dict):
    english = load(root, en_rel, how, 0)
    chinese = dict(flatten(load(root, zh_rel, how, 1)))
    out = []
    for key, en in flatten(english):
        if en is None or en == "":
            counts["en_not_text"] = counts.get("en_not_text", 0) + 1
            continue
        zh = chinese.get(key, chinese.get(plural_parent(key)))
        if zh is None and key not in chinese and plural_parent(key) not in chinese:
            counts["missing"] = counts.get("missing", 0) + 1
        elif zh is None:
            counts["zh_not_text"] = counts.get("zh_not_text", 0) + 1
        elif zh == "":
            counts["empty_zh"] = counts.get("empty_zh", 0) + 1
        elif zh == en:
            counts["identical"] = counts.get("identical", 0) + 1
        out.append((en, zh or ""))
    english_keys = {k for k, _ in flatten(english)}
    english_keys |= {plural_parent(k) for k in english_keys}
    counts["zh_keys_not_in_en"] = sum(1 for k in chinese if k not in english_keys)
    counts["entries"] = len(out)
    return out


def to_gbk(text: str, counts: dict) -> bytes:
    text = text.replace("\r", "\\r").replace("\n", "\\n")
    counts["gbk_replaced"] += sum(1 for ch in text if not _gbk_ok(ch))
    return text.encode("gbk", errors="replace")


def _gbk_ok(ch: str) -> bool:
    try:
        ch.encode("gbk")
        return True
    except UnicodeEncodeError:
        return False


def registry_url(package: str, version: str) -> str:
    return f"https://registry.npmjs.org/{package}/-/{package.split('/')[-1]}-{version}.tgz"


def sources_entry(name, package, version, en_rel, zh_rel, counts) -> str:
    licence, files = LICENCE[name]
    return "\n".join([
        f"## {name}",
        f"- package: {package} {version} (npm)",
        f"- tarball: {registry_url(package, version)}",
        f"- integrity: {INTEGRITY[name]}",
        f"- English: package/{en_rel}",
        f"- Chinese: package/{zh_rel}",
        f"- licence: {licence} (licenses/{files.replace(', ', ', licenses/')})",
        "- counts: " + json.dumps(counts, sort_keys=True),
        "", ""])


def main():
    tar_dir = Path(sys.argv[1])
    out_dir = Path(sys.argv[2]) if len(sys.argv) > 2 else Path(__file__).resolve().parent
    sources = [SOURCES_HEADER]
    for name, (package, version, en_rel, zh_rel, how) in PROJECTS.items():
        tarball = tar_dir / tarball_name(package, version)
        if integrity(tarball) != INTEGRITY[name]:
            sys.exit(f"{tarball}: not the tarball these files were built from")
        counts = {"gbk_replaced": 0}
        with tempfile.TemporaryDirectory() as tmp:
            with tarfile.open(tarball) as tar:
                tar.extractall(tmp, filter="data")
            entries = pairs_of(Path(tmp) / "package", en_rel, zh_rel, how, counts)
        eq, lp = bytearray(), bytearray()
        for en, zh in entries:
            en_b, zh_b = to_gbk(en, counts), to_gbk(zh, counts)
            eq += en_b + b"=" + zh_b + b"\r\n"
            lp += en_b + b"\r\n" + zh_b + b"\r\n"
        (out_dir / f"{name}.eq.txt").write_bytes(bytes(eq))
        (out_dir / f"{name}.pairs.txt").write_bytes(bytes(lp))
        sources.append(sources_entry(name, package, version, en_rel, zh_rel, counts))
    (out_dir / "SOURCES.md").write_text("".join(sources).rstrip("\n") + "\n", encoding="utf-8")


SOURCES_HEADER = """# Where these dictionaries come from

Written by convert.py. Counts: `entries` pairs written; `missing` keys the
Chinese file lacks (written as a missing translation); `zh_not_text` keys
whose Chinese value is null (also missing); `empty_zh` empty Chinese texts;
`identical` Chinese equal to the English; `en_not_text` English values that
are functions or empty (left out); `zh_keys_not_in_en` Chinese keys with no
English (left out); `gbk_replaced` characters GBK cannot hold, written "?".

"""


if __name__ == "__main__":
    main()
