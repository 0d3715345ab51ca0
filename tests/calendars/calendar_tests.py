#!/usr/bin/python3
"""The month's portions written by `varnel export-portions` and read back by
independent readers: an iCalendar file read with the icalendar library, and
two CalDAV servers (Radicale with a password file, Xandikos) started here on
127.0.0.1 with a free port and a temporary store, read with the caldav client.

Usage: calendar_tests.py PATH/TO/varnel [ics|radicale|xandikos ...]
"""
import datetime
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import unittest

import caldav
import icalendar

VARNEL = None
MARK = "\u00ab"

USER_CALENDAR = """BEGIN:VCALENDAR\r
VERSION:2.0\r
PRODID:-//Someone//Their Calendar//EN\r
X-WR-CALNAME:Mine\r
BEGIN:VTIMEZONE\r
TZID:Europe/Berlin\r
BEGIN:STANDARD\r
DTSTART:19701025T030000\r
RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r
TZOFFSETFROM:+0200\r
TZOFFSETTO:+0100\r
END:STANDARD\r
BEGIN:DAYLIGHT\r
DTSTART:19700329T020000\r
RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r
TZOFFSETFROM:+0100\r
TZOFFSETTO:+0200\r
END:DAYLIGHT\r
END:VTIMEZONE\r
BEGIN:VEVENT\r
UID:choir@me\r
DTSTAMP:20240101T000000Z\r
DTSTART;TZID=Europe/Berlin:20240102T190000\r
DTEND;TZID=Europe/Berlin:20240102T210000\r
RRULE:FREQ=WEEKLY;BYDAY=TU\r
SUMMARY:Choir\r
END:VEVENT\r
BEGIN:VEVENT\r
UID:trip@me\r
DTSTAMP:20240101T000000Z\r
DTSTART;TZID=Europe/Berlin:20240810T080000\r
DTEND;TZID=Europe/Berlin:20240810T180000\r
SUMMARY:Trip to the lake\r
DESCRIPTION:Bring towels\, food\; and a map\r
X-MY-COLOUR:blue\r
X-MY-FLAG;X-WHO=me:yes\r
END:VEVENT\r
BEGIN:VEVENT\r
UID:party@me\r
DTSTAMP:20240101T000000Z\r
DTSTART;VALUE=DATE:20240817\r
DTEND;VALUE=DATE:20240818\r
SUMMARY:Garden party\r
END:VEVENT\r
BEGIN:VEVENT\r
UID:old-export@me\r
DTSTAMP:20240101T000000Z\r
DTSTART;VALUE=DATE:20240907\r
DTEND;VALUE=DATE:20240908\r
SUMMARY:\u00abKi Teitzei\u00bb\r
END:VEVENT\r
END:VCALENDAR\r
"""


def run(*args, password=None, timeout=60, cwd=None):
    env = dict(os.environ, HOME=tempfile.gettempdir(), XDG_CONFIG_HOME=tempfile.mkdtemp())
    env.pop("VARNEL_CALDAV_PASSWORD", None)
    if password is not None:
        env["VARNEL_CALDAV_PASSWORD"] = password
    started = time.monotonic()
    p = subprocess.run([VARNEL, "export-portions", *args], capture_output=True, text=True, env=env,
                       stdin=subprocess.DEVNULL, timeout=timeout, cwd=cwd)
    return p, time.monotonic() - started


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for(port, process, seconds=15):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise RuntimeError("the server stopped at start: " + process.stderr.read().decode(errors="replace"))
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.2):
                return
        except OSError:
            time.sleep(0.05)
    raise RuntimeError("the server did not start")


def semantic(component):
    """A component's properties as comparable values, sub-components included."""
    props = sorted((k, v.to_ical() if hasattr(v, "to_ical") else str(v)) for k, v in component.property_items(recursive=False))
    return (component.name, props, [semantic(c) for c in component.subcomponents])


def ours(c):
    return c.name == "VEVENT" and str(c.get("SUMMARY", "")).startswith(MARK)


def day(c):
    d = c["DTSTART"].dt
    return d if isinstance(d, datetime.date) and not isinstance(d, datetime.datetime) else d.date()


