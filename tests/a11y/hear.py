"""Reads the program of process PID through the accessibility bus, as a screen reader does, and
types into it with xdotool. Exits 1 with the first fault found. Usage: hear.py PID"""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

Role = Atspi.Role
heard = []  # (event, source) since the last keys


def fail(message):
    sys.exit(f"a11y: FAIL: {message}")


def settle(seconds=0.8):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        GLib.MainContext.default().iteration(False)
        time.sleep(0.02)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


def keys(*args):
    heard.clear()
    xdotool(*args)
    settle()


def told(kind, source):
    return any(t == "object:property-change:" + kind and s == source for t, s in heard)


def all_of(node, role):
    found = [node] if node.get_role() == role else []
    for child in (node.get_child_at_index(i) for i in range(node.get_child_count())):
        found += all_of(child, role) if child else []
    return found


def focus(control):
    """Gives the keyboard to the control and to the window that shows it."""
    box = Atspi.Component.get_extents(control, Atspi.CoordType.SCREEN)
    x, y = str(box.x + box.width // 2), str(box.y + box.height // 2)
    where = xdotool("mousemove", "--sync", x, y, "getmouselocation", "--shell")
    xdotool("windowfocus", "--sync", dict(v.split("=") for v in where.split())["WINDOW"])
    Atspi.Component.grab_focus(control)
    settle()


def spoken_choice(listbox):
    """The list's name says its purpose, then the entry chosen; returns the entry's position."""
    entries = [e.get_name() for e in all_of(listbox, Role.LIST_ITEM)]
    chosen, name = int(Atspi.Value.get_current_value(listbox)), listbox.get_name()
    purpose = name[: -len(entries[chosen])].strip() if 0 <= chosen < len(entries) else ""
    if not purpose or purpose in entries or not name.endswith(entries[chosen]):
        fail(f"the list {name!r} does not say its purpose and its entry ({chosen} of {entries})")
    return chosen


def hear_list(listbox):
    focus(listbox)
    before = spoken_choice(listbox)
    keys("key", "Down" if before == 0 else "Up")
    if spoken_choice(listbox) == before:
        fail(f"the arrow key left the list {listbox.get_name()!r} as it was")
    if not (told("accessible-value", listbox) and told("accessible-name", listbox)):
        fail(f"the list {listbox.get_name()!r} changed without telling the reader")
    print(f"a11y: ok   - the list says {listbox.get_name()!r}, again at each change")


def hear_answers(frame):
    """Every answer the window shows for a typed year is in the birth-year box's description."""
    box = next(t for t in all_of(frame, Role.TEXT)
               if t.get_state_set().contains(Atspi.StateType.ENABLED))
    labels = all_of(frame, Role.LABEL)
    before = [label.get_name() for label in labels]
    focus(box)
    keys("type", "--delay", "60", "55")
    squeezed = lambda text: "".join(text.split())  # noqa: E731
    answers = [squeezed(l.get_name()) for l, was in zip(labels, before) if l.get_name() != was]
    said = box.get_description()
    missing = [a for a in answers if a not in squeezed(said)]
    if len(answers) < 4 or missing or not told("accessible-description", box):
        fail(f"after 55 the box says {said!r}, missing {missing} of the answers {answers}")
    print(f"a11y: ok   - after 55 the box says {said!r}")


def main():
    listener = Atspi.EventListener.new(lambda e: heard.append((e.type, e.source)))
    # The program sends only the events a reader asks for by name.
    for kind in ("accessible-name", "accessible-value", "accessible-description"):
        listener.register("object:property-change:" + kind)
    desktop, pid = Atspi.get_desktop(0), int(sys.argv[1])
    for _ in range(200):
        apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
        app = next((a for a in apps if a and a.get_process_id() == pid), None)
        if app and all_of(app, Role.COMBO_BOX):
            break
        settle(0.1)
    else:
        fail("the program's lists did not appear on the accessibility bus")
    main_frame = all_of(app, Role.FRAME)[0]
    hear_answers(main_frame)
    lists = all_of(app, Role.COMBO_BOX)
    hear_list(lists[0])
    # The age table's list, in the window its menu entry opens.
    Atspi.Action.do_action(next(m for m in all_of(main_frame, Role.MENU_ITEM)
                                if "(T)" in m.get_name()), 0)
    for _ in range(100):
        settle(0.1)
        others = [c for c in all_of(app, Role.COMBO_BOX) if c not in lists]
        if others:
            return hear_list(others[0])
    fail("the age table's list did not appear")


main()
