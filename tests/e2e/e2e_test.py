#!/usr/bin/env python3
"""End-to-end tests: the real program and the real local service on a real X display, driven
with xdotool like a user. Prints one line per scenario and a closing 'N passed, N failed'."""

import argparse
import datetime
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

import desktop as d

MAIN_TITLE = "【澄溪】Ocr Veltrace 0.3 By Kestrane "
TEXT_AT = (200, 560)  # where the test puts its text picture on the screen
LINES = ["Veltrace capture 2026", "识别中文文本"]


class Service:
    """veltrace-ocrd on the port the program was built for."""

    def __init__(self, binary, port, certs, log_path, token_ttl=None):
        args = [binary, "--port", str(port), "--cert", os.path.join(certs, "server.pem"),
                "--key", os.path.join(certs, "server.key"), "--threads", "2"]
        if token_ttl is not None:
            args += ["--token-ttl", str(token_ttl)]
        self.log_path = log_path
        self.log = open(log_path, "a")
        self.process = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=self.log, text=True)
        line = self.process.stdout.readline()
        if "listening on https://127.0.0.1:" not in line:
            self.stop()
            raise AssertionError(f"service did not start: {line!r} (is port {port} in use?)")

    def token_requests(self):
        with open(self.log_path) as log:
            return sum("/oauth/2.0/token" in line for line in log)

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            self.process.wait(timeout=20)
        self.log.close()


