#!/usr/bin/python3
"""The five lookup windows: a value added through "Tilføj" and one renamed in the grid (typed
into a cell, then a click on another row), at a quick and a slow typist's speed."""
import sys

from scenario import check, menu, run_case

# Menu item, table (and its one field), the value the grid's first row holds, two rows.
LOOKUPS = {
    "categories": ("Kategori", "Kategori", ["Action", "Drama"]),
    "types": ("Typer", "Type", ["DVD", "VHS"]),
    "directors": ("Instruktører", "Instruktor", ["Bille August", "Lars von Trier"]),
    "actors": ("Skuespillere", "Skuespiller", ["Bodil Kjer", "Dirch Passer"]),
    "recorded_by": ("Optaget af", "Optagetaf", ["DR1", "TV2"]),
}


def catalogue_for(table, values):
    def fill(cat):
        cat.lookups(table, *values)
        cat.tape("0001-00", "Ornen")
    return fill


def add_and_rename(item, table, values, delay):
    def run(s):
        menu(s, item)
        title = s.wait_until(lambda: next((w.name for w in s.windows() if w.name not in ("Spolarkiv", "")
                                           and w.getRoleName() in ("dialog", "frame", "window")), None),
                             "the lookup window")
        s.wait_window(title)
        s.click_named("Tilføj", "menu item", title, settle=1.0)
        s.type("Zeta", delay, settle=0.3)
        s.key("Return", settle=1.0)
        grid = s.grid(title, title)
        first = s.cell(grid, 0, 0).name
        s.click(s.cell(grid, 0, 0))
        s.type("Alfa", delay, settle=0.3)
        s.click(s.cell(grid, 1, 0))
        s.close(title)
        s.quit()
        stored = sorted(r[0] for r in s.catalogue.rows(table, "", (), '"%s"' % table))
        want = sorted([v for v in values if v != first] + ["Alfa", "Zeta"])
        check(stored == want, "%s holds %r, wanted %r (row 1 was %r)" % (table, stored, want, first))
    return run


CASES = {}
for key, (item, table, values) in LOOKUPS.items():
    for delay in (10, 150):
        CASES["%s_%dms" % (key, delay)] = {"run": add_and_rename(item, table, values, delay),
                                           "catalogue": catalogue_for(table, values)}

if __name__ == "__main__":
    sys.exit(run_case(CASES, sys.argv))
