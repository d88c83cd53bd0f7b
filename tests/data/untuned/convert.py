#!/usr/bin/env python3
"""Builds the real test dictionaries from the packages they come from.

Two sets: `untuned` (this folder) and `holdout` (tests/data/holdout, which no
rule is tuned against). Each set's packages go into one folder first:

    npm pack PACKAGE@VERSION        (npm packages)
    apt-get download PACKAGE=VERSION   (Debian packages, amd64)
    tests/data/untuned/convert.py [--set untuned|holdout] PACKAGE_DIR [OUT_DIR]

Each project's English and Simplified Chinese message files are read (with
node for the JavaScript ones), flattened to dotted keys and paired by key in
the English file's order. The projects' own defects stay as they are: a key
the Chinese file lacks is a missing translation, an empty or English text is
kept. Entries whose English text is not a string or is empty are left out.
Line breaks inside a text are written as the two characters \\n. Both layouts
are written in GBK with CR LF; a character GBK cannot hold becomes "?".
The provenance and the counts go to SOURCES.md. A gettext catalogue (.mo) of
a Debian package pairs each msgid with its msgstr; an English plural form
pairs with the one Chinese form, as plural keys do.
"""
import argparse
import base64
import collections
import hashlib
import json
import re
import struct
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

# The hold-out set: projects of other kinds, collected for a measurement no
# rule is tuned against.
HOLDOUT_PROJECTS = {
    "antd": ("antd", "6.6.8", "lib/locale/en_US.js", "lib/locale/zh_CN.js", "require-stub:default"),
    "vuetify": ("vuetify", "4.3.3", "lib/locale/en.js", "lib/locale/zh-Hans.js", "import:default"),
    "vant": ("vant", "4.10.2", "lib/locale/lang/en-US.js", "lib/locale/lang/zh-CN.js", "require:default"),
    "summernote": ("summernote", "0.9.1", "src/lang/summernote-en-US.js",
                   "src/lang/summernote-zh-CN.js", "jquery-lang:en-US|zh-CN"),
    "excalidraw": ("@excalidraw/excalidraw", "0.18.1", "dist/dev/chunk-LMHBUWQS.js.map",
                   "dist/dev/locales/zh-CN-4MXUOFTH.js.map",
                   "sourcemap:locales/en.json|locales/zh-CN.json"),
    "typescript": ("typescript", "5.9.3", "lib/typescript.js",
                   "lib/zh-cn/diagnosticMessages.generated.json", "ts-diagnostics:1000-1999"),
    "sudo": ("sudo", "1.9.13p3-1+deb12u4", "usr/share/locale/zh_CN/LC_MESSAGES/sudo.mo",
             "usr/share/locale/zh_CN/LC_MESSAGES/sudo.mo", "mo"),
    "shadow": ("login", "1:4.13+dfsg1-1+deb12u2", "usr/share/locale/zh_CN/LC_MESSAGES/shadow.mo",
               "usr/share/locale/zh_CN/LC_MESSAGES/shadow.mo", "mo"),
}
HOLDOUT_INTEGRITY = {
    "antd": "sha512-e+hDj/0myqbLBn8UGS0dYhPROAENruNscWe4gzyTnwx7yTip7D72wJUNxtsTplPXwRM1Mo4tXNSgaSb3UmV3RQ==",
    "vuetify": "sha512-hpT9bZP5pXcK4MnqHldY/FtmNgi7Ewjizbl4LY6hcYgLiwxaLwiD2wo/SFBPM89s9gyZry0/ywc6mMDnDohscw==",
    "vant": "sha512-7lm1KtFub11ozleFqQ6rL8oa3Z8i33G3IUEuJGWBXlQwPTRfu8BYWGGZ/GhA5QdWhERp5mtBq6TjpYEmLcwwow==",
    "summernote": "sha512-5Hfuey6+N0XIbk8ZpkGEVDmrkRVRHZWKBhw/072i9/TJLaWUKboB+KOyyd6AzDP2CQs1O6or4zRTU8HY30kt4w==",
    "excalidraw": "sha512-6i5Gt7IDTOH//qa0Z315Ly5iVRhjWpu2whrlQFqkuwrkKUWgRsMk0P5qdE7bpyDpai7jeLeWYkyj1eVAfni1lw==",
    "typescript": "sha512-jl1vZzPDinLr9eUt3J/t7V6FgNEw9QjvBPdysz9KfQDD41fQrC2Y4vKQdiaUpFT4bXlb1RHhLpp8wtm6M5TgSw==",
    "sudo": "sha256:ea9987f92630be504998516e1ed9c821c483131d0576ff35a09d6e7f8deff10f",
    "shadow": "sha256:f1cc45bf505a8457340dc3c36f3a01a1835aaf564d73d9d394afb8ccfb6595a0",
}
HOLDOUT_LICENCE = {
    "antd": ("MIT", "antd-LICENSE"),
    "vuetify": ("MIT", "vuetify-LICENSE.md"),
    "vant": ("MIT", "vant-LICENSE"),
    "summernote": ("MIT", "summernote-LICENSE"),
    "excalidraw": ("MIT", "excalidraw-LICENSE"),
    "typescript": ("Apache-2.0", "typescript-LICENSE.txt"),
    "sudo": ("ISC", "sudo-copyright"),
    "shadow": ("BSD-3-Clause", "shadow-copyright"),
}
# Debian packages: where the archive keeps them.
DEBIAN_POOL = {
    "sudo": "pool/main/s/sudo/sudo_1.9.13p3-1+deb12u4_amd64.deb",
    "shadow": "pool/main/s/shadow/login_4.13+dfsg1-1+deb12u2_amd64.deb",
}

