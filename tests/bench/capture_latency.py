#!/usr/bin/env python3
"""Capture-to-clipboard latency of the real program (Enter on a selection until the recognised
text is on the clipboard) beside the `tesseract` command-line program on the same region."""

import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import desktop as d  # noqa: E402
import e2e_test as e2e  # noqa: E402


def time_program(suite, rounds):
    program = e2e.Program(suite.args.veltrace, suite.program_dir("bench"))
    try:
        d.wait_until(lambda: os.path.exists(program.ini), 20, "log.ini")
        time.sleep(1)
        x, y = e2e.TEXT_AT
        timings = []
        for _ in range(rounds):
            before = d.clipboard_text()
            d.key("F4")
            time.sleep(1.2)
            d.drag((x - 10, y - 10), (x + 700, y + 150))
            started = time.monotonic()
            d.key("Return")
            d.wait_until(lambda: d.clipboard_text() != before and e2e.recognised(
                d.clipboard_text()[len(before):]), 30, "recognised text", interval=0.01)
            timings.append(time.monotonic() - started)
            time.sleep(0.5)
        return timings
    finally:
        program.close()


def time_tesseract(suite, rounds):
    x, y = e2e.TEXT_AT
    shot = os.path.join(suite.work, "screen.png")
    region = os.path.join(suite.work, "region.png")
    d.screenshot(shot)
    d.run("convert", shot, "-crop", f"711x161+{x - 10}+{y - 10}", "+repage", region)
    timings = []
    for _ in range(rounds):
        started = time.monotonic()
        subprocess.run(["tesseract", region, "-", "-l", "chi_sim+eng"], check=True,
                       capture_output=True, env=dict(os.environ, OMP_THREAD_LIMIT="1"))
        timings.append(time.monotonic() - started)
    return timings


def main():
    parser = e2e.argument_parser()
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    suite = e2e.Suite(args)
    try:
        suite.start_service()
        program = time_program(suite, args.rounds)
        cli = time_tesseract(suite, args.rounds)
    finally:
        suite.close()
    p, c = statistics.median(program), statistics.median(cli)
    print(f"capture-to-clipboard (Enter -> text on clipboard), median of {args.rounds}: "
          f"{p * 1000:.0f} ms")
    print(f"tesseract command line on the same 711x161 region, median: {c * 1000:.0f} ms")
    print(f"ratio program / tesseract CLI: {p / c:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
