#!/usr/bin/env python3
"""Renders the program's pictures and page as a user would see them.

Runs the program with --report and --fixed-fixed over the example matrices
in a fresh folder, renders every packed-matrix picture with rsvg-convert and
checks pixels (a presence is dark, an absence light), renders every null
picture and checks that every histogram bar shows the palette's colour (no
outline or smoothing washes it out, however narrow the bars: a nested 80 x
80 matrix with 1000 simulations gives bars of a pixel), then opens the page
in headless Chromium: the DOM must hold the table with one row per matrix,
every model's SES and P columns and links to its pictures, and a screenshot
must show something.

Usage: check_pictures.py PROGRAM EXAMPLES_FOLDER
"""
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib


def png_pixels(path):
    """Width, height and rows of RGBA pixels of an 8-bit RGBA or RGB PNG."""
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
    assert depth == 8 and colour in (2, 6), 'expected 8-bit RGBA or RGB'
    size = 4 if colour == 6 else 3
    raw, stride, rows, previous = zlib.decompress(chunks), width * size, [], bytearray(width * size)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - size] if x >= size else 0
            up, corner = previous[x], previous[x - size] if x >= size else 0
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
        previous = line
        if size == 3:
            line = bytearray(b''.join(bytes(line[x:x + 3]) + b'\xff' for x in range(0, stride, 3)))
        rows.append(line)
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


BAR_COLOUR = (0x56, 0xb4, 0xe9)


def check_null_picture(folder, name, failures):
    """Each bar's darkest pixel at half its height is no lighter than the palette's colour."""
    svg = open(os.path.join(folder, name), encoding='utf-8').read()
    png = os.path.join(folder, name + '.png')
    subprocess.run(['rsvg-convert', os.path.join(folder, name), '-o', png], check=True)
    width, height, pixels = png_pixels(png)
    colour = 0.299 * BAR_COLOUR[0] + 0.587 * BAR_COLOUR[1] + 0.114 * BAR_COLOUR[2]
    bars, narrowest = 0, None
    for group in re.findall(r'<g fill="#56b4e9"[^>]*>(.*?)</g>', svg, re.S):
        for x, y, w, h in re.findall(r'<rect x="([\d.]+)" y="([\d.]+)" width="([\d.]+)" height="([\d.]+)"', group):
            x, y, w, h = float(x), float(y), float(w), float(h)
            if h < 2:
                continue
            middle = y + h / 2
            light = min(brightness(pixels, column, middle) for column in range(int(x), math.ceil(x + w)))
            if light > colour + 3:
                failures.append('%s: the bar at x %.2f, %.2f px wide, is lighter (%d) than its colour (%d)'
                                % (name, x, w, light, colour))
            bars += 1
            narrowest = w if narrowest is None else min(narrowest, w)
    print('rendered %s: %dx%d pixels, %d bars checked, the narrowest %.2f px' % (name, width, height, bars, narrowest))


def nested_matrix(size):
    """A nested matrix with a few cells swapped: its null models lie far from it."""
    rows = []
    for r in range(size):
        rows.append(''.join('1' if (c < size - r) != ((r * 7 + c * 13) % 53 == 0) else '0' for c in range(size)))
    return '\n'.join(rows) + '\n'


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
    for model in ('Er', 'Ce', 'Li', 'Co', 'curveball'):
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
        check_null_picture(folder, matrix + '_T_null.svg', failures)
    narrow = os.path.join(folder, 'narrow')
    os.mkdir(narrow)
    open(os.path.join(narrow, 'nested80.txt'), 'w').write(nested_matrix(80))
    subprocess.run([program, '-m', 'T', '--no-print', '-n', '1000', '-s', '7', '--svg', 'nested80.txt'],
                   cwd=narrow, stdout=subprocess.DEVNULL, check=True)
    check_null_picture(narrow, 'nested80.txt_T_null.svg', failures)
    check_page(folder, matrices, failures)
    for failure in failures:
        print('FAILED: ' + failure)
    print('browser check: %s (pictures and page in %s)' % ('passed' if not failures else 'failed', folder))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
