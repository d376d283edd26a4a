"""Reads the running program's window over the AT-SPI bus, as a screen reader
does: page by page, every focusable control must have a name in plain text,
and the number displays a name and a value. Run by screenreader.sh, which
starts the program."""

import re
import sys
import time

import pyatspi

TITLE = "tavik试卷评测系统-学生端"
MARKUP = re.compile(r"<[A-Za-z/!?][^>]*>|&(#[0-9]+|#x[0-9A-Fa-f]+|[A-Za-z]+);")


def wait_for(what, find, seconds):
    """What find() returns once it is not None, tried for at most seconds."""
    deadline = time.monotonic() + seconds
    while (found := find()) is None:
        if time.monotonic() > deadline:
            sys.exit(f"FAIL: {what} not seen within {seconds} s")
        time.sleep(0.1)
    return found


def tree(node):
    yield node
    for child in node:
        if child is not None:
            yield from tree(child)


def window():
    return next((frame for app in pyatspi.Registry.getDesktop(0)
                 if app is not None and app.name == "tavik"
                 for frame in app if frame is not None and frame.name == TITLE), None)


def has(node, state):
    return node.getState().contains(state)


def offers_value(node):
    try:
        return node.queryValue() is not None
    except NotImplementedError:
        return False


def fault(node):
    """Why a screen reader could not tell what node is, or None."""
    if not (node.name or "").strip():
        return "has no name"
    if MARKUP.search(node.name):
        return "is named with markup"
    return None


def main():
    frame = wait_for("the window " + TITLE, window, 20)
    nodes = list(tree(frame))
    tabs = [node for node in nodes if node.getRole() == pyatspi.ROLE_PAGE_TAB]
    # The tab widget's page stack: its children are the pages, in tab order.
    stack = next((node for node in nodes if node.getRole() == pyatspi.ROLE_LAYERED_PANE), [])
    pages = [page for page in stack if page is not None]
    if len(tabs) != 3 or len(pages) != 3:
        sys.exit(f"FAIL: {len(tabs)} page tabs and {len(pages)} pages, expected 3 and 3")

    faults = [f"page tab {tab.name!r} {fault(tab)}" for tab in tabs if fault(tab)]
    for tab, page in zip(tabs, pages):
        # Opened by its tab, as a screen reader user does.
        tab.queryAction().doAction(0)
        wait_for(f"page {tab.name}", lambda: has(page, pyatspi.STATE_SHOWING) or None, 5)
        shown = [node for node in tree(page) if has(node, pyatspi.STATE_SHOWING)]
        controls = [node for node in shown if has(node, pyatspi.STATE_FOCUSABLE)]
        # Read, never focused; a scroll bar offers a value too.
        displays = [node for node in shown if not has(node, pyatspi.STATE_FOCUSABLE)
                    and node.getRole() != pyatspi.ROLE_SCROLL_BAR and offers_value(node)]
        print(f"page {tab.name}: " + ", ".join(
            f"{node.getRoleName()} {node.name!r}" for node in controls + displays))
        if not controls or not displays:
            faults.append(f"page {tab.name}: {len(controls)} focusable controls and "
                          f"{len(displays)} number displays with a value")
        faults += [f"page {tab.name}: {node.getRoleName()} {node.name!r} {fault(node)}"
                   for node in controls + displays if fault(node)]

    for line in faults:
        print("FAIL: " + line)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
