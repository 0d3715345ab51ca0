#!/usr/bin/python3
"""The month's portions written by `varnel export-portions`, and the year's
feasts by `varnel export-feasts`, read back by independent readers: an iCalendar file read with the icalendar library, and
two CalDAV servers (Radicale with a password file, Xandikos) started here on
127.0.0.1 with a free port and a temporary store, read with the caldav client;
and a hostile server of our own on 127.0.0.1 that lists items elsewhere,
answers without end, slowly or cut short, and refuses every write.

Usage: calendar_tests.py PATH/TO/varnel [ics|radicale|xandikos|hostile|feasts ...]
"""
import base64
import datetime
import http.server
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import zoneinfo

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


def environment(password=None, limits=None):
    env = dict(os.environ, HOME=tempfile.gettempdir(), XDG_CONFIG_HOME=tempfile.mkdtemp())
    env.update(limits or {})
    env.pop("VARNEL_CALDAV_PASSWORD", None)
    if password is not None:
        env["VARNEL_CALDAV_PASSWORD"] = password
    return env


def run(*args, password=None, timeout=60, cwd=None, limits=None, as_user=(), command="export-portions"):
    started = time.monotonic()
    p = subprocess.run([*as_user, VARNEL, command, *args], capture_output=True, text=True,
                       env=environment(password, limits), stdin=subprocess.DEVNULL, timeout=timeout, cwd=cwd)
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


def ours(c, export="portions"):
    return c.name == "VEVENT" and str(c.get("X-VARNEL-EXPORT", "")) == export


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

    def test_a_users_title_with_a_guillemet_is_not_ours(self):
        p, _ = run("2024-09", "--to", self.path)
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertIn("UID:old-export@me\r\n", open(self.path, newline="").read())

    def test_exports_at_once_into_one_file_lose_nothing(self):
        months = ["2024-%02d" % m for m in range(1, 9)]
        before = [semantic(c) for c in self.read().subcomponents]
        running = [subprocess.Popen([VARNEL, "export-portions", m, "--to", self.path], env=environment(),
                                    stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, stdin=subprocess.DEVNULL)
                   for m in months]
        for p in running:
            self.assertEqual(p.wait(60), 0, p.stderr.read())
            p.stderr.close()
        alone = os.path.join(self.dir, "alone.ics")
        for m in months:
            self.assertEqual(run(m, "--to", alone)[0].returncode, 0)

        def items(calendar):
            return sorted((day(c), str(c["SUMMARY"])) for c in calendar.walk("VEVENT") if ours(c))
        with open(alone, "rb") as f:
            expected = items(icalendar.Calendar.from_ical(f.read()))
        self.assertGreater(len(expected), 30)
        after = self.read()
        self.assertEqual(items(after), expected)
        self.assertEqual([semantic(c) for c in after.subcomponents if not ours(c)], before)

    def test_files_the_user_may_not_change_are_left_alone(self):
        # Run as an ordinary user: root may change anything.
        as_user = ("setpriv", "--reuid=65534", "--regid=65534", "--clear-groups") if os.geteuid() == 0 else ()
        os.chmod(self.dir, 0o777)
        os.chmod(self.path, 0o444)
        cases = [self.path]
        if as_user:  # a file of another user, readable, in a folder the user may write
            theirs = os.path.join(self.dir, "theirs.ics")
            shutil.copy(self.path, theirs)
            os.chmod(theirs, 0o644)
            cases.append(theirs)
        for path in cases:
            with open(path, "rb") as f:
                text = f.read()
            p, _ = run("2024-08", "--to", path, as_user=as_user)
            self.assertEqual(p.returncode, 1, p.stderr)
            self.assertIn("not allowed to change it", p.stderr)
            with open(path, "rb") as f:
                self.assertEqual(f.read(), text)
        self.assertEqual(sorted(os.listdir(self.dir)), sorted(os.path.basename(c) for c in cases))

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
            # The store is temporary: without its fsync after every write the server answers twice as fast.
            command = [sys.executable, "-c", "import os, sys; os.fsync = lambda fd: None; sys.argv[0] = 'radicale'; "
                       "from radicale.__main__ import run; run()", "--config", os.path.join(self.dir, "config")]
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
        self.assertEqual(report["deleted"], [])  # the second run puts each item in place of the first's
        self.assertEqual([w["replaced"] for w in report["written"]], [True] * 5)
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


