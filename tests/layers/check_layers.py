#!/usr/bin/env python3
"""Checks the include graph of the source folders against their layer order.

Usage: check_layers.py SOURCE_DIR LAYER... -- GUI_LAYER...
A folder may include its own files and folders listed before it; gui/ sits above every other
folder and its sub-folders are layered among themselves. Only gui/ may include Qt or GL headers.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
QT_HEADER = re.compile(r'^(Q[A-Za-z0-9_]*|Qt[A-Za-z0-9_]*/.*|GL/.*)$')


def rank_table(layers, gui_layers):
    ranks = {name: i for i, name in enumerate(layers) if name != 'gui'}
    base = len(ranks)
    for i, name in enumerate(gui_layers):
        ranks['gui/' + name] = base + i
    ranks['gui'] = base + len(gui_layers)  # the program's main.cpp sits on top
    return ranks


def folder_of(path, ranks):
    """The layer a repository path belongs to, or None for files outside the layers."""
    parts = path.split('/')
    if len(parts) >= 3 and parts[0] == 'gui' and 'gui/' + parts[1] in ranks:
        return 'gui/' + parts[1]
    if len(parts) >= 2 and parts[0] in ranks:
        return parts[0]
    return None


def check(source_dir, ranks):
    faults = []
    for top in sorted({name.split('/')[0] for name in ranks}):
        root = os.path.join(source_dir, top)
        for dirpath, _, files in os.walk(root):
            for name in sorted(files):
                if not name.endswith(('.h', '.cpp')):
                    continue
                rel = os.path.relpath(os.path.join(dirpath, name), source_dir)
                own = folder_of(rel, ranks)
                if own is None:
                    faults.append(f'{rel}: not in any layer folder')
                    continue
                with open(os.path.join(source_dir, rel), encoding='utf-8') as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        kind, target = m.groups()
                        where = f'{rel}:{number}'
                        if kind == '<':
                            if QT_HEADER.match(target) and not own.startswith('gui'):
                                faults.append(f'{where}: Qt/GL header <{target}> outside gui/')
                            continue
                        used = folder_of(target, ranks)
                        if used is None:
                            faults.append(f'{where}: "{target}" names no layer folder')
                        elif ranks[used] > ranks[own]:
                            faults.append(f'{where}: {own} includes {used}, a layer above it')
    return faults


def main(argv):
    if '--' not in argv or len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    split = argv.index('--')
    ranks = rank_table(argv[2:split], argv[split + 1:])
    faults = check(argv[1], ranks)
    for fault in faults:
        print(fault)
    print(f'{len(faults)} layering fault(s)' if faults else 'layers: ok')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
