#!/usr/bin/env python3
"""Plants one small fault at a time in the rules and zarb-headless, and sees whether the tests
catch it.

    tools/mutate.py BUILD_DIR [--count N] [--seed S] [--also FILE:LINE:OLD:NEW ...]

The faults are the ones a maintainer makes: a comparison turned (< and <=, > and >=, == and !=),
+ and - swapped, a whole number one off, & and | swapped, a statement deleted. They are drawn at
random (from a fixed seed) over game/*.cpp and headless/*.cpp; --also adds chosen ones.
Each is built in BUILD_DIR and the whole ctest suite is run there; a fault that does not compile
is not counted. Configure BUILD_DIR with -DZARB_ASSERTIONS=ON, as setup.sh does for the tests:
a text read one place past its end is then caught where it happens. The work tree is put back after every fault, even when interrupted.
"""

import argparse
import pathlib
import random
import os
import re
import signal
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = sorted(ROOT.glob("game/*.cpp")) + sorted(ROOT.glob("headless/*.cpp"))

# (what to find, what it becomes): binary operators are spaced by the formatter, so the spaces
# keep templates, arrows and shifts out.
SWAPS = [(" <= ", " < "), (" < ", " <= "), (" >= ", " > "), (" > ", " >= "), (" == ", " != "),
         (" != ", " == "), (" + ", " - "), (" - ", " + "), (" & ", " | "), (" | ", " & ")]
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
STATEMENT = re.compile(r"^\s+[\w.\[\]()>-]+(\s*[-+*/]?=\s*.+|\(.*\));$")


def sites(path):
    """Every fault that can be planted in one file, as (line index, old line, new line)."""
    found = []
    for index, line in enumerate(path.read_text().splitlines()):
        code = line.split("//")[0]
        stripped = code.strip()
        if not stripped or stripped.startswith(("#", "*", "/*", "static_assert")):
            continue
        for old, new in SWAPS:
            for match in re.finditer(re.escape(old), code):
                found.append((index, line, line[:match.start()] + new + line[match.end():]))
        for match in NUMBER.finditer(code):
            if code[:match.start()].count('"') % 2 == 0:
                bumped = str(int(match.group(1)) + 1)
                found.append((index, line, line[:match.start()] + bumped + line[match.end():]))
        if STATEMENT.match(code) and not stripped.startswith(("return", "const ", "auto ")):
            found.append((index, line, ""))
    return found


def run(command, timeout):
    try:
        return subprocess.run(command, cwd=ROOT, capture_output=True, text=True,
                              timeout=timeout).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def failing_tests(build, timeout):
    """The names of the tests that failed before the suite stopped."""
    # A planted fault may make a script loop for ever: 20 seconds is far beyond any test here.
    # One failure is enough to catch the fault, so the suite stops at the first.
    done = subprocess.run(["ctest", "--test-dir", str(build), "-j2", "--timeout", "20",
                           "--stop-on-failure", "-E", "^package\\."], cwd=ROOT,
                          capture_output=True, text=True,
                          timeout=timeout, env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
    names = re.findall(r"^\s*\d+ - (\S+) \(", done.stdout, re.MULTILINE)
    # A suite that failed without naming a test (no tests found, ctest itself broken) says
    # nothing about the fault: it must not pass for a fault that survived.
    if done.returncode != 0 and not names:
        sys.exit(f"ctest failed without naming a test:\n{done.stdout}{done.stderr}")
    return names


def try_mutant(build, path, index, new_line):
    original = path.read_text()
    lines = original.splitlines(keepends=True)
    lines[index] = new_line + "\n" if new_line else "\n"
    path.write_text("".join(lines))
    try:
        if not run(["cmake", "--build", str(build), "-j2"], 900):
            return None
        try:
            return failing_tests(build, 900)
        except subprocess.TimeoutExpired:
            return ["(the suite hung)"]
    finally:
        path.write_text(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("--count", type=int, default=70)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--also", action="append", default=[],
                        help="FILE:LINE:OLD:NEW, a chosen fault: OLD becomes NEW on LINE")
    args = parser.parse_args()
    # Stopped from outside, the planted fault still comes out again.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    build = pathlib.Path(args.build).resolve()

    chosen = []
    for chosen_fault in args.also:
        name, number, old, new = chosen_fault.split(":", 3)
        path = ROOT / name
        line = path.read_text().splitlines()[int(number) - 1]
        if old not in line:
            sys.exit(f"{name}:{number} has no {old!r}")
        chosen.append((path, int(number) - 1, line, line.replace(old, new, 1)))
    pool = [(path, *site) for path in SOURCES for site in sites(path)]
    random.Random(args.seed).shuffle(pool)

    killed = survived = 0
    for path, index, old, new in chosen + pool:
        if killed + survived >= args.count + len(chosen):
            break
        failures = try_mutant(build, path, index, new)
        if failures is None:
            continue
        where = f"{path.relative_to(ROOT)}:{index + 1}"
        change = f"{old.strip()}  =>  {new.strip() or '(deleted)'}"
        if failures:
            killed += 1
            print(f"killed   {where}  {change}  [{len(failures)}: {' '.join(failures[:4])}]")
        else:
            survived += 1
            print(f"SURVIVED {where}  {change}")
        sys.stdout.flush()
    # The last fault is out of the sources again; build them, so no program keeps it.
    run(["cmake", "--build", str(build), "-j2"], 900)
    total = killed + survived
    print(f"{killed} of {total} compiling faults caught ({100 * killed / max(total, 1):.0f} %)")


if __name__ == "__main__":
    main()
