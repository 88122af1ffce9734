#!/usr/bin/env python3
"""Check the sun-sign trait paragraphs in this directory.

Each sign has a positive and a negative paragraph, one per file, except Leo's
positive paragraph, which is split in two files that the program joins with
nothing in between. Run: python3 check_traits.py  (exit status 0 = all good)
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# sign -> (positive opening, positive length, negative opening, negative length)
SIGNS = {
    "aries": ("You may be pioneers in your fields", 727,
              "You may be arrogant and domineering.", 604),
    "taurus": ("You are patient and enduring in nature.", 755,
               "You are very stubborn and inflexible.", 405),
    "gemini": ("You are very adjusting in nature", 745,
               "You are inconsistent in your performance.", 526),
    "cancer": ("You are very sensitive in nature", 866,
               "You are unstable and very unreliable.", 609),
    "leo": (None, 998,
            "You have a violent temper.", 646),
    "virgo": ("You are very modest by nature.", 513,
              "Your need for neatness", 331),
    "libra": ("You are highly diplomatic individuals.", 717,
              "You cannot take make decisions for themselves.", 366),
    "scorpio": ("You are intense and strong willed people", 702,
                "You have a very short temper.", 536),
    "sagittarius": ("You are a happy go lucky lot", 874,
                    "You may be too outspoken for your own good.", 378),
    "capricorn": ("You are people with a traditional frame of mind.", 732,
                  "You are very rigid in nature", 550),
    "aquarius": ("You are magnetic in nature", 754,
                 "You do not make friends very easily", 655),
    "pisces": ("You are very adjusting, friendly and good- natured people.", 681,
               "You want people to sympathize with your personal problems.", 415),
}

LEO_1 = ("leo_positive_1", "You are leaders and have a magnetic personality.", 783)
LEO_2 = ("leo_positive_2", "You have a proud and dignified presence", 215)

LENGTH_TOLERANCE = 3
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
    path = os.path.join(HERE, name + ".txt")
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


def check_simple(name, opening, target, negative):
    text = load(name)
    if text is None:
        return
    if not text.startswith(opening):
        fail(name, f"does not begin with {opening!r}")
    if abs(len(text) - target) > LENGTH_TOLERANCE:
        fail(name, f"length {len(text)}, target {target}")
    n, may, form = check_paragraph(name, text, negative)
    report.append((name, len(text), target, n, may, form))


def check_leo_positive():
    parts = []
    for name, opening, exact in (LEO_1, LEO_2):
        text = load(name)
        if text is None:
            return
        if not text.startswith(opening):
            fail(name, f"does not begin with {opening!r}")
        if len(text) != exact:
            fail(name, f"length {len(text)}, must be exactly {exact}")
        if not text.endswith("."):
            fail(name, "does not end with a full stop")
        parts.append(text)
    if os.path.exists(os.path.join(HERE, "leo_positive.txt")):
        fail("leo_positive", "must not exist (the paragraph is split in two files)")
    joined = parts[0] + parts[1]
    if len(joined) != SIGNS["leo"][1]:
        fail("leo_positive (joined)", f"length {len(joined)}, expected {SIGNS['leo'][1]}")
    n1 = parts[0].count(".")
    n2 = parts[1].count(".")
    # the two parts are joined without a space; add one only for the
    # sentence-spacing check
    n, may, form = check_paragraph("leo_positive (joined)", joined.replace(".You", ". You", 1),
                                   False)
    if n != n1 + n2:
        fail("leo_positive (joined)", "sentence count of the join differs from the parts")
    # the form rule holds for the joined paragraph; the parts are listed for information
    for (name, _, exact), text, count in ((LEO_1, parts[0], n1), (LEO_2, parts[1], n2)):
        report.append((name, len(text), exact, count, len(re.findall(r"\bmay\b", text, re.I)),
                       form_openings(sentences(text)[0])))
    report.append(("leo_positive (joined)", len(joined), SIGNS["leo"][1], n, may, form))


def main():
    for sign, (pos_open, pos_len, neg_open, neg_len) in SIGNS.items():
        if sign == "leo":
            check_leo_positive()
        else:
            check_simple(f"{sign}_positive", pos_open, pos_len, False)
        check_simple(f"{sign}_negative", neg_open, neg_len, True)

    expected = {f"{s}_{k}.txt" for s in SIGNS for k in ("positive", "negative")}
    expected.discard("leo_positive.txt")
    expected |= {LEO_1[0] + ".txt", LEO_2[0] + ".txt"}
    present = {f for f in os.listdir(HERE) if f.endswith(".txt")}
    for extra in sorted(present - expected):
        fail(extra, "unexpected file")

    print(f"{'file':24s} {'len':>5s} {'target':>6s} {'sent':>4s} {'may':>3s} {'form':>9s}")
    for name, length, target, n, may, form in report:
        share = f"{form}/{n} {round(100 * form / n):2d}%" if n else "-"
        print(f"{name:24s} {length:5d} {target:6d} {n:4d} {may:3d} {share:>9s}")
    if errors:
        print(f"\n{len(errors)} problem(s):")
        for e in errors:
            print("  " + e)
        return 1
    print("\nAll trait files pass.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
