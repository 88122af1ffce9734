#!/usr/bin/env python3
"""Check the form of the sun-sign trait paragraphs in this directory.

Each paragraph is one file, or parts in several files that the program joins with
nothing in between. The build says which files make which paragraph (see
engine/trait_paragraphs.cmake), and the trait_texts test passes them on:

    check_traits.py --positive PARAGRAPH... --negative PARAGRAPH...

where a PARAGRAPH is a file name in this directory, or the names of its parts
joined with "+". Exit status 0 = all good. Each paragraph's opening words and
length are checked where the program uses them, in tests/engine_test.cpp.
"""
import argparse
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

MIN_SENTENCES, MAX_SENTENCES = 6, 19
MIN_MAY, MAX_MAY = 2, 9
# More than half of the sentences of every paragraph open with one of these;
# "You may become" does not count as "You may be".
FORM_OPENING = re.compile(r"(You are|You have|You may be)\b")

errors = []
report = []


def fail(name, msg):
    errors.append(f"{name}: {msg}")


def load(name):
    """Read a file, check its raw format, return the text without the final newline."""
    path = os.path.join(HERE, name)
    if not os.path.isfile(path):
        fail(name, "file missing")
        return None
    raw = open(path, "rb").read()
    try:
        data = raw.decode("ascii")
    except UnicodeDecodeError:
        fail(name, "not plain ASCII")
        data = raw.decode("ascii", errors="replace")
    if not data.endswith("\n"):
        fail(name, "does not end with a newline")
        text = data
    else:
        text = data[:-1]
    if "\n" in text or "\r" in text:
        fail(name, "more than one line (or CR characters)")
    if "\t" in text:
        fail(name, "contains a tab")
    if any(ord(c) < 32 or ord(c) == 127 for c in text):
        fail(name, "contains control characters")
    if text != text.rstrip(" "):
        fail(name, "trailing spaces")
    if text != text.lstrip():
        fail(name, "leading whitespace")
    if "  " in text:
        fail(name, "double space")
    return text


def sentences(text):
    """Split on full stops; return the list of sentences (without the stop)."""
    parts = text.split(".")
    return [p.strip() for p in parts[:-1]], parts[-1]


def check_paragraph(name, text, negative):
    """Checks shared by every paragraph. Returns (sentence count, may count,
    count of sentences with a form opening)."""
    for bad in "!?;":
        if bad in text:
            fail(name, f"contains {bad!r}")
    if "..." in text or re.search(r"\d\.\d", text) or re.search(r"\b(e\.g|i\.e|etc)\b", text, re.I):
        fail(name, "stray full stop (ellipsis, decimal or abbreviation)")
    sents, tail = sentences(text)
    if tail != "":
        fail(name, f"does not end with a full stop (tail {tail[-20:]!r})")
    n = len(sents)
    if not (MIN_SENTENCES <= n <= MAX_SENTENCES):
        fail(name, f"{n} sentences, expected {MIN_SENTENCES}-{MAX_SENTENCES}")
    if text.count(".") != n:
        fail(name, "number of full stops differs from the sentence count")
    for s in sents:
        if not s:
            fail(name, "empty sentence")
            continue
        if not re.match(r"(You|Your)\b", s):
            fail(name, f"sentence not in the second person: {s[:40]!r}")
        if not s[0].isupper():
            fail(name, f"sentence does not start with a capital: {s[:40]!r}")
    # sentences after the first must be separated by exactly one space
    if re.search(r"\.(?! |$)", text):
        fail(name, "full stop not followed by a single space")
    may = len(re.findall(r"\bmay\b", text, re.I))
    if negative and not (MIN_MAY <= may <= MAX_MAY):
        fail(name, f"'may' used {may} times, expected {MIN_MAY}-{MAX_MAY}")
    form = form_openings(sents)
    if 2 * form <= n:
        fail(name, f"only {form} of {n} sentences begin 'You are', 'You have' or 'You may be'"
                   " (more than half must)")
    return n, may, form


def form_openings(sents):
    return sum(1 for s in sents if FORM_OPENING.match(s))


def check(parts, negative):
    """Check one paragraph, given the names of the files it is joined from."""
    name = "+".join(parts)
    texts = [load(part) for part in parts]
    if None in texts:
        return
    if len(parts) > 1:
        for part, text in zip(parts, texts):
            if not text.endswith("."):
                fail(part, "does not end with a full stop (parts join between sentences)")
    # the parts are joined without a space; the sentence-spacing check sees one
    n, may, form = check_paragraph(name, " ".join(texts), negative)
    report.append((name, len("".join(texts)), n, may, form))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--positive", nargs="+", required=True, metavar="PARAGRAPH")
    parser.add_argument("--negative", nargs="+", required=True, metavar="PARAGRAPH")
    args = parser.parse_args()

    expected = set()
    for negative, paragraphs in ((False, args.positive), (True, args.negative)):
        for paragraph in paragraphs:
            parts = paragraph.split("+")
            expected.update(parts)
            check(parts, negative)
    present = {f for f in os.listdir(HERE) if f.endswith(".txt")}
    for extra in sorted(present - expected):
        fail(extra, "unexpected file")

    print(f"{'paragraph':40s} {'len':>5s} {'sent':>4s} {'may':>3s} {'form':>9s}")
    for name, length, n, may, form in report:
        share = f"{form}/{n} {round(100 * form / n):2d}%" if n else "-"
        print(f"{name:40s} {length:5d} {n:4d} {may:3d} {share:>9s}")
    if errors:
        print(f"\n{len(errors)} problem(s):")
        for e in errors:
            print("  " + e)
        return 1
    print("\nAll trait files pass.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
