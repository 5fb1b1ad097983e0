#!/usr/bin/env python3
"""Keeps the previewer's state in its document objects.

Fails when a source of previewer/ (the program's entry, shell/main.cpp,
aside) holds state of the process or a text of its own:
  - a static object held by a function (the accessor that hands out a
    reference to it is process-wide state under another name), or a
    static data member that is not const;
  - an object at namespace scope that is not const;
  - a text in both languages outside the catalogues (*_texts.h): a call
    of Tr(...), or a string with Chinese in it.

With --self-test it first checks itself on sources that must and must not
be found.
"""
import pathlib
import re
import sys

CATALOGUE = re.compile(r"_texts\.h$")
LEFT_OUT = {"shell/main.cpp"}


def strip(source):
    """The source without comments and preprocessor lines; each string or
    character literal becomes "" or '' (a string with Chinese in it: "#")."""
    out = []
    i = 0
    n = len(source)
    at_line_start = True
    while i < n:
        c = source[i]
        if at_line_start and c == "#":
            # A preprocessor line, with its continuations.
            while i < n and source[i] != "\n":
                i += 2 if source[i] == "\\" else 1
            continue
        if c == "/" and source.startswith("//", i):
            while i < n and source[i] != "\n":
                i += 1
            continue
        if c == "/" and source.startswith("/*", i):
            end = source.find("*/", i + 2)
            i = n if end < 0 else end + 2
            out.append(" ")
            continue
        if c == "R" and source.startswith('R"', i):
            delimiter_end = source.index("(", i)
            delimiter = source[i + 2:delimiter_end]
            end = source.index(")" + delimiter + '"', delimiter_end)
            body = source[delimiter_end + 1:end]
            out.append('"#"' if any(ord(ch) > 127 for ch in body) else '""')
            i = end + len(delimiter) + 2
            continue
        if c in "\"'":
            j = i + 1
            while j < n and source[j] != c:
                j += 2 if source[j] == "\\" else 1
            body = source[i + 1:j]
            if c == '"':
                out.append('"#"' if any(ord(ch) > 127 for ch in body) else '""')
            else:
                out.append("''")
            i = j + 1
            at_line_start = False
            continue
        out.append(c)
        if c == "\n":
            at_line_start = True
        elif not c.isspace():
            at_line_start = False
        i += 1
    return "".join(out)


def top_level(text):
    """text with everything inside parentheses, brackets and braces removed."""
    out = []
    depth = 0
    for c in text:
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
        elif depth == 0:
            out.append(c)
    return "".join(out)


def scope_kind(head):
    """What a brace opens, from the text before it."""
    flat = " ".join(head.split())
    if re.search(r"\bnamespace\b", flat) or flat.startswith('extern ""'):
        return "namespace"
    outer = top_level(flat)
    if re.search(r"\b(class|struct|union)\b", outer) and "=" not in outer and "(" not in flat.split(":")[0]:
        return "class"
    if re.search(r"\benum\b", outer):
        return "enum"
    if outer.rstrip().endswith("=") or (outer.strip() and "(" not in flat and
                                        not re.search(r"\b(else|do|try)\s*$", flat)):
        return "initializer"
    return "block"


def findings(source):
    """(line, what) for every piece of state or inline text in source."""
    text = strip(source)
    found = []
    line_of = lambda offset: text.count("\n", 0, offset) + 1

    for m in re.finditer(r"\bTr\s*\(", text):
        found.append((line_of(m.start()), "a text pair outside the catalogues"))
    for m in re.finditer(r'"#"', text):
        found.append((line_of(m.start()), "a Chinese text outside the catalogues"))

    scopes = []  # kinds of the open braces
    head_start = 0
    i = 0
    n = len(text)
    parens = 0
    while i < n:
        c = text[i]
        if c == "(":
            parens += 1
        elif c == ")":
            parens -= 1
        elif c == "{" and parens == 0:
            kind = scope_kind(text[head_start:i])
            if kind == "initializer":
                # Skip the initializer; the statement goes on after it.
                depth = 1
                i += 1
                while i < n and depth:
                    depth += {"{": 1, "}": -1}.get(text[i], 0)
                    i += 1
                continue
            scopes.append(kind)
            head_start = i + 1
        elif c == "}" and parens == 0:
            if scopes:
                scopes.pop()
            head_start = i + 1
        elif c == ";" and parens == 0:
            statement = " ".join(text[head_start:i].split())
            found.extend((line_of(head_start + len(text[head_start:i]) - len(text[head_start:i].lstrip())), what)
                         for what in judge(statement, scopes))
            head_start = i + 1
        elif c == ":" and parens == 0 and re.search(r"\b(public|private|protected)\s*$", text[head_start:i]):
            head_start = i + 1
        i += 1
    return found


