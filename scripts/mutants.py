#!/usr/bin/env python3
"""Mutants of the code that turns page values into bytes and delays.

  mutants.py list [--area A] [--sample N] [--seed S]   one mutant a line (TSV)
  mutants.py apply ID                                  writes mutant ID into its file
  mutants.py list --plan                               the run's own list (PLAN below)
  mutants.py list --survivors RESULTS.tsv              the survivors of an earlier run
  mutants.py areas                                     area, files, tests
  mutants.py score RESULTS.tsv                         score per area, as a markdown table
  mutants.py alone RESULTS.tsv BUILD                   test functions that killed no mutant alone

Each mutant changes one token on one line: an operator, an integer constant
by one, a comparison bound, an index by one, a rounding function, a boolean,
or removes one call statement. Comments, strings and logging lines are left
alone; mutants that give the same file twice are listed once.
"""
import hashlib
import random
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# area: files mutated, then the tests that hold them, likeliest killer first.
# A C++ test is a CTest executable; "qml:FILE" is one Qt Quick Test file.
AREAS = {
    "codec": (["src/device/FrameCodec.cpp", "src/device/Hid_Thread_codec.cpp"],
              ["tst_framecodec", "tst_linkframes", "tst_checkdevice", "tst_detection"]),
    "transport": (["src/device/Hid_Thread_transport.cpp"],
                  ["tst_linkframes", "tst_faultsweep", "tst_linkobject", "tst_checkdevice",
                   "tst_listener"]),
    "commands": (["src/device/Hid_Thread_commands.cpp"],
                 ["tst_linkframes", "tst_faultsweep", "tst_checkdevice", "tst_backend_sensor",
                  "tst_backend_lighting", "tst_backend_gunmacro_device"]),
    "keymatrix": (["src/backend/myQQuickView_keyMatrix.cpp"],
                  ["tst_backend_keymatrix", "tst_backend_gunmacro_device"]),
    "sensor": (["src/backend/SensorEncoding.cpp", "src/backend/myQQuickView_sensor.cpp"],
               ["tst_backend_sensor", "tst_backend_lighting", "tst_backend_keymatrix"]),
    "lighting": (["src/backend/LightingEffect.cpp"], ["tst_backend_lighting"]),
    "gun": (["src/backend/myQQuickView_gun.cpp"],
            ["tst_backend_gunlang", "tst_backend_gunmacro_device", "tst_backend_writefailures"]),
    "macro": (["src/backend/myQQuickView_macros.cpp"],
              ["tst_backend_macros", "tst_backend_gunmacro_device"]),
    "pointer": (["src/backend/myQQuickView_pointer.cpp"], ["tst_pointerslots"]),
    "js-dpi": (["qml/J2/DpiLogic.js"], ["qml:tst_dpisetting.qml"]),
    "js-hue": (["qml/J2/LightLogic.js"], ["qml:tst_lightcontrol.qml"]),
    "js-macro": (["qml/J2/MacroLogic.js"], ["qml:tst_macroeditor.qml"]),
    "js-gun": (["qml/J2/GunLogic.js"], ["qml:tst_gun.qml"]),
    "js-pointer": (["qml/J2/SystemLogic.js"], ["qml:tst_systemsetting.qml"]),
    "js-slider": (["qml/J2/SliderLogic.js"], ["qml:tst_controls.qml"]),
}

# The full run's list: this many mutants per area, drawn with the fixed seed
# and spread over the kinds of mutation, so that the run fits in well under
# an hour on two shared cores (about 17 s a mutant).
PLAN = {"codec": 10, "transport": 10, "commands": 12, "keymatrix": 12, "sensor": 10,
        "lighting": 8, "gun": 8, "macro": 8, "pointer": 4, "js-dpi": 7, "js-hue": 7,
        "js-macro": 7, "js-gun": 5, "js-pointer": 4, "js-slider": 4}

# Lines whose mutants no one can observe or that only log.
SKIP_LINE = re.compile(r"^\s*(#|\.pragma|\.import)|qDebug|qWarning|console\.|Q_ASSERT|"
                       r"static_assert|^\s*(namespace|using|case .*:\s*$)")

