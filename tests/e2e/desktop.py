"""Drives an X display like a user: windows by title, keys, mouse, clipboard, screenshots."""

import os
import subprocess
import time


def run(*args, check=True, timeout=20):
    return subprocess.run(args, check=check, timeout=timeout, capture_output=True, text=True)


def wait_until(predicate, timeout, what, interval=0.1):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    raise AssertionError(f"timed out after {timeout}s waiting for {what}")


def find_windows(title):
    """Visible windows whose title is exactly `title`."""
    result = run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$", check=False)
    return [int(w) for w in result.stdout.split()]


def wait_window(title, timeout=15):
    return wait_until(lambda: find_windows(title), timeout, f"window '{title}'")[0]


def wait_window_gone(title, timeout=15):
    wait_until(lambda: not find_windows(title), timeout, f"window '{title}' to close")


def geometry(window):
    """(x, y, width, height) of a window on the screen."""
    values = {}
    for line in run("xdotool", "getwindowgeometry", "--shell", str(window)).stdout.splitlines():
        key, _, value = line.partition("=")
        values[key] = int(value)
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


def focus(window):
    run("xdotool", "windowfocus", "--sync", str(window), check=False)


def key(*names):
    run("xdotool", "key", "--delay", "60", *names)


def confirm_message(title, timeout=20):
    """Finds a message box by its title and confirms it with the keyboard."""
    window = wait_window(title, timeout)
    focus(window)
    time.sleep(0.2)
    key("Return")
    wait_window_gone(title)


def move(x, y):
    run("xdotool", "mousemove", "--sync", str(x), str(y))


def drag(start, end, steps=6):
    move(*start)
    run("xdotool", "mousedown", "1")
    for i in range(1, steps + 1):
        move(start[0] + (end[0] - start[0]) * i // steps, start[1] + (end[1] - start[1]) * i // steps)
        time.sleep(0.02)
    run("xdotool", "mouseup", "1")


def click(x, y, button=1, repeat=1):
    move(x, y)
    run("xdotool", "click", "--repeat", str(repeat), "--delay", "80", str(button))


def clipboard_text():
    result = run("xclip", "-o", "-selection", "clipboard", check=False, timeout=5)
    return result.stdout if result.returncode == 0 else ""


def screenshot(path):
    run("import", "-window", "root", path, timeout=30)


def show_image(path, x, y):
    """Shows a picture borderless at (x, y) with imagemagick's display; returns the process."""
    process = subprocess.Popen(
        ["display", "-geometry", f"+{x}+{y}", "-title", "e2e-text", path],
        stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL,
    )
    wait_window("e2e-text")
    time.sleep(0.3)
    return process


def render_text_image(path, lines, point_size=40):
    """A white picture with black text lines in the CJK font."""
    height = 40 + len(lines) * int(point_size * 1.6)
    args = ["convert", "-size", f"900x{height}", "xc:white", "-font", "Noto-Sans-CJK-SC",
            "-pointsize", str(point_size), "-fill", "black"]
    for i, line in enumerate(lines):
        args += ["-annotate", f"+30+{30 + point_size + i * int(point_size * 1.6)}", line]
    run(*args, path)
    return height


def display_available():
    return bool(os.environ.get("DISPLAY")) and run("xdpyinfo", check=False).returncode == 0
