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
#   links EXPORTER DATA           selects every row in turn (全て): the pane shows the entry's
#                                 texts and underlines exactly the links the rules give (see
#                                 expected_links, from hoshiwa2-export's texts)
#   outward EXPORTER DATA         selects the first row on show whose entry links to an entry not
#                                 on show; prints the screen point of that link, the target's
#                                 title, the row's title and its first target's, tab-separated
#   shows EXPORTER DATA TITLE     the list selects TITLE alone; the pane shows it, links underlined
#   size [POINTS]                 prints the size of the pane's text in points, or waits for POINTS
#   focus ROLE NAME               gives the control the keyboard focus
#   focused ROLE NAME             the control has the keyboard focus

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


def export(exporter, data, *args):
    return subprocess.run([exporter, *args, data, "-"], check=True,
                          stdout=subprocess.PIPE).stdout.decode("cp932")


def exported_titles(exporter, data, args):
    return [record[0] for record in
            csv.reader(io.StringIO(export(exporter, data, "--csv", *args), newline=""))]


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


# The entries in list order as (title, text2, text1). The CSV joins the two texts; the text form
# ends each entry with text1's line and a blank line (the sample's texts hold no line breaks).
def glossary(exporter, data):
    records = csv.reader(io.StringIO(export(exporter, data, "--csv"), newline=""))
    blocks = export(exporter, data).split("\r\n\r\n")
    entries = []
    for (title, _, texts), block in zip(records, blocks):
        text1 = block.rsplit("\r\n", 1)[-1]
        if not texts.endswith(text1):
            sys.exit(f"atspi_probe: the exports disagree on the texts of {title}")
        entries.append((title, texts[:len(texts) - len(text1)], text1))
    return entries


# The links of entries[shown] by the rules, in text order, as (field: 0 text2 or 1 text1, start,
# end, target). Candidates are the other titles of two characters or more without a line break;
# at each place in a field the longest that starts there is a link, to the first entry with that
# title, and the scan goes on after it.
def expected_links(entries, shown):
    targets = {}
    for index, (title, _, _) in enumerate(entries):
        if len(title) >= 2 and "\r" not in title and "\n" not in title:
            targets.setdefault(title, index)
    targets.pop(entries[shown][0], None)
    links = []
    for field, text in enumerate(entries[shown][1:]):
        present = [title for title in targets if title in text]
        at = 0
        while at < len(text):
            title = max((t for t in present if text.startswith(t, at)), key=len, default="")
            if title:
                links.append((field, at, at + len(title), targets[title]))
            at += max(len(title), 1)
    return links


def list_and_pane():
    return (poll(lambda: find("table", "用語一覧")).queryTable(),
            poll(lambda: find("text", "説明")).queryText())


def underlined(pane):
    runs, at = [], 0
    while at < pane.characterCount:
        attributes, start, end = pane.getAttributeRun(at, False)
        if any(a.startswith("underline:") and a != "underline:none" for a in attributes):
            runs.append((start, end))
        at = max(end, at + 1)
    return runs


# Where text2 and text1 of entries[shown] start in the pane when it ends with them and underlines
# exactly the entry's links; else what it shows.
def showing(pane, entries, shown):
    title, text2, text1 = entries[shown]
    text = pane.getText(0, -1)
    tail = (text2 + "\n" if text2 else "") + text1 + "\n"
    if not text.endswith(tail):
        return f"the pane shows\n  {text!r}\nnot the texts of {title}"
    starts = len(text) - len(tail), len(text) - len(text1) - 1
    expected = [(starts[field] + start, starts[field] + end)
                for field, start, end, _ in expected_links(entries, shown)]
    seen = underlined(pane)
    # (Two links side by side make one underline.)
    if {i for a, b in seen for i in range(a, b)} != {i for a, b in expected for i in range(a, b)}:
        return (f"{title}: the pane underlines {[text[a:b] for a, b in seen]}, the rules give "
                f"{[text[a:b] for a, b in expected]}")
    return starts


def check_links(exporter, data):
    entries = glossary(exporter, data)
    table, pane = list_and_pane()
    for row in range(len(entries)):
        table.addRowSelection(row)
        poll(lambda: showing(pane, entries, row))
    links = sum(len(expected_links(entries, row)) for row in range(len(entries)))
    print(f"atspi_probe: all {len(entries)} entries underline their {links} links")


def outward(exporter, data):
    entries = glossary(exporter, data)
    titles = [title for title, _, _ in entries]
    table, pane = list_and_pane()
    on_show = [table.getAccessibleAt(row, 0).name for row in range(table.nRows)]
    for row, title in enumerate(on_show):
        links = expected_links(entries, titles.index(title))
        for field, start, _, target in links:
            if titles[target] not in on_show:
                table.addRowSelection(row)
                at = poll(lambda: showing(pane, entries, titles.index(title)))[field] + start
                x, y, width, height = pane.getCharacterExtents(at, pyatspi.DESKTOP_COORDS)
                print(x + width // 2, y + height // 2, titles[target], title,
                      titles[links[0][3]], sep="\t")
                return
    sys.exit("atspi_probe: no entry on show links outside the rows on show")


def check_shows(exporter, data, title):
    entries = glossary(exporter, data)
    table, pane = list_and_pane()

    def check():
        rows = [row for row in range(table.nRows) if table.isRowSelected(row)]
        selected = [table.getAccessibleAt(row, 0).name for row in rows]
        if selected != [title]:
            return f"the list selects {selected}, not {title}"
        return showing(pane, entries, [t for t, _, _ in entries].index(title))

    poll(check)


# The pane's font size in points: GTK gives the size of its text in Pango units (1/1024 pt).
def pane_points(expected=None):
    def check():
        attributes = poll(lambda: find("text", "説明")).queryText().getAttributeRun(0, True)[0]
        size = int(next(a for a in attributes if a.startswith("size:"))[5:]) / 1024
        if expected is not None and size != float(expected):
            return f"the pane's text is {size:g} pt, not {expected}"
        return size

    size = poll(check)
    if expected is None:
        print(f"{size:g}")


def check_focused(role, name):
    def check():
        found = poll(lambda: find(role, name))
        if found.getState().contains(pyatspi.STATE_FOCUSED):
            return True
        focused = [f"{c.getRoleName()} {c.name!r}" for c in main_controls()
                   if c.getState().contains(pyatspi.STATE_FOCUSED)]
        return f"the {role} {name!r} does not have the focus; {focused or 'nothing'} has"

    poll(check)


COMMANDS = {
    "controls": lambda counter: poll(lambda: check_controls(counter)),
    "view": lambda exporter, data, *args: check_view(exporter, data, args),
    "about": lambda: check_about(),
    "press": lambda name: poll(lambda: find("push button", name)).queryAction().doAction(0),
    "text": lambda name: print(poll(lambda: find("text", name)).queryText().getText(0, -1)),
    "places": lambda: print(json.dumps(places())),
    "grown": check_grown,
    "links": check_links,
    "outward": outward,
    "shows": check_shows,
    "size": pane_points,
    "focus": lambda role, name: (poll(lambda: find(role, name)).queryComponent().grabFocus(),
                                 check_focused(role, name)),
    "focused": check_focused,
}

if __name__ == "__main__":
    COMMANDS[sys.argv[1]](*sys.argv[2:])
