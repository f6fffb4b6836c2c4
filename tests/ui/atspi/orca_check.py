#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""What Orca speaks, end to end: the real program and the real screen reader.

Starts Orca with a home of its own and its debug log on (speech goes nowhere; the log records
each text it would speak), then the program. Moves to the code panel, presses Alt+2 in Campo A
and pastes a text into it, and reads from the log that Orca spoke the new modes both times.

run_orca_check.sh runs it inside an X server and a D-Bus session of its own.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import atspi_check as atspi

# (what, action, what Orca must speak after it)
STEPS = [
    ("Alt+2", lambda: atspi.alt_digit(2), "Binario; Campo B en Binario"),
    ("a pasted text", lambda: atspi.paste(b"Hola"), "Texto; Campo B en Binario"),
]


def spoken(log):
    """What Orca logged that it spoke, as (seconds since midnight, text)."""
    said = []
    with open(log, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            if " - SPEECH OUTPUT: " in line:
                stamp, text = line.split(" - SPEECH OUTPUT: ", 1)
                hours, minutes, seconds = stamp.split(":")
                said.append((int(hours) * 3600 + int(minutes) * 60 + float(seconds),
                             text.strip()))
    return said


def since_midnight():
    now = time.localtime()
    return now.tm_hour * 3600 + now.tm_min * 60 + now.tm_sec + time.time() % 1


def check(pid):
    """Runs the steps; returns when each began, to be matched with Orca's log once it ends."""
    app = atspi.wait_for("the program on the AT-SPI bus", lambda: atspi.program(pid))
    window = atspi.wait_for("the main window", lambda: atspi.main_window(app))
    campo_a = atspi.find(window, atspi.pyatspi.ROLE_TEXT, "Campo A")
    time.sleep(2)  # Orca presents the window and the character box
    atspi.press(atspi.find(window, atspi.pyatspi.ROLE_PUSH_BUTTON, "Mover"))
    atspi.wait_for("the focus in Campo A",
                   lambda: campo_a.getState().contains(atspi.pyatspi.STATE_FOCUSED))
    time.sleep(2)  # Orca presents Campo A
    began = []
    for what, action, expected in STEPS:
        began.append(since_midnight())
        action()
        atspi.wait_for(f"Campo A described {expected!r} after {what}",
                       lambda: campo_a.description == expected)
        time.sleep(2)  # Orca speaks it
    return began


def no_other_orca(seconds=60):
    """Orca will not start while another Orca of the same user runs; one may still be ending."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                          stdout=subprocess.DEVNULL).returncode != 0:
            return True
        time.sleep(0.5)
    return False


def main():
    if len(sys.argv) != 2:
        sys.exit(f"usage: {sys.argv[0]} PATH/TO/trelvane")
    if not no_other_orca():
        print("FAILED: another Orca of this user is running, and Orca will not start beside it",
              file=sys.stderr)
        return 1
    home = tempfile.mkdtemp(prefix="trelvane-orca-")
    log = os.path.join(home, "orca.log")
    orca_environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                            XDG_DATA_HOME=os.path.join(home, "data"))
    # The speech server's address leads nowhere, so that Orca goes on at once without one and
    # logs what it would speak.
    orca_environment["SPEECHD_ADDRESS"] = "unix_socket:" + os.path.join(home, "no-speech")
    orca = subprocess.Popen(["orca", "--debug-file", log, "-u", os.path.join(home, "orca")],
                            env=orca_environment, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, start_new_session=True)
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    environment["ASAN_OPTIONS"] = ":".join(
        filter(None, [environment.get("ASAN_OPTIONS"), "detect_leaks=0"]))
    try:
        time.sleep(5)  # Orca starts the registry and loads its scripts; its log lags behind
        if orca.poll() is not None:
            raise atspi.CheckFailed(f"Orca ended with status {orca.returncode}")
        atspi.trelvane = subprocess.Popen([sys.argv[1]], env=environment,
                                          start_new_session=True)
        began = check(atspi.trelvane.pid)
        # Orca writes its log out as it ends.
        os.killpg(orca.pid, signal.SIGTERM)
        orca.wait(timeout=30)
        said = spoken(log)
        for (what, _, expected), start in zip(STEPS, began):
            after = [text for stamp, text in said if stamp >= start]
            if not any(text.startswith("'" + expected) for text in after):
                raise atspi.CheckFailed(f"after {what} Orca did not speak {expected!r}; it "
                                        f"spoke {after[:6]}")
    except atspi.CheckFailed as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        for process in (atspi.trelvane, orca):
            atspi.stop(process)
        shutil.rmtree(home, ignore_errors=True)
    print("Orca check passed: Orca spoke " + ", ".join(
        f"{expected!r} after {what}" for what, _, expected in STEPS))
    return 0


if __name__ == "__main__":
    sys.exit(main())
