#!/usr/bin/env python3
"""Checks that each window's control table still writes its committed layout,
or with --write, writes them all.

To regenerate all four .ui files after editing a table:
    python3 tools/layouts/check-layouts.py --write

Every script beside this one except uigen.py is the control table of the
window it is named after, and writes that window's .ui to stdout; its output
must equal ui/<window>/<window>.ui byte for byte. A window that differs is
named with a diff (committed file first, generated output second).

usage: check-layouts.py [--write] [SOURCE_DIR]   (default: the tree this script is in)
"""
import difflib
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
SKIP = {'uigen.py', Path(__file__).name}


def first_difference(a: bytes, b: bytes) -> int:
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return i
    return min(len(a), len(b))


def check(source: Path, generator: Path, write: bool) -> bool:
    window = generator.stem
    committed_path = source / 'ui' / window / f'{window}.ui'
    shown = committed_path.relative_to(source)
    run = subprocess.run([sys.executable, str(generator)], cwd=generator.parent,
                         capture_output=True)
    if run.returncode != 0:
        print(f'FAIL {shown}: {generator.name} exited with {run.returncode}\n'
              f'{run.stderr.decode(errors="replace")}')
        return False
    if write:
        unchanged = committed_path.is_file() and committed_path.read_bytes() == run.stdout
        if not unchanged:
            committed_path.write_bytes(run.stdout)
        print(f'{"same" if unchanged else "wrote"} {shown} ({len(run.stdout)} bytes)')
        return True
    if not committed_path.is_file():
        print(f'FAIL {shown}: no such file for the generator {generator.name}')
        return False
    committed = committed_path.read_bytes()
    generated = run.stdout
    if committed == generated:
        print(f'ok   {shown}: {generator.name} writes it exactly ({len(committed)} bytes)')
        return True
    print(f'FAIL {shown} differs from what {generator.name} writes '
          f'(first at byte {first_difference(committed, generated)}; '
          f'{len(committed)} bytes committed, {len(generated)} generated):')
    diff = difflib.unified_diff(
        committed.decode(errors='replace').splitlines(keepends=True),
        generated.decode(errors='replace').splitlines(keepends=True),
        fromfile=f'{shown} (committed)', tofile=f'{shown} (from {generator.name})')
    text = ''.join(diff)
    # Line-wise equal texts can still differ in bytes (line ends, a final newline).
    print(text if text else '  the lines are equal; the bytes differ in line ends or the final newline')
    return False


def main() -> int:
    args = sys.argv[1:]
    write = '--write' in args
    args = [a for a in args if a != '--write']
    source = Path(args[0]).resolve() if args else HERE.parents[1]
    generators = sorted(p for p in HERE.glob('*.py') if p.name not in SKIP)
    if not generators:
        print(f'FAIL: no control tables in {HERE}')
        return 1
    results = [check(source, g, write) for g in generators]
    failed = results.count(False)
    print(f'{len(results) - failed} of {len(results)} layouts '
          f'{"written" if write else "as committed"}')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
