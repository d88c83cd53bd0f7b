#!/usr/bin/env python3
"""Writes a gettext catalogue of N entries for the speed benchmark.

Usage: bench/gen_po.py OUT.po [--entries N] [--seed S]

The entries look like a program's messages: words, printf placeholders,
numbers, a line break now and then, about a tenth with context, plural
messages, fuzzy flags, continued strings and obsolete entries at the end;
the translations keep what their sources hold, but for about 1% of the
entries, which carry a fault of the report's rules (a placeholder changed,
a number dropped, an empty translation).
"""
import argparse
import random

WORDS = ("open save close file folder project window settings network server "
         "user account message error warning update download upload print "
         "search replace select copy paste delete rename export import").split()
ZH = "打开 保存 关闭 文件 文件夹 项目 窗口 设置 网络 服务器 用户 账户 消息 错误 警告 更新 下载 上传 打印 搜索".split()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("--entries", type=int, default=1_000_000)
    ap.add_argument("--seed", type=int, default=1)
    a = ap.parse_args()
    rnd = random.Random(a.seed)
    with open(a.out, "w", encoding="utf-8", newline="\n") as f:
        f.write('msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n'
                '"Plural-Forms: nplurals=1; plural=0;\\n"\n\n')
        written = 0
        n = 0
        while written < a.entries:
            n += 1
            words = " ".join(rnd.choice(WORDS) for _ in range(rnd.randint(2, 8)))
            zh = "".join(rnd.choice(ZH) for _ in range(rnd.randint(2, 6)))
            kind = rnd.random()
            fault = rnd.random() < 0.01
            f.write(f"#: src/module{n % 97}.c:{n}\n")
            if kind < 0.1:
                f.write(f'msgctxt "ctx{n % 50}"\n')
            if kind < 0.4:
                f.write("#, c-format\n")
                src = f"{words.capitalize()} %s in %d items ({n})"
                tgt = f"{zh} %s，共 %d 项（{n}）"
                if fault:
                    tgt = tgt.replace("%d", "%s", 1)
            elif kind < 0.45:
                f.write("#, fuzzy\n")
                src, tgt = f"{words} {n}", f"{zh}"
            elif kind < 0.5:
                f.write("#, c-format\n")
                f.write(f'msgid "One {words} {n}"\nmsgid_plural "%d {words} {n}"\n'
                        f'msgstr[0] "%d 个{zh} {n}"\n\n')
                written += 1
                continue
            elif kind < 0.55:
                f.write(f'msgid ""\n"{words.capitalize()} {n}\\n"\n"{words}."\n'
                        f'msgstr ""\n"{zh} {n}\\n"\n"{zh}。"\n\n')
                written += 1
                continue
            else:
                src, tgt = f"{words.capitalize()} {n}", f"{zh} {n}"
                if fault:
                    tgt = "" if rnd.random() < 0.5 else zh
            f.write(f'msgid "{src}"\nmsgstr "{tgt}"\n\n')
            written += 1
        for i in range(100):
            f.write(f'#~ msgid "Old message {i}"\n#~ msgstr "旧消息 {i}"\n\n')


if __name__ == "__main__":
    main()
