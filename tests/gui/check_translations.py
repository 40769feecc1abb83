#!/usr/bin/env python3
"""Fails when a text the user can see has no English translation.

usage: check_translations.py SOURCE_DIR LUPDATE TS_FILE

1. Every Japanese string literal in gui/ must be marked for translation: the innermost call
   around it is tr(), translate(), QT_TR_NOOP() or QT_TRANSLATE_NOOP(). A literal that stays
   Japanese on purpose (the name of the language in its own script) carries "// notr" on its
   line.
2. Every Japanese message of the Qt-free core (the texts its message sinks show) is listed for
   translation in the context "plicato::core"; the application translates it where it shows it.
3. lupdate run over gui/ finds no text that lacks a finished, non-empty translation in TS_FILE.
"""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

TRANSLATING = {"tr", "translate", "QT_TR_NOOP", "QT_TRANSLATE_NOOP", "QT_TRANSLATE_NOOP3"}
CORE_FOLDERS = ["model", "popup", "pattern", "editing", "underlay", "model_file", "output", "text",
                "check", "view", "settings"]
JAPANESE = re.compile(r"[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]")
failures = []


def literals(text):
    """(start, value, innermost call name, line) for each run of adjacent string literals."""
    out = []
    stack = []  # the identifier before each open parenthesis
    i, n = 0, len(text)
    ident = ""
    pending = None  # the literal run being collected: [start, value, line]
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
            continue
        if text.startswith("/*", i):
            i = text.find("*/", i + 2) + 2
            continue
        if c == "'":
            if i > 0 and text[i - 1].isalnum():
                i += 1  # a digit separator: 60'000
                continue
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == "\\" else 1
            i = j + 1  # a character literal, '(' or '"' included
            continue
        if c == '"':
            j = i + 1
            value = []
            while j < n and text[j] != '"':
                if text[j] == "\\":
                    value.append(text[j:j + 2])
                    j += 2
                else:
                    value.append(text[j])
                    j += 1
            s = "".join(value)
            if pending is None:
                pending = [i, s, text.count("\n", 0, i) + 1]
            else:
                pending[1] += s
            i = j + 1
            ident = ""
            continue
        if not c.isspace() and pending is not None:
            out.append((pending[0], pending[1], stack[-1] if stack else "", pending[2]))
            pending = None
        if c.isalnum() or c == "_" or c == ":":
            ident = ident + c if ident or not c.isdigit() else ""
            i += 1
            continue
        if c == "(":
            stack.append(ident.split("::")[-1])
        elif c == ")" and stack:
            stack.pop()
        if not c.isspace():
            ident = ""
        i += 1
    return out


def unescape(s):
    return s.replace("\\n", "\n").replace('\\"', '"').replace("\\\\", "\\")


def source_files(root, folders):
    for folder in folders:
        for dirpath, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if name.endswith((".cpp", ".h")):
                    yield os.path.join(dirpath, name)


def check_marked(root):
    for path in source_files(root, ["gui"]):
        with open(path, encoding="utf-8") as f:
            text = f.read()
        lines = text.split("\n")
        for _, value, call, line in literals(text):
            if not JAPANESE.search(value) or "// notr" in lines[line - 1]:
                continue
            if call not in TRANSLATING:
                rel = os.path.relpath(path, root)
                failures.append(f"{rel}:{line}: \"{value}\" is not marked for translation")


def check_core(root, ts_sources):
    core = ts_sources.get("plicato::core", set())
    for path in source_files(root, CORE_FOLDERS):
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for _, value, call, line in literals(text):
            # A message followed by a detail ("...\n" + path) is translated without the detail.
            if call == "show" and JAPANESE.search(value) and unescape(value).rstrip("\n") not in core:
                rel = os.path.relpath(path, root)
                failures.append(f"{rel}:{line}: core message \"{value}\" has no translation "
                                f"in the context plicato::core")


def read_ts(path):
    """{context: {source: translation or None when unfinished}}"""
    result = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        messages = result.setdefault(name, {})
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            finished = (translation is not None and translation.get("type") not in
                        ("unfinished", "vanished", "obsolete") and (translation.text or "").strip())
            messages[source] = translation.text if finished else None
    return result


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    root, lupdate, ts_file = sys.argv[1:]
    committed = read_ts(ts_file)
    check_marked(root)
    check_core(root, {c: set(m) for c, m in committed.items()})
    with tempfile.TemporaryDirectory() as work:
        fresh = os.path.join(work, "fresh.ts")
        r = subprocess.run([lupdate, "-silent", "-locations", "none", "-source-language", "ja",
                            "-target-language", "en", os.path.join(root, "gui"), "-ts", fresh],
                           capture_output=True, text=True)
        if r.returncode != 0:
            failures.append(f"lupdate failed: {r.stderr}")
        else:
            found = 0
            for context, messages in read_ts(fresh).items():
                for source in messages:
                    found += 1
                    if committed.get(context, {}).get(source) is None:
                        failures.append(f"{context}: \"{source}\" has no English translation "
                                        f"(run the update_translations target, then translate)")
            if found < 50:
                failures.append(f"lupdate found only {found} texts: is the scan broken?")
    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} untranslated or unmarked texts")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
