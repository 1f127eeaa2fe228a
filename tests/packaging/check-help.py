#!/usr/bin/env python3
"""Checks a help folder as the program ships it: every page of every language is there, names its
language, and every link and picture on it resolves inside the folder, with nothing fetched from
elsewhere (the guide is read from a disk with no network).

    check-help.py HELP_DIR FOLDER...      (the language folders, e.g. Dansk Engelsk Norsk Svensk Tysk)
"""
import html.parser
import pathlib
import shutil
import subprocess
import sys
import urllib.parse

PAGES = ["index", "start", "register", "cast-covers", "overview", "loans", "settings", "lists", "printing",
         "web", "import", "backup", "versions", "keyboard", "commandline"]
LANG = {"Dansk": "da", "Engelsk": "en", "Norsk": "nb", "Svensk": "sv", "Tysk": "de"}
PICTURE_LIMIT = 64 * 1024


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.lang = None
        self.refs = []  # (tag, attribute, value)
        self.pictures_without_alt = 0

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "html":
            self.lang = attrs.get("lang")
        for name in ("href", "src"):
            if name in attrs:
                self.refs.append((tag, name, attrs[name] or ""))
        if tag == "img" and not attrs.get("alt"):
            self.pictures_without_alt += 1


def check_folder(root, folder, faults):
    base = root / folder
    links = {}
    pictures = set()
    for name in PAGES:
        path = base / f"{name}.html"
        if not path.is_file():
            faults.append(f"{folder}: {path.name} is missing")
            continue
        text = path.read_text(encoding="utf-8")
        where = f"{folder}/{path.name}"
        if not text.lstrip().lower().startswith("<!doctype html>"):
            faults.append(f"{where}: no HTML5 doctype")
        page = Page()
        page.feed(text)
        if page.lang != LANG[folder]:
            faults.append(f"{where}: lang is {page.lang!r}, not {LANG[folder]!r}")
        if page.pictures_without_alt:
            faults.append(f"{where}: {page.pictures_without_alt} picture(s) without alt text")
        links[name] = set()
        for tag, attribute, value in page.refs:
            url = urllib.parse.urlsplit(value)
            if url.scheme or url.netloc:
                faults.append(f"{where}: {tag} {attribute}={value!r} leaves the folder")
                continue
            if not url.path:
                continue
            target = (path.parent / urllib.parse.unquote(url.path)).resolve()
            if root.resolve() not in target.parents or not target.is_file():
                faults.append(f"{where}: {tag} {attribute}={value!r} does not resolve")
                continue
            if tag == "a" and target.parent == base.resolve() and target.suffix == ".html":
                links[name].add(target.stem)
            if tag == "img":
                pictures.add(target.name)
                if target.stat().st_size > PICTURE_LIMIT:
                    faults.append(f"{where}: {value} takes {target.stat().st_size} bytes")
    if "index" in links:
        for name in PAGES[1:]:
            if name in links and name not in links["index"]:
                faults.append(f"{folder}: index.html does not link to {name}.html")
            if name in links and "index" not in links[name]:
                faults.append(f"{folder}: {name}.html does not link back to index.html")
    return pictures


def tidy_faults(root, folders):
    # tidy knows HTML5; without it the structural checks above still run.
    if not shutil.which("tidy"):
        print("tidy is not installed: the markup check is skipped")
        return []
    faults = []
    for folder in folders:
        for name in PAGES:
            path = root / folder / f"{name}.html"
            if path.is_file():
                result = subprocess.run(["tidy", "-q", "-e", str(path)], capture_output=True, text=True)
                if result.returncode != 0:
                    faults.append(f"{folder}/{path.name}: tidy says\n{result.stderr.strip()}")
    return faults


def main():
    root = pathlib.Path(sys.argv[1])
    folders = sys.argv[2:]
    faults = []
    if not (root / "style.css").is_file():
        faults.append("style.css is missing")
    pictures = {}
    for folder in folders:
        if folder not in LANG:
            faults.append(f"{folder}: no language code known for this help folder")
            continue
        pictures[folder] = check_folder(root, folder, faults)
    if len({frozenset(p) for p in pictures.values()}) > 1:
        faults.append("the languages show different pictures: "
                      + "; ".join(f"{f}: {sorted(p)}" for f, p in pictures.items()))
    faults += tidy_faults(root, [f for f in folders if f in LANG])
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
