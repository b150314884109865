#!/usr/bin/python3
# Reads what a screen reader session left behind and checks it: the two
# null sinks' recordings (drum's own sound output and the speech service's,
# where the screen reader speaks), the times the script marked, the text
# screen's states as AT-SPI showed them, the screen reader's debug log and
# drum's own output.
#
# Usage: screenreader_analyse.py WORK MODE     (MODE: orca or alone)
# Prints the figures; exits 1 when a check fails.
import array
import datetime
import difflib
import json
import re
import sys
import wave

FRAME = 0.01      # seconds per analysis frame
THRESHOLD = 300   # RMS of a frame that counts as sound (of 32768: -40 dBFS)
BRIDGE = 0.05     # gaps shorter than this inside an utterance stay sound

work, mode = sys.argv[1], sys.argv[2]
failures = []


def fail(text):
    failures.append(text)


def activity(path):
    with wave.open(path) as w:
        rate = w.getframerate()
        data = array.array("h", w.readframes(w.getnframes()))
    step = int(rate * FRAME)
    frames = []
    for i in range(0, len(data) - step + 1, step):
        chunk = data[i:i + step]
        frames.append((sum(x * x for x in chunk) / step) ** 0.5 > THRESHOLD)
    # Close short gaps between syllables.
    gap = int(BRIDGE / FRAME)
    last = None
    for i, on in enumerate(frames):
        if on:
            if last is not None and 0 < i - last - 1 <= gap:
                for j in range(last + 1, i):
                    frames[j] = True
            last = i
    return frames


def seconds(frames):
    return sum(frames) * FRAME


def window(frames, start, end):
    a, b = max(0, int(start / FRAME)), min(len(frames), int(end / FRAME))
    return frames[a:b] if b > a else []


marks = {}
with open(f"{work}/marks") as f:
    for line in f:
        name, t = line.split()
        marks.setdefault(name, []).append(float(t))
t0 = marks["record"][0]

drum = activity(f"{work}/drum.wav")
reader = activity(f"{work}/reader.wav")
n = min(len(drum), len(reader))
both = [drum[i] and reader[i] for i in range(n)]
print(f"recorded {n * FRAME:.1f} s: drum's sink {seconds(drum):.2f} s of sound, "
      f"the speech service's sink {seconds(reader):.2f} s, both at once {seconds(both):.2f} s")


def overlap_between(a, b):
    return seconds(window(both, a - t0, b - t0))


# Overlap by part of the session.
parts = [("game", "start", "review"), ("review", "review", "voice"), ("dialogs", "voice", "exit")]
for name, a, b in parts:
    if a in marks and b in marks:
        print(f"  {name}: {overlap_between(marks[a][0], marks[b][0]):.2f} s overlapping")

# Every state of the screen the game made was heard: after it appeared, one of
# the sinks sounded.
states = []
try:
    with open(f"{work}/screen.jsonl") as f:
        states = [json.loads(line) for line in f if line.strip()]
except FileNotFoundError:
    pass
printed = []
previous = [""] * 24
for state in states:
    lines = state["text"].split("\n")
    matcher = difflib.SequenceMatcher(a=previous, b=lines, autojunk=False)
    for tag, _, _, j1, j2 in matcher.get_opcodes():
        if tag in ("replace", "insert"):
            for line in lines[j1:j2]:
                old = previous[lines.index(line)] if lines.index(line) < len(previous) else ""
                start = 0
                while start < min(len(old), len(line)) and old[start] == line[start]:
                    start += 1
                new = line[start:].strip()
                if new:
                    printed.append((state["t"], new))
    previous = lines
unheard = []
for t, text in printed:
    if t < marks["start"][0]:
        continue
    heard = window(drum, t - t0 - 0.3, t - t0 + 2.5) + window(reader, t - t0 - 0.3, t - t0 + 2.5)
    if seconds(heard) < 0.08:
        unheard.append(text)
print(f"the game printed {len(printed)} texts; unheard: {len(unheard)}")
for text in unheard:
    print(f"  unheard: {text!r}")

# The accessibility bridge gave up waiting for the screen reader's answer.
with open(f"{work}/drum.log", errors="replace") as f:
    drumlog = f.read()
held = []
for m in re.finditer(r"^(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d+) .*keyEventError", drumlog, re.M):
    held.append(datetime.datetime.fromisoformat(m.group(1)).replace(tzinfo=datetime.timezone.utc).timestamp())
# The game's keys are the main window's during the run; later keys (the
# review, the dialogs, the menu) belong to standard controls, which a screen
# reader must hear.
# The game's keys must not wait; other keys (Ctrl of a shortcut, the
# dialogs', the menu's) are the screen reader's to hear, and may.
gamekeys = marks.get("gamekey", [])
ingame = [t for t in held if any(0 <= t - k <= 0.6 for k in gamekeys)]
# A report without its time counts against the game.
timeouts = len(ingame) + len(re.findall(r"keyEventError", drumlog)) - len(held)
print(f"key events the accessibility bridge held 100 ms: {len(held)}; of the game's {len(gamekeys)} keys: {timeouts}")

letters = set(t for _, t in printed if len(t) == 1)
if mode == "orca":
    spoken, echoed, version = [], [], 0
    with open(f"{work}/orca.log", errors="replace") as f:
        echo = False
        for line in f:
            m = re.search(r"Orca version (\d+)", line)
            if m and not version:
                version = int(m.group(1))
            if "DEFAULT: Presenting keyboard event" in line:
                echo = True
            m = re.search(r"SPEECH OUTPUT: '(.*?)' ?\{'established'", line)
            if m:
                (echoed if echo else spoken).append(m.group(1))
                echo = False
    # Orca 44 and later take the keys from the X server (at-spi's device
    # API), not from the program, and echo them as typed: an echo names a key,
    # not a letter of the game's. Before that Orca heard only the keys the
    # program passed on, so an echoed game key is a key drum failed to keep.
    if version < 44:
        spoken += echoed
    else:
        print(f"Orca {version} echoed {len(echoed)} keys: {echoed}")
    strangers = [s for s in spoken if len(s.strip()) == 1 and s.strip().isalpha() and s.strip() not in letters]
    print(f"Orca said {len(spoken)} utterances; single letters the game did not print: {strangers}")
    # After an arrow it heard, Orca reads the character at the caret: an end
    # of line is "blank", a screen line's padding a space.
    blanks = [s for s in spoken if s == "blank" or (s and not s.strip())]
    print(f"Orca read a blank or a space at the caret {len(blanks)} times")
    total = overlap_between(marks["start"][0], marks["exit"][0])
    print(f"OVERLAP {total:.2f} s")
    if total >= 0.2:
        fail(f"{total:.2f} s of overlapping speech")
    if timeouts:
        fail(f"{timeouts} of the game's key events held 100 ms by the accessibility bridge")
    if strangers:
        fail(f"Orca said letters the game did not print: {strangers}")
    if unheard:
        fail(f"{len(unheard)} printed texts were not heard")
    if not spoken:
        fail("Orca said nothing at all")

else:
    # Every dialog and message box spoke while it was open.
    for name in ("voice", "environment", "message", "sounds", "about"):
        for a in marks.get(name, []):
            b = a + 1.5
            said = seconds(window(drum, a - t0, b - t0)) + seconds(window(reader, a - t0, b - t0))
            print(f"  {name}: {said:.2f} s of speech in its first 1.5 s")
            if said < 0.2:
                fail(f"the {name} window was silent")

if failures:
    for f in failures:
        print("FAILED:", f)
    sys.exit(1)
print("PASSED")
