"""Reads the running program's window as a screen reader does, through the
AT-SPI bus, and checks that every focusable control of the three pages has a
name, in plain text. Run by screenreader.sh, which starts the program."""

import re
import sys
import time

import pyatspi

TITLE = "tavik试卷评测系统-学生端"
MARKUP = re.compile(r"<[A-Za-z/!?][^>]*>|&(#[0-9]+|#x[0-9A-Fa-f]+|[A-Za-z]+);")
BARE_NUMBER = re.compile(r"^[-+]?[0-9]+(\.[0-9]*)?([eE][-+]?[0-9]+)?$")


def wait_for(what, find, seconds):
    """What find() returns once it is not None, tried for at most seconds."""
    deadline = time.monotonic() + seconds
    while True:
        found = find()
        if found is not None:
            return found
        if time.monotonic() > deadline:
            sys.exit(f"FAIL: {what} not seen within {seconds} s")
        time.sleep(0.1)


def tree(node):
    yield node
    for child in node:
        if child is not None:
            yield from tree(child)


def window():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "tavik":
            continue
        for frame in app:
            if frame is not None and frame.name == TITLE:
                return frame
    return None


def first(nodes, role):
    return next((node for node in nodes if node.getRole() == role), None)


def has(node, state):
    return node.getState().contains(state)


def offers_value(node):
    try:
        node.queryValue()
        return True
    except NotImplementedError:
        return False


def describe(node):
    return f"{node.getRoleName()} {node.name!r}"


def name_faults(node):
    name = node.name or ""
    if not name.strip():
        return "has no name"
    if MARKUP.search(name):
        return "is named with markup"
    return None


def main():
    frame = wait_for("the window " + TITLE, window, 20)
    nodes = list(tree(frame))
    tab_list = first(nodes, pyatspi.ROLE_PAGE_TAB_LIST)
    stack = first(nodes, pyatspi.ROLE_LAYERED_PANE)
    if tab_list is None or stack is None:
        sys.exit("FAIL: no page tabs or no pages in the window's tree")
    tabs = [tab for tab in tab_list if tab.getRole() == pyatspi.ROLE_PAGE_TAB]
    pages = [page for page in stack if page is not None]
    if len(tabs) != 3 or len(pages) != 3:
        sys.exit(f"FAIL: {len(tabs)} page tabs and {len(pages)} pages, expected 3 and 3")

    faults = [f"page tab: {describe(tab)} {fault}" for tab in tabs
              if (fault := name_faults(tab))]
    for tab, page in zip(tabs, pages):
        # A screen reader user opens a page by its tab, as with the mouse.
        tab.queryAction().doAction(0)
        wait_for(f"page {tab.name} after pressing its tab",
                 lambda: True if has(page, pyatspi.STATE_SHOWING) else None, 5)
        shown = [node for node in tree(page) if has(node, pyatspi.STATE_SHOWING)]
        controls = [node for node in shown if has(node, pyatspi.STATE_FOCUSABLE)]
        # The number displays: read, never focused; a scroll bar offers a value too.
        displays = [node for node in shown if not has(node, pyatspi.STATE_FOCUSABLE)
                    and node.getRole() != pyatspi.ROLE_SCROLL_BAR and offers_value(node)]
        print(f"page {tab.name}: " + ", ".join(describe(node) for node in controls + displays))
        if not controls or not displays:
            faults.append(f"page {tab.name}: {len(controls)} focusable controls and "
                          f"{len(displays)} number displays offering a value shown")
        for node in controls + displays:
            if fault := name_faults(node):
                faults.append(f"page {tab.name}: {describe(node)} {fault}")
        for node in shown:
            if node.name and BARE_NUMBER.match(node.name):
                faults.append(f"page {tab.name}: {describe(node)} is named by its number")

    for fault in faults:
        print("FAIL: " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
