#!/usr/bin/python3
"""A desktop of one's own for driving the window from outside: a private X
server, polling with a time limit while the accessibility events are
delivered, and a search of the accessibility tree. Used by the AT-SPI test and
by tools/note_under_dialog.py."""
import random
import subprocess
import sys
import time

TIMEOUT = 60  # seconds for each thing awaited: the bus, the window, a focus move


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def pump_events():
    """Delivers the accessibility events that have arrived to their listeners."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(what, probe, timeout=TIMEOUT, every=None):
    """Polls probe() until it gives something true; `every` runs between tries."""
    deadline = time.monotonic() + timeout
    while True:
        pump_events()
        try:
            found = probe()
        except Exception:  # the bus or the window still coming up
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            fail("timed out waiting for " + what)
        if every:
            every()
        time.sleep(0.1)


def long_date(day):
    return f"{day:%A}, {day:%B} {day.day}, {day.year}"


def start_xvfb():
    """A private X server that answers, on a display number of its own: other
    programs on this machine start theirs too, from the low numbers up, so a
    random high number is taken, and another when it is in use. It does not
    reset when its probe disconnects, which would refuse the window meanwhile."""
    for _ in range(10):
        display = f":{random.randrange(200, 900)}"
        server = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + TIMEOUT
        while server.poll() is None and time.monotonic() < deadline:
            if subprocess.run(["xdpyinfo", "-display", display], capture_output=True).returncode == 0:
                return server, display
            time.sleep(0.1)
        server.kill()
        server.wait()
    fail("Xvfb did not start")


def bus_is_up():
    """The accessibility bus answers on this session (started on demand)."""
    ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"]
    try:
        return subprocess.run(ask, capture_output=True, timeout=TIMEOUT).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def find(accessible, test, depth=0):
    if test(accessible):
        return accessible
    if depth > 12:
        return None
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        found = child and find(child, test, depth + 1)
        if found:
            return found
    return None
