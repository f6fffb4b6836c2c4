#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The real program as a screen reader meets it over AT-SPI.

Starts trelvane with its accessibility bridge on, waits for the main window, presses the move
button through its AT-SPI action, types "Hola" into Campo A with real key events, and reads
Campo B's binary through the text interface. Then presses Campo B's Hexadecimal mode button and
checks that the radio buttons follow the mark, with an event, and that Campo B reads 486F6C61.
Then runs the steps of STEPS, each a user's action and what a screen reader must find after it
(see check_steps).

run_atspi_check.sh runs it inside an X server and a D-Bus session of its own.
"""
import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

KEYCODE_ALT_L = 64
KEYCODE_CONTROL_L = 37
KEYCODE_DIGIT_1 = 10  # 2 to 9 follow
KEYSYM = {"F3": 0xFFC0, "Tab": 0xFF09, "ISO_Left_Tab": 0xFE20, "v": 0x76}

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
             == "Hola")
    if not any(event.source == campo_a and event.type.major == "text-caret-moved"
               for event in events):
        raise CheckFailed("Campo A announced no caret move")
    if not any(event.source == campo_b and event.type.major == "text-changed"
               for event in events):
        raise CheckFailed("Campo B did not announce its new text")


def alt_digit(digit):
    pyatspi.Registry.generateKeyboardEvent(KEYCODE_ALT_L, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(KEYCODE_DIGIT_1 + digit - 1, None,
                                           pyatspi.KEY_PRESSRELEASE)
    pyatspi.Registry.generateKeyboardEvent(KEYCODE_ALT_L, None, pyatspi.KEY_RELEASE)


def key(name):
    pyatspi.Registry.generateKeyboardEvent(KEYSYM[name], None, pyatspi.KEY_SYM)


def paste(data):
    """Puts data on the clipboard (xclip keeps serving it) and presses Ctrl+V."""
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=data, check=True)
    wait_for("xclip to hold the clipboard", lambda: subprocess.run(
        ["xclip", "-selection", "clipboard", "-o"], capture_output=True).stdout == data)
    pyatspi.Registry.generateKeyboardEvent(KEYCODE_CONTROL_L, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(KEYSYM["v"], None, pyatspi.KEY_SYM)
    pyatspi.Registry.generateKeyboardEvent(KEYCODE_CONTROL_L, None, pyatspi.KEY_RELEASE)


def focused(window):
    """The controls that hold the focus (the frame's own pane is not one)."""
    return [node for node in descendants(window) if node.getState().contains(pyatspi.STATE_FOCUSED)
            and node.getRole() != pyatspi.ROLE_FILLER and node.name]


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (box.x, box.y, box.x + box.width, box.y + box.height)


def check_tree(app, window):
    """No description repeats its name; whatever shows lies inside the window; one frame."""
    frames = [child.name for child in app if child is not None]
    if frames != ["Trelvane"]:
        raise CheckFailed(f"the program's frames are {frames}: the splash is still there")
    left, top, right, bottom = extents(window)
    for node in descendants(window):
        if node.description and node.description.strip() == node.name:
            raise CheckFailed(f"{node.name!r} has its name as its description")
        if node != window and node.getState().contains(pyatspi.STATE_SHOWING):
            x1, y1, x2, y2 = extents(node)
            if x1 < left or y1 < top or x2 > right or y2 > bottom:
                raise CheckFailed(f"{node.getRoleName()} {node.name!r} shows at "
                                  f"{(x1, y1, x2, y2)}, outside the window {(left, top, right, bottom)}")


# The steps after the mode check, with Campo A focused, holding Hola, in Texto; Campo B in
# Hexadecimal. Each: what to do, then the focused object's name and description, and for some
# a text to read in Campo A. A description event with the new text must come from the focused
# field (that is what Orca speaks).
STEPS = [
    ("Alt+6", lambda fields: alt_digit(6), "Campo A", "Texto; Campo B en Binario", None),
    ("Alt+8", lambda fields: alt_digit(8), "Campo A", "Texto; Campo B en Decimal", None),
    ("Campo A emptied", lambda fields: fields["Campo A"].queryEditableText().setTextContents(""),
     "Campo A", "Texto; Campo B en Decimal", ""),
    ("Alt+2", lambda fields: alt_digit(2), "Campo A", "Binario; Campo B en Decimal", ""),
    ("0100 typed", lambda fields: type_keys("0100"), "Campo A",
     "Binario; Campo B en Decimal. Byte incompleto", "0100"),
    ("the bytes completed", lambda fields: type_keys("000101000010"), "Campo A",
     "Binario; Campo B en Decimal", "0100000101000010"),
    ("F3 opens the view", lambda fields: key("F3"), "Campo A en bytes",
     "Binario separado en grupos de bytes", None),
    ("Tab", lambda fields: key("Tab"), "Campo A en bytes", None, None),
    ("Shift+Tab", lambda fields: key("ISO_Left_Tab"), "Campo A en bytes", None, None),
    ("F3 closes the view", lambda fields: key("F3"), "Campo A", "Binario; Campo B en Decimal",
     "0100000101000010"),
    ("NUL pasted", lambda fields: paste(b"\x00\x00A"), "Campo A",
     "Texto; Campo B en Decimal", "0100000101000010\u2400\u2400A"),
]


def check_steps(app, window, fields):
    descriptions = []
    pyatspi.Registry.registerEventListener(
        descriptions.append, "object:property-change:accessible-description")
    for what, action, name, description, text in STEPS:
        descriptions.clear()
        action(fields)

        def arrived():
            now = focused(window)
            return (len(now) == 1 and now[0].name == name
                    and (description is None or now[0].description == description))
        wait_for(f"after {what}: the focus on {name!r} described {description!r} (it is on "
                 f"{[(node.name, node.description) for node in focused(window)]})", arrived)
        if description is not None and name.startswith("Campo") and what.startswith("Alt"):
            wait_for(f"after {what}: a description event from {name} with the text",
                     lambda: any(event.source == fields[name] and event.any_data == description
                                 for event in descriptions))
        if text is not None:
            wait_for(f"after {what}: Campo A to read {text!r} (it reads "
                     f"{text_of(fields['Campo A'])!r})", lambda: text_of(fields["Campo A"]) == text)
        if name == "Campo A en bytes":
            for covered in (fields["Campo A"], fields["Campo B"]):
                if covered.getState().contains(pyatspi.STATE_FOCUSABLE):
                    raise CheckFailed(f"after {what}: the covered {covered.name} takes the focus")
        check_tree(app, window)


def check(pid):
    app = wait_for("the program on the AT-SPI bus", lambda: program(pid))
    window = wait_for("the main window (after the splash)", lambda: main_window(app))
    wait_for("the splash to leave the tree", lambda: len([child for child in app]) == 1)
    check_tree(app, window)  # the character box, focused, is told where its face is

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
                         for event in checked_events))

    fields = {"Campo A": campo_a, "Campo B": campo_b}
    fields["Campo A en bytes"] = find(window, pyatspi.ROLE_TEXT, "Campo A en bytes")
    check_steps(app, window, fields)


def stop(process):
    """Ends a process started in its own session, and all it started, if it still runs."""
    if process is None or process.poll() is not None:
        return
    os.killpg(process.pid, signal.SIGTERM)
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()


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
        stop(trelvane)
    print("AT-SPI check passed: Mover pressed, Hola typed into Campo A, Campo B read "
          f"{HOLA_BINARY}, then {HOLA_HEXADECIMAL} in Hexadecimal; then "
          + ", ".join(step[0] for step in STEPS))
    return 0


if __name__ == "__main__":
    sys.exit(main())
