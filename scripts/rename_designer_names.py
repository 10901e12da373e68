#!/usr/bin/env python3
"""Renames the form designer's names in src/, tests/ and bench/ after the table in docs/renames.md.

Run once from the top of the repository; kept so the rename can be repeated on a branch made
before it. A former name can stand for different controls in different windows, so each file has
a window (by its path), and an access through a variable holding another window
(`investigator.Button1`) follows that window.
"""
import pathlib
import re
import subprocess
import sys

TOP = pathlib.Path(__file__).resolve().parent.parent
MAIN_WINDOWS = {"main", "menu", "tray", "popup", "protection"}

# Files that belong to a window other than the main one.
FILE_WINDOWS = [
    (re.compile(r"src/lists/(t_new_task|new_task_layout)|tests/lists/t_new_task_test|src/core/task_decision"), "action"),
    (re.compile(r"src/help/helping|tests/help/(helping|shipped_help)_test"), "help"),
    (re.compile(r"src/temperature/t_temp_investigator|tests/temperature/temperature_investigator_test"), "investigator"),
]
# Variables that hold another window than their file's.
QUALIFIED = [
    (re.compile(r"\b(m_investigator|investigator)(\(\))?(\.|->)$"), "investigator"),
    (re.compile(r"\b(m_newTask|newTask)(\(\))?(\.|->)$"), "action"),
    (re.compile(r"\b(m_helping|helping)(\(\))?(\.|->)$"), "help"),
]
QUALIFIED_IN_FILE = {"tests/app/temperature_test.cpp": [(re.compile(r"\bwindow\.$"), "investigator")]}

# Words that are also ordinary words of the program's texts: renamed only as members.
MEMBER_ONLY = {"Torvane", "Encryption", "Temperature", "AutoWindowsActions", "TaskActions", "ShowHiddenTasks",
               "Countdown", "ZoomIn", "ZoomOut", "ZoomDef", "ColorPanel"}

KIND_SUFFIXES = ["Button", "Check", "Radio", "Spin", "Edit", "Label", "Timer", "Action", "Menu", "Popup", "View",
                 "Panel", "Gauge", "Image", "Text", "ProgressBar", "Bar"]
EVENTS = {"Click": None, "DblClick": "DoubleClicked", "MouseUp": "MouseReleased", "Change": "Changed",
          "Timer": "Tick"}


def table_rows(section):
    text = (TOP / "docs/renames.md").read_text()
    part = text.split("## " + section, 1)[1].split("\n## ", 1)[0]
    for line in part.splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) >= 2 and cells[0].startswith("`") or (len(cells) >= 3 and cells[1].startswith("`")):
            yield [c.strip("`") for c in cells]


def stem_and_kind(new):
    for suffix in KIND_SUFFIXES:
        if new.endswith(suffix) and len(new) > len(suffix):
            return new[: -len(suffix)], suffix
    return new, ""


def handler_name(new, event):
    stem, kind = stem_and_kind(new)
    stem = stem[0].upper() + stem[1:]
    if event == "Click":
        verb = {"Check": "Toggled", "Radio": "Toggled", "Action": "Triggered"}.get(kind, "Clicked")
    else:
        verb = EVENTS[event]
    return "on" + stem + verb


def build_maps():
    maps = {"main": {}, "action": {}, "help": {}, "investigator": {}}
    for window, old, new, *_ in table_rows("Controls"):
        ctx = "main" if window in MAIN_WINDOWS else window
        maps[ctx][old] = new
        for event in EVENTS:
            maps[ctx][old + event] = handler_name(new, event)
        if old.startswith("Graph"):
            maps[ctx][old + "Do"] = "draw" + new[0].upper() + new[1:].removesuffix("Image")
    classes = {old: new for old, new, *_ in table_rows("Classes")}
    classes.update({old: new for old, new, *_ in table_rows("Other handlers")})
    for m in maps.values():
        m.update(classes)
    return maps


def file_window(rel):
    for pattern, window in FILE_WINDOWS:
        if pattern.search(rel):
            return window
    return "main"


def rename_text(text, rel, maps):
    window = file_window(rel)
    qualified = QUALIFIED + QUALIFIED_IN_FILE.get(rel, [])
    names = set().union(*[set(m) for m in maps.values()])
    word = re.compile(r"\b(" + "|".join(sorted(map(re.escape, names), key=len, reverse=True)) + r")\b")

    def replace(match):
        old = match.group(1)
        before = text[max(0, match.start() - 40) : match.start()]
        ctx = window
        for pattern, other in qualified:
            if pattern.search(before):
                ctx = other
        if old in MEMBER_ONLY:
            after = text[match.end() : match.end() + 12]
            line = text[text.rfind("\n", 0, match.start()) + 1 : match.start()]
            in_string = line.replace('\\"', "").count('"') % 2 == 1
            member = before.endswith(".") or before.endswith("->") or re.match(r"\s*= nullptr", after)
            if in_string or not member:
                return old
        return maps[ctx].get(old, maps["main"].get(old, old))

    return word.sub(replace, text)


def main():
    maps = build_maps()
    files = subprocess.run(["git", "ls-files", "src", "tests", "bench"], cwd=TOP, capture_output=True, text=True,
                           check=True).stdout.split()
    changed = 0
    for rel in files:
        if not rel.endswith((".cpp", ".h")):
            continue
        path = TOP / rel
        text = path.read_text()
        renamed = rename_text(text, rel, maps)
        if renamed != text:
            path.write_text(renamed)
            changed += 1
    print(f"{changed} files renamed", file=sys.stderr)


if __name__ == "__main__":
    main()