SWAPS = [
    (" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "),
    (" == ", " != "), (" != ", " == "), (" === ", " !== "), (" !== ", " === "),
    (" + ", " - "), (" - ", " + "), (" * ", " / "), (" / ", " * "), (" % ", " * "),
    (" << ", " >> "), (" >> ", " << "), (" & ", " | "), (" | ", " & "), (" ^ ", " | "),
    (" && ", " || "), (" || ", " && "), (" += ", " -= "), (" -= ", " += "),
    ("++", "--"), ("--", "++"),
]
WORDS = [
    ("Math.round", "Math.floor"), ("Math.floor", "Math.ceil"), ("Math.ceil", "Math.floor"),
    ("Math.trunc", "Math.round"), ("qRound", "qFloor"), ("std::round", "std::floor"),
    ("std::floor", "std::ceil"), ("std::ceil", "std::floor"), ("true", "false"),
    ("false", "true"), ("Math.min", "Math.max"), ("Math.max", "Math.min"),
    ("qMin", "qMax"), ("qMax", "qMin"), ("std::min", "std::max"), ("std::max", "std::min"),
]
NUMBER = re.compile(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)(?![\w.])")
INDEX = re.compile(r"\[([^\[\]]+)\]")
CALL_STATEMENT = re.compile(r"^(\s*)(?!return\b|if\b|for\b|while\b|else\b|switch\b)"
                            r"[\w:]+(\.|->)?[\w.>-]*\(.*\);\s*$")