Tables = collections.namedtuple("Tables", "projects integrity licence how_written")
SETS = {
    "untuned": Tables(PROJECTS, INTEGRITY, LICENCE, "Written by convert.py."),
    "holdout": Tables(HOLDOUT_PROJECTS, HOLDOUT_INTEGRITY, HOLDOUT_LICENCE,
                      "Written by ../untuned/convert.py --set holdout (a gettext catalogue\n"
                      "holds only translated messages)."),
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
  } else if (how.startsWith('require-stub:')) {
    // A module whose own requires reach packages outside the tarball: those
    // load as empty, so only the package's own texts remain.
    const Module = require('module');
    const load = Module._load;
    Module._load = function (request, parent, isMain) {
      try { return load.call(this, request, parent, isMain); }
      catch (e) {
        if (e.code !== 'MODULE_NOT_FOUND' || request.startsWith('.')) throw e;
        if (request.endsWith('/interopRequireDefault'))  // Babel's helper
          return {default: m => (m && m.__esModule ? m : {default: m})};
        return {__esModule: true, default: {}};
      }
    };
    out = pick(require(path.resolve(file)), how.slice(13));
  } else if (how.startsWith('jquery-lang:')) {
    // A jQuery plug-in's language file: $.extend(true, $.<plugin>.lang, {...}).
    const merge = (deep, target, ...objs) => {
      for (const o of objs) for (const [k, v] of Object.entries(o))
        target[k] = v && typeof v === 'object' && !Array.isArray(v)
          ? merge(deep, target[k] && typeof target[k] === 'object' ? target[k] : {}, v) : v;
      return target;
    };
    const langs = {};
    const $ = {extend: merge, summernote: {lang: langs}};
    const src = fs.readFileSync(file, 'utf8').replace(/^import .*$/mg, '');
    vm.runInNewContext(src, {$, jQuery: $});
    out = langs[how.slice(12)];
  } else if (how === 'message-array') {
    const ctx = {globalThis: {}};
    vm.runInNewContext(fs.readFileSync(file, 'utf8'), ctx);
    out = Object.fromEntries(ctx.globalThis._VSCODE_NLS_MESSAGES.map((t, i) => [String(i), t]));
  }
  process.stdout.write(JSON.stringify(out));
})();
"""


def integrity(package_file: Path, expected: str) -> str:
    """The file's digest in the form EXPECTED has: npm's sha512 integrity or Debian's sha256."""
    data = package_file.read_bytes()
    if expected.startswith("sha256:"):
        return "sha256:" + hashlib.sha256(data).hexdigest()
    return "sha512-" + base64.b64encode(hashlib.sha512(data).digest()).decode()


