"""Drives the real program as a person does: a fresh copy of the program folder with a catalogue
the case prepares, a virtual display (Xvfb) with openbox, the desktop's accessibility bus to
learn where a named control is and which control has the focus, and xdotool for every click
and key. The case reads its result from the table files after the program has closed.

A case is a function taking a Session; it raises Failure (or AssertionError) when the program
did not do what a person expects. run_case() is the ctest entry point: exit 0 passed, 1 failed,
77 skipped (a tool is missing).
"""
import datetime
import os
import re
import shutil
import signal
import sqlite3
import subprocess
import time
import traceback

SKIP = 77
TOOLS = ("Xvfb", "openbox", "xdotool", "dbus-daemon", "xprop", "xwininfo", "import")
SCREEN = (1280, 1024)
CASE_LIMIT = 150  # seconds; ctest's own limit is a little longer


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def missing_tools():
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    try:
        subprocess.run(["/usr/bin/python3", "-c", "import pyatspi"], check=True, capture_output=True)
    except (OSError, subprocess.CalledProcessError):
        missing.append("python3-pyatspi")
    return missing


def today():
    return datetime.date.today().isoformat()


# --- The catalogue ---------------------------------------------------------------------------

class Catalogue:
    """The table files of one program folder, read and written with SQLite (each file holds one
    table named as the file)."""

    def __init__(self, data_folder):
        self.folder = data_folder

    def connect(self, table):
        for name in os.listdir(self.folder):
            stem, ext = os.path.splitext(name)
            if stem.lower() == table.lower() and ext.lower() == ".db":
                return sqlite3.connect(os.path.join(self.folder, name))
        raise Failure("no table file %s in %s" % (table, self.folder))

    def rows(self, table, sql_tail="", params=(), columns="*"):
        with self.connect(table) as db:
            return db.execute("SELECT %s FROM \"%s\" %s" % (columns, table, sql_tail), params).fetchall()

    def insert(self, table, **values):
        with self.connect(table) as db:
            names = ", ".join('"%s"' % k for k in values)
            marks = ", ".join("?" for _ in values)
            db.execute("INSERT INTO \"%s\"(%s) VALUES (%s)" % (table, names, marks), tuple(values.values()))

    def tape(self, number, title, **fields):
        self.insert("Video", TapeNr=number, Titel=title, **fields)

    def lookups(self, table, *values):
        for value in values:
            self.insert(table, **{table: value})


def standard_catalogue(cat):
    """Three tapes, the lookup lists and no loans: what most cases start from."""
    cat.lookups("Type", "VHS", "DVD", "Blu-ray")
    cat.lookups("Kategori", "Action", "Drama", "Komedie")
    cat.lookups("Instruktor", "Bille August")
    cat.lookups("Optagetaf", "DR1")
    cat.insert("Skuespiller", Skuespiller="Bodil Kjer")
    cat.tape("0001-00", "Ornen", Type="DVD", Kategori="Action", Udlaan="Nej")
    cat.tape("0002-00", "Matador", Type="VHS", Kategori="Drama", Udlaan="Nej")
    cat.tape("0003-00", "Olsen-banden", Type="VHS", Kategori="Komedie", Udlaan="Ja")
    cat.insert("Medvirker", Tapenr="0003-00", Titel="Olsen-banden", Skuespiller="Ove Sprogøe", Rolle="Egon")
    cat.insert("Medvirker", Tapenr="0003-00", Titel="Olsen-banden", Skuespiller="Morten Grunwald", Rolle="Benny")


# --- The session -----------------------------------------------------------------------------

