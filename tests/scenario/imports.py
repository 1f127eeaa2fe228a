#!/usr/bin/python3
"""The import windows: a small CSV file chosen by its name typed into the file dialog, added to
a catalogue with tapes."""
import os
import sys

from scenario import check, menu, run_case

CSV = "TapeNr;Titel;Kategori\n0101-00;Babettes gæstebud;Drama\n0102-00;Festen;Drama\n0001-00;Ikke denne;Action\n"


def import_csv(delay):
    def run(s):
        path = os.path.join(s.out, "lille.csv")
        with open(path, "w", encoding="utf-8") as f:
            f.write(CSV)
        menu(s, "Importér…")
        s.click_named("Et regneark eller en eksport (CSV-fil)", "push button", settle=1.0)
        s.click_named("Filnavn:", "text", settle=0.3)
        s.type(path, delay, settle=0.3)
        s.screenshot("file-chosen")
        s.key("Return", settle=1.0)
        s.click_named("Tilføj nye film", "push button", settle=2.0)
        s.wait_window("Import", 20)
        report = s.find("Import", "text", "Import").queryText().getText(0, -1)
        s.screenshot("report")
        s.click_named("OK", "push button", "Import")
        s.wait_closed("Import")
        s.quit()
        tapes = s.catalogue.rows("Video", "ORDER BY TapeNr", (), "TapeNr, Titel")
        check(tapes == [("0001-00", "Ornen"), ("0002-00", "Matador"), ("0003-00", "Olsen-banden"),
                        ("0101-00", "Babettes gæstebud"), ("0102-00", "Festen")],
              "the tapes after the import: %r (report: %r)" % (tapes, report))
    return run


CASES = {"csv_10ms": {"run": import_csv(10)}, "csv_150ms": {"run": import_csv(150)}}

if __name__ == "__main__":
    sys.exit(run_case(CASES, sys.argv))
