#!/usr/bin/env python3
"""The fault planter's own checks: it never changes text inside a literal or a comment, it leaves
template brackets, declarations and unary signs alone, and the same seed draws the same faults."""
import os
import subprocess
import sys
import types
from pathlib import Path

TOOL = Path(__file__).resolve().parents[2] / "tools" / "mutate"
mutate = sys.modules["mutate"] = types.ModuleType("mutate")
mutate.__file__ = str(TOOL)
exec(compile(TOOL.read_text(encoding="utf-8"), str(TOOL), "exec"), mutate.__dict__)

failures = []


def changes(text, lang="cpp"):
    """Each applicable change as (line, the changed text of the whole file)."""
    return [(m.line, mutate.apply_edits(text, m.edits)) for m in mutate.candidates("x", text, lang)]


def expect(name, ok):
    if not ok:
        failures.append(name)


CPP = r'''#include <vector>
#define LIMIT (1 + 2)
// a < b && c == 3 in a comment
/* x[1] - 2 > y */
const char* a = "a < b, c[0] == 1 + 2";
const char* r = R"-(if (x) return "1" - 2;)-";
char q = '+';
long big = 1'000'000;
double e = 1e-6 + x;
std::vector<std::vector<int>> v;
double d[4] = {0};
int f(int i) { return -i; }
'''
for line, mutated in changes(CPP):
    lines, original = mutated.split("\n"), CPP.split("\n")
    changed = [k + 1 for k, (p, q) in enumerate(zip(lines, original)) if p != q]
    # Only the literal 1'000'000, the "+" after 1e-6, the 0 in braces and the return qualify.
    expect(f"line {changed} changed in a literal, comment, directive or template: {mutated}",
           all(k in (8, 9, 11, 12) for k in changed))
expect("the separated literal is read as one number",
       any("1000001" in m for _, m in changes(CPP)))
expect("the exponent's sign is left alone", all("1e+6" not in m for _, m in changes(CPP)))
expect("the size of a declared array is left alone", all("d[4 " not in m and "d[5]" not in m for _, m in changes(CPP)))
expect("a unary minus is left alone", all("+i" not in m for _, m in changes(CPP)))

JS = "const s = `a < ${b > 1 ? `c${d - 1}` : ''} == e`;\nconst re = /[/]x+1/g;\nif (a === b) f(a[2]);\n"
kinds = sorted({m.kind for m in mutate.candidates("x.js", JS, "js")})
expect(f"only the third line's equality, condition, index and literal: {kinds}",
       kinds == ["condition", "equality", "index", "literal"] and
       all(m.line == 3 for m in mutate.candidates("x.js", JS, "js")))

# Two processes with different hash seeds, so that an order taken from a set or a hash shows.
draws = [subprocess.run([sys.executable, str(TOOL), "--sample", "6", "--seed", "7", "--dry-run"],
                        capture_output=True, text=True, env={**os.environ, "PYTHONHASHSEED": seed}).stdout
         for seed in ("1", "2")]
expect("the same seed draws the same faults", draws[0] == draws[1] and draws[0].count("\n") > 6)

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
