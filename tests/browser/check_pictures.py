#!/usr/bin/env python3
"""Renders the program's pictures and page as a user would see them.

Runs the program with --report and --fixed-fixed over the example matrices
in a fresh folder, renders every packed-matrix picture with rsvg-convert and
checks pixels (a presence is dark, an absence light), renders every null
picture, then opens the page in headless Chromium: the DOM must hold the
table with one row per matrix, every model's SES and P columns and links to
its pictures, and a screenshot must show something.

Usage: check_pictures.py PROGRAM EXAMPLES_FOLDER
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib


def png_pixels(path):
    """Width, height and rows of RGBA pixels of an 8-bit RGBA PNG."""
    data = open(path, 'rb').read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
    at, chunks, header = 8, b'', None
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            chunks += body
        at += 12 + length
    width, height, depth, colour = header[0], header[1], header[2], header[3]
    assert depth == 8 and colour == 6, 'expected 8-bit RGBA'
    raw, stride, rows, previous = zlib.decompress(chunks), width * 4, [], bytearray(width * 4)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - 4] if x >= 4 else 0
            up, corner = previous[x], previous[x - 4] if x >= 4 else 0
            if kind == 1:
                line[x] = (line[x] + left) & 255
            elif kind == 2:
                line[x] = (line[x] + up) & 255
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[x] = (line[x] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(line)
        previous = line
    return width, height, rows


def brightness(rows, x, y):
    r, g, b, a = rows[int(y)][int(x) * 4:int(x) * 4 + 4]
    # Transparent pixels show the white page behind them.
    return (0.299 * r + 0.587 * g + 0.114 * b) * a / 255 + 255 * (1 - a / 255)


def check_packed_picture(folder, name, failures):
    svg = open(os.path.join(folder, name), encoding='utf-8').read()
    size = re.search(r'packed (\d+) x (\d+)', svg)
    grid = re.search(r'translate\(([\d.]+) ([\d.]+)\) scale\(([\d.]+)\)', svg)
    rows, columns = int(size.group(1)), int(size.group(2))
    left, top, cell = float(grid.group(1)), float(grid.group(2)), float(grid.group(3))
    png = os.path.join(folder, name + '.png')
    subprocess.run(['rsvg-convert', os.path.join(folder, name), '-o', png], check=True)
    width, height, pixels = png_pixels(png)
    # The packed matrix, from the packing report the same run wrote.
    report = open(os.path.join(folder, name.split('.')[0] + '.PCK')).read()
    matrix = report.split('Packed Matrix:\n')[-1].strip().split('\n')[:rows]
    checked = 0
    # The isocline may cross a cell anywhere: a presence is dark at least
    # at one of four points inside it.
    inside = ((0.25, 0.25), (0.75, 0.25), (0.25, 0.75), (0.75, 0.75))
    for r, line in enumerate(matrix):
        for c, value in enumerate(line.split()):
            light = min(brightness(pixels, left + (c + dx) * cell, top + (r + dy) * cell) for dx, dy in inside)
            if value == '1' and light > 80:
                failures.append('%s: the presence at row %d, column %d is not dark (%d)' % (name, r + 1, c + 1, light))
            checked += 1
    # An absence expected below the curve: the bottom-right cell of a packed
    # matrix, unless it holds a presence.
    last = matrix[-1].split()[-1]
    light = max(brightness(pixels, left + (columns - 1 + dx) * cell, top + (rows - 1 + dy) * cell)
                for dx, dy in inside)
    if last == '0' and light < 150:
        failures.append('%s: the bottom-right absence is not light (%d)' % (name, light))
    print('rendered %s: %dx%d pixels, %d cells checked' % (name, width, height, checked))


def chromium_command():
    for command in ('chromium', 'chromium-browser', 'google-chrome'):
        if shutil.which(command):
            flags = ['--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update', '--disable-sync',
                     '--user-data-dir=' + tempfile.mkdtemp(prefix='chromium-')]
            if os.geteuid() == 0:
                flags.append('--no-sandbox')
            return [command] + flags
    return None


def check_page(folder, matrices, failures):
    page = 'file://' + os.path.join(folder, 'BRAVOLIN_T_report.html')
    browser = chromium_command()
    dom = subprocess.run(browser + ['--dump-dom', page], capture_output=True, text=True, timeout=120).stdout
    if '<table' not in dom:
        failures.append('the page shows no table')
    for model in ('Er', 'Ce', 'Li', 'Co', 'FF'):
        if '%s SES' % model not in dom or '%s P' % model not in dom:
            failures.append('the page has no SES and P columns of ' + model)
    for matrix in matrices:
        if matrix + '</td>' not in dom and matrix + '<' not in dom:
            failures.append('the page has no row for ' + matrix)
        if 'href="%s_packed.svg"' % matrix not in dom:
            failures.append('the page has no link to the packed picture of ' + matrix)
    shot = os.path.join(folder, 'page.png')
    subprocess.run(browser + ['--screenshot=' + shot, '--window-size=1000,800', page],
                   capture_output=True, timeout=120)
    if not os.path.exists(shot):
        failures.append('no screenshot of the page')
        return
    print('page: %d table rows found, screenshot %s (%d bytes)' % (dom.count('<tr'), shot, os.path.getsize(shot)))
    if os.path.getsize(shot) < 2000:
        failures.append('the screenshot of the page is blank')


def main():
    program, examples = os.path.abspath(sys.argv[1]), sys.argv[2]
    folder = tempfile.mkdtemp(prefix='pictures-')
    for name in os.listdir(examples):
        # The matrices only: examples/library is the library's C++ example.
        if os.path.isfile(os.path.join(examples, name)):
            shutil.copy(os.path.join(examples, name), folder)
    matrices = sorted(n for n in os.listdir(folder) if n.endswith('.txt'))
    subprocess.run([program, '-m', 'T', '--print', '-n', '50', '-s', '7', '--fixed-fixed', '--report', '*.txt'],
                   cwd=folder, stdout=subprocess.DEVNULL, check=True)
    failures = []
    for matrix in matrices:
        check_packed_picture(folder, matrix + '_packed.svg', failures)
        png = os.path.join(folder, matrix + '_T_null.svg.png')
        subprocess.run(['rsvg-convert', os.path.join(folder, matrix + '_T_null.svg'), '-o', png], check=True)
    check_page(folder, matrices, failures)
    for failure in failures:
        print('FAILED: ' + failure)
    print('browser check: %s (pictures and page in %s)' % ('passed' if not failures else 'failed', folder))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
