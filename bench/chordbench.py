#!/usr/bin/env python3
"""Braille chords and cursor taps at a typist's pace, sent to the real drum as
real X key events (XTest), and what the game took, read from drum's key trace
(DRUM_KEYTRACE): each chord and each tap must be taken exactly once.

Usage: chordbench.py TRACE_FILE [--chords 100] [--taps 100] [--holds 0] [--seed 1]
Run by bench/chords.sh, which starts drum with the game waiting for keys.
"""
import argparse
import ctypes
import random
import sys
import time

x11 = ctypes.CDLL("libX11.so.6")
xtst = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

# The game's move codes as chords of the shipped Braille table.
CHORDS = {"b": "fd", "c": "fj", ":": "dk", "/": "fdjkl"}
RELEASE_SPREADS = [0, 5, 10, 20, 40]


class Keys:
    def __init__(self):
        self.display = x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("no X display")
        self.codes = {}

    def code(self, name):
        if name not in self.codes:
            self.codes[name] = x11.XKeysymToKeycode(self.display, x11.XStringToKeysym(name.encode()))
        return self.codes[name]

    def send(self, name, down):
        xtst.XTestFakeKeyEvent(self.display, self.code(name), 1 if down else 0, 0)
        x11.XFlush(self.display)


class Trace:
    """drum's key trace: 'took <us> <hex codes>' and 'wait <us>' lines."""

    def __init__(self, path):
        self.file = open(path, "r")
        self.lines = []

    def poll(self):
        while True:
            line = self.file.readline()
            if not line or not line.endswith("\n"):
                if line:
                    self.file.seek(self.file.tell() - len(line))
                return
            self.lines.append(line.split())

    def since(self, start):
        self.poll()
        return self.lines[start:]


def play(keys, events):
    """events: (seconds from now, key name, down) in any order."""
    start = time.monotonic()
    for at, name, down in sorted(events, key=lambda e: e[0]):
        delay = start + at - time.monotonic()
        if delay > 0:
            time.sleep(delay)
        keys.send(name, down)


def chord_events(rng, letters, release_spread, hold=None):
    press_spread = rng.uniform(0, 0.040)
    hold = rng.uniform(0.060, 0.300) if hold is None else hold
    order = list(letters)
    rng.shuffle(order)
    presses = sorted(rng.uniform(0, press_spread) for _ in order)
    presses[0], presses[-1] = 0.0, press_spread if len(order) > 1 else 0.0
    events = [(t, k, True) for t, k in zip(sorted(presses), order)]
    first_release = press_spread + hold
    rng.shuffle(order)
    releases = sorted(rng.uniform(0, release_spread) for _ in order)
    releases[0] = 0.0
    if len(order) > 1:
        releases[-1] = release_spread
    events += [(first_release + t, k, False) for t, k in zip(releases, order)]
    return events


def settle(trace, mark):
    """Waits until the game has taken what it takes of one trial and is back
    at its key wait with nothing more to come; returns the texts it took."""
    start = time.monotonic()
    while True:
        lines = trace.since(mark)
        tooks = ["".join(chr(int(h, 16)) for h in l[2:]) for l in lines if l[0] == "took"]
        if not tooks and time.monotonic() - start > 1.5:
            return []
        if tooks and lines[-1][0] == "wait":
            time.sleep(0.25)
            if len(trace.since(mark)) == len(lines):
                return tooks
            continue
        if time.monotonic() - start > 30:
            return tooks
        time.sleep(0.005)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("trace")
    ap.add_argument("--chords", type=int, default=100)
    ap.add_argument("--taps", type=int, default=100)
    ap.add_argument("--holds", type=int, default=0, help="chords held 1-2 s (auto-repeat)")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--label", default="")
    args = ap.parse_args()
    rng = random.Random(args.seed)
    keys = Keys()
    trace = Trace(args.trace)

    # The game is at its key wait once the trace says so.
    deadline = time.monotonic() + 60
    while not any(l[0] == "wait" for l in trace.since(0)):
        if time.monotonic() > deadline:
            sys.exit("the game never waited for a key")
        time.sleep(0.05)

    trials = []
    codes = list(CHORDS)
    for i in range(args.chords):
        trials.append(("chord", codes[i % len(codes)], RELEASE_SPREADS[i % len(RELEASE_SPREADS)]))
    for i in range(args.taps):
        trials.append(("tap", "Right" if i % 2 == 0 else "Left", rng.uniform(0.015, 0.100)))
    for i in range(args.holds):
        trials.append(("hold", codes[i % len(codes)], rng.uniform(1.0, 2.0)))
    rng.shuffle(trials)

    results = {}
    for kind, what, value in trials:
        time.sleep(rng.uniform(0.05, 0.09))  # any phase of the key wait's pass
        mark = len(trace.since(0))
        if kind == "tap":
            play(keys, [(0, what, True), (value, what, False)])
            expected = chr(136 if what == "Right" else 132)
            bucket = ("tap", "15-25" if value < 0.025 else "25-50" if value < 0.050 else "50-100")
        elif kind == "chord":
            play(keys, chord_events(rng, CHORDS[what], value / 1000.0))
            expected = what
            bucket = ("chord", value)
        else:
            play(keys, chord_events(rng, CHORDS[what], 0.0, hold=value))
            expected = what
            bucket = ("hold", "1-2 s")
        took = settle(trace, mark)
        r = results.setdefault(bucket, {"n": 0, "once": 0, "lost": 0, "more": 0, "wrong": 0})
        r["n"] += 1
        if took == [expected]:
            r["once"] += 1
        elif not took:
            r["lost"] += 1
        elif all(t == expected for t in took):
            r["more"] += 1
        else:
            r["wrong"] += 1
            print(f"  {kind} {what!r} took {took!r}", file=sys.stderr)

    print(f"| {args.label} | release gap / tap length | taken once | lost | twice or more | other text |")
    print("|---|---|---|---|---|---|")
    for bucket in sorted(results, key=lambda b: (b[0], str(b[1]).zfill(6))):
        r = results[bucket]
        name = f"chord, {bucket[1]} ms" if bucket[0] == "chord" else f"{bucket[0]}, {bucket[1]}"
        if bucket[0] == "tap":
            name += " ms"
        print(f"| | {name} | {r['once']} of {r['n']} | {r['lost']} | {r['more']} | {r['wrong']} |")
    sys.stdout.flush()


if __name__ == "__main__":
    main()
