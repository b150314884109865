#!/usr/bin/python3
# Watches drum's text screen through AT-SPI, as a screen reader sees it, and
# writes each new state of its text with the time it appeared: one JSON line
# per change, {"t": seconds since the epoch, "text": the whole text}.
# Usage: screenreader_watch.py OUTPUT
import json
import sys
import time

import pyatspi

out = open(sys.argv[1], "w", buffering=1)
last = {"text": None}


def screen(source):
    try:
        if source.getApplication().name != "drum":
            return None
        if source.getRole() != pyatspi.ROLE_TEXT or source.parent.getRole() == pyatspi.ROLE_DIALOG:
            return None
        return source.queryText()
    except Exception:
        return None


def changed(event):
    text = screen(event.source)
    if text is None:
        return
    try:
        whole = text.getText(0, -1)
    except Exception:
        return
    # Only the main window's screen has 24 lines.
    if whole.count("\n") != 23 or whole == last["text"]:
        return
    last["text"] = whole
    out.write(json.dumps({"t": time.time(), "text": whole}) + "\n")


pyatspi.Registry.registerEventListener(changed, "object:text-changed:insert")
print("watching", flush=True)
pyatspi.Registry.start()
