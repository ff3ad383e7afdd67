#!/usr/bin/env python3
"""The page as a user has it: opened from disk in headless Chromium.

Loads examples/islands.csv and a plain matrix file through the file input,
runs both analyses with the classic models, 99 simulations and seed 7 given
in the address (a seed per file, so that each file's rows are those of the
console program's run of that file alone: the console program reads a
table and a matrix file in separate runs), downloads the result tables and
the zip of everything, and compares them with the console program's tables
(the date left out); runs mode N with a further metric from the address
and checks its section of the results and the address a metric's box
writes; cancels a long run and runs again after it; loads a
table with an NA cell and checks that the error names its line and column;
and checks that no request leaves the page.

Usage: page_test.py PROGRAM PAGE EXAMPLES_FOLDER   (with Debian's python3-selenium)
"""
import csv
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

TABLES = ['results', 'rows', 'columns', 'null_values']
CLASSIC = 'models=Er,Ce,Li,Co&n=99&seed=7&seed_per_file=yes'
FAILURES = []
CHECKS = [0]


def check(condition, what):
    CHECKS[0] += 1
    if not condition:
        FAILURES.append(what)
        print('FAILED: ' + what)


def browser(downloads, profile):
    options = Options()
    for flag in ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
                 '--disable-component-update', '--disable-sync', '--no-first-run', '--user-data-dir=' + profile]:
        options.add_argument(flag)
    options.add_experimental_option('prefs', {'download.default_directory': downloads,
                                              'download.prompt_for_download': False})
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL', 'performance': 'ALL'})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': downloads})
    return driver