def tarball_name(package: str, version: str) -> str:
    return package.lstrip("@").replace("/", "-") + "-" + version + ".tgz"


def find_package(package_dir: Path, name: str, package: str, version: str) -> Path:
    """The package's file: npm pack's tarball name, or the Debian archive's
    name (apt-get download writes an epoch "1:" as "1%3a" into it)."""
    if name not in DEBIAN_POOL:
        return package_dir / tarball_name(package, version)
    pool_name = Path(DEBIAN_POOL[name]).name
    apt_name = f"{package}_{version.replace(':', '%3a')}_amd64.deb"
    return next((package_dir / n for n in (pool_name, apt_name) if (package_dir / n).exists()),
                package_dir / pool_name)


def unpack(package_file: Path, into: str) -> Path:
    """Unpacks an npm tarball or a Debian package; returns the root its paths start at."""
    if package_file.suffix == ".deb":
        subprocess.run(["dpkg-deb", "-x", str(package_file), into], check=True)
        return Path(into)
    with tarfile.open(package_file) as tar:
        tar.extractall(into, filter="data")
    return Path(into) / "package"


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
    if "|" in how:  # "kind:ENGLISH|CHINESE"
        kind, _, names = how.rpartition(":")
        how = (kind + ":" if kind else "") + names.split("|")[side]
    if how == "mo":
        return read_mo(root / rel, side)
    if how.startswith("sourcemap:"):
        return from_source_map(root / rel, how.split(":", 1)[1])
    if how.startswith("ts-diagnostics:"):
        return ts_diagnostics(root / rel, how.split(":", 1)[1], side)
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
    text = subprocess.run(["node", "-e", NODE_LOADER, str(root / rel), how],
                          check=True, capture_output=True, text=True).stdout
    return json.loads(text)


def read_mo(path: Path, side: int) -> dict:
    """A gettext catalogue: msgid -> msgid (side 0) or msgstr (side 1), in the
    catalogue's order. A plural entry gives "msgid.0" and "msgid.1" on the
    English side and "msgid" (the first form) on the Chinese one."""
    data = path.read_bytes()
    order = "<" if data[:4] == b"\xde\x12\x04\x95" else ">"
    count, ids_at, strs_at = struct.unpack(order + "3I", data[8:20])

    def string(table, i):
        length, offset = struct.unpack(order + "2I", data[table + 8 * i:table + 8 * i + 8])
        return data[offset:offset + length].decode("utf-8")

    out = {}
    for i in range(count):
        ids, strs = string(ids_at, i).split("\0"), string(strs_at, i).split("\0")
        key = ids[0].replace("\x04", " | ")  # context | msgid
        if side == 1:
            out[key] = strs[0]
        elif len(ids) == 1:
            out[key] = ids[0].split("\x04")[-1]
        else:
            out[key] = {"0": ids[0].split("\x04")[-1], "1": ids[1]}
    return out


def from_source_map(path: Path, source: str) -> dict:
    """The JSON file SOURCE as the bundle's source map holds it (sourcesContent)."""
    smap = json.loads(path.read_text(encoding="utf-8"))
    for name, content in zip(smap["sources"], smap["sourcesContent"]):
        if name.endswith(source):
            return json.loads(content)
    sys.exit(f"{path}: no source {source}")