class Program:
    """The program started from its own copy in a fresh program directory."""

    def __init__(self, binary, directory):
        self.directory = directory
        self.binary = os.path.join(directory, "veltrace")
        if not os.path.exists(self.binary):
            shutil.copy2(binary, self.binary)
        self.process = subprocess.Popen([self.binary], cwd=directory,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = d.wait_window(MAIN_TITLE, timeout=20)

    @property
    def ini(self):
        return os.path.join(self.directory, "log.ini")

    def client_point(self, x, y):
        left, top, _, _ = d.geometry(self.window)
        return left + x, top + y

    def click_control(self, x, y):
        d.click(*self.client_point(x, y))

    def wait_exit(self, timeout=20):
        return self.process.wait(timeout=timeout)

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()


# Centres of controls in the main window's client area (group box offsets included).
CAPTURE_BUTTON = (8 + 20 + 32, 49 + 13 + 17)
SAVE_BUTTON = (8 + 120 + 32, 49 + 13 + 17)
CLEAR_BUTTON = (8 + 224 + 32, 49 + 13 + 17)
VIEW_LINK = (128 + 20, 18 + 12)


def today_stamp(day=None):
    day = day or datetime.date.today()
    return f"{day.year}{day.month}{day.day}"


def read_ini(path):
    values, section = {}, None
    if not os.path.exists(path):
        return values
    with open(path, encoding="latin-1") as ini:
        for line in ini.read().splitlines():
            line = line.strip()
            if line.startswith("["):
                section = line.strip("[]").lower()
            elif "=" in line and section:
                key, _, value = line.partition("=")
                values[(section, key.strip().lower())] = value.strip()
    return values


def write_stamp(path, stamp):
    with open(path, "rb") as ini:
        text = ini.read().decode("latin-1")
    text = re.sub(r"(?im)^s=.*$", f"s={stamp}", text)
    with open(path, "wb") as ini:
        ini.write(text.encode("latin-1"))


def recognised(text):
    return "Veltrace" in text and "识别" in text


def capture_text_region(confirm="double-click", start_with="F4", program=None):
    """Selects the test's text picture on the frozen screen and confirms it."""
    if start_with == "F4":
        d.key("F4")
    else:
        program.click_control(*CAPTURE_BUTTON)
    time.sleep(1.2)  # window hidden, 300 ms pause, overlay up and panel slid in
    x, y = TEXT_AT
    d.drag((x - 10, y - 10), (x + 700, y + 150))
    time.sleep(0.3)
    if confirm == "double-click":
        d.click(x + 300, y + 60, repeat=2)
    else:
        d.key(confirm)


class Suite:
    def __init__(self, args):
        self.args = args
        self.work = tempfile.mkdtemp(prefix="veltrace-e2e-")
        self.service_log = os.path.join(self.work, "service.log")
        self.service = None
        picture = os.path.join(self.work, "text.png")
        d.render_text_image(picture, LINES)
        self.picture = d.show_image(picture, *TEXT_AT)

    def start_service(self, token_ttl=None):
        self.stop_service()
        self.service = Service(self.args.ocrd, self.args.port, self.args.certs,
                               self.service_log, token_ttl)

    def stop_service(self):
        if self.service:
            self.service.stop()
            self.service = None

    def program_dir(self, name):
        """A fresh program directory: every scenario starts from its own first run."""
        path = os.path.join(self.work, name)
        os.makedirs(path)
        return path

    def close(self):
        self.stop_service()
        self.picture.terminate()
        if not self.args.keep:
            shutil.rmtree(self.work, ignore_errors=True)

    # Scenarios -----------------------------------------------------------------------------

    def test_first_run_capture_save_clear_view(self):
        self.start_service()
        program = Program(self.args.veltrace, self.program_dir("first-run"))
        try:
            d.wait_until(lambda: os.path.exists(program.ini), 20, "log.ini on the first run")
            values = d.wait_until(lambda: read_ini(program.ini).get(("tem", "s")) and
                                  read_ini(program.ini), 20, "the stamp in log.ini")
            assert values[("access_token", "apikey")], "empty token after the first run"
            assert values[("tem", "s")] == today_stamp(), values

            capture_text_region("double-click")
            text = d.wait_until(lambda: recognised(d.clipboard_text()) and d.clipboard_text(),
                                30, "recognised text on the clipboard")
            assert "\n" not in text, "image-mode lines run together"
            d.wait_window(MAIN_TITLE)  # shown again after the capture

            program.click_control(*SAVE_BUTTON)
            d.confirm_message("信息：")
            saved = [f for f in os.listdir(program.directory) if f.endswith(".txt")]
            assert len(saved) == 1, saved
            with open(os.path.join(program.directory, saved[0]), "rb") as result:
                assert result.read() == text.encode("utf-8") + b"\r\n"

            program.click_control(*CLEAR_BUTTON)
            d.wait_until(lambda: d.clipboard_text() == "", 10, "an empty clipboard after clear")

            program.click_control(*VIEW_LINK)
            d.wait_window("返回截图")
        finally:
            program.close()

    def test_capture_button_enter_arrows_and_cancels(self):
        self.start_service()
        program = Program(self.args.veltrace, self.program_dir("button"))
        try:
            capture_text_region("Return", start_with="button", program=program)
            d.wait_until(lambda: recognised(d.clipboard_text()), 30, "text after Enter")
            before = d.clipboard_text()

            # ESC drops the selection, a second ESC closes the overlay: nothing is recognised.
            d.key("F4")
            time.sleep(1.2)
            d.drag((TEXT_AT[0], TEXT_AT[1]), (TEXT_AT[0] + 300, TEXT_AT[1] + 80))
            d.key("Escape")
            d.key("Escape")
            d.wait_window(MAIN_TITLE)
            # A right click drops the selection, a second one closes the overlay.
            d.key("F4")
            time.sleep(1.2)
            d.drag((TEXT_AT[0], TEXT_AT[1]), (TEXT_AT[0] + 300, TEXT_AT[1] + 80))
            d.click(TEXT_AT[0] + 100, TEXT_AT[1] + 40, button=3)
            d.click(TEXT_AT[0] + 100, TEXT_AT[1] + 40, button=3)
            d.wait_window(MAIN_TITLE)
            time.sleep(2)
            assert d.clipboard_text() == before, "a cancelled capture changed the result"

            # Arrow keys nudge a selection that starts just left of the text onto it.
            d.key("F4")
            time.sleep(1.2)
            d.drag((TEXT_AT[0] - 30, TEXT_AT[1] - 10), (TEXT_AT[0] + 680, TEXT_AT[1] + 150))
            d.key(*["Right"] * 20)
            d.key("Return")
            d.wait_until(lambda: d.clipboard_text().count("Veltrace") >= 2, 30,
                         "the second capture appended")
        finally:
            program.close()

    def test_cache_reused_then_too_old(self):
        self.start_service()
        directory = self.program_dir("cache")
        program = Program(self.args.veltrace, directory)
        try:
            d.wait_until(lambda: read_ini(program.ini).get(("tem", "s")), 20, "the first run")
        finally:
            program.close()

        requests_before = self.service.token_requests()
        program = Program(self.args.veltrace, directory)
        try:
            time.sleep(3)
            assert self.service.token_requests() == requests_before, "a fresh cache was refetched"
        finally:
            program.close()

        write_stamp(os.path.join(directory, "log.ini"), "2024115")
        program = Program(self.args.veltrace, directory)
        try:
            d.confirm_message("执行Key更新后策略")
            assert program.wait_exit() == 0
            assert not os.path.exists(os.path.join(directory, "log.ini"))
        finally:
            program.close()

    def test_expired_token_renews(self):
        self.start_service(token_ttl=3)
        program = Program(self.args.veltrace, self.program_dir("expiry"))
        try:
            d.wait_until(lambda: os.path.exists(program.ini), 20, "log.ini")
            old_token = d.wait_until(lambda: read_ini(program.ini).get(("access_token", "apikey")),
                                     20, "a token")
            time.sleep(4)
            capture_text_region("double-click")
            d.confirm_message("Key验证失败")
            d.confirm_message("Key以无条件更新：")
            d.wait_until(lambda: read_ini(program.ini).get(("access_token", "apikey")) != old_token,
                         20, "the renewed token in log.ini")
            capture_text_region("double-click")
            d.wait_until(lambda: recognised(d.clipboard_text()), 30, "text with the new token")
        finally:
            program.close()

    def test_service_stopped_keeps_window(self):
        self.start_service()
        program = Program(self.args.veltrace, self.program_dir("service-down"))
        try:
            d.wait_until(lambda: read_ini(program.ini).get(("access_token", "apikey")), 20,
                         "a token before the service stops")
            self.stop_service()
            capture_text_region("double-click")
            d.confirm_message("程序出现不可逆的错误！", timeout=40)
            time.sleep(1)
            assert program.process.poll() is None, "the program ended on a network failure"
            assert d.find_windows(MAIN_TITLE), "the main window is gone"
        finally:
            program.close()


def argument_parser():
    """The options of every script that runs the program against the service."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--veltrace", required=True)
    parser.add_argument("--ocrd", required=True)
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--certs", required=True)
    parser.add_argument("--keep", action="store_true", help="keep the work directory")
    parser.add_argument("-k", default="", help="run only scenarios whose name contains this")
    return parser


def main():
    args = argument_parser().parse_args()
    if not d.display_available():
        print("e2e: no X display (set DISPLAY, e.g. to an Xvfb server)")
        return 1

    suite = Suite(args)
    names = [n for n in dir(suite) if n.startswith("test_") and args.k in n]
    passed = failed = 0
    try:
        for name in names:
            started = time.monotonic()
            try:
                getattr(suite, name)()
                passed += 1
                print(f"PASS {name} ({time.monotonic() - started:.1f}s)", flush=True)
            except Exception:
                failed += 1
                print(f"FAIL {name}", flush=True)
                traceback.print_exc()
                shot = os.path.join(tempfile.gettempdir(), f"veltrace-e2e-{name}.png")
                d.screenshot(shot)
                print(f"  screenshot: {shot}", flush=True)
            finally:
                subprocess.run(["pkill", "-f", os.path.join(suite.work, ".*/veltrace$")],
                               check=False)
    finally:
        suite.close()
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
