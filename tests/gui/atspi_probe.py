#!/usr/bin/python3
# Reads and operates the running viewer through AT-SPI, the way a screen reader does.
#
# Controls are found by role and accessible name only. Every check waits (at most 10 s) for the
# viewer to get there, then fails with what it saw. Commands:
#
#   controls COUNTER              every control of the main dialog, named as it should be; the
#                                 counter named COUNTER
#   view EXPORTER DATA [ARGS...]  the list's rows and the counter are what `EXPORTER --csv ARGS
#                                 DATA -` exports, and every control is named
#   about                         every control of the about box has a name and the right role
#   press NAME                    presses the push button NAME through its action
#   text NAME                     prints the text of the text box NAME
#   places                        prints the edges of the controls that follow the main
#                                 dialog's size
#   grown PLACES WIDTH HEIGHT     since `places` printed PLACES, the main dialog has grown by
#                                 WIDTH × HEIGHT pixels and they have followed it

import csv
import io
import json
import subprocess
import sys
import time

import pyatspi

SEARCH_LABEL = "検索文字列:"
BUTTONS = ["検索", "全て", *"あかさたなはまやらわ", "フォント変更"]
# Containers and parts of controls: what a screen reader passes through, not what it names.
CONTAINERS = {"filler", "panel", "scroll pane", "scroll bar"}


# Calls check() until it returns a result other than a failure message (a str).
def poll(check):
    deadline = time.monotonic() + 10
    while True:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None:
                app.clearCache()
        result = check()
        if not isinstance(result, str):
            return result
        if time.monotonic() > deadline:
            sys.exit(f"atspi_probe: {result}")
        time.sleep(0.2)


def frames():
    desktop = pyatspi.Registry.getDesktop(0)
    return [frame for app in desktop if app is not None for frame in app
            if frame is not None and frame.getState().contains(pyatspi.STATE_SHOWING)]


# The frame's showing controls, outside its menu bar, without the parts of lists and texts.
def controls(frame):
    found = []

    def visit(node):
        for child in node:
            if child is None or not child.getState().contains(pyatspi.STATE_SHOWING):
                continue
            role = child.getRoleName()
            if role in CONTAINERS:
                visit(child)
            elif role != "menu bar":
                found.append(child)

    visit(frame)
    return found


# The main dialog's controls, or a message when it is not showing.
def main_controls():
    for frame in frames():
        if pyatspi.findDescendant(frame, lambda node: node.getRoleName() == "menu bar"):
            return controls(frame)
    return "the main dialog is not showing"


def find(role, name):
    found = main_controls()
    if isinstance(found, str):
        return found
    matches = [c for c in found if c.getRoleName() == role and c.name == name]
    return matches[0] if matches else f"no {role} named {name!r} in the main dialog"


def check_controls(counter):
    found = main_controls()
    if isinstance(found, str):
        return found
    seen = sorted((c.getRoleName(), c.name) for c in found)
    expected = sorted([("label", SEARCH_LABEL), ("text", SEARCH_LABEL), ("table", "用語一覧"),
                       ("text", "説明"), ("label", counter)] +
                      [("push button", name) for name in BUTTONS])
    if seen != expected:
        return f"main dialog controls (role, name):\n  {seen}\nexpected\n  {expected}"
    box = next(c for c in found if c.getRoleName() == "text" and c.name == SEARCH_LABEL)
    labels = [relation.getTarget(i) for relation in box.getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
              for i in range(relation.getNTargets())]
    if [(label.getRoleName(), label.name) for label in labels] != [("label", SEARCH_LABEL)]:
        return f"the search box is not labelled by the label {SEARCH_LABEL!r}"
    return found


def exported_titles(exporter, data, args):
    output = subprocess.run([exporter, "--csv", *args, data, "-"], check=True,
                            stdout=subprocess.PIPE).stdout
    return [record[0] for record in csv.reader(io.StringIO(output.decode("cp932"), newline=""))]


def check_view(exporter, data, args):
    titles = exported_titles(exporter, data, args)
    counter = f"{len(titles)}/{len(exported_titles(exporter, data, []))}"

    def check():
        found = check_controls(counter)
        if isinstance(found, str):
            return found
        table = next(c for c in found if c.getRoleName() == "table").queryTable()
        rows = [table.getAccessibleAt(row, 0).name for row in range(table.nRows)]
        if rows != titles:
            return f"the list shows\n  {rows}\nhoshiwa2-export gives\n  {titles}"
        return True

    poll(check)
    print(f"atspi_probe: the list and the counter show {counter} rows, as exported")


def check_about():
    def check():
        for frame in frames():
            found = controls(frame)
            if any(c.getRoleName() == "push button" and c.name == "OK" for c in found):
                roles = sorted(c.getRoleName() for c in found)
                unnamed = [c.getRoleName() for c in found if not c.name]
                if roles != ["icon", "label", "label", "push button"] or unnamed:
                    return f"about box: roles {roles}, unnamed {unnamed}"
                return True
        return "the about box is not showing"

    poll(check)


# The controls that follow the window's size by (role, name; the counter is the label holding
# "/"), and which of their edges (left, top, right, bottom) follow its right or bottom edge.
FOLLOWING = {("text", SEARCH_LABEL): "..r.", ("push button", "検索"): "l.r.",
             ("table", "用語一覧"): "...b", ("text", "説明"): "..rb", ("label", "/"): ".t.b",
             ("push button", "フォント変更"): "ltrb"}


def places():
    def check():
        found = main_controls()
        if isinstance(found, str):
            return found
        edges = []
        for role, name in FOLLOWING:
            match = [c for c in found if c.getRoleName() == role and
                     (c.name == name or name == "/" and name in c.name)]
            if not match:
                return f"no {role} named {name!r} in the main dialog"
            box = match[0].queryComponent().getExtents(pyatspi.WINDOW_COORDS)
            edges.append([box.x, box.y, box.x + box.width, box.y + box.height])
        return edges

    return poll(check)


def check_grown(before_file, width, height):
    with open(before_file, encoding="utf-8") as stream:
        moved = [[a - b for a, b in zip(*edges)] for edges in zip(places(), json.load(stream))]
    expected = [[(int(width), int(height))[edge % 2] * (follows[edge] != ".")
                 for edge in range(4)] for follows in FOLLOWING.values()]
    if moved != expected:
        sys.exit(f"atspi_probe: as the window grew by {width}x{height}, the edges of\n"
                 f"  {list(FOLLOWING)}\nmoved by\n  {moved}\nnot\n  {expected}")
    print(f"atspi_probe: as the window grew by {width}x{height}, its controls followed")


COMMANDS = {
    "controls": lambda counter: poll(lambda: check_controls(counter)),
    "view": lambda exporter, data, *args: check_view(exporter, data, args),
    "about": lambda: check_about(),
    "press": lambda name: poll(lambda: find("push button", name)).queryAction().doAction(0),
    "text": lambda name: print(poll(lambda: find("text", name)).queryText().getText(0, -1)),
    "places": lambda: print(json.dumps(places())),
    "grown": check_grown,
}

if __name__ == "__main__":
    COMMANDS[sys.argv[1]](*sys.argv[2:])