def ts_diagnostics(path: Path, codes: str, side: int) -> dict:
    """The compiler's messages with codes in LOW-HIGH: the English texts of its
    diag(code, category, key, text) table (side 0) or a language's key -> text
    file (side 1)."""
    low, high = (int(c) for c in codes.split("-"))
    if side == 1:
        data = json.loads(path.read_text(encoding="utf-8"))
        return {k: v for k, v in data.items() if low <= int(k.rsplit("_", 1)[1]) <= high}
    call = re.compile(r'diag\((\d+), \d+ /\* \w+ \*/, "(\w+)", ("(?:[^"\\]|\\.)*")')
    return {key: json.loads(text) for code, key, text in call.findall(path.read_text(encoding="utf-8"))
            if low <= int(code) <= high}


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


def pack_command(package: str, version: str) -> str:
    return f"npm pack {package}@{version}"


def sources_entry(name, package, version, en_rel, zh_rel, counts, tables) -> str:
    licence, files = tables.licence[name]
    if name in DEBIAN_POOL:
        origin = [f"- package: {package} {version} (Debian 12 bookworm, amd64)",
                  f"- file: {DEBIAN_POOL[name]} of the Debian archive",
                  f"- integrity: {tables.integrity[name]}",
                  f"- English: the msgids of {en_rel}",
                  f"- Chinese: the msgstrs of {zh_rel}"]
    else:
        origin = [f"- package: {package} {version} (npm)",
                  f"- tarball: {tarball_name(package, version)} (`{pack_command(package, version)}`)",
                  f"- integrity: {tables.integrity[name]}",
                  f"- English: package/{en_rel}",
                  f"- Chinese: package/{zh_rel}"]
    return "\n".join([f"## {name}", *origin,
                      f"- licence: {licence} (licenses/{files.replace(', ', ', licenses/')})",
                      "- counts: " + json.dumps(counts, sort_keys=True), "", ""])


def convert(name, project, package_dir: Path, out_dir: Path, tables) -> str:
    """Writes NAME's two dictionaries; returns its SOURCES.md entry."""
    package, version, en_rel, zh_rel, how = project
    package_file = find_package(package_dir, name, package, version)
    if integrity(package_file, tables.integrity[name]) != tables.integrity[name]:
        sys.exit(f"{package_file}: not the package these files were built from")
    counts = {"gbk_replaced": 0}
    with tempfile.TemporaryDirectory() as tmp:
        entries = pairs_of(unpack(package_file, tmp), en_rel, zh_rel, how, counts)
    eq, lp = bytearray(), bytearray()
    for en, zh in entries:
        en_b, zh_b = to_gbk(en, counts), to_gbk(zh, counts)
        eq += en_b + b"=" + zh_b + b"\r\n"
        lp += en_b + b"\r\n" + zh_b + b"\r\n"
    (out_dir / f"{name}.eq.txt").write_bytes(bytes(eq))
    (out_dir / f"{name}.pairs.txt").write_bytes(bytes(lp))
    return sources_entry(name, package, version, en_rel, zh_rel, counts, tables)


def main():
    parser = argparse.ArgumentParser(description="Builds a set of real test dictionaries.")
    parser.add_argument("--set", choices=sorted(SETS), default="untuned")
    parser.add_argument("package_dir", type=Path)
    parser.add_argument("out_dir", type=Path, nargs="?")
    args = parser.parse_args()
    tables = SETS[args.set]
    out_dir = args.out_dir or Path(__file__).resolve().parent.parent / args.set
    sources = [SOURCES_HEADER.format(how_written=tables.how_written)]
    for name, project in tables.projects.items():
        sources.append(convert(name, project, args.package_dir, out_dir, tables))
    (out_dir / "SOURCES.md").write_text("".join(sources).rstrip("\n") + "\n", encoding="utf-8")


SOURCES_HEADER = """# Where these dictionaries come from

{how_written} Counts: `entries` pairs written; `missing` keys the
Chinese file lacks (written as a missing translation); `zh_not_text` keys
whose Chinese value is null (also missing); `empty_zh` empty Chinese texts;
`identical` Chinese equal to the English; `en_not_text` English values that
are functions or empty (left out); `zh_keys_not_in_en` Chinese keys with no
English (left out); `gbk_replaced` characters GBK cannot hold, written "?".

"""


if __name__ == "__main__":
    main()
