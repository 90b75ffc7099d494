#!/usr/bin/env python3
"""Seeded mutation run over the rules without Qt: how many small faults the tests catch.

Each mutant changes one site (a flipped comparison, a bound moved by one, && for ||, an early
return dropped, two arguments of a write swapped), rebuilds incrementally, runs ctest with a
timeout and restores the file. A mutant that does not compile is not counted.

    scripts/mutants.py BUILD_DIR [--mutants N] [--seed S] [--timeout SECONDS]
"""
import argparse
import pathlib
import random
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
FOLDERS = ["platform", "common", "client", "admin"]
SKIPPED_PARTS = {"ui", "app", "robot"}

# (name, pattern, replacement): each match on a line is one site.
OPERATORS = [
    ("<= to <", re.compile(r"(?<=\s)<=(?=\s)"), "<"),
    ("< to <=", re.compile(r"(?<=\s)<(?=\s)"), "<="),
    (">= to >", re.compile(r"(?<=\s)>=(?=\s)"), ">"),
    ("> to >=", re.compile(r"(?<=\s)>(?=\s)"), ">="),
    ("== to !=", re.compile(r"(?<=\s)==(?=\s)"), "!="),
    ("!= to ==", re.compile(r"(?<=\s)!=(?=\s)"), "=="),
    ("&& to ||", re.compile(r"(?<=\s)&&(?=\s)"), "||"),
    ("|| to &&", re.compile(r"(?<=\s)\|\|(?=\s)"), "&&"),
    ("+ 1 to - 1", re.compile(r"(?<=\s)\+ 1\b"), "- 1"),
    ("- 1 to + 1", re.compile(r"(?<=\s)- 1\b"), "+ 1"),
    ("early return dropped", re.compile(r"^(\s*if \(.*\)) return\b[^;]*;\s*$"), r"\1 {}"),
    ("write arguments swapped", re.compile(r"\b(write\w*)\((\w+), (\w+)\)"), r"\1(\3, \2)"),
]


def source_files():
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).rglob("*.cpp")):
            if SKIPPED_PARTS.isdisjoint(path.relative_to(ROOT).parts[:-1]):
                yield path


def sites():
    found = []
    for path in source_files():
        for number, line in enumerate(path.read_text(encoding="utf-8").split("\n"), 1):
            code = line.split("//")[0]
            if not code.strip() or code.lstrip().startswith(("#", "*", "/*")) or '"' in code:
                continue
            for name, pattern, replacement in OPERATORS:
                for match in pattern.finditer(code):
                    found.append((path, number, match.start(), name, pattern, replacement))
    return found


def mutate(line, start, pattern, replacement):
    match = pattern.search(line, start)
    return line[: match.start()] + match.expand(replacement) + line[match.end():]


def run(command, timeout=None):
    try:
        return subprocess.run(command, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--mutants", type=int, default=20)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--timeout", type=int, default=300)
    args = parser.parse_args()
    build = str(pathlib.Path(args.build).resolve())

    if run(["cmake", "--build", build]) != 0:
        sys.exit("mutants: the unmutated tree does not build")
    candidates = sites()
    chosen = random.Random(args.seed).sample(candidates, min(args.mutants, len(candidates)))
    killed, survived, stillborn = 0, [], 0
    for path, number, start, name, pattern, replacement in chosen:
        original = path.read_text(encoding="utf-8")
        lines = original.split("\n")
        lines[number - 1] = mutate(lines[number - 1], start, pattern, replacement)
        where = f"{path.relative_to(ROOT)}:{number} {name}"
        try:
            path.write_text("\n".join(lines), encoding="utf-8")
            if run(["cmake", "--build", build]) != 0:
                stillborn += 1
                print(f"  not compiled: {where}", flush=True)
                continue
            result = run(["ctest", "--test-dir", build, "-j2", "--stop-on-failure", "--timeout",
                          str(args.timeout)], timeout=args.timeout * 4)
            if result != 0:
                killed += 1
                print(f"  killed: {where}", flush=True)
            else:
                survived.append(where)
                print(f"  survived: {where}", flush=True)
        finally:
            path.write_text(original, encoding="utf-8")
    run(["cmake", "--build", build])
    total = killed + len(survived)
    print(f"mutants: {killed} killed / {total} ({len(survived)} survived: {'; '.join(survived)})"
          + (f"; {stillborn} did not compile" if stillborn else ""))


if __name__ == "__main__":
    main()