class IcsFile(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp()
        self.path = os.path.join(self.dir, "mine.ics")
        with open(self.path, "w", newline="") as f:
            f.write(USER_CALENDAR)

    def tearDown(self):
        shutil.rmtree(self.dir)

    def read(self):
        with open(self.path, "rb") as f:
            return icalendar.Calendar.from_ical(f.read())

    def test_twice_into_the_users_file(self):
        before = self.read()
        for _ in range(2):
            p, _ = run("2024-08", "--to", self.path)
            self.assertEqual(p.returncode, 0, p.stderr)
        after = self.read()
        mine_before = [semantic(c) for c in before.subcomponents]
        mine_after = [semantic(c) for c in after.subcomponents if not (ours(c) and day(c).month == 8)]
        self.assertEqual(mine_after, mine_before)
        self.assertEqual(semantic(after)[1], semantic(before)[1])  # the calendar's own properties
        items = sorted((day(c), str(c["SUMMARY"])) for c in after.walk("VEVENT") if ours(c) and day(c).month == 8)
        self.assertEqual([d.isoformat() for d, _ in items], ["2024-08-03", "2024-08-10", "2024-08-17", "2024-08-24", "2024-08-31"])
        for c in after.walk("VEVENT"):
            if not ours(c) or day(c).month != 8:
                continue
            self.assertEqual(c["DTEND"].dt - c["DTSTART"].dt, datetime.timedelta(days=1))
            self.assertEqual(str(c["TRANSP"]), "OPAQUE")
            self.assertFalse(c.walk("VALARM"))
            self.assertTrue(str(c["UID"]).startswith("varnel-portion-2024"))

    def test_joined_portion_is_one_item_with_both_readings(self):
        p, _ = run("2024-08", "--to", self.path, "--json")
        self.assertEqual(p.returncode, 0, p.stderr)
        joined = [c for c in self.read().walk("VEVENT") if str(c["SUMMARY"]) == "\u00abMatot/Masei\u00bb"]
        self.assertEqual(len(joined), 1)
        body = str(joined[0]["DESCRIPTION"])
        self.assertTrue(body.startswith("Matot Numbers 30:2-32:42 (30:2) Moses spoke to the heads of the tribes"), body[:120])
        self.assertIn("\nMasei Numbers 33:1-36:13 (33:1) These are the journeys", body)
        self.assertIn("\n\nJeremiah 2:4-28; Jeremiah 3:4 (2:4)", body)
        self.assertEqual(str(joined[0]["LOCATION"]),
                         "Numbers 30:2-32:42 Jeremiah 1:1-2:3; Numbers 33:1-36:13 Jeremiah 2:4-28; Jeremiah 3:4")

    def test_a_file_that_is_not_icalendar_is_refused(self):
        with open(self.path, "w") as f:
            f.write("just my notes\n")
        p, _ = run("2024-08", "--to", self.path)
        self.assertEqual(p.returncode, 1)
        self.assertIn("not an iCalendar file", p.stderr)
        with open(self.path) as f:
            self.assertEqual(f.read(), "just my notes\n")

    def test_bad_arguments(self):
        for args in (["2024-13", "--to", self.path], ["2024-08"], ["2024-08", "--to", "http://example.org/cal/", "--user", "u"],
                     ["2024-08", "--to", "https://example.org/cal/"]):
            p, _ = run(*args)
            self.assertEqual(p.returncode, 2, args)

    def test_addresses_that_are_no_calendar_create_nothing_and_echo_no_password(self):
        for to, said in (("webcal://host/cal/x.ics", "https://host/cal/x.ics"), ("ftp://bob:pw@host/cal/", "ftp://host/cal/"),
                         ("http://bob:pw@127.0.0.1:9/cal/", "http://127.0.0.1:9/cal/")):
            p, _ = run("2024-08", "--to", to, "--user", "bob", cwd=self.dir)
            self.assertEqual(p.returncode, 2, to)
            self.assertIn(said, p.stderr)
            self.assertNotIn("pw", p.stdout + p.stderr)
            self.assertEqual(os.listdir(self.dir), ["mine.ics"])


class CalDavServer:
    """A CalDAV server of its own on a free loopback port, with a temporary store."""
    user, password = "ruth", "s3cret pass"

    def __init__(self, kind):
        self.kind = kind
        self.dir = tempfile.mkdtemp()
        self.port = free_port()
        if kind == "radicale":
            with open(os.path.join(self.dir, "users"), "w") as f:
                f.write(f"{self.user}:{self.password}\n")
            with open(os.path.join(self.dir, "config"), "w") as f:
                f.write(f"[server]\nhosts = 127.0.0.1:{self.port}\n[auth]\ntype = htpasswd\n"
                        f"htpasswd_filename = {self.dir}/users\nhtpasswd_encryption = plain\ndelay = 0\n"
                        f"[storage]\nfilesystem_folder = {self.dir}/store\n[rights]\ntype = owner_only\n"
                        f"[logging]\nlevel = warning\n")
            command = ["radicale", "--config", os.path.join(self.dir, "config")]
        else:  # xandikos serves one user without authentication
            command = ["xandikos", "--defaults", "-d", os.path.join(self.dir, "store"), "-l", "127.0.0.1", "-p", str(self.port)]
        self.process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        wait_for(self.port, self.process)
        self.client = caldav.DAVClient(url=f"http://127.0.0.1:{self.port}/", username=self.user, password=self.password)
        self.principal = self.client.principal()
        self.made = 0

    def new_calendar(self):
        """A fresh, empty calendar collection and its URL."""
        self.made += 1
        calendar = self.principal.make_calendar(name=f"portions{self.made}", cal_id=f"portions{self.made}")
        return calendar, str(calendar.url)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def close(self):
        self.stop()
        shutil.rmtree(self.dir, ignore_errors=True)


def events_of(calendar):
    out = []
    for e in calendar.events():
        for c in icalendar.Calendar.from_ical(e.data).walk("VEVENT"):
            out.append((day(c), str(c["SUMMARY"])))
    return sorted(out)


class CalDavBase:
    """One server for the class; every test writes into a calendar of its own."""
    kind = None

    @classmethod
    def setUpClass(cls):
        cls.server = CalDavServer(cls.kind)

    @classmethod
    def tearDownClass(cls):
        cls.server.close()

    def setUp(self):
        self.calendar, self.url = self.server.new_calendar()

    def export(self, month="2024-08", password=None, url=None):
        return run(month, "--to", url or self.url, "--user", self.server.user, "--json",
                   password=self.server.password if password is None else password)

    def test_twice_leaves_one_set_and_the_users_event(self):
        self.calendar.save_event(
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Someone//EN\r\nBEGIN:VEVENT\r\nUID:party@me\r\n"
            "DTSTAMP:20240101T000000Z\r\nDTSTART;VALUE=DATE:20240817\r\nDTEND;VALUE=DATE:20240818\r\n"
            "SUMMARY:Garden party\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        for run_number in range(2):
            p, seconds = self.export()
            self.assertEqual(p.returncode, 0, p.stderr)
            print(f"\n  {self.kind}: a month exported in {seconds * 1000:.0f} ms (run {run_number + 1})", file=sys.stderr)
        report = json.loads(p.stdout)
        self.assertEqual(sorted(d["date"] for d in report["deleted"]), [d["date"] for d in report["written"]])
        self.assertTrue(report["complete"])
        events = events_of(self.calendar)
        self.assertEqual([s for _, s in events].count("Garden party"), 1)
        marked = [(d.isoformat(), s) for d, s in events if s.startswith(MARK)]
        self.assertEqual(marked, [("2024-08-03", "\u00abMatot/Masei\u00bb"), ("2024-08-10", "\u00abDevarim\u00bb"),
                                  ("2024-08-17", "\u00abVa'etchanan\u00bb"), ("2024-08-24", "\u00abEikev\u00bb"),
                                  ("2024-08-31", "\u00abRe'eh\u00bb")])

    def test_an_address_that_is_no_calendar(self):
        p, _ = self.export(url=f"http://127.0.0.1:{self.server.port}/")
        self.assertEqual(p.returncode, 1)
        self.assertIn("not a CalDAV calendar collection", p.stderr)

    def test_zz_stopped_server_gives_a_clear_message(self):  # runs last: it stops the server
        self.server.stop()
        p, _ = self.export()
        self.assertEqual(p.returncode, 1)
        self.assertIn("cannot be reached", p.stderr)
        self.assertIn("Nothing was written", p.stderr)


class Radicale(CalDavBase, unittest.TestCase):
    kind = "radicale"

    def test_wrong_password_deletes_nothing(self):
        p, _ = self.export()
        self.assertEqual(p.returncode, 0, p.stderr)
        p, _ = self.export(password="wrong")
        self.assertEqual(p.returncode, 1)
        self.assertIn("refused the user name or password", p.stderr)
        self.assertNotIn("wrong", p.stderr + p.stdout)
        self.assertEqual(len(events_of(self.calendar)), 5)


class Xandikos(CalDavBase, unittest.TestCase):
    kind = "xandikos"


if __name__ == "__main__":
    VARNEL = os.path.abspath(sys.argv[1])
    chosen = {"ics": IcsFile, "radicale": Radicale, "xandikos": Xandikos}
    names = sys.argv[2:] or list(chosen)
    suite = unittest.TestSuite(unittest.defaultTestLoader.loadTestsFromTestCase(chosen[n]) for n in names)
    sys.exit(0 if unittest.TextTestRunner(verbosity=2).run(suite).wasSuccessful() else 1)
