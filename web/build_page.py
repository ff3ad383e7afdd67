#!/usr/bin/env python3
"""Writes the page: one HTML file that holds its style, its scripts and the
library (the JavaScript and WebAssembly that emscripten built), so that it
works opened from disk and from any web server, offline.

Usage: build_page.py LIBRARY_JS VERSION OUTPUT_HTML
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
PAGE = os.path.join(HERE, 'page')
# The page's own scripts, in the order they run: the settings and the zip
# writer before the page that uses them.
PAGE_SCRIPTS = ['settings.js', 'zip.js', 'page.js']


def source(name):
    with open(os.path.join(PAGE, name), encoding='utf-8') as f:
        return f.read()


def inline_script(text, name):
    # Inside a <script> element only "</script" ends the text.
    if '</script' in text.lower():
        sys.exit('build_page: %s holds "</script", which would end its element' % name)
    return text


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    library_path, version, output = sys.argv[1:]
    with open(library_path, encoding='utf-8') as f:
        library = inline_script(f.read(), library_path)
    parts = {
        '{{style}}': source('style.css'),
        '{{library}}': library,
        '{{batch}}': inline_script(source('batch.js'), 'batch.js'),
        '{{worker}}': inline_script(source('worker.js'), 'worker.js'),
        '{{page}}': inline_script('\n'.join(source(name) for name in PAGE_SCRIPTS), 'the page scripts'),
        '{{version}}': version,
    }
    html = source('index.html')
    for marker, text in parts.items():
        if marker not in html:
            sys.exit('build_page: index.html lacks %s' % marker)
        html = html.replace(marker, text)
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with open(output, 'w', encoding='utf-8') as f:
        f.write(html)
    print('build_page: %s, %d bytes' % (output, len(html.encode('utf-8'))))


if __name__ == '__main__':
    main()