def our_item(date):
    """An item as the export writes it, for the Shabbat of date (YYYYMMDD)."""
    return (f"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:varnel-portion-{date}@varnel\r\n"
            f"DTSTAMP:20240101T000000Z\r\nDTSTART;VALUE=DATE:{date}\r\nSUMMARY:\u00abOld\u00bb\r\n"
            f"X-VARNEL-EXPORT:portions\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")


def multistatus(*items):
    body = "".join(f'<d:response><d:href>{href}</d:href><d:propstat><d:prop><d:getetag>"e{i}"</d:getetag>'
                   f'<c:calendar-data>{data}</c:calendar-data></d:prop><d:status>HTTP/1.1 200 OK</d:status>'
                   f'</d:propstat></d:response>' for i, (href, data) in enumerate(items))
    return ('<?xml version="1.0"?><d:multistatus xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav">'
            + body + '</d:multistatus>').encode()


class Recorder(http.server.ThreadingHTTPServer):
    """A loopback HTTP server that records every request and answers as told:
    answers[method] = (status, body, options) with options 'endless' or a delay."""
    daemon_threads = True

    def __init__(self):
        super().__init__(("127.0.0.1", 0), RecordingHandler)
        self.seen, self.answers = [], {}
        threading.Thread(target=self.serve_forever, daemon=True).start()

    def url(self, path="/cal/"):
        return f"http://127.0.0.1:{self.server_address[1]}{path}"


class RecordingHandler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def handle_one_request(self):
        self.raw_requestline = self.rfile.readline(65537)
        if not self.raw_requestline or not self.parse_request():
            self.close_connection = True
            return
        length = int(self.headers.get("Content-Length") or 0)
        self.rfile.read(length)
        self.server.seen.append((self.command, self.path, self.headers.get("Authorization")))
        status, body, option = self.server.answers.get(self.command, (404, b"", None))
        if isinstance(option, float):
            time.sleep(option)
        try:
            self.send_response(status)
            self.send_header("Content-Type", "application/xml")
            if option != "endless":
                self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            while option == "endless":
                self.wfile.write(b"<d:response>" * 4096)
        except OSError:
            pass
        self.close_connection = True


class Hostile(unittest.TestCase):
    """Every case: nothing reaches an address outside the calendar, the
    password goes only to the calendar's server, and what went wrong is said."""
    calendar = ('<?xml version="1.0"?><d:multistatus xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav"><d:response>'
                '<d:href>/cal/</d:href><d:propstat><d:prop><d:resourcetype><d:collection/><c:calendar/></d:resourcetype>'
                '</d:prop></d:propstat></d:response></d:multistatus>').encode()

    def setUp(self):
        self.server, self.other = Recorder(), Recorder()
        self.server.answers = {"PROPFIND": (207, self.calendar, None), "PUT": (201, b"", None), "DELETE": (204, b"", None)}

    def tearDown(self):
        for s in (self.server, self.other):
            s.shutdown()
            s.server_close()

    def export(self, report, limits=None):
        self.server.answers["REPORT"] = report
        return run("2024-08", "--to", self.server.url(), "--user", "ruth", "--json", password="pw:secret",
                   limits=limits)[0]

    def test_hostile_answers(self):
        stolen = self.other.url("/steal/x.ics")
        ours = [("/cal/varnel-portion-20240803.ics", our_item("20240803")),
                ("/cal/old.ics", our_item("20240810"))]
        cases = [  # name, REPORT answer, limits, words on stderr, methods seen after the REPORT
            ("another host", (207, multistatus((stolen, our_item("20240817"))), None), None, "is on another server",
             ["PUT"] * 5),
            ("outside the collection", (207, multistatus(("/etc/passwd", our_item("20240817")),
                                                          ("/cal/../etc/x.ics", our_item("20240824"))), None),
             None, "lies outside the calendar", ["PUT"] * 5),
            ("another scheme", (207, multistatus((self.server.url().replace("http:", "https:") + "x.ics",
                                                  our_item("20240817"))), None), None, "changes the scheme", ["PUT"] * 5),
            ("truncated", (207, multistatus(*ours)[:-40], None), None, "cannot be read", []),
            ("not XML", (207, b"<html>oops", None), None, "not a WebDAV multistatus", []),
            ("endless", (207, b'<?xml version="1.0"?><d:multistatus xmlns:d="DAV:">', "endless"), None,
             "larger than the limit of 16 MB", []),
            ("slow", (207, multistatus(*ours), 3.0), {"VARNEL_CALDAV_TIMEOUT_MS": "300"}, "did not answer within 0.3 s", []),
            ("past the deadline", (207, multistatus(*ours), 0.4), {"VARNEL_CALDAV_DEADLINE_MS": "250"},
             "took longer than its limit of 0.25 s", []),
        ]
        for name, answer, limits, words, after in cases:
            with self.subTest(name):
                self.server.seen.clear()
                self.other.seen.clear()
                p = self.export(answer, limits)
                self.assertEqual(p.returncode, 1, p.stderr)
                self.assertIn(words, p.stderr)
                self.assertNotIn("secret", p.stdout + p.stderr)
                self.assertEqual(self.other.seen, [])
                methods = [m for m, _, _ in self.server.seen]
                self.assertEqual(methods[:2], ["PROPFIND", "REPORT"])
                self.assertEqual(methods[2:], after)
                auth = "Basic " + base64.b64encode(b"ruth:pw:secret").decode()
                self.assertTrue(all(a == auth for _, _, a in self.server.seen))
                self.assertFalse(any(path.startswith(("/etc", "/steal")) for _, path, _ in self.server.seen))

    def test_failing_writes_delete_nothing(self):
        self.server.answers["PUT"] = (507, b"", None)
        p = self.export((207, multistatus(("/cal/varnel-portion-20240803.ics", our_item("20240803")),
                                          ("/cal/elsewhere.ics", our_item("20240810")),
                                          ("/cal/gone.ics", our_item("20240811"))), None))
        self.assertEqual(p.returncode, 1)
        report = json.loads(p.stdout)
        self.assertEqual(report["written"], [])
        self.assertEqual(sorted(k["date"] for k in report["kept"]), ["2024-08-03", "2024-08-10", "2024-08-11"])
        self.assertNotIn("DELETE", [m for m, _, _ in self.server.seen])
        puts = [(m, p) for m, p, _ in self.server.seen if m == "PUT"]
        self.assertIn(("PUT", "/cal/elsewhere.ics"), puts)  # replaced where it is, with its ETag
        self.assertIn("The earlier export's item stays for", p.stderr)


