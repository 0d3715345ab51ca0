#!/usr/bin/python3
"""The month grid through the desktop's accessibility bus (AT-SPI), as a
screen reader meets it: the window is started (with --data-dir) under Xvfb on a
private D-Bus session, the arrow keys move the focus, and the focused cell's name and
description are read back and compared with the month the command line prints.

Usage: atspi_grid_test.py VARNEL   (ctest runs it; exit 77 = skipped)
"""
import datetime
import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from desktop_session import TIMEOUT, bus_is_up, fail, find, long_date, start_xvfb, wait_for  # noqa: E402

SKIP = 77


def outer(varnel):
    for tool in ("Xvfb", "xdpyinfo", "dbus-run-session", "xdotool"):
        if subprocess.run(["which", tool], capture_output=True).returncode != 0:
            fail(tool + " is missing (scripts/setup installs it)")
    server, display = start_xvfb()
    try:
        env = dict(os.environ, DISPLAY=display)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        run = subprocess.run(["dbus-run-session", "--", sys.executable, __file__, "--inner", varnel], env=env,
                             timeout=6 * TIMEOUT)
        return run.returncode
    finally:
        server.kill()
        server.wait()


def inner(varnel):
    if not bus_is_up():
        print("SKIP: the AT-SPI accessibility bus could not start on a private D-Bus session", file=sys.stderr)
        return SKIP
    import pyatspi

    home = tempfile.TemporaryDirectory()
    env = dict(os.environ, HOME=home.name, XDG_CONFIG_HOME=home.name + "/config", XDG_DATA_HOME=home.name + "/data",
               QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    today = datetime.date.today()
    # The window is started on a data folder of its own choosing, as `varnel --data-dir DIR`.
    data = ["--data-dir", os.path.dirname(os.path.abspath(varnel))]
    month = json.loads(subprocess.run([varnel, "month", f"{today:%Y-%m}", "--json"] + data, env=env,
                                      capture_output=True, check=True, text=True).stdout)
    window = subprocess.Popen([varnel] + data, env=env)
    try:
        def application():
            if window.poll() is not None:
                fail(f"the program ended (status {window.returncode}) before it showed its window")
            return find(pyatspi.Registry.getDesktop(0), lambda a: a.name == "Varnel")

        # What a screen reader hears: the objects that announce they took the focus.
        announced = []
        pyatspi.Registry.registerEventListener(
            lambda event: announced.append(event.source.name) if event.detail1 else None,
            "object:state-changed:focused")

        app = wait_for("the program on the accessibility bus", application)
        # The month grid: a table named by the month's title.
        grid = wait_for("the month grid", lambda: find(app, lambda a: a.getRole() == pyatspi.ROLE_TABLE
                                                       and a.name == month["title"]))

        def focus_window():
            subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "\u2014 Varnel", "windowfocus"],
                           capture_output=True, timeout=TIMEOUT)

        def focused_cell():
            for i in range(grid.childCount):
                cell = grid.getChildAtIndex(i)
                if cell and cell.getState().contains(pyatspi.STATE_FOCUSED):
                    return cell
            return None

        def cell_text(day):
            offset = f"{day.day - 1:02d}"
            for row in month["grid"]:
                for cell in row:
                    if cell["data"].startswith(offset):
                        return cell
            fail(f"no cell for {day} in the month's JSON")

        def expect_focus_on(day):
            wait_for("the focus announced on " + long_date(day),
                     lambda: any(name.startswith(long_date(day)) for name in announced))
            cell = wait_for("the focused cell " + long_date(day),
                            lambda: (lambda c: c if c and c.name.startswith(long_date(day)) else None)(focused_cell()))
            shown = cell_text(day)
            lines = [line for line in shown["text"].split("\r\n") if line]
            expected = long_date(day) + (": " + ", ".join(lines) if lines else "")
            if cell.name != expected:
                fail(f"focused cell reads {cell.name!r}, expected {expected!r}")
            details = shown["data"][2:].replace("\r\n", "\n").rstrip("\n")
            if cell.description != details or "Sunrise: " not in cell.description:
                fail(f"focused cell's description is {cell.description!r}, expected {details!r}")
            print("focused:", cell.name)

        # The window opens on today's month with today's cell current.
        wait_for("the keyboard focus in the month grid", focused_cell, every=focus_window)
        expect_focus_on(today)
        last = (today.replace(day=28) + datetime.timedelta(days=4)).replace(day=1) - datetime.timedelta(days=1)
        moves = [("Right", 1) if today < last else ("Left", -1),
                 ("Down", 7) if today + datetime.timedelta(days=7) <= last else ("Up", -7)]
        day = today
        for key, step in moves:
            subprocess.run(["xdotool", "key", key], check=True, timeout=TIMEOUT)
            day += datetime.timedelta(days=step)
            expect_focus_on(day)
        print("PASS")
        return 0
    finally:
        window.terminate()
        try:
            window.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            window.kill()


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2]))
    if len(sys.argv) != 2:
        fail(__doc__)
    sys.exit(outer(sys.argv[1]))
