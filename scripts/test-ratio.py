#!/usr/bin/env python3
"""Counts the non-blank, non-comment lines of the tests (C++ and console scripts) against the code's.

Prints "code tests percent". With --max PERCENT it fails (exit 1) when the tests are above that share,
so the tests stay a fraction of the code as both grow.
"""
import argparse
import pathlib
import sys

CODE_FOLDERS = ("src", "formats", "qt", "apps")
TEST_FOLDERS = ("tests",)


def counted_lines(path):
    """Lines that hold code: neither blank nor only a // or /* */ comment."""
    count = 0
    in_block = False
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        text = line.strip()
        if in_block:
            in_block = "*/" not in text
            continue
        if not text or text.startswith("//"):
            continue
        if text.startswith("/*"):
            in_block = "*/" not in text
            continue
        count += 1
    return count


def script_lines(path):
    """Lines of a console script that the console runs: neither blank nor a # comment."""
    return sum(1 for line in path.read_text(encoding="utf-8", errors="replace").splitlines()
               if line.strip() and not line.strip().startswith("#"))


def lines_under(root, folders, scripts=False):
    total = 0
    for folder in folders:
        for path in (root / folder).rglob("*"):
            if not path.is_file():
                continue
            if path.suffix in (".cpp", ".h"):
                total += counted_lines(path)
            elif scripts and path.suffix == ".in":
                total += script_lines(path)
    return total


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root", nargs="?", default=pathlib.Path(__file__).resolve().parent.parent,
                        type=pathlib.Path, help="the project folder (default: this script's project)")
    parser.add_argument("--max", type=float, help="fail when the tests exceed this percentage of the code")
    args = parser.parse_args()
    code = lines_under(args.root, CODE_FOLDERS)
    tests = lines_under(args.root, TEST_FOLDERS, scripts=True)
    percent = round(100 * tests / code, 1) if code else 0.0
    print(code, tests, percent)
    if args.max is not None and percent > args.max:
        print(f"tests are {percent}% of the code, more than {args.max}%: merge or remove tests",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
