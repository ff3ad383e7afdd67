#!/usr/bin/env python3
"""Times two builds of the program on the same scripted runs, interleaved,
and prints the median of each as a Markdown table.

Usage: compare-speed.py OLD_PROGRAM NEW_PROGRAM [ROUNDS]   (10 rounds by default)

The runs are those of the speed table of docs/library.md: mode T on
100 x 100 and 50 x 50 matrices with 1000 simulations, mode N on 100 x 100
with 1000 and on 1000 x 1000 with 100, each on 1 and 2 threads. The matrices are random,
of fill 0.3, the same at every call.
"""
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = [
    ('mode T, 100 x 100, 1000 simulations', 100, ['-m', 'T', '--no-print', '-n', '1000']),
    ('mode T, 50 x 50, 1000 simulations', 50, ['-m', 'T', '--no-print', '-n', '1000']),
    ('mode N, 100 x 100, 1000 simulations', 100, ['-m', 'N', '-o', '--no-print', '-n', '1000']),
    ('mode N, 1000 x 1000, 100 simulations', 1000, ['-m', 'N', '-o', '--no-print', '-n', '100']),
]


def write_matrix(path, side, seed):
    generator = random.Random(seed)
    with open(path, 'w') as f:
        for _ in range(side):
            f.write(''.join('1' if generator.random() < 0.3 else '0' for _ in range(side)) + '\n')


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        return 2
    programs = {'before': os.path.abspath(sys.argv[1]), 'after': os.path.abspath(sys.argv[2])}
    rounds = int(sys.argv[3]) if len(sys.argv) == 4 else 10
    matrices = tempfile.mkdtemp(prefix='speed-matrices-')
    try:
        for side in {side for _, side, _ in RUNS}:
            write_matrix(os.path.join(matrices, 'm%d.txt' % side), side, side)
        times = {}
        for _ in range(rounds):
            for name, side, arguments in RUNS:
                for threads in ('1', '2'):
                    for label, program in programs.items():
                        work = tempfile.mkdtemp(prefix='speed-')
                        matrix = 'm%d.txt' % side
                        shutil.copy(os.path.join(matrices, matrix), work)
                        start = time.perf_counter()
                        subprocess.run([program] + arguments + ['-s', '7', '-j', threads, '-q', matrix], cwd=work,
                                       stdout=subprocess.DEVNULL, check=True)
                        times.setdefault((name, threads, label), []).append(time.perf_counter() - start)
                        shutil.rmtree(work)
        print('| run | threads | before (s) | after (s) | change |')
        print('|---|---|---|---|---|')
        for name, _, _ in RUNS:
            for threads in ('1', '2'):
                before = statistics.median(times[(name, threads, 'before')])
                after = statistics.median(times[(name, threads, 'after')])
                print('| %s | %s | %.3f | %.3f | %+.1f%% |' % (name, threads, before, after,
                                                               100 * (after - before) / before))
    finally:
        shutil.rmtree(matrices)
    return 0


if __name__ == '__main__':
    sys.exit(main())
