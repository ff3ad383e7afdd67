#!/usr/bin/env python3
"""The page's speed in headless Chromium beside the console program's.

A 50 x 50 matrix (fill 0.4, fixed) with 1000 simulations of the four
classic models, mode N (ordered), mode N with every metric of 0s and 1s
(--metrics nodfc,discrepancy,checker,n0,spectral: wnodf weighs a table's
abundances) and mode T: the console program at -j 1,
each run in a fresh folder, against the page opened from disk, the run
timed from the click on Run to its last file's results (the worker already
started); and the page's load, the library's compilation included (the
'bravolin-ready' mark of its performance timeline). Medians of 5.

Usage: page_speed.py PROGRAM PAGE     (with Debian's python3-selenium)
"""
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

RUNS = 5
BINARY_METRICS = 'nodfc,discrepancy,checker,n0,spectral'
# Each run: the console program's options and the page's address.
MODES = {
    'N': (['-m', 'N', '--order'], '#mode=N&order=yes&models=Er,Ce,Li,Co&n=1000&seed=7'),
    'N, every binary metric': (['-m', 'N', '--order', '--metrics', BINARY_METRICS],
                               '#mode=N&order=yes&models=Er,Ce,Li,Co&n=1000&seed=7&metrics=' + BINARY_METRICS),
    'T': (['-m', 'T'], '#mode=T&models=Er,Ce,Li,Co&n=1000&seed=7'),
}


def matrix_file(folder):
    generator = random.Random(5)
    path = os.path.join(folder, 'm50.txt')
    with open(path, 'w') as f:
        for _ in range(50):
            f.write(''.join('1' if generator.random() < 0.4 else '0' for _ in range(50)) + '\n')
    return path


def console_seconds(program, matrix, mode):
    times = []
    for _ in range(RUNS):
        folder = tempfile.mkdtemp()
        shutil.copy(matrix, folder)
        start = time.perf_counter()
        subprocess.run([program] + MODES[mode][0] + ['--no-print', '-n', '1000', '-s', '7', '-j', '1', '-q', 'm50.txt'],
                       cwd=folder, check=True, stdout=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
        shutil.rmtree(folder)
    return statistics.median(times)


def browser(profile):
    options = Options()
    for flag in ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
                 '--disable-component-update', '--disable-sync', '--no-first-run', '--user-data-dir=' + profile]:
        options.add_argument(flag)
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


READY = "return performance.getEntriesByName('bravolin-ready').map((mark) => mark.startTime)[0]"
# Clicks Run and answers the milliseconds until the run says it finished.
TIMED_RUN = """
const done = arguments[arguments.length - 1];
const status = document.getElementById('run-status');
const start = performance.now();
const observer = new MutationObserver(() => {
  if (status.textContent.startsWith('Finished')) { observer.disconnect(); done(performance.now() - start); }
});
observer.observe(status, {childList: true, characterData: true, subtree: true});
document.getElementById('run').click();
"""


def wait_ready(driver):
    end = time.time() + 30
    while time.time() < end:
        ready = driver.execute_script(READY)
        if ready is not None:
            return ready / 1000
        time.sleep(0.02)
    raise AssertionError('the page did not get ready')


def page_seconds(page, matrix, profile):
    driver = browser(profile)
    driver.set_script_timeout(600)
    try:
        loads = []
        for _ in range(RUNS):
            driver.get('about:blank')
            driver.get('file://' + page + MODES['N'][1])
            loads.append(wait_ready(driver))
        driver.find_element(By.ID, 'file-input').send_keys(matrix)
        runs = {}
        for mode in MODES:
            driver.execute_script('location.hash = arguments[0]', MODES[mode][1])
            times = [driver.execute_async_script(TIMED_RUN) / 1000 for _ in range(RUNS)]
            runs[mode] = statistics.median(times)
        return statistics.median(loads), runs
    finally:
        driver.quit()


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    program, page = (os.path.abspath(argument) for argument in sys.argv[1:])
    folder = tempfile.mkdtemp()
    try:
        matrix = matrix_file(folder)
        load, runs = page_seconds(page, matrix, os.path.join(folder, 'profile'))
        print('page load, library compiled: %.3f s' % load)
        for mode in MODES:
            native = console_seconds(program, matrix, mode)
            print('mode %s, 50 x 50, 1000 simulations: console -j 1 %.3f s, page %.3f s, ratio %.2f'
                  % (mode, native, runs[mode], runs[mode] / native))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == '__main__':
    main()
