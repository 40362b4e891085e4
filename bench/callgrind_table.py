#!/usr/bin/env python3
"""Turns the callgrind dumps and facts of duduve_layout_bench into its tables.

Usage: callgrind_table.py DUMP_DIR FACTS_FILE
Every dump holds one region labelled "phase|shape|N|repeat"; the figure of a region is the
median of its repeats, divided by N (instructions per registered object).
"""
import re
import statistics
import sys
from collections import defaultdict
from pathlib import Path

LABEL = re.compile(r"^desc: Trigger: Client Request: (\S+)\|(\d+)\|(\d+)\|(\d+)$", re.M)
SUMMARY = re.compile(r"^(?:summary|totals): (\d+)$", re.M)
SCALING_GOAL = 1.3


def read_dumps(folder):
    counts = defaultdict(list)  # (phase, shape, n) -> [instructions of each repeat]
    for dump in Path(folder).glob("*.out.*"):
        text = dump.read_text(errors="replace")
        label, summary = LABEL.search(text), SUMMARY.search(text)
        if label and summary:
            phase, shape, n, _ = label.groups()
            counts[(phase, int(shape), int(n))].append(int(summary.group(1)))
    return counts


def read_facts(path):
    facts = {}  # (shape, n) -> (label, {name: value})
    for line in Path(path).read_text().splitlines():
        parts = line.split("|")
        if len(parts) < 4 or parts[0] != "facts":
            continue
        values = dict(part.split("=", 1) for part in parts[4:])
        facts[(int(parts[1]), int(parts[3]))] = (parts[2], values)
    return facts


def per_object(counts, phase, shape, n):
    runs = counts.get((phase, shape, n))
    return statistics.median(runs) / n if runs else None


def cell(value, width, digits=1):
    return f"{value:>{width}.{digits}f}" if value is not None else f"{'-':>{width}}"


def main():
    counts, facts = read_dumps(sys.argv[1]), read_facts(sys.argv[2])
    if not counts or not facts:
        print("no callgrind figures were produced")
        return
    print("Engine cost per registered object (callgrind, instructions; median of the repeats)")
    header = (f"{'page':<24}{'N':>7}{'register Ir/obj':>17}{'apply Ir/obj':>14}"
              f"{'same-size Ir/obj':>18}{'moves/pass':>12}{'repaints/pass':>15}"
              f"{'host vars new/same':>20}")
    print(header)
    print("-" * len(header))
    shapes = sorted({shape for shape, _ in facts})
    for shape in shapes:
        for n in sorted(n for s, n in facts if s == shape):
            label, values = facts[(shape, n)]
            same = f"{values.get('variables-new', '?')}/{values.get('variables-same', '?')}"
            print(f"{label:<24}{n:>7}"
                  f"{cell(per_object(counts, 'register', shape, n), 17)}"
                  f"{cell(per_object(counts, 'apply', shape, n), 14)}"
                  f"{cell(per_object(counts, 'apply-same', shape, n), 18)}"
                  f"{values.get('moves', '?'):>12}{values.get('repaints', '?'):>15}{same:>20}"
                  + ("" if values.get("refused") == "0" else "   (a pass was refused)"))
    print()
    print(f"Scaling of the per-object figure, largest N / smallest N (goal: at most {SCALING_GOAL})")
    header = f"{'page':<24}{'N':>14}{'register':>11}{'apply':>9}{'same-size':>11}  goal"
    print(header)
    print("-" * len(header))
    for shape in shapes:
        sizes = sorted(n for s, n in facts if s == shape)
        low, high = sizes[0], sizes[-1]
        ratios = []
        for phase in ("register", "apply", "apply-same"):
            a, b = per_object(counts, phase, shape, high), per_object(counts, phase, shape, low)
            ratios.append(a / b if a is not None and b else None)
        met = all(r is not None and r <= SCALING_GOAL for r in ratios)
        print(f"{facts[(shape, low)][0]:<24}{f'{high}/{low}':>14}{cell(ratios[0], 11, 2)}"
              f"{cell(ratios[1], 9, 2)}{cell(ratios[2], 11, 2)}  {'met' if met else 'MISSED'}")


if __name__ == "__main__":
    main()
