#!/usr/bin/python3
"""The overview window, driven by clicks and typing."""
import sys

from registration import centred_and_bounded
from scenario import check, run_case

OVERVIEW = "Oversigt"
TAPES = [("0001-00", "Ornen"), ("0002-00", "Matador"), ("0003-00", "Olsen-banden")]


def open_overview(s):
    s.click_named("Spolarkiv oversigt", "push button", "Spolarkiv", settle=0.5)
    s.wait_window(OVERVIEW)


def close_overview(s):
    s.close(OVERVIEW)


def scan_in_grid(s):
    open_overview(s)
    grid = s.grid(OVERVIEW, OVERVIEW)
    s.click(s.cell(grid, 1, 0))
    s.type("5701234567899\n", 10, settle=1.0)
    # A number too long for a tape may be refused with a message; it must never be stored.
    s.expected.append(s.dismiss_message())
    s.key("Escape")
    close_overview(s)
    s.quit()
    tapes = s.catalogue.rows("Video", "ORDER BY rowid", (), "TapeNr, Titel")
    check(tapes == TAPES, "the tapes after a scan into the grid: %r" % tapes)


def placement(s):
    centred_and_bounded(s, OVERVIEW, open_overview, close_overview, (640, 400))


CASES = {
    "scan_in_grid": {"run": scan_in_grid},
    "placement_and_minimum": {"run": placement, "start": False},
}

if __name__ == "__main__":
    sys.exit(run_case(CASES, sys.argv))
