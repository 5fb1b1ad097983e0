#!/usr/bin/env python3
"""Writes Varelo's data files in GBK from their readable UTF-8 sources in
frontend/data and checks them: the TeX command list tex.txt from
tex-reference.txt, the starter phrases usermac.txt from user-phrases.txt.

In both, each entry becomes one line: the description padded with spaces
to 18 bytes, then the text, ended by CR LF. The checks: every description
fits in 18 bytes; at most 780 commands and 188 phrases; every topic of the
assistant's topic box and every keyword of the structure bar (both read from
the program's sources) is named by one "@" line of the command list; and the
program's search, the first line whose 18 description bytes contain the
text, lands on the entry after that "@" line, the head of the group meant
for it.

Usage: make_varelo_data.py [--check | --html FILE]
  --check  writes nothing; fails when a data file is not what its source gives.
  --html   writes Varelo's LaTeX reference, the command list as a page the
           browser shows (UTF-8): the groups under their topics, every
           entry with the anchor "row-N" (N its line in tex.txt, from 0),
           which the assistant's help opens at.
"""
import html
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA = ROOT / "frontend/data"
DESCRIPTION_BYTES = 18
MAX_LINES = 780
MAX_PHRASES = 188


def fail(message):
    sys.exit(f"make_varelo_data: {message}")


def literals(path, start, end):
    """The string literals of a source file between two markers."""
    text = path.read_text(encoding="utf-8")
    block = text[text.index(start):]
    block = block[:block.index(end)]
    return re.findall(r'"((?:[^"\\]|\\.)*)"', block)


def topics():
    return literals(ROOT / "frontend/core/command_assistant.cpp", "kTopics = {", "};")


def keywords():
    rows = re.findall(r'\{"SpeedButton\d+", "[^"]*", kTopic, "([^"]*)"\}',
                      (ROOT / "frontend/core/structure_bar.cpp").read_text(encoding="utf-8"))
    return rows


def read_source(source):
    """Entries as (description bytes, text bytes) and the search texts that
    must land on each entry, by its index."""
    entries, heads = [], {}
    pending = None
    for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
        where = f"{source.name}:{number}"
        if not line or line.startswith("#"):
            continue
        if line.startswith("@ "):
            pending = line[2:].split()
            continue
        if line.count("\t") != 1:
            fail(f"{where}: an entry is a description, one tab and a text")
        description, text = line.split("\t")
        try:
            description, text = description.encode("gbk"), text.encode("gbk")
        except UnicodeEncodeError as error:
            fail(f"{where}: not in GBK: {error}")
        if len(description) > DESCRIPTION_BYTES:
            fail(f"{where}: description of {len(description)} bytes, at most {DESCRIPTION_BYTES}")
        if pending is not None:
            for word in pending:
                if word in heads:
                    fail(f"{where}: {word} heads two groups")
                heads[word] = len(entries)
            pending = None
        entries.append((description, text.rstrip(b" ")))
    return entries, heads


def check(entries, heads):
    if len(entries) > MAX_LINES:
        fail(f"{len(entries)} entries, at most {MAX_LINES}")
    wanted = set(topics()) | set(keywords())
    if len(topics()) != 55 or len(keywords()) != 18:
        fail("the topics (55) or keywords (18) were not found in the program's sources")
    for word in sorted(wanted - set(heads)):
        fail(f"no group is meant for {word}")
    for word in sorted(set(heads) - wanted):
        fail(f"{word} is neither a topic nor a keyword")
    padded = [d.ljust(DESCRIPTION_BYTES) for d, _ in entries]
    for word, head in heads.items():
        needle = word.encode("gbk")
        first = next(i for i, d in enumerate(padded) if needle in d)
        if first != head:
            fail(f"{word} lands on \"{padded[first].decode('gbk').rstrip()}\" (line {first + 1}), "
                 f"not on \"{padded[head].decode('gbk').rstrip()}\" (line {head + 1})")


def reference_page(entries, heads):
    """The command list as an HTML page."""
    names = {}
    for word, head in heads.items():
        names.setdefault(head, []).append(word)
    out = ["<!DOCTYPE html>", '<html lang="zh-CN"><head><meta charset="utf-8">',
           "<title>LaTeX 命令参考 - Varelo</title>",
           "<style>body{font-family:sans-serif;margin:2em}"
           "table{border-collapse:collapse}td{padding:2px 1em 2px 0;vertical-align:top}"
           "code{font-family:monospace}h2{margin-top:1.5em}"
           "nav a{margin-right:1em;white-space:nowrap}:target{background:#ffe680}</style>",
           "</head><body>", "<h1>LaTeX 命令参考</h1>",
           "<p>Varelo 的 TeX 命令助手所列的命令, 按主题分组. 每行左边是说明, 右边是插入的文本.</p>",
           "<nav>"]
    for head in sorted(names):
        out.append(f'<a href="#row-{head}">{html.escape(" ".join(names[head]))}</a>')
    out.append("</nav>")
    open_table = False
    for index, (description, text) in enumerate(entries):
        if index in names:
            if open_table:
                out.append("</table>")
            out.append(f"<h2>{html.escape(' '.join(names[index]))}</h2><table>")
            open_table = True
        elif not open_table:
            out.append("<table>")
            open_table = True
        out.append(f'<tr id="row-{index}"><td>{html.escape(description.decode("gbk"))}</td>'
                   f'<td><code>{html.escape(text.decode("gbk"))}</code></td></tr>')
    if open_table:
        out.append("</table>")
    out.append("</body></html>")
    return "\n".join(out) + "\n"


def lines_of(entries):
    return b"".join(d.ljust(DESCRIPTION_BYTES) + t + b"\r\n" for d, t in entries)


def main():
    check_only = sys.argv[1:] == ["--check"]
    page = sys.argv[2] if len(sys.argv) == 3 and sys.argv[1] == "--html" else None
    if sys.argv[1:] and not check_only and page is None:
        fail("usage: make_varelo_data.py [--check | --html FILE]")
    commands, heads = read_source(DATA / "tex-reference.txt")
    check(commands, heads)
    if page is not None:
        Path(page).write_text(reference_page(commands, heads), encoding="utf-8")
        return
    phrases, unwanted = read_source(DATA / "user-phrases.txt")
    if unwanted or len(phrases) > MAX_PHRASES:
        fail(f"user-phrases.txt: at most {MAX_PHRASES} phrases and no groups")
    for name, entries in (("tex.txt", commands), ("usermac.txt", phrases)):
        target, data = DATA / name, lines_of(entries)
        if check_only:
            if not target.exists() or target.read_bytes() != data:
                fail(f"{target} is not what its source gives; run make_varelo_data.py")
            continue
        target.write_bytes(data)
        print(f"{target}: {len(entries)} lines")


if __name__ == "__main__":
    main()
