#!/usr/bin/python3
"""The loans window (and the overdue list that opens it), driven by clicks and typing."""
import sys

from scenario import check, open_registration, run_case, standard_catalogue, today

LOANS = "Udlån"


def loans_of(s, tape):
    return s.catalogue.rows("Udlaan", "WHERE Tapenr = ? ORDER BY rowid", (tape,),
                            "Tapenr, Dato, Navn, Returneret, ReturDato")


def all_loans(s):
    return s.catalogue.rows("Udlaan", "ORDER BY rowid", (), "Tapenr, Dato, Navn, Returneret, ReturDato")


def open_loans(s, tape="0003-00"):
    open_registration(s, tape)
    s.click_named("Udlånt til", "push button", "Registrering", settle=0.5)
    s.wait_window(LOANS)
    return s.grid(LOANS, LOANS)


def close_loans_and_quit(s):
    s.close(LOANS)
    s.close("Registrering")
    s.quit()


def new_loan(delay):
    """The navigator's "+", a click on the new row's Navn cell, a name, the check button."""
    def run(s):
        grid = open_loans(s)
        s.click_named("Tilføj", "push button", LOANS)
        row = s.grid_rows(grid) - 1
        s.click(s.cell(grid, row, 2))
        s.type("Karen Hansen", delay)
        s.click_named("Gem", "push button", LOANS)
        close_loans_and_quit(s)
        loans = loans_of(s, "0003-00")
        check([l[2] for l in loans] == ["Karen Hansen"], "the loans of 0003-00: %r" % loans)
    return run


def two_loans(cat):
    standard_catalogue(cat)
    cat.insert("Udlaan", Tapenr="0003-00", Dato="2026-09-01", Navn="Anna", Returneret="Ja", Forfald="2026-10-01",
               ReturDato="2026-09-20")
    cat.insert("Udlaan", Tapenr="0003-00", Dato="2026-12-01", Navn="Bo", Forfald="2026-12-31")


def other_row_while_inserting(s):
    grid = open_loans(s)
    check(s.grid_rows(grid) == 2, "the loans window shows %d loans, not 2" % s.grid_rows(grid))
    s.click_named("Tilføj", "push button", LOANS)
    check(s.grid_rows(grid) == 3, "Tilføj shows %d rows, not 3" % s.grid_rows(grid))
    # The new row stands where the cursor was; the click goes to Bo's row wherever it is shown.
    row = next(r for r in range(3) if s.cell(grid, r, 2).name == "Bo")
    second = "Bo"
    s.click(s.cell(grid, row, 2))
    s.type("Hurtig Hans", 150)
    s.click_named("Gem", "push button", LOANS)
    close_loans_and_quit(s)
    loans = all_loans(s)
    tapes = {row[0] for row in s.catalogue.rows("Video", "", (), "TapeNr")}
    strays = [l for l in loans if l[0] not in tapes]
    check(not strays, "loans under tape numbers that name no tape: %r (all loans: %r)" % (strays, loans))
    check(len(loans) == 2, "the catalogue holds %d loans, not 2: %r" % (len(loans), loans))
    want = {"Anna": "Anna", "Bo": "Bo", second: "Hurtig Hans"}
    check(sorted(l[2] for l in loans) == sorted(want.values()),
          "the clicked row (%r) should now be Hurtig Hans, the other loan unchanged: %r" % (second, loans))


def overdue_loan(cat):
    standard_catalogue(cat)
    cat.insert("Udlaan", Tapenr="0002-00", Dato="2026-10-01", Navn="Anna", Forfald="2026-10-31")
    with cat.connect("Video") as db:
        db.execute("UPDATE Video SET Udlaan = 'Ja' WHERE TapeNr = '0002-00'")


def return_then_wm_close(s):
    s.wait_window("Overskredne udlån")
    s.key("Return", settle=1.0)
    grid = s.wait_window(LOANS) and s.grid(LOANS, LOANS)
    s.click(s.cell(grid, 0, 4))
    s.type("Ja", 150)
    s.screenshot("typed")
    requests = s.close(LOANS)
    s.close("Overskredne udlån")
    s.quit()
    loans = loans_of(s, "0002-00")
    check(requests == 1, "the loans window took %d requests to close; the loan: %r" % (requests, loans))
    check(loans == [("0002-00", "2026-10-01", "Anna", "Ja", today())], "the returned loan: %r" % loans)


def insert_key_starts_on_date(s):
    open_loans(s)
    focus = s.focused()
    # Without a cell being edited the grid is one stop: Tab leaves it, Shift+Tab comes back.
    s.key("Tab")
    left = s.focused()
    s.key("shift+Tab")
    check(left is not None and left[0] != "table" and s.focused() == focus,
          "Tab from the grid went to %r, Shift+Tab back to %r" % (left, s.focused()))
    s.key("Insert")
    s.type("01-12-2025\tKaren Hansen\t", 150)
    close_loans_and_quit(s)
    loans = all_loans(s)
    check([l[:3] for l in loans] == [("0003-00", "2025-12-01", "Karen Hansen")],
          "the loans: %r" % loans)


def quick_typing_in_cells(delay):
    def run(s):
        grid = open_loans(s)
        s.click_named("Tilføj", "push button", LOANS)
        row = s.grid_rows(grid) - 1
        s.click(s.cell(grid, row, 1))
        s.type("01-12-2025\n", delay, settle=1.0)
        s.dismiss_message()
        s.click(s.cell(grid, row, 2))
        s.type("Karen Hansen\t", delay)
        s.dismiss_message()
        s.click_named("Gem", "push button", LOANS)
        close_loans_and_quit(s)
        loans = all_loans(s)
        check([l[:3] for l in loans] == [("0003-00", "2025-12-01", "Karen Hansen")], "the loans: %r" % loans)
    return run


def scan_into(how):
    def run(s):
        open_loans(s)
        if how == "field":
            s.click_named("Stregkode", "text", LOANS)
        else:  # Ctrl+B's scan box
            s.key("ctrl+b")
            s.wait_window("Find bånd")
        scanned(s)
    return run


def scanned(s):
    s.type("0001-00\n", 10, settle=1.0)
    focus = s.focused()
    s.type("Karen\n", 10)
    close_loans_and_quit(s)
    loans = loans_of(s, "0001-00")
    check([l[:1] + l[2:3] for l in loans] == [("0001-00", "Karen")],
          "the loans of 0001-00: %r (the focus after the scan: %r)" % (loans, focus))


CASES = {
    "new_loan_10ms": {"run": new_loan(10)},
    "new_loan_150ms": {"run": new_loan(150)},
    "click_other_row_while_inserting": {"run": other_row_while_inserting, "catalogue": two_loans},
    "return_then_wm_close": {"run": return_then_wm_close, "catalogue": overdue_loan},
    "insert_key_starts_on_date": {"run": insert_key_starts_on_date},
    "quick_typing_10ms": {"run": quick_typing_in_cells(10)},
    "quick_typing_60ms": {"run": quick_typing_in_cells(60)},
    "scan_field": {"run": scan_into("field")},
    "scan_box": {"run": scan_into("box")},
}

if __name__ == "__main__":
    sys.exit(run_case(CASES, sys.argv))