def is_const(statement):
    return re.search(r"\b(const|constexpr)\b", top_level(statement)) is not None


def judge(statement, scopes):
    if not statement:
        return []
    in_block = "block" in scopes
    innermost = scopes[-1] if scopes else "namespace"
    if in_block:
        if re.match(r"(static|thread_local)\b(?!_)", statement) and not is_const(statement):
            return ["a static object held by a function"]
        return []
    if innermost == "class":
        if re.match(r"(inline\s+)?static\b(?!_)", statement) and not is_const(statement):
            outer = top_level(statement)
            if "(" not in statement.split("=")[0] or "=" in outer.split("(")[0]:
                return ["a static data member that is not const"]
        return []
    if innermost != "namespace":
        return []
    if re.match(r"(using|typedef|template|friend|static_assert|class|struct|union|enum|namespace|"
                r"extern\s+template|return)\b", statement):
        return []
    if re.search(r"\boperator\b", statement) or re.search(r"=\s*(default|delete)$", statement):
        return []
    outer = top_level(statement)
    before_equals = outer.split("=")[0]
    function_like = "(" in statement.split("=")[0] and "=" not in statement.split("(")[0]
    if function_like or not re.search(r"\w", before_equals):
        return []
    if is_const(statement):
        return []
    return ["an object at namespace scope that is not const"]


def scan(root):
    problems = []
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        relative = path.relative_to(root).as_posix()
        if relative in LEFT_OUT:
            continue
        source = path.read_text(encoding="utf-8")
        for line, what in findings(source):
            if "catalogues" in what and CATALOGUE.search(relative):
                continue
            problems.append(f"previewer/{relative}:{line}: {what}")
    return problems


MUST_FIND = {
    "accessor": "Options& CurrentOptions() {\n  static Options options;\n  return options;\n}\n",
    "global": "namespace mox {\nLanguage g_language = Language::English;\n}\n",
    "member": "struct Counter {\n  static int count;\n};\n",
    "pair": 'void Say() { ShowError(Tr("\u975e\u6cd5", "Invalid")); }\n',
    "chinese": 'const char* Title() { return "\u9884\u89c8"; }\n',
}
MUST_PASS = (
    "namespace mox {\n"
    "namespace {\n"
    "constexpr int kLimit = 4;\n"
    "const char* const kName = \"x\";\n"
    "struct Row {\n  int Width = 0;\n  static constexpr int kMax = 9;\n"
    "  static int Clamp(int v) { return v; }\n  Row() = default;\n};\n"
    "}  // namespace\n"
    "inline constexpr Bilingual kOk{\"x\", \"OK\"};\n"
    "int Draw(Row& row, int n);\n"
    "class View {\n public:\n  explicit View(int n) : n_(n) {}\n"
    "  int Get() const { static const int twice = 2; return n_ * twice; }\n"
    " private:\n  int n_;\n};\n"
    "int Draw(Row& row, int n) {\n  std::vector<int> v{1, 2};\n  if (n) { return v[0]; }\n"
    "  auto f = [&](int k) { return k + n; };\n  return f(row.Width);\n}\n"
    "enum class Kind { A, B };\n"
    "}  // namespace mox\n"
)


def self_test():
    ok = True
    for name, source in MUST_FIND.items():
        if not findings(source):
            print(f"self-test: the {name} case is not found")
            ok = False
    for line, what in findings(MUST_PASS):
        print(f"self-test: found {what} at line {line} of a clean source")
        ok = False
    return ok


def main(arguments):
    if "--self-test" in arguments and not self_test():
        return 1
    root = pathlib.Path(arguments[-1]) / "previewer"
    problems = scan(root)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} places hold process state or texts outside the catalogues")
        return 1
    print("previewer/: no process state, every text in a catalogue")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