class Session:
    """One run of the program on a display of its own."""

    def __init__(self, program_folder, out_dir):
        self.source = program_folder
        self.out = out_dir
        self.folder = os.path.join(out_dir, "Spolarkiv")
        self.processes = []
        self.program = None
        self.env = None
        self.atspi = None
        self.messages = []   # message boxes the program showed
        self.expected = []   # those the case asked for
        self.notes = []      # faults seen on the way that the case is not about
        self.shots = 0
        self.killed = False
        self.problems = []   # windows that would not close, a program that would not end
        self.log_file = open(os.path.join(out_dir, "scenario.log"), "w", encoding="utf-8")

    # Set-up and tear-down.

    def log(self, text):
        self.log_file.write("%8.2f %s\n" % (time.time() - self.started, text))
        self.log_file.flush()

    def prepare(self, make_data, fill):
        """A fresh copy of the built program folder with new empty tables (the build's own
        catalogue is the developer's); fill(Catalogue) writes the case's rows."""
        self.started = time.time()
        shutil.rmtree(self.folder, ignore_errors=True)
        shutil.copytree(self.source, self.folder, symlinks=True,
                        ignore=lambda folder, names: [n for n in names if folder == self.source
                                                      and (n in ("Data", "Backup") or n.startswith("Data-"))])
        data = os.path.join(self.folder, "Data")
        subprocess.run([make_data, data], check=True, capture_output=True)
        self.catalogue = Catalogue(data)
        if fill:
            fill(self.catalogue)

    def start_display(self):
        home = os.path.join(self.out, "home")
        runtime = os.path.join(self.out, "runtime")
        for folder in (home, runtime):
            os.makedirs(folder, mode=0o700, exist_ok=True)
        read, write = os.pipe()
        # Xvfb picks a free display and says which: cases run side by side.
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % SCREEN,
                                 "-nolisten", "tcp"], pass_fds=(write,), stdout=subprocess.DEVNULL,
                                stderr=open(os.path.join(self.out, "xvfb.log"), "w"))
        os.close(write)
        self.processes.append(xvfb)
        number = b""
        with os.fdopen(read, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise Failure("Xvfb did not start")
                number += chunk
        env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS"):
            env.pop(name, None)
        env.update(DISPLAY=":" + number.decode().strip(), HOME=home, XDG_RUNTIME_DIR=runtime,
                   QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   LANG="C.UTF-8", LC_ALL="C.UTF-8", NO_AT_BRIDGE="0")
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.processes.append(bus)
        env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        self.env = env
        ready = os.path.join(self.out, "wm-ready")
        if os.path.exists(ready):
            os.remove(ready)
        self.processes.append(subprocess.Popen(["openbox", "--sm-disable", "--startup", "touch " + ready], env=env,
                                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        self.wait_until(lambda: os.path.exists(ready), "openbox to start", 15)
        # pyatspi reads the buses from the environment when it is first imported.
        os.environ.update(env)
        import pyatspi
        self.atspi = pyatspi
        self.log("display %s" % env["DISPLAY"])

    def start_program(self, main_title="Spolarkiv"):
        """Starts the program in its folder and waits for its main window on the bus."""
        err = open(os.path.join(self.out, "program.log"), "a")
        self.program = subprocess.Popen(["./spolarkiv"], cwd=self.folder, env=self.env, stdout=err, stderr=err)
        self.processes.append(self.program)
        self.wait_until(lambda: self.app() is not None, "the program to join the accessibility bus", 30)
        self.wait_window(main_title)
        self.log("program up")

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(5)
        # The accessibility bus was started by the session bus on request; it is in our group.
        signal.signal(signal.SIGTERM, signal.SIG_IGN)
        try:
            os.killpg(os.getpgrp(), signal.SIGTERM)
        except OSError:
            pass

    # Waiting.

    def wait_until(self, ready, what, limit=10.0):
        end = time.time() + limit
        while True:
            value = ready()
            if value:
                return value
            if time.time() > end:
                raise Failure("timed out waiting for " + what)
            self.pump(0.1)

    def sync(self):
        """A round trip to the program over the bus: it answers once it has handled what came
        before (close enough: the keys and clicks come by another way)."""
        try:
            app = self.app()
            if app is not None:
                app.childCount
        except Exception:
            pass

    def pump(self, seconds):
        self.sync()
        if self.atspi is None:
            time.sleep(seconds)
            return
        from gi.repository import GLib
        context = GLib.MainContext.default()
        end = time.time() + seconds
        while True:
            while context.pending():
                context.iteration(False)
            if time.time() >= end:
                return
            time.sleep(0.02)

    # The accessibility bus.

    def app(self):
        try:
            for app in self.atspi.Registry.getDesktop(0):
                if app is not None and "spolarkiv" in (app.name or "").lower():
                    return app
        except Exception:
            return None
        return None

    def windows(self):
        app = self.app()
        result = []
        try:
            for win in app or []:
                if win is not None:
                    result.append(win)
        except Exception:
            pass
        return result

    def window(self, title):
        for win in self.windows():
            try:
                if win.name == title and win.getState().contains(self.atspi.STATE_SHOWING):
                    return win
            except Exception:
                continue
        return None

    def wait_window(self, title, limit=15.0):
        win = self.wait_until(lambda: self.window(title), "the window %r" % title, limit)
        self.wait_until(lambda: self.x_window(title), "the window %r on the screen" % title, limit)
        self.pump(0.3)
        return win

    def wait_closed(self, title, limit=5.0):
        self.wait_until(lambda: self.window(title) is None, "the window %r to close" % title, limit)

    def find_message(self):
        """The texts of a message box the program shows, or None."""
        for win in self.windows():
            try:
                if win.getRoleName() != "alert" or not win.getState().contains(self.atspi.STATE_SHOWING):
                    continue
                texts = []
                self.search(win, lambda a: a.getRoleName() == "label" and texts.append(a.name) and False)
                return " / ".join(t for t in texts if t) or win.name
            except Exception:
                continue
        return None

    def label_of(self, acc):
        try:
            for relation in acc.getRelationSet():
                if relation.getRelationType() == self.atspi.RELATION_LABELLED_BY and relation.getNTargets() > 0:
                    return relation.getTarget(0).name
        except Exception:
            pass
        return None

    def find(self, name, role=None, window=None, limit=10.0):
        """The showing control with that accessible name (or label) and role in window (a title)."""
        atspi = self.atspi

        def matches(acc):
            try:
                if role is not None and acc.getRoleName() != role:
                    return False
                if acc.name != name and self.label_of(acc) != name:
                    return False
                return acc.getState().contains(atspi.STATE_SHOWING)
            except Exception:
                return False

        def search():
            for win in self.windows():
                if window is not None and win.name != window:
                    continue
                found = self.search(win, matches)
                if found is not None:
                    return found
            return None

        return self.wait_until(search, "%s %r in %s" % (role or "control", name, window or "any window"), limit)

    def search(self, acc, matches, depth=0):
        try:
            if matches(acc):
                return acc
            # A grid's cells are asked for by row and column, not searched.
            if depth > 14 or acc.getRole() in (self.atspi.ROLE_TABLE, self.atspi.ROLE_TREE_TABLE):
                return None
            for child in acc:
                if child is not None:
                    found = self.search(child, matches, depth + 1)
                    if found is not None:
                        return found
        except Exception:
            return None
        return None

    def focused(self):
        """(role, name, label) of the control that has the keyboard focus, or None."""
        atspi = self.atspi

        def has_focus(acc):
            try:
                state = acc.getState()
                return state.contains(atspi.STATE_FOCUSED)
            except Exception:
                return False

        for win in self.windows():
            try:
                if not win.getState().contains(atspi.STATE_ACTIVE):
                    continue
            except Exception:
                continue
            found = self.search(win, has_focus)
            if found is not None:
                return found.getRoleName(), found.name, self.label_of(found)
        return None

    def extents(self, acc):
        box = acc.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    def cell(self, grid, row, column):
        table = grid.queryTable()
        return table.getAccessibleAt(row, column)

    def grid(self, name, window=None):
        return self.find(name, "table", window)

    def grid_rows(self, grid):
        return grid.queryTable().nRows

    # The mouse and the keyboard.

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True)
        if result.returncode != 0:
            raise Failure("xdotool %s: %s" % (" ".join(map(str, args)), result.stderr.strip()))
        return result.stdout

    def click_at(self, x, y, button=1, settle=0.3):
        self.log("click %d,%d" % (x, y))
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", button)
        self.pump(settle)

    def click(self, acc, settle=0.3):
        """A click on the middle of the control."""
        x, y, w, h = self.extents(acc)
        check(w > 0 and h > 0, "the control %r has no place on the screen" % acc.name)
        self.log("click %s %r" % (acc.getRoleName(), acc.name))
        self.click_at(x + w // 2, y + h // 2, settle=settle)

    def click_named(self, name, role=None, window=None, settle=0.3):
        self.click(self.find(name, role, window), settle)

    def type(self, text, delay, settle=0.4):
        """Types text at delay ms a key; a line break or tab in it is the Return or Tab key, sent
        at the same pace (as a scanner or a quick typist sends it)."""
        self.log("type %r at %d ms" % (text, delay))
        for part in re.split(r"([\n\t])", text):
            if part in ("\n", "\t"):
                time.sleep(delay / 1000)
                self.xdotool("key", "Return" if part == "\n" else "Tab")
            elif part:
                self.xdotool("type", "--delay", delay, part)
        self.pump(settle)

    def key(self, *keys, settle=0.3):
        for key in keys:
            self.log("key %s" % key)
            self.xdotool("key", "--clearmodifiers", key)
            self.pump(settle)

    # The window manager.

    def x_window(self, title):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title], env=self.env,
                                capture_output=True, text=True)
        ids = result.stdout.split()
        return ids[-1] if ids else None

    def geometry(self, title):
        """(x, y, width, height) of the window's client area on the screen (xdotool's own
        geometry counts the frame's offset twice under openbox)."""
        wid = self.wait_until(lambda: self.x_window(title), "the window %r" % title)
        out = subprocess.run(["xwininfo", "-id", wid], env=self.env, capture_output=True, text=True).stdout
        values = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]), int(values["Width"]),
                int(values["Height"]))

    def frame_extents(self, title):
        """(left, right, top, bottom) of the frame openbox draws round the window."""
        wid = self.x_window(title)
        out = subprocess.run(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"], env=self.env, capture_output=True,
                             text=True).stdout
        if "=" not in out:
            return 0, 0, 0, 0
        return tuple(int(v) for v in out.split("=", 1)[1].split(","))

    def wm_close(self, title, settle=1.0):
        """A click on the close button at the right end of the window's title bar; when the
        title bar is off the screen, openbox's Alt+F4 on the window instead (and a note)."""
        x, y, w, _ = self.geometry(title)
        left, right, top, _ = self.frame_extents(title)
        check(top > 0, "openbox drew no title bar on %r" % title)
        button = (x + w + right - 10, y - top // 2 - 1)
        if button[1] < 0 or button[0] >= SCREEN[0]:
            self.notes.append("the title bar of %r was off the screen (window at %d,%d)" % (title, x, y))
            self.log("Alt+F4 on %r" % title)
            self.xdotool("windowactivate", "--sync", self.x_window(title))
            self.key("alt+F4", settle=settle)
            return
        self.log("close button of %r" % title)
        self.click_at(*button, settle=settle)

    def outer_centre_offset(self, title):
        """How far the centre of the window with its frame lies from the screen's centre."""
        x, y, w, h = self.geometry(title)
        left, right, top, bottom = self.frame_extents(title)
        return (x - left + (left + w + right) // 2 - SCREEN[0] // 2,
                y - top + (top + h + bottom) // 2 - SCREEN[1] // 2)

    def minimum_size(self, title):
        """The minimum size the window asks of the window manager, or None."""
        out = subprocess.run(["xprop", "-id", self.x_window(title), "WM_NORMAL_HINTS"], env=self.env,
                             capture_output=True, text=True).stdout
        for line in out.splitlines():
            if "minimum size:" in line:
                w, _, h = line.split("minimum size:", 1)[1].split()[:3]
                return int(w), int(h)
        return None

    def visible_windows(self):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.program.pid)],
                                env=self.env, capture_output=True, text=True)
        return set(result.stdout.split())

    def window_geometry(self, wid):
        out = subprocess.run(["xwininfo", "-id", wid], env=self.env, capture_output=True, text=True).stdout
        values = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]), int(values["Width"]),
                int(values["Height"]))

    def drawn_rows(self, box):
        """The vertical middles of the rows of text drawn inside box (x, y, w, h) of the screen,
        found in its pixels: what a person sees, whatever the program reports of them."""
        x, y, w, h = box
        ppm = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", "-depth", "8", "ppm:-"],
                             env=self.env, capture_output=True).stdout
        fields, rest = ppm.split(b"\n", 3)[:3], ppm.split(b"\n", 3)[3]
        width, height = map(int, fields[1].split())
        pixel = lambda px, py: rest[3 * (py * width + px):3 * (py * width + px) + 3]
        inner = range(4, width - 4)
        counts = {}
        for py in range(height):
            for px in inner:
                counts[pixel(px, py)] = counts.get(pixel(px, py), 0) + 1
        background = max(counts, key=counts.get)
        # A row of pixels is text (a few differ from the background), the highlighted item's
        # bar (most differ) or background; each run of text or bar rows is one item.
        kinds = []
        for py in range(height):
            differing = sum(1 for px in inner if sum(abs(a - b) for a, b in zip(pixel(px, py), background)) > 90)
            kinds.append("bar" if differing > len(inner) // 2 else "text" if differing > 1 else None)
        rows, start = [], None
        for py in range(3, height - 2):
            if start is not None and kinds[py] != kinds[start]:
                rows.append(y + (start + py) // 2)
                start = None
            if start is None and kinds[py] is not None:
                start = py
        return rows

    def choose_from_list(self, combo, item, at=None, known=None):
        """Opens combo's list with a click (at: the x to click, the middle by default) and
        clicks the item where it is drawn in the list that opened. known: the items in their
        order, for a list whose items the bus does not show (a lookup list's popup)."""
        x, y, w, h = self.extents(combo)
        before = self.visible_windows()
        self.click_at(at if at is not None else x + w // 2, y + h // 2, settle=0.6)
        popup = self.wait_until(lambda: self.visible_windows() - before, "the list of %r to open" % combo.name)
        px, py, pw, ph = self.window_geometry(sorted(popup)[-1])
        self.log("list of %r opened at %r" % (combo.name, (px, py, pw, ph)))
        # The list is the combo box's child, or (a lookup list) a window of its own once open.
        shown = self.search(combo, lambda a: a.getRoleName() == "list")
        if shown is None:
            for win in self.windows():
                shown = self.search(win, lambda a: a.getRoleName() == "list"
                                    and any(c is not None and c.name == item for c in a))
                if shown is not None:
                    break
        items = [child.name for child in shown or [] if child is not None] or list(known or [])
        check(item in items, "the list %r holds no %r: %r" % (combo.name, item, items))
        index = items.index(item)
        entry = next((c for c in shown or [] if c is not None and c.name == item), None)
        ex, ey, ew, eh = self.extents(entry) if entry is not None else (-1, -1, 0, 0)
        if entry is not None and px <= ex + ew // 2 < px + pw and py <= ey + eh // 2 < py + ph:
            self.click_at(ex + ew // 2, ey + eh // 2, settle=0.6)
            return
        # The bus cannot tell where the item is (Qt's popup lists): it is clicked where the list
        # draws it, and what the case checks in the catalogue says whether the click chose it.
        self.notes.append("the bus puts the list item %r at %r, outside the open list at %r"
                             % (item, (ex, ey, ew, eh), (px, py, pw, ph)))
        rows = self.drawn_rows((px, py, pw, ph))
        check(len(rows) > index, "the open list shows %d rows, %r is item %d of %r"
              % (len(rows), item, index + 1, items))
        self.log("list rows drawn at %r" % rows)
        self.click_at(px + pw // 3, rows[index], settle=0.6)

    def resize(self, title, width, height):
        self.xdotool("windowsize", self.x_window(title), width, height)
        self.pump(1.0)

    def dump(self, path):
        """Writes the role, name, label and place of every control of every window (no cells)."""
        with open(path, "w", encoding="utf-8") as out:
            def walk(acc, depth):
                try:
                    place = self.extents(acc)
                except Exception:
                    place = None
                out.write("%s%s %r label=%r %s\n" % ("  " * depth, acc.getRoleName(), acc.name,
                                                      self.label_of(acc), place))
                if acc.getRole() in (self.atspi.ROLE_TABLE, self.atspi.ROLE_TREE_TABLE) or depth > 14:
                    return
                for child in acc:
                    if child is not None:
                        walk(child, depth + 1)
            for win in self.windows():
                try:
                    walk(win, 0)
                except Exception as e:
                    out.write("(%s)\n" % e)

    def screenshot(self, name):
        if self.env is None:
            return None
        path = os.path.join(self.out, name + ".png")
        subprocess.run(["import", "-window", "root", path], env=self.env, capture_output=True)
        return path

    # The program's end.

    def dismiss_message(self):
        """Notes a message box the program shows and answers it with its default button."""
        message = self.find_message()
        if message:
            self.messages.append(message)
            self.log("message: %r" % message)
            self.key("Return", settle=0.8)
        return message

    def close(self, title, tries=3):
        """Closes the window with its close button, again after a message that kept it open;
        returns how many requests it took (more than tries: it stayed open)."""
        self.shots += 1
        self.screenshot("%02d-closing-%s" % (self.shots, re.sub(r"\W+", "_", title)))
        requests = 0
        while requests < tries and self.window(title) is not None:
            self.wm_close(title, settle=0.3)
            requests += 1
            end = time.time() + 3
            while time.time() < end and self.window(title) is not None:
                if self.dismiss_message():
                    break
                self.pump(0.1)
        if self.window(title) is not None:
            self.problems.append("the window %r stayed open after %d requests to close" % (title, tries))
            return tries + 1
        return requests

    def quit(self, title="Spolarkiv", limit=6.0):
        """Closes the main window and waits for the program to end; one that does not end is
        killed (and reported), so what it had stored can still be read."""
        self.screenshot("end")
        for win in self.windows():
            if win.name not in (title, "") and win.getState().contains(self.atspi.STATE_SHOWING):
                self.problems.append("the window %r was still open at the end" % win.name)
        if self.program.poll() is None:
            self.close(title, tries=2)
        try:
            self.program.wait(limit)
        except subprocess.TimeoutExpired:
            self.screenshot("not-ended")
            self.problems.append("the program did not end when its main window was closed")
            self.program.kill()
            self.killed = True
            self.program.wait(5)
        self.log("program ended %d" % self.program.returncode)


# --- Common steps ----------------------------------------------------------------------------

def open_registration(s, tape):
    """Opens the registration window on a tape by its number typed on the main window (a scan)."""
    s.find("Spolarkiv oversigt", "push button", "Spolarkiv")
    s.type(tape + "\n", 10)
    s.wait_window("Registrering")


def menu(s, item, main="Spolarkiv"):
    """Funktioner > item on the main window, by clicks."""
    s.click_named("Funktioner", "menu item", main, settle=0.8)
    s.click_named(item, "menu item", settle=1.0)


# --- Entry point -----------------------------------------------------------------------------

def run_case(cases, argv):
    """argv: PROGRAM_FOLDER MAKE_DATA OUT_ROOT CASE  (or --list)."""
    if len(argv) == 2 and argv[1] == "--list":
        print("\n".join(cases))
        return 0
    program_folder, make_data, out_root, name = argv[1:5]
    case = cases[name]
    missing = missing_tools()
    if missing:
        print("skipped: missing " + ", ".join(missing))
        return SKIP
    os.setpgrp()  # everything this case starts ends with it

    def stopped(signum, _frame):
        raise Failure("the case ran out of time" if signum == signal.SIGALRM else "the case was stopped")
    signal.signal(signal.SIGTERM, stopped)
    signal.signal(signal.SIGALRM, stopped)
    signal.alarm(CASE_LIMIT)
    out = os.path.join(out_root, name)
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    session = Session(program_folder, out)
    failed = None
    try:
        session.prepare(make_data, case.get("catalogue", standard_catalogue))
        session.start_display()
        if case.get("start", True):
            session.start_program()
        case["run"](session)
    except (Failure, AssertionError) as e:
        failed = str(e) or repr(e)
    except Exception:
        failed = traceback.format_exc()
    shown = [m for m in session.messages if m not in session.expected]
    if session.program is not None and session.program.poll() not in (None, 0) and not session.killed:
        session.problems.append("the program ended with status %d" % session.program.returncode)
    extra = session.problems + ["a message showed: %r%s" % (m, " (%d times)" % shown.count(m) if shown.count(m) > 1 else "")
                                for m in sorted(set(shown))]
    if extra:
        failed = "; ".join(([failed] if failed else []) + extra)
    if failed:
        shot = session.screenshot("failure")
        if session.atspi is not None and session.program is not None and session.program.poll() is None:
            try:
                session.dump(os.path.join(out, "controls.txt"))
            except Failure:
                pass
        print("FAILED: %s\n(screen: %s; log: %s)" % (failed, shot, os.path.join(out, "scenario.log")))
        session.log("FAILED: " + failed)
    signal.alarm(0)
    session.stop()
    for note in sorted(set(session.notes)):
        print("noted: " + note)
    if not failed and not os.environ.get("SCENARIO_KEEP"):
        # What is kept is for looking into a failure.
        shutil.rmtree(session.folder, ignore_errors=True)
        for name in os.listdir(out):
            if name.endswith(".png"):
                os.remove(os.path.join(out, name))
    if not failed:
        print("passed")
    return 1 if failed else 0
