#!/usr/bin/python3
"""Drives a running Spolarkiv with key presses only and logs, after each key, the control the
accessibility bus reports as focused (role and name). Registers two tapes (the first with a
category, a cast member and a loan), then narrows the overview by category and by a title
search. Exits 1 when a focused control has no name or a step does not reach its goal.

Usage: a11y_walk.py LOG [SHOTS_DIR]   (DISPLAY and the session bus must be those of the program)
"""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

LOG = open(sys.argv[1], "w", encoding="utf-8")
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None
focused = [None]
seen = []          # (window, role, name) of every focused control
unnamed = []
windows = []       # window titles in the order first met


def log(text):
    print(text)
    LOG.write(text + "\n")
    LOG.flush()


def on_focus(event):
    if event.detail1:
        focused[0] = event.source


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def window_of(acc):
    while acc is not None:
        try:
            if acc.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW):
                return acc.name
            acc = acc.parent
        except Exception:
            return "?"
    return "?"


def describe(acc):
    """Role and name a screen reader says; a cell or a cell's editor is named by its grid."""
    role, name = acc.getRoleName(), acc.name
    if acc.getRole() in (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_COLUMN_HEADER, pyatspi.ROLE_ROW_HEADER):
        return "%s (%r) in table" % (role, name), acc.parent.name
    return role, name


def current():
    acc = focused[0]
    if acc is None:
        return None
    try:
        role, name = describe(acc)
        return window_of(acc), role, name
    except Exception:
        return None


def press(key, settle=0.5):
    subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)
    pump(settle)
    now = current()
    if now is None:
        log("%-14s -> (nothing focused)" % key)
        return None
    window, role, name = now
    seen.append(now)
    flag = ""
    if not name.strip():
        unnamed.append((key, window, role))
        flag = "   <-- NO NAME"
    log("%-14s -> [%s] %s %r%s" % (key, window, role, name, flag))
    if window not in windows:
        windows.append(window)
        if SHOTS:
            pump(0.5)
            shot = os.path.join(SHOTS, "%02d-%s.png" % (len(windows), re.sub(r"\W+", "_", window).strip("_")))
            subprocess.run(["import", "-window", "root", shot], check=False)
    return now


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)
    pump(0.4)
    log("%-14s    typed %r" % ("", text))


def until(name, role=None, key="Tab", limit=45):
    """Presses key until the focused control has that name (and role); fails after limit presses."""
    for _ in range(limit):
        now = press(key)
        if now and now[2] == name and (role is None or now[1] == role):
            return now
    fail("never reached %s %r with %s" % (role or "control", name, key))


def expect(name, role=None, what=""):
    now = current()
    if not now or now[2] != name or (role is not None and now[1] != role):
        fail("%s: expected %s %r, focus is on %r" % (what, role or "control", name, now))


def fail(reason):
    log("FAILED: " + reason)
    summary()
    sys.exit(1)


def table_rows(window_title):
    """Rows the grid of the window with that title shows."""
    table = overview_table(window_title)
    return table.queryTable().nRows if table is not None else -1


def overview_table(window_title):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or "spolarkiv" not in (app.name or "").lower():
            continue
        for win in app:
            if win is not None and win.name == window_title:
                return pyatspi.findDescendant(win, lambda a: a is not None and a.getRole() == pyatspi.ROLE_TABLE)
    return None


def selected_titles(window_title):
    """The texts of the selected rows of the window's grid."""
    table = overview_table(window_title).queryTable()
    return [" ".join(table.getAccessibleAt(r, c).name for c in range(table.nColumns))
            for r in table.getSelectedRows()]


def summary():
    log("SUMMARY: %d focused controls in %d windows (%s); %d without a name"
        % (len(seen), len(windows), ", ".join(windows), len(unnamed)))
    for key, window, role in unnamed:
        log("  unnamed: %s in %s (after %s)" % (role, window, key))


def menu_bar(first):
    """Alt alone moves to the menu bar; Qt misses it now and then, so it is pressed again."""
    for _ in range(4):
        now = press("alt", settle=0.8)
        if now and now[1] == "menu item" and now[2] == first:
            return
        press("Escape")
    fail("Alt never reached the menu bar")


def lookup_entry(item, title, value):
    """Adds value through a lookup window opened from the Funktioner menu."""
    menu_bar("Funktioner")
    until(item, "menu item", key="Down", limit=15)
    press("Return")
    expect(title, "table", "the lookup window opens on its grid")
    menu_bar("Tilføj")
    press("Return")
    type_text(value)
    press("Return")
    press("alt+F4")


def add_cast(name, role):
    until("Tilføj", "push button")
    press("space")
    type_text(name)
    press("Return")
    type_text(role)
    press("Return")


def main():
    subprocess.run(["xdotool", "search", "--sync", "--name", "^Spolarkiv$"], check=False, stdout=subprocess.DEVNULL)
    pump(3.0)
    if SHOTS:
        subprocess.run(["import", "-window", "root", os.path.join(SHOTS, "00-start.png")], check=False)
    press("Tab")
    lookup_entry("Kategori", "Kategorier", "Action")

    # A new tape from the main window: the edit group's "Ny video" takes the focus.
    until("Registrering af Video/DVD", "push button")
    press("space")
    expect("Ny video", "push button", "Space on the registration button")
    press("space", settle=1.0)
    expect("Reg.nr.", "text", "the registration window starts on the tape number")
    until("Titel", "text")
    type_text("Ornen")
    until("Kategori/Genre", "text")
    type_text("Action")
    add_cast("Bodil Kjer", "Mor")
    until("Udlånt til", "push button")
    press("space", settle=1.0)
    # The loan: a new row in the loans grid, the borrower's name in its third column.
    until("Udlån", "table")
    press("Insert")
    press("Right")
    press("Right")
    type_text("Anna")
    press("Return")
    press("Down")
    press("alt+F4", settle=1.0)
    # A second tape, without category, for the overview to narrow away.
    until("Ny VHS/DVD", "push button")
    press("space")
    until("Titel", "text")
    type_text("Andet")
    press("Tab")
    press("alt+F4", settle=1.0)

    until("Spolarkiv oversigt", "push button")
    press("space", settle=1.0)
    all_rows = table_rows("Oversigt")
    # The title search moves to the first title that matches.
    until("Søg", "text")
    press("shift+Tab")
    press("Down")
    press("Tab")
    type_text("Orn")
    press("Return")
    found = selected_titles("Oversigt")
    # The category list narrows the grid to the tapes of that category.
    until("Kategori/genre", "combo box")
    press("alt+Down")
    until("Action", key="Down", limit=5)
    press("Return")
    by_category = table_rows("Oversigt")
    log("overview: %d rows, the title search chose %s, the category left %d rows" % (all_rows, found, by_category))
    if not (all_rows == 2 and any("Ornen" in t for t in found) and by_category == 1):
        fail("the overview did not narrow as asked")
    press("alt+F4", settle=1.0)
    summary()
    if unnamed:
        sys.exit(1)


main()
