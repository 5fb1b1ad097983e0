#!/usr/bin/env python3
"""Writes the tables of GB18030 that GBK lacks: its four-byte codes for the
Basic Multilingual Plane (the characters without a one- or two-byte code
take the four-byte codes in order, so the table needs only where a run of
consecutive characters starts), and its two-byte codes that a system's
code page 936 may not have (the user-defined areas and the characters GB
18030 added to GBK's last rows), as runs of consecutive characters on
consecutive codes of one row. Python's own gb18030 codec is the source.

    tools/make-gb18030-ranges.py > platform/gb18030_ranges.h
"""


def linear(code: bytes) -> int:
    return (((code[0] - 0x81) * 10 + (code[1] - 0x30)) * 126 + (code[2] - 0x81)) * 10 + (
        code[3] - 0x30)


def print_table(declaration: str, items: list[str]) -> None:
    """A constant array of the items, as many to a line as fit."""
    print(f"inline constexpr {declaration}[{len(items)}] = {{")
    line = " "
    for item in items:
        if len(line) + len(item) + 2 > 98:
            print(line)
            line = " "
        line += f" {item},"
    print(line)
    print("};")


def main() -> None:
    starts = []
    previous = None
    for character in range(0x80, 0x10000):
        if 0xD800 <= character <= 0xDFFF:
            continue
        code = chr(character).encode("gb18030")
        if len(code) != 4:
            continue
        index = linear(code)
        if previous is None or previous != (character - 1, index - 1):
            starts.append((character, index))
        previous = (character, index)
    pairs = []
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            code = bytes([lead, trail])
            try:
                character = ord(code.decode("gb18030"))
            except UnicodeDecodeError:
                continue
            try:
                known = code.decode("cp936") == chr(character)
            except UnicodeDecodeError:
                known = False
            if known:
                continue
            last = pairs[-1] if pairs else None
            if (last and last[1] >> 8 == lead and last[0] + last[2] == character and
                    (last[1] & 0xFF) + last[2] + (1 if (last[1] & 0xFF) < 0x7F <= (
                        last[1] & 0xFF) + last[2] else 0) == trail):
                pairs[-1] = (last[0], last[1], last[2] + 1)
            else:
                pairs.append((character, lead << 8 | trail, 1))
    print("// Made by tools/make-gb18030-ranges.py. kGb18030Runs: where each run of")
    print("// consecutive characters with four-byte GB18030 codes starts, as (first")
    print("// character, its linear four-byte index); every index up to")
    print("// kBmpFourByteCodes belongs to one run. kGb18030PairRuns: two-byte codes")
    print("// a system's GBK may lack, as (first character, first code, count) on")
    print("// consecutive trail bytes of one row (0x7F is no trail byte).")
    print("#pragma once")
    print()
    print("#include <cstdint>")
    print()
    print("namespace mox::platform {")
    print()
    print("struct Gb18030Run {")
    print("  char16_t First;")
    print("  std::uint16_t Index;")
    print("};")
    print()
    print(f"inline constexpr unsigned kBmpFourByteCodes = {previous[1] + 1};")
    print_table("Gb18030Run kGb18030Runs", [f"{{0x{c:04X}, {i}}}" for c, i in starts])
    print()
    print("struct Gb18030PairRun {")
    print("  char16_t First;")
    print("  std::uint16_t Code;")
    print("  std::uint16_t Count;")
    print("};")
    print()
    print_table("Gb18030PairRun kGb18030PairRuns",
                [f"{{0x{c:04X}, 0x{code:04X}, {n}}}" for c, code, n in pairs])
    print()
    print("}  // namespace mox::platform")


if __name__ == "__main__":
    main()
