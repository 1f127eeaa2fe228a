#!/usr/bin/python3
"""The settings window: the loan period typed at a quick and a slow typist's speed."""
import sys

from scenario import check, menu, run_case


def loan_period(delay):
    def run(s):
        menu(s, "Indstillinger...")
        s.wait_window("Indstillinger")
        s.click_named("Udlånsperiode (dage):", "spin button", "Indstillinger")
        s.key("ctrl+a", settle=0.2)
        s.type("14", delay)
        s.click_named("Vis overskredne udlån ved start", "check box", "Indstillinger")
        s.screenshot("filled")
        s.click_named("OK", "push button", "Indstillinger")
        s.wait_closed("Indstillinger")
        s.quit()
        config = s.catalogue.rows("Config", "", (), "Laanetid, VisOverskredne")
        check(config == [(14, 0)], "the settings stored: %r" % config)
    return run


CASES = {"loan_period_10ms": {"run": loan_period(10)}, "loan_period_150ms": {"run": loan_period(150)}}

if __name__ == "__main__":
    sys.exit(run_case(CASES, sys.argv))