def mask(line, in_block):
    """The line with comments and string contents blanked (same length)."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if in_block:
            if line.startswith("*/", i):
                in_block = False
                out.append("  ")
                i += 2
                continue
            out.append(" ")
        elif quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(c if c == quote else " ")
            if c == quote:
                quote = None
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        elif line.startswith("/*", i):
            in_block = True
            out.append("  ")
            i += 2
            continue
        elif c in "\"'":
            quote = c
            out.append(c)
        else:
            out.append(c)
        i += 1
    return "".join(out)[: len(line)], in_block


def bumped(token, delta):
    value = int(token, 0) + delta
    if value < 0:
        return None
    return hex(value) if token.lower().startswith("0x") else str(value)


def line_mutants(code):
    """(column, original, replacement, kind) of one masked line."""
    found = []
    for old, new in SWAPS:
        for m in re.finditer(re.escape(old), code):
            col = m.start()
            if old in ("++", "--") and (code[col - 1:col] in "+-" or code[col + 2:col + 3] in "+-="):
                continue
            if old.strip() in ("<", ">") and re.search(r"\w$", code[:col]) is None and \
                    code[:col].rstrip().endswith(("<", ">")):
                continue
            found.append((col, old, new, "operator"))
    for old, new in WORDS:
        for m in re.finditer(r"(?<![\w.:])" + re.escape(old) + r"(?!\w)", code):
            found.append((m.start(), old, new, "rounding" if "true" not in old + new and
                          "false" not in old + new else "boolean"))
    for m in NUMBER.finditer(code):
        for delta in (1, -1):
            new = bumped(m.group(1), delta)
            if new is not None:
                found.append((m.start(), m.group(1), new, "constant"))
    for m in INDEX.finditer(code):
        inner = m.group(1)
        if NUMBER.fullmatch(inner.strip()) or not inner.strip():
            continue
        if re.search(r"\w\s*$", code[: m.start()]) is None:
            continue  # an array literal, not an index
        found.append((m.start() + 1, inner, inner + " + 1", "index"))
    if CALL_STATEMENT.match(code):
        indent = len(code) - len(code.lstrip())
        stmt = code.strip()
        found.append((indent, stmt, "{}", "remove-call"))
    return found


def file_mutants(area, rel):
    path = ROOT / rel
    lines = path.read_text().split("\n")
    seen, result, in_block = set(), [], False
    for no, line in enumerate(lines, 1):
        code, in_block = mask(line, in_block)
        if not code.strip() or SKIP_LINE.search(line):
            continue
        for col, old, new, kind in line_mutants(code):
            mutated = line[:col] + new + line[col + len(old):]
            digest = hashlib.sha1(f"{rel}:{no}:{mutated}".encode()).hexdigest()
            if mutated == line or digest in seen:
                continue
            seen.add(digest)
            ident = f"{area}:{rel}:{no}:{col}:{kind}:{digest[:6]}"
            result.append((ident, area, rel, no, kind, line.strip(), mutated.strip(), old, new, col))
    return result


def all_mutants(area_filter=None):
    out = []
    for area, (files, _tests) in AREAS.items():
        if area_filter and not re.fullmatch(area_filter, area):
            continue
        for rel in files:
            out.extend(file_mutants(area, rel))
    return out


def spread(mutants, count, rng):
    """count mutants drawn in turn from each kind, so no kind crowds out the rest."""
    by_kind = {}
    for m in mutants:
        by_kind.setdefault(m[4], []).append(m)
    for group in by_kind.values():
        rng.shuffle(group)
    chosen, kinds = [], sorted(by_kind)
    while len(chosen) < count and any(by_kind.values()):
        for kind in kinds:
            if by_kind[kind] and len(chosen) < count:
                chosen.append(by_kind[kind].pop())
    return chosen


def score(results):
    rows = [line.split("\t") for line in Path(results).read_text().splitlines()[1:] if line]
    print("| area | mutants | killed | survived | did not build | score |")
    print("|---|---:|---:|---:|---:|---:|")
    total = {"killed": 0, "survived": 0, "no-build": 0}
    for area in AREAS:
        mine = [r for r in rows if r[1] == area]
        if not mine:
            continue
        killed = sum(r[5] in ("killed", "timeout") for r in mine)
        survived = sum(r[5] == "survived" for r in mine)
        broken = sum(r[5] == "no-build" for r in mine)
        total["killed"] += killed
        total["survived"] += survived
        total["no-build"] += broken
        rate = f"{100 * killed // max(1, killed + survived)} %"
        print(f"| {area} | {len(mine)} | {killed} | {survived} | {broken} | {rate} |")
    k, s = total["killed"], total["survived"]
    print(f"| all | {len(rows)} | {k} | {s} | {total['no-build']} | {100 * k // max(1, k + s)} % |")


def test_functions(test, build):
    """The test functions of one test program or Qt Quick Test file."""
    if test.startswith("qml:"):
        text = (ROOT / "tests/qml" / test[4:]).read_text()
        return sorted(set(re.findall(r"function (test_\w+?)(?:_data)?\(", text)))
    import subprocess
    out = subprocess.run([str(Path(build) / "bin" / test), "-functions"], capture_output=True,
                         text=True, env={"QT_QPA_PLATFORM": "offscreen"}).stdout
    return [f.rstrip("()") for f in out.split() if f.endswith("()")]


def alone(results, build):
    """Per test program that killed: its functions that never failed alone.

    Only the first failing program of an area is recorded, so this speaks of
    functions within one program, against the mutants that program killed."""
    rows = [line.split("\t") for line in Path(results).read_text().splitlines()[1:] if line]
    failing = {}
    for r in rows:
        if r[5] == "killed" and ": " in r[6]:
            test, functions = r[6].split(": ", 1)
            failing.setdefault(test, []).append(set(functions.split(",")))
    for test, sets in sorted(failing.items()):
        sole = set().union(*(s for s in sets if len(s) == 1))
        shared = set().union(*sets) - sole
        never = [f for f in test_functions(test, build) if f not in sole | shared and
                 f not in ("initTestCase", "cleanupTestCase", "init", "cleanup")]
        print(f"{test}: {len(sets)} kills; alone: {', '.join(sorted(sole)) or '-'}; "
              f"only with others: {', '.join(sorted(shared)) or '-'}; "
              f"never failed: {', '.join(never) or '-'}")


def main(argv):
    if argv and argv[0] == "score":
        score(argv[1])
        return 0
    if argv and argv[0] == "alone":
        alone(argv[1], argv[2])
        return 0
    if not argv or argv[0] not in ("list", "apply", "areas"):
        print(__doc__, file=sys.stderr)
        return 2
    if argv[0] == "areas":
        for area, (files, tests) in AREAS.items():
            print(f"{area}\t{' '.join(files)}\t{' '.join(tests)}")
        return 0
    if argv[0] == "apply":
        ident = argv[1]
        area, rel = ident.split(":")[0], ident.split(":")[1]
        for m in file_mutants(area, rel):
            if m[0] == ident:
                path = ROOT / rel
                lines = path.read_text().split("\n")
                line = lines[m[3] - 1]
                col, old, new = m[9], m[7], m[8]
                lines[m[3] - 1] = line[:col] + new + line[col + len(old):]
                path.write_text("\n".join(lines))
                return 0
        print(f"no such mutant: {ident}", file=sys.stderr)
        return 1
    area_filter, sample, seed, plan, survivors = None, 0, 25, False, None
    args = iter(argv[1:])
    for a in args:
        if a == "--plan":
            plan = True
        elif a == "--survivors":
            rows = [r.split("\t") for r in Path(next(args)).read_text().splitlines()[1:]]
            survivors = {r[0] for r in rows if len(r) > 5 and r[5] == "survived"}
        elif a == "--area":
            area_filter = next(args)
        elif a == "--sample":
            sample = int(next(args))
        elif a == "--seed":
            seed = int(next(args))
    mutants = all_mutants(area_filter)
    if survivors is not None:
        mutants = [m for m in mutants if m[0] in survivors]
    if plan:
        rng = random.Random(seed)
        chosen = []
        for area, count in PLAN.items():
            chosen += spread([m for m in mutants if m[1] == area], count, rng)
        mutants = [m for m in mutants if m in chosen]
    if sample and sample < len(mutants):
        mutants = sorted(random.Random(seed).sample(mutants, sample), key=lambda m: mutants.index(m))
    for m in mutants:
        print("\t".join(str(x) for x in m[:7]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
