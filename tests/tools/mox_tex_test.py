"""Chinese documents through the whole tool chain: mox converts a .ctx
source, TeX (plain and LaTeX) typesets it with the macros of tex/mox/ and
the metrics of tools/mox/make-ccfnt-tfm.py, and moxrender reads the DVI file
back as the previewer does: its Chinese characters must be those of the
source, in the faces chosen, and lines must break as Chinese text breaks.

    mox_tex_test.py MOX MOXRENDER REPO_DIR

Exits with 77 (skipped) when TeX is not installed.
"""

import collections
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

MOX = MOXRENDER = ROOT = ""
FIRST_LEVEL, SECOND_LEVEL = 15 * 94, 55 * 94  # the code boundaries
CLOSING = set("，。、；：？！）」』》”’〕〉】")
OPENING = set("（「『《“‘〔〈【")


def codes(text):
    """The (B1, B2) pairs of the Chinese characters of a text."""
    return [(b[0] - 128, b[1] - 128) for b in (c.encode("gb2312") for c in text if ord(c) > 127)]


def character(pair):
    return bytes([pair[0] + 128, pair[1] + 128]).decode("gb2312")


class Document:
    """A .ctx source typeset in a folder of its own."""

    def __init__(self, work, name, source, engine, runs=1):
        self.work = work
        path = os.path.join(work, name + ".ctx")
        with open(path, "w", encoding="utf-8") as f:
            f.write(source)
        converted = subprocess.run([MOX, name], cwd=work, capture_output=True, timeout=60)
        assert converted.returncode == 0, converted.stderr
        env = dict(os.environ, TEXINPUTS=os.path.join(ROOT, "tex", "mox") + ":",
                   TFMFONTS=os.path.join(work, "tfm") + ":", MKTEXTFM="0", MKTEXPK="0")
        for _ in range(runs):
            typeset = subprocess.run([engine, "-interaction=batchmode", "-halt-on-error",
                                      name + ".tex"], cwd=work, env=env, capture_output=True,
                                     timeout=120)
            with open(os.path.join(work, name + ".log"), encoding="latin-1") as f:
                self.log = f.read()
            assert typeset.returncode == 0, self.log[-3000:]
        self.dvi = os.path.join(work, name + ".dvi")

    def moxrender(self, *args):
        fixtures = os.path.join(ROOT, "tests", "fixtures")
        result = subprocess.run([MOXRENDER, *args, "-P" + os.path.join(fixtures, "pk", "dpi$d"),
                                 "-I" + os.path.join(self.work, "hz"), self.dvi],
                                capture_output=True, timeout=120)
        assert result.returncode == 0, result.stderr
        return result.stdout.decode().splitlines()

    def characters(self):
        """(B1, B2, ziti letter or None for the symbols, x, y) of every
        Chinese character, in the order of the DVI file."""
        found = []
        for line in self.moxrender("--items"):
            fields = line.split()
            if fields[0] != "ItemChineseChar":
                continue
            x, y, slot, index = int(fields[3]), int(fields[4]), int(fields[6]), int(fields[7])
            ziti = None
            if slot == 1:
                code = index
            else:
                ziti = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ"[slot // 2]
                code = index + (FIRST_LEVEL if slot % 2 == 0 else SECOND_LEVEL)
            found.append((code // 94 + 33, code % 94 + 33, ziti, x, y))
        return found


def setUpModule():
    global WORK
    WORK = tempfile.mkdtemp(prefix="mox-tex-")
    subprocess.run([sys.executable, os.path.join(ROOT, "tools", "mox", "make-ccfnt-tfm.py"),
                    "--package", os.path.join(WORK, "tfm")], check=True)
    # Chinese font files for every ziti: the fixtures' (their glyphs do not
    # matter here, only the codes and slots of the characters).
    hz = os.path.join(ROOT, "tests", "fixtures", "hzfonts")
    os.makedirs(os.path.join(WORK, "hz"))
    for name in os.listdir(hz):
        if name.startswith("uc") or name in ("umsym2.hzf", "uml1t1.hzf", "uml2t1.hzf"):
            shutil.copy(os.path.join(hz, name), os.path.join(WORK, "hz"))
    with open(os.path.join(WORK, "hz", "ccfonts.def"), "w") as f:
        # Slot 0 serves the first level of the user font "@".
        f.write("uml1t1.hzf 1.0\numsym2.hzf 1.0\n" + "uml1t1.hzf 1.0\numl2t1.hzf 1.0\n" * 26)


def tearDownModule():
    shutil.rmtree(WORK, ignore_errors=True)


def folder(name):
    path = os.path.join(WORK, name)
    os.makedirs(path)
    for entry in ("tfm", "hz"):
        os.symlink(os.path.join(WORK, entry), os.path.join(path, entry))
    return path


class PlainTeX(unittest.TestCase):
    # Lines hold ten characters: each paragraph has a closing mark as its
    # eleventh character or an opening one as its tenth, and the last one
    # is broken between two characters in the source.
    PARAGRAPHS = [
        "春眠不觉晓处处闻啼鸟，夜来风雨声花落知多少。",
        "床前明月光疑是地上霜」举头望明月低头思故乡。",
        "白日依山尽黄河入海“流欲穷千里目”更上一层楼。",
        "红豆生南国春来发几枝。愿君多采撷\n此物最相思。",
    ]

    @classmethod
    def setUpClass(cls):
        body = "\n\n".join(cls.PARAGRAPHS)
        source = ("\\input moxplain\n\\hsize=100.5pt \\parindent=0pt \\tolerance=10000 "
                  "\\hbadness=10000 \\nopagenumbers\n"
                  f"{body}\n\n"
                  "{\\heiti 黑体}宋体{\\kaishu 楷书}{\\fangsong 仿宋}{\\biaosong 标宋}"
                  "\\ziti{K}楷 English \\ziti{@}用户\n\\bye\n")
        cls.faces = "A" * len(codes(body)) + "BBAACCDDEEK@@"
        cls.text = body + "黑体宋体楷书仿宋标宋楷用户"
        cls.document = Document(folder("plain"), "plain", source, "tex")
        cls.found = cls.document.characters()

    def test_every_character_of_the_source_in_its_face(self):
        self.assertEqual([f[:2] for f in self.found], codes(self.text))
        for (b1, b2, ziti, _, _), face in zip(self.found, self.faces):
            if ziti is not None:  # the symbols have one slot for all faces
                self.assertEqual(ziti, face, character((b1, b2)))

    def test_lines_break_between_characters_but_not_at_the_marks(self):
        lines = collections.defaultdict(list)
        for b1, b2, _, x, y in self.found[:len(codes("".join(self.PARAGRAPHS)))]:
            lines[y].append((x, character((b1, b2))))
        self.assertGreaterEqual(len(lines), 8)
        for y, line in sorted(lines.items()):
            text = "".join(c for _, c in sorted(line))
            self.assertLessEqual(len(text), 10, text)
            self.assertNotIn(text[0], CLOSING, text)
            self.assertNotIn(text[-1], OPENING, text)
        # The line break in the source between two characters is no space:
        # the characters of a line stand about one width apart.
        for line in lines.values():
            xs = sorted(x for x, _ in line)
            # 83 pixels a character at 600 dpi, some stretch; a space is 28 more.
            self.assertLessEqual(max(b - a for a, b in zip(xs, xs[1:])), 83 + 20)
        self.assertNotIn("Overfull", self.document.log)


def dvi_characters(dvi, work):
    """The Chinese characters of a DVI file as TeX set them, read by dvitype:
    (character, font name, h) in the order of the file, a ccfnt pair by its
    GB 2312 code, a moxuc pair by its Unicode value."""
    env = dict(os.environ, TFMFONTS=os.path.join(work, "tfm") + ":")
    out = subprocess.run(["dvitype", dvi], capture_output=True, timeout=60, env=env,
                         check=True).stdout.decode("latin-1")
    fonts, font, first, found = {}, None, None, []
    for line in out.splitlines():
        if m := re.match(r"\d+: fntdef1 (\d+): (\S+)", line):
            fonts[m.group(1)] = m.group(2)
        elif m := re.match(r"\d+: fntnum(\d+) ", line):
            font = fonts[m.group(1)]
        elif m := re.match(r"\d+: (?:setchar|set1 )(\d+) h:=(-?\d+)", line):
            if not font or not font.startswith(("ccfnt", "moxuc")):
                continue
            if first is None:
                first = (int(m.group(1)), int(m.group(2)))
                continue
            b1, b2 = first[0], int(m.group(1))
            text = (character((b1, b2)) if font.startswith("ccfnt")
                    else chr(b1 * 256 + b2))
            found.append((text, font, first[1]))
            first = None
    return found


class BeyondGb2312(unittest.TestCase):
    # Names GB 2312 lacks (镕 堃 琦 旻 喆 昇 from GBK, 㐀 from Extension A, a
    # compatibility ideograph) among GB 2312 characters, ten to a line.
    TEXT = "朱镕基王堃李琦张旻陈喆赵昇㐀\uf900中文字" + "汉字" * 6

    def test_they_take_their_place_width_and_face_like_gb_2312_characters(self):
        source = ("\\input moxplain\n\\hsize=100.5pt \\parindent=0pt \\tolerance=10000 "
                  "\\hbadness=10000 \\nopagenumbers\n\\heiti " + self.TEXT + "\n\\bye\n")
        work = folder("beyond")
        document = Document(work, "beyond", source, "tex")
        found = dvi_characters(document.dvi, work)
        self.assertEqual("".join(c for c, _, _ in found), self.TEXT)
        for text, font, _ in found:
            gb2312 = True
            try:
                text.encode("gb2312")
            except UnicodeEncodeError:
                gb2312 = False
            self.assertEqual(font, ("ccfntB10" if gb2312 else "moxucB10"), text)
        # Each character one width (10pt, and the stretch of a justified
        # line) on from the one before, ten to a line.
        lines = [[]]
        for _, _, h in found:
            if lines[-1] and h < lines[-1][-1]:
                lines.append([])
            lines[-1].append(h)
        self.assertEqual([len(line) for line in lines], [10, 10, 10])
        steps = {b - a for line in lines for a, b in zip(line, line[1:])}
        self.assertTrue(all(655360 <= step < 655360 * 1.01 for step in steps), steps)
        # moxrender draws each of them with ink in its cell: GB 2312 from the
        # fixtures' fonts, the rest from the fonts of their Unicode ranges.
        # An empty box has ink on its frame only, so its inside is what counts.
        document.moxrender("--no-frame", "-B1in:1in", "--out", os.path.join(work, "page-%d.png"))
        pgm = os.path.join(work, "page.pgm")
        subprocess.run(["convert", os.path.join(work, "page-1.png"), "-colorspace", "Gray",
                        "-depth", "8", "pgm:" + pgm], check=True, timeout=60)
        with open(pgm, "rb") as f:
            _, width, _, _, pixels = f.read().split(maxsplit=4)
        width = int(width)
        margin = 600  # an inch at the fixtures' 600 dpi: the items' origin
        for line in document.moxrender("--items"):
            if not line.startswith("ItemChineseChar"):
                continue
            w, h, x, y = (int(v) for v in line.split()[1:5])
            inside = (pixels[(margin + y + v) * width + margin + x + u]
                      for u in range(w // 8, w - w // 8, 2) for v in range(h // 8, h - h // 8, 2))
            self.assertTrue(any(p < 128 for p in inside), line)


class LaTeX(unittest.TestCase):
    # A text of several short pages in Hei, with a head line and a float in
    # Song between its lines.
    BODY = "正文在表格以后仍是黑体" + "一行又一行" * 60 + "直到这一段结束为止"
    SOURCE = r"""\documentclass{article}
\usepackage{mox}
\makeatletter
\renewcommand\section{\@startsection{section}{1}{\z@}{1ex}{1ex}{\normalfont\bfseries}}
\makeatother
\textheight=12\baselineskip
\pagestyle{myheadings}
\begin{document}
\markright{\songti 书名}
\tableofcontents
\section{简介}
\heiti 正文是黑体。\begin{table}[t]\songti 表中宋体\caption{格}\end{table}
""" + BODY + r"""，今天是\today。
{\large 大字}
\end{document}
"""

    @classmethod
    def setUpClass(cls):
        cls.document = Document(folder("latex"), "latex", cls.SOURCE, "latex", runs=2)
        cls.found = cls.document.characters()

    def by_face(self, ziti):
        return collections.Counter(character(f[:2]) for f in self.found if f[2] == ziti)

    def test_characters_faces_and_chinese_names(self):
        # Song: the contents (目录 and the entry 简介), the heading, the table
        # and its caption 表 (\tablename), the head line of every page but
        # the first; Hei: the text and the date's 年月日, drawn in Hei again
        # after every head line and float between its lines.
        song = self.by_face("A")
        heads = song.pop("书")
        self.assertGreaterEqual(heads, 2)
        self.assertEqual(song.pop("名"), heads)
        self.assertEqual(song, collections.Counter("目录简介简介表中宋体表格"))
        self.assertEqual(self.by_face("B"),
                         collections.Counter("正文是黑体" + self.BODY + "今天是大字年月日"))
        symbols = "".join(character(f[:2]) for f in self.found if f[2] is None)
        self.assertEqual(collections.Counter(symbols), collections.Counter("。，。"))

    def test_sizes_follow_the_text(self):
        sizes = {line.split()[4] for line in self.document.moxrender("--info")
                 if line.startswith("chinese ")}
        self.assertEqual(sizes, {"655360", "786432"})  # 10pt text, \large 12pt


if __name__ == "__main__":
    MOX, MOXRENDER, ROOT = (os.path.abspath(a) for a in sys.argv[1:4])
    del sys.argv[1:4]
    if not (shutil.which("tex") and shutil.which("latex")):
        print("TeX is not installed: skipped (tools/install-packages.sh tex)")
        sys.exit(77)
    unittest.main(verbosity=2)