def feasts(*args, **kw):
    return run(*args, "--city", "Charlotte", command="export-feasts", **kw)[0]


def varnel_json(*args):
    return json.loads(subprocess.run([VARNEL, *args, "--json"], capture_output=True, text=True, check=True,
                                     env=environment()).stdout)


class Feasts(unittest.TestCase):
    """The year's holy days and times into the user's file and a Radicale
    calendar beside the user's items and the portions' export."""

    @classmethod
    def setUpClass(cls):
        # What the rest of the program says of 2026, for the export to carry whole.
        cls.holy_days = sorted((h["date"], h["name"] + (f" day {h['daynumber']}" if h["daynumber"] else ""))
                               for h in varnel_json("holydays", "2026") if h["name"] and h["date"])
        cls.times = [t for m in range(1, 13) for t in varnel_json("times", "2026-%02d" % m, "--city", "Charlotte")
                     if t["time"]]
        cls.dir = tempfile.mkdtemp()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir)

    def check_items(self, calendar, with_times):
        events = [c for c in calendar.walk("VEVENT") if ours(c, "feasts") and day(c).year == 2026]
        all_day = sorted((day(c).isoformat(), str(c["SUMMARY"])) for c in events if "DTEND" in c and not c.walk("VALARM"))
        self.assertEqual(all_day, self.holy_days)
        for c in events:
            self.assertTrue(str(c["UID"]).startswith("varnel-feast-2026"), c["UID"])
        self.assertEqual(len({str(c["UID"]) for c in events}), len(events))
        timed = [c for c in events if "DTEND" not in c]
        self.assertEqual(len(timed), len(self.times) if with_times else 0)
        if not with_times:
            return
        # Each moment, read on the place's clock by the reader's own zone rules, is the time the program shows.
        labels = {"candles": "Candles", "havdalah": "Havdalah", "fast-begins": "Fast begins", "fast-ends": "Fast ends"}
        zone = zoneinfo.ZoneInfo("America/New_York")
        got = sorted((c["DTSTART"].dt.astimezone(zone).strftime("%Y-%m-%d %H:%M"), str(c["SUMMARY"])) for c in timed)
        want = sorted((t["date"] + " " + t["time"], labels[t["kind"]] + ": " + t["for"]) for t in self.times)
        self.assertEqual(got, want)

    def test_into_the_users_file_beside_the_portions(self):
        path = os.path.join(self.dir, "mine.ics")
        with open(path, "w", newline="") as f:
            f.write(USER_CALENDAR.replace("2024", "2026"))
        self.assertEqual(run("2026-09", "--to", path)[0].returncode, 0)
        with open(path, "rb") as f:
            before = icalendar.Calendar.from_ical(f.read())
        kept = [semantic(c) for c in before.subcomponents]
        for options, with_times in ((["--times"], True), (["--times"], True), ([], False)):
            p = feasts("2026", "--to", path, *options)
            self.assertEqual(p.returncode, 0, p.stderr)
            with open(path, "rb") as f:
                after = icalendar.Calendar.from_ical(f.read())
            # The user's items and the portions' stay as they were, our zone is added once.
            self.assertEqual([semantic(c) for c in after.subcomponents if not ours(c, "feasts") and c.name != "VTIMEZONE"],
                             [k for k in kept if k[0] != "VTIMEZONE"])
            self.assertEqual([str(c["TZID"]) for c in after.walk("VTIMEZONE")], ["Europe/Berlin", "America/New_York"])
            self.check_items(after, with_times)
        # Another year's export leaves this year's items.
        self.assertEqual(feasts("2027", "--to", path).returncode, 0)
        with open(path, "rb") as f:
            self.check_items(icalendar.Calendar.from_ical(f.read()), False)

    def test_on_the_systems_daylight_rules_the_times_are_in_utc(self):
        config = os.path.join(self.dir, "config")
        os.makedirs(os.path.join(config, "Varnel"))
        with open(os.path.join(config, "Varnel", "Varnel.conf"), "w") as f:
            f.write("[Settings]\nDaylightRules=system\n")
        path = os.path.join(self.dir, "utc.ics")
        p = feasts("2026", "--to", path, "--times", limits={"XDG_CONFIG_HOME": config, "TZ": "America/New_York"})
        self.assertEqual(p.returncode, 0, p.stderr)
        with open(path, "rb") as f:
            calendar = icalendar.Calendar.from_ical(f.read())
        self.assertEqual(calendar.walk("VTIMEZONE"), [])
        self.assertTrue(all(c["DTSTART"].dt.utcoffset() == datetime.timedelta(0) for c in calendar.walk("VEVENT") if "DTEND" not in c))
        self.check_items(calendar, True)

    def test_an_independent_calendar_agrees_on_the_days(self):
        path = os.path.join(self.dir, "oracle.ics")
        self.assertEqual(feasts("2026", "--to", path).returncode, 0)
        with open(path, "rb") as f:
            ours_ = {str(c["SUMMARY"]): day(c).isoformat() for c in icalendar.Calendar.from_ical(f.read()).walk("VEVENT")}
        oracle = {}
        for line in subprocess.run(["hebcal", "2026"], capture_output=True, text=True, check=True).stdout.splitlines():
            when, _, name = line.partition(" ")
            m, d, y = when.split("/")
            oracle.setdefault(name, f"{y}-{int(m):02d}-{int(d):02d}")
        same = {"Yom Kippur": "Yom Kippur", "Purim": "Purim", "Shushan Purim": "Shushan Purim",
                "Ta'anit Esther": "Ta'anit Esther", "Tisha B'Av": "Tish'a B'Av", "Tzom Gedaliah": "Tzom Gedaliah",
                "Sukkot day 1": "Sukkot I", "Shemini Atzeret": "Shmini Atzeret", "Simchat Torah": "Simchat Torah",
                "Yom T'ruah (Rosh Hashanah) day 1": "Rosh Hashana 5787"}
        for name, theirs in same.items():
            self.assertEqual(ours_.get(name), oracle[theirs], name)

    def test_personal_dates_with_a_reminder_the_evening_before(self):
        data = os.path.join(self.dir, "data")
        os.mkdir(data)
        for name in os.listdir(os.path.dirname(VARNEL)):
            if name.endswith((".dat", ".bak")):
                shutil.copy(os.path.join(os.path.dirname(VARNEL), name), data)
        for entry in (["Abraham Levi", "--hebrew", "3 adar ii 5771", "--kind", "yahrzeit"],
                      ["Dina", "--date", "2014-03-04", "--after-sunset", "--kind", "birthday"],
                      ["\u05e9\u05e8\u05d4", "--date", "2020-12-30", "--kind", "birthday"]):
            subprocess.run([VARNEL, "dates", "--data-dir", data, "--add", entry[0], *entry[1:]], check=True,
                           capture_output=True, env=environment())
        days = varnel_json("dates", "2026", "--data-dir", data)
        self.assertEqual(len(days), 4)  # the Tevet birthday comes twice in 2026
        path = os.path.join(self.dir, "personal.ics")
        with open(path, "w", newline="") as f:
            f.write(USER_CALENDAR)
        with open(path, "rb") as f:
            mine = [semantic(c) for c in icalendar.Calendar.from_ical(f.read()).subcomponents]
        for personal in (True, False):
            p = feasts("2026", "--to", path, "--data-dir", data, *(["--personal"] if personal else []))
            self.assertEqual(p.returncode, 0, p.stderr)
            with open(path, "rb") as f:
                after = icalendar.Calendar.from_ical(f.read())
            self.assertEqual([semantic(c) for c in after.subcomponents if not ours(c, "feasts")], mine)
            alarmed = [c for c in after.walk("VEVENT") if c.walk("VALARM")]
            self.assertEqual(len(alarmed), 4 if personal else 0)
            for c, d in zip(sorted(alarmed, key=day), days):
                self.assertEqual(day(c).isoformat(), d["date"])
                self.assertIn(d["name"], str(c["SUMMARY"]))
                self.assertEqual(c["DTEND"].dt - c["DTSTART"].dt, datetime.timedelta(days=1))
                alarm = c.walk("VALARM")[0]
                self.assertEqual(str(alarm["ACTION"]), "DISPLAY")
                # Six hours before the day begins: 6 PM the evening before.
                self.assertEqual(alarm["TRIGGER"].dt, -datetime.timedelta(hours=6))
            self.check_items(after, False)

    def test_bad_years_and_targets(self):
        path = os.path.join(self.dir, "bad.ics")
        for args in (["10000", "--to", path], ["2026"], ["26x", "--to", path], ["2026", "--to", "https://example.org/c/"]):
            self.assertEqual(feasts(*args).returncode, 2, args)
        # libical writes no date after 3000: every item fails, nothing is created.
        p = feasts("3001", "--to", path)
        self.assertEqual(p.returncode, 1)
        self.assertIn("after the year 3000", p.stderr)
        self.assertFalse(os.path.exists(path))

    def test_radicale_keeps_the_users_event_and_the_portions(self):
        server = CalDavServer("radicale")
        try:
            calendar, url = server.new_calendar()
            calendar.save_event(
                "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Someone//EN\r\nBEGIN:VEVENT\r\nUID:party@me\r\n"
                "DTSTAMP:20240101T000000Z\r\nDTSTART;VALUE=DATE:20260921\r\nDTEND;VALUE=DATE:20260922\r\n"
                "SUMMARY:Garden party\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
            login = ("--to", url, "--user", server.user)
            self.assertEqual(run("2026-09", *login, password=server.password)[0].returncode, 0)
            p = feasts("2026", *login, "--times", password=server.password)
            self.assertEqual(p.returncode, 0, p.stderr)
            whole = icalendar.Calendar()
            for e in calendar.events():
                for c in icalendar.Calendar.from_ical(e.data).subcomponents:
                    whole.add_component(c)
            self.check_items(whole, True)
            names = [str(c["SUMMARY"]) for c in whole.walk("VEVENT") if not ours(c, "feasts")]
            self.assertEqual(names.count("Garden party"), 1)
            self.assertEqual(len([n for n in names if n.startswith(MARK)]), 4)  # September's Shabbatot
            # A rerun without the times replaces the holy days and takes out only our times.
            p = feasts("2026", *login, "--json", password=server.password)
            self.assertEqual(p.returncode, 0, p.stderr)
            report = json.loads(p.stdout)
            self.assertTrue(report["complete"])
            self.assertEqual(len(report["deleted"]), len(self.times))
            self.assertEqual([w["replaced"] for w in report["written"]], [True] * len(self.holy_days))
            left = [c for e in calendar.events() for c in icalendar.Calendar.from_ical(e.data).walk("VEVENT")]
            self.assertEqual(len(left), len(self.holy_days) + 5)
        finally:
            server.close()


if __name__ == "__main__":
    VARNEL = os.path.abspath(sys.argv[1])
    chosen = {"ics": IcsFile, "radicale": Radicale, "xandikos": Xandikos, "hostile": Hostile, "feasts": Feasts}
    names = sys.argv[2:] or list(chosen)
    suite = unittest.TestSuite(unittest.defaultTestLoader.loadTestsFromTestCase(chosen[n]) for n in names)
    sys.exit(0 if unittest.TextTestRunner(verbosity=2).run(suite).wasSuccessful() else 1)