def wait_for(driver, script, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        value = driver.execute_script(script)
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError('timed out waiting for: ' + script)


def without_date(text):
    """The CSV rows with the date column (if any) left out."""
    rows = list(csv.reader(io.StringIO(text)))
    if 'date' not in rows[0]:
        return rows
    at = rows[0].index('date')
    return [row[:at] + row[at + 1:] for row in rows]


def console_tables(program, examples, mode, arguments):
    """The console program's tables of islands.csv (as a table) and
    random.txt (a matrix file), each run alone, as one batch's tables."""
    tables = {table: '' for table in TABLES}
    for name, extra in [('islands.csv', ['--table']), ('random.txt', [])]:
        folder = tempfile.mkdtemp()
        shutil.copy(os.path.join(examples, name), folder)
        subprocess.run([program] + arguments + extra + ['-q', '--results', '--no-print', name], cwd=folder,
                       check=False, stdout=subprocess.DEVNULL)
        for table in TABLES:
            with open(os.path.join(folder, 'BRAVOLIN_%s_%s.csv' % (mode, table)), encoding='utf-8') as f:
                text = f.read()
            tables[table] += text if tables[table] == '' else text.split('\n', 1)[1]
        shutil.rmtree(folder)
    return tables


def click_download(driver, downloads, name, selector=None):
    """Clicks the download of name (its link, or the control of selector)
    and answers the bytes downloaded."""
    path = os.path.join(downloads, name)
    if os.path.exists(path):
        os.remove(path)
    driver.find_element(By.CSS_SELECTOR, selector or 'a[download="%s"]' % name).click()
    end = time.time() + 20
    while time.time() < end and not os.path.exists(path):
        time.sleep(0.05)
    time.sleep(0.2)
    with open(path, 'rb') as f:
        return f.read()


def run_and_wait(driver):
    driver.find_element(By.ID, 'run').click()
    wait_for(driver, "return /^(Finished|The run stopped)/.test(document.getElementById('run-status').textContent)")


def check_analysis(driver, downloads, program, examples, mode, address, arguments):
    driver.execute_script('location.hash = arguments[0]', address)
    run_and_wait(driver)
    expected = console_tables(program, examples, mode, arguments)
    zip_name = 'BRAVOLIN_%s_all.zip' % mode
    archive = zipfile.ZipFile(io.BytesIO(click_download(driver, downloads, zip_name, '#downloads button')))
    check(archive.testzip() is None, 'mode %s: every file of the zip has its CRC' % mode)
    for table in TABLES:
        name = 'BRAVOLIN_%s_%s.csv' % (mode, table)
        downloaded = click_download(driver, downloads, name).decode('utf-8')
        check(without_date(downloaded) == without_date(expected[table]),
              'mode %s: %s is the console program\'s, but for the date' % (mode, name))
        check(archive.read(name).decode('utf-8') == downloaded, 'mode %s: the zip holds %s' % (mode, name))
    pictures = [name for name in archive.namelist() if name.endswith('.svg')]
    check(len(pictures) == 4, 'mode %s: the zip holds both files\' two pictures: %s' % (mode, pictures))


def check_metric_section(driver):
    """A metric from the address: its box ticked, its section in each
    file's results with a row per model; ticking another writes it."""
    driver.execute_script('location.hash = arguments[0]', '#mode=N&order=yes&models=Er,Ce,Li,Co&n=20&seed=7&metrics=nodfc')
    run_and_wait(driver)
    check(driver.execute_script("return document.getElementById('metric-nodfc').checked"), 'metrics=nodfc ticks nodfc')
    sections = driver.execute_script(
        "return [...document.querySelectorAll('#results tbody[data-statistic=\"nodfc\"]')]"
        ".map((body) => body.rows.length)")
    check(sections == [4, 4], 'each file\'s results have a nodfc section, a row per model: %s' % sections)
    notes = driver.execute_script("return [...document.querySelectorAll('#results pre.notes')].map((pre) => pre.textContent)")
    check(len(notes) == 1 and 'NA under Er and Ce' in notes[0], 'the once-a-run note of nodfc under Er is shown once: %s' % notes)
    driver.find_element(By.ID, 'metric-spectral').click()
    check('metrics=nodf,nodfc,spectral' in driver.execute_script('return location.hash'),
          'ticking spectral writes it into the address: ' + driver.execute_script('return location.hash'))


def check_cancel(driver, folder):
    """A long run cancelled: the running file is marked, the page runs again."""
    big = os.path.join(folder, 'big.txt')
    with open(big, 'w') as f:
        for i in range(120):
            f.write(''.join('1' if (i * 7 + j * 13) % 10 < 4 else '0' for j in range(120)) + '\n')
    # Each removal draws the list anew.
    while driver.find_elements(By.CSS_SELECTOR, '#file-table button'):
        driver.find_element(By.CSS_SELECTOR, '#file-table button').click()
    driver.find_element(By.ID, 'file-input').send_keys(big)
    driver.execute_script("location.hash = '#mode=T&models=Er,Ce,Li,Co&n=100000&seed=7'")
    driver.find_element(By.ID, 'run').click()
    wait_for(driver, "return document.querySelector('#progress-list progress').value > 0")
    took = driver.execute_script(
        "const start = performance.now(); document.getElementById('cancel').click();"
        "const done = !document.getElementById('run').disabled &&"
        " document.querySelector('#progress-list .status').textContent === 'cancelled';"
        "return done ? performance.now() - start : -1")
    check(0 <= took < 100, 'Cancel stops the run within 100 ms (took %s ms)' % took)
    value = driver.execute_script("return document.querySelector('#progress-list progress').value")
    time.sleep(0.5)
    check(driver.execute_script("return document.querySelector('#progress-list progress').value") == value,
          'no progress comes after Cancel')
    driver.execute_script("location.hash = '#mode=T&models=Er,Ce,Li,Co&n=20&seed=7'")
    run_and_wait(driver)
    check(driver.find_element(By.ID, 'run-status').text.startswith('Finished: 1 of 1'),
          'a run after Cancel finishes: ' + driver.find_element(By.ID, 'run-status').text)


def check_reader_error(driver, folder):
    table = os.path.join(folder, 'na.csv')
    with open(table, 'w') as f:
        f.write('site,a,b,c\ns1,1,0,1\ns2,0,NA,1\n')
    driver.find_element(By.ID, 'file-input').send_keys(table)
    text = wait_for(driver, "const row = [...document.querySelectorAll('#file-table tbody tr')]"
                            ".find((r) => r.textContent.includes('na.csv')); return row && row.textContent")
    check('line 3, column 3' in text and 'NA' in text, 'the NA cell is named by its line and column: ' + text)


def check_no_request_left(driver, page_url):
    urls = []
    for entry in driver.get_log('performance'):
        message = json.loads(entry['message'])['message']
        if message['method'] == 'Network.requestWillBeSent':
            urls.append(message['params']['request']['url'])
    # From the page's own request on: the browser's start page comes before.
    opened = [url.split('#')[0] for url in urls].index(page_url)
    outside = [url for url in urls[opened:]
               if not (url.startswith(('data:', 'blob:')) or url.split('#')[0] == page_url)]
    check(outside == [], 'no request leaves the page: %s' % outside)
    severe = [entry['message'] for entry in driver.get_log('browser') if entry['level'] == 'SEVERE']
    check(severe == [], 'the console shows no error (a blocked load is one): %s' % severe)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    program, page, examples = (os.path.abspath(argument) for argument in sys.argv[1:])
    folder = tempfile.mkdtemp()
    downloads = os.path.join(folder, 'downloads')
    os.makedirs(downloads)
    driver = browser(downloads, os.path.join(folder, 'profile'))
    page_url = 'file://' + page
    try:
        start = time.time()
        driver.get(page_url + '#mode=N&order=yes&' + CLASSIC)
        wait_for(driver, "return performance.getEntriesByName('bravolin-ready').length > 0")
        print('page_test: page loaded and library compiled in %.2f s' % (time.time() - start))
        driver.find_element(By.ID, 'file-input').send_keys(
            os.path.join(examples, 'islands.csv') + '\n' + os.path.join(examples, 'random.txt'))
        wait_for(driver, "return document.querySelectorAll('#file-table tbody tr').length === 2")
        common = ['-n', '99', '-s', '7', '--seed-per-file']
        check_analysis(driver, downloads, program, examples, 'N', '#mode=N&order=yes&' + CLASSIC,
                       ['-m', 'N', '--order'] + common)
        check_metric_section(driver)
        check_analysis(driver, downloads, program, examples, 'T', '#mode=T&' + CLASSIC, ['-m', 'T'] + common)
        check_cancel(driver, folder)
        check_reader_error(driver, folder)
        check_no_request_left(driver, page_url)
    finally:
        driver.quit()
        shutil.rmtree(folder, ignore_errors=True)
    print('page_test: %d passed, %d failed' % (CHECKS[0] - len(FAILURES), len(FAILURES)))
    return 1 if FAILURES else 0


if __name__ == '__main__':
    sys.exit(main())
