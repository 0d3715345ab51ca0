#!/usr/bin/python3
"""The month's portions written by `varnel export-portions` and read back by
independent readers: an iCalendar file read with the icalendar library, and
two CalDAV servers (Radicale with a password file, Xandikos) started here on
127.0.0.1 with a free port and a temporary store, read with the caldav client;
and a hostile server of our own on 127.0.0.1 that lists items elsewhere,
answers without end, slowly or cut short, and refuses every write.

Usage: calendar_tests.py PATH/TO/varnel [ics|radicale|xandikos|hostile ...]
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
    env = dict(os.environ, HOME=tempfile.gettempdir(), XDG_CONFIG_HOME=tempfile.mkdtemp(), **(limits or {}))
    env.pop("VARNEL_CALDAV_PASSWORD", None)
    if password is not None:
        env["VARNEL_CALDAV_PASSWORD"] = password
    return env


def run(*args, password=None, timeout=60, cwd=None, limits=None, as_user=()):
    started = time.monotonic()
    p = subprocess.run([*as_user, VARNEL, "export-portions", *args], capture_output=True, text=True,
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


def ours(c):
    return c.name == "VEVENT" and str(c.get("X-VARNEL-EXPORT", "")) == "portions"


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


if __name__ == "__main__":
    VARNEL = os.path.abspath(sys.argv[1])
    chosen = {"ics": IcsFile, "radicale": Radicale, "xandikos": Xandikos, "hostile": Hostile}
    names = sys.argv[2:] or list(chosen)
    suite = unittest.TestSuite(unittest.defaultTestLoader.loadTestsFromTestCase(chosen[n]) for n in names)
    sys.exit(0 if unittest.TextTestRunner(verbosity=2).run(suite).wasSuccessful() else 1)
