#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The real program as a screen reader meets it over AT-SPI.

Starts trelvane with its accessibility bridge on, waits for the main window, presses the move
button through its AT-SPI action, types "Hola" into Campo A with real key events, and reads
Campo B's binary through the text interface. Then presses Campo B's Hexadecimal mode button and
checks that the radio buttons follow the mark, with an event, and that Campo B reads 486F6C61.

run_atspi_check.sh runs it inside an X server and a D-Bus session of its own.
"""
import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WAIT_SECONDS = float(os.environ.get("TRELVANE_ATSPI_WAIT", "60"))
HOLA_BINARY = "01001000011011110110110001100001"
HOLA_HEXADECIMAL = "486F6C61"


class CheckFailed(Exception):
    pass


def pump_events():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


# The program under test, watched while waiting.
trelvane = None


def wait_for(what, probe, seconds=WAIT_SECONDS):
    """Polls probe() until it returns something true; AT-SPI errors count as not yet."""
    deadline = time.monotonic() + seconds
    last_error = None
    while time.monotonic() < deadline:
        if trelvane.poll() is not None:
            raise CheckFailed(f"the program ended with status {trelvane.returncode} "
                              f"while waiting for {what}")
        pump_events()
        try:
            value = probe()
            if value:
                return value
        except Exception as error:  # the tree changes under us while the program starts
            last_error = error
        time.sleep(0.05)
    detail = f" (last error: {last_error})" if last_error else ""
    raise CheckFailed(f"gave up after {seconds:.0f} s waiting for {what}{detail}")


def descendants(root):
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        yield node
        try:
            stack.extend(reversed([node.getChildAtIndex(i) for i in range(node.childCount)]))
        except Exception:
            continue


def find(root, role, name, description=None, showing=None):
    for node in descendants(root):
        if node.getRole() != role or node.name != name:
            continue
        if description is not None and node.description != description:
            continue
        if showing is not None and node.getState().contains(pyatspi.STATE_VISIBLE) != showing:
            continue
        return node
    return None


def program(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def main_window(app):
    for window in app:
        if window.getRole() == pyatspi.ROLE_FRAME and window.name == "Trelvane" and find(
                window, pyatspi.ROLE_PUSH_BUTTON, "Mover"):
            return window
    return None


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        raise CheckFailed(f"{node.name!r} offers no Press action, only {names}")
    action.doAction(names.index("Press"))


def text_of(node):
    return node.queryText().getText(0, -1)


def type_keys(text):
    for character in text:
        pyatspi.Registry.generateKeyboardEvent(ord(character), None, pyatspi.KEY_SYM)
        time.sleep(0.05)


def is_checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def check_text_events(events, campo_a, campo_b):
    """Each typed character announced by Campo A, the caret's moves, and Campo B's new text."""
    wait_for("the text events of the typing",
             lambda: "".join(str(event.any_data) for event in events
                             if event.source == campo_a and event.type.major == "text-changed")
             == "Hola", seconds=10)
    if not any(event.source == campo_a and event.type.major == "text-caret-moved"
               for event in events):
        raise CheckFailed("Campo A announced no caret move")
    if not any(event.source == campo_b and event.type.major == "text-changed"
               for event in events):
        raise CheckFailed("Campo B did not announce its new text")


def check(pid):
    app = wait_for("the program on the AT-SPI bus", lambda: program(pid))
    window = wait_for("the main window (after the splash)", lambda: main_window(app))

    press(find(window, pyatspi.ROLE_PUSH_BUTTON, "Mover"))
    campo_a = find(window, pyatspi.ROLE_TEXT, "Campo A", showing=True)
    campo_b = find(window, pyatspi.ROLE_TEXT, "Campo B")
    if campo_a is None or campo_b is None:
        raise CheckFailed("Campo A or Campo B is not an AT-SPI text")
    wait_for("the focus in Campo A at the end of the slide",
             lambda: campo_a.getState().contains(pyatspi.STATE_FOCUSED))

    text_events = []
    for kind in ("object:text-changed:insert", "object:text-caret-moved"):
        pyatspi.Registry.registerEventListener(text_events.append, kind)
    type_keys("Hola")
    wait_for(f"Campo A to read Hola (it reads {text_of(campo_a)!r})",
             lambda: text_of(campo_a) == "Hola")
    wait_for(f"Campo B to read {HOLA_BINARY}", lambda: text_of(campo_b) == HOLA_BINARY)
    check_text_events(text_events, campo_a, campo_b)

    modes_b = {node.name: node for node in descendants(window)
               if node.getRole() == pyatspi.ROLE_RADIO_BUTTON
               and node.description == "Modo de Campo B"}
    if sorted(modes_b) != ["Binario", "Decimal", "Hexadecimal", "Texto"]:
        raise CheckFailed(f"Campo B's mode buttons are {sorted(modes_b)}")
    if not is_checked(modes_b["Binario"]):
        raise CheckFailed("Campo B's Binario is not checked at start")
    checked_events = []
    pyatspi.Registry.registerEventListener(checked_events.append, "object:state-changed:checked")
    press(modes_b["Hexadecimal"])
    wait_for(f"Campo B to read {HOLA_HEXADECIMAL}", lambda: text_of(campo_b) == HOLA_HEXADECIMAL)
    if not is_checked(modes_b["Hexadecimal"]) or is_checked(modes_b["Binario"]):
        raise CheckFailed("the checked mode button of Campo B did not follow the mark")
    wait_for("a checked event from Campo B's Hexadecimal button",
             lambda: any(event.source == modes_b["Hexadecimal"] and event.detail1 == 1
                         for event in checked_events), seconds=10)


def main():
    if len(sys.argv) != 2:
        sys.exit(f"usage: {sys.argv[0]} PATH/TO/trelvane")
    environment = dict(os.environ)
    environment["QT_QPA_PLATFORM"] = "xcb"
    environment["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    # A sanitised build: the program is killed at the end, its leaks are not this check's.
    environment["ASAN_OPTIONS"] = ":".join(
        filter(None, [environment.get("ASAN_OPTIONS"), "detect_leaks=0"]))
    global trelvane
    trelvane = subprocess.Popen([sys.argv[1]], env=environment, start_new_session=True)
    try:
        check(trelvane.pid)
        if trelvane.poll() is not None:
            raise CheckFailed(f"the program ended with status {trelvane.returncode}")
    except CheckFailed as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        if trelvane.poll() is None:
            os.killpg(trelvane.pid, signal.SIGTERM)
            try:
                trelvane.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(trelvane.pid, signal.SIGKILL)
                trelvane.wait()
    print("AT-SPI check passed: Mover pressed, Hola typed into Campo A, Campo B read "
          f"{HOLA_BINARY}, then {HOLA_HEXADECIMAL} in Hexadecimal")
    return 0


if __name__ == "__main__":
    sys.exit(main())
