#!/usr/bin/python3
"""Pictures of the cell note giving way to a dialog, for docs/: the window is
started under Xvfb (on a private D-Bus session, so the cells can be found over
the accessibility bus), the pointer rests on a day so its note opens, then the
colour dialog is opened from the Settings menu with the keyboard. The two
screens are saved side by side.

Usage: dbus-run-session -- tools/note_under_dialog.py BUILD/varnel OUT.png
"""
import datetime
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from PIL import Image, ImageDraw, ImageGrab

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop_session as t  # noqa: E402


def main(varnel, out):
    server, display = t.start_xvfb()
    os.environ["DISPLAY"] = display
    home = tempfile.TemporaryDirectory()
    env = dict(os.environ, HOME=home.name, XDG_CONFIG_HOME=home.name + "/config", XDG_DATA_HOME=home.name + "/data",
               QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    window = subprocess.Popen([varnel], env=env)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = t.wait_for("the program", lambda: t.find(desktop, lambda a: a.name == "Varnel"))
        grid = t.wait_for("the month grid", lambda: t.find(app, lambda a: a.getRole() == pyatspi.ROLE_TABLE
                                                           and a.getState().contains(pyatspi.STATE_SHOWING)))
        time.sleep(3)  # the start-up splash closes itself after two seconds
        subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "\u2014 Varnel", "windowfocus", "--sync"])
        today = datetime.date.today()
        cell = t.wait_for("today's cell", lambda: t.find(grid, lambda a: a.name.startswith(t.long_date(today))))
        x, y, w, h = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(x + w // 3), str(y + h // 2)], check=True)
        time.sleep(1)
        with_note = ImageGrab.grab(xdisplay=display)
        subprocess.run(["xdotool", "key", "alt+s", "c"], check=True)
        t.wait_for("the colour dialog", lambda: t.find(app, lambda a: a.name == "Select Main Color Scheme"))
        time.sleep(1)
        with_dialog = ImageGrab.grab(xdisplay=display)
        # The window and what floats over it, without the empty screen around.
        box = with_note.convert("L").getbbox()
        with_note, with_dialog = with_note.crop(box), with_dialog.crop(box)
        both = Image.new("RGB", (with_note.width * 2 + 12, with_note.height), "white")
        both.paste(with_note, (0, 0))
        both.paste(with_dialog, (with_note.width + 12, 0))
        ImageDraw.Draw(both).rectangle([with_note.width, 0, with_note.width + 11, with_note.height], fill="grey")
        both.save(out)
    finally:
        window.kill()
        server.kill()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
