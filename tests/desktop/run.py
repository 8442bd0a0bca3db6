#!/usr/bin/env python3
"""End-to-end cases that drive the built application as a person does.

    python3 tests/desktop/run.py --bin BUILD/bin [-k PATTERN] [--keep]

Starts its own virtual X display and window manager, runs every case with
private settings, runtime and working folders, and ends with the line
"N passed, N failed". The temporary folder (screenshots, logs) is kept when
a case fails, and its path printed.
"""

import argparse
import os
import signal
import sys
import time
import unittest

# The suite writes into its temporary folder only, not beside its sources.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402


class CountingResult(unittest.TextTestResult):
    """Counts each table row (subtest) as a case of its own."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.passed = 0
        self.failed = 0
        self.with_rows = set()

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        self.with_rows.add(test.id())
        if err is None:
            self.passed += 1
        else:
            self.failed += 1

    def addSuccess(self, test):
        super().addSuccess(test)
        if test.id() not in self.with_rows:
            self.passed += 1

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self.failed += 1

    def addError(self, test, err):
        super().addError(test, err)
        self.failed += 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", required=True,
                        help="folder holding mxr77c, mxr77c-cli, r77c-sim and MXR77C.rcs")
    parser.add_argument("-k", action="append", default=[],
                        help="run only cases whose name holds this text")
    parser.add_argument("--keep", action="store_true",
                        help="keep the temporary folder even when every case passes")
    options = parser.parse_args()

    here = os.path.dirname(os.path.abspath(__file__))
    loader = unittest.TestLoader()
    if options.k:
        loader.testNamePatterns = [f"*{k}*" for k in options.k]
    suite = loader.discover(here, pattern="test_*.py", top_level_dir=here)

    started = time.monotonic()
    # A test driver's time-out must still take the display and every
    # started program down: turn SIGTERM into an orderly exit.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    harness.Environment.setup(options.bin)
    result = None
    try:
        runner = unittest.TextTestRunner(stream=sys.stdout, verbosity=2,
                                         resultclass=CountingResult)
        result = runner.run(suite)
    finally:
        failed = 1 if result is None else result.failed + len(result.unexpectedSuccesses)
        keep = options.keep or failed > 0
        if keep:
            print(f"temporary folder kept: {harness.Environment.root}")
        harness.Environment.teardown(keep=keep)
    print(f"run time {time.monotonic() - started:.1f} s")
    passed = 0 if result is None else result.passed
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or passed == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
