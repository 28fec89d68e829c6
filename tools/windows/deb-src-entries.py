#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints deb-src entries (deb822) for the Debian archives and suites that
the given apt source files take binary packages from, unless a deb-src
entry for them exists already. Both the one-line and the deb822 format are
read; archives that are not Debian's are left out (they carry no Qt)."""
import sys
from urllib.parse import urlparse


def is_debian(uri):
    host = urlparse(uri).hostname or ""
    return host == "debian.org" or host.endswith(".debian.org")


def one_line_entries(text):
    for line in text.splitlines():
        words = line.split("#", 1)[0].split()
        if len(words) < 3 or words[0] not in ("deb", "deb-src"):
            continue
        kind, rest = words[0], words[1:]
        options = {}
        if rest[0].startswith("["):
            option_words = []
            while not rest[0].endswith("]"):
                option_words.append(rest.pop(0))
            option_words.append(rest.pop(0))
            for option in " ".join(option_words).strip("[]").split():
                name, _, value = option.partition("=")
                options[name] = value
        uri, suite, components = rest[0], rest[1], rest[2:]
        yield kind, uri, suite, components, options.get("signed-by")


def deb822_entries(text):
    for stanza in text.split("\n\n"):
        fields = {}
        for line in stanza.splitlines():
            if line.startswith("#") or ":" not in line or line[0].isspace():
                continue
            name, _, value = line.partition(":")
            fields[name.strip().lower()] = value.strip()
        if fields.get("enabled", "yes").lower() == "no":
            continue
        for kind in fields.get("types", "").split():
            for uri in fields.get("uris", "").split():
                for suite in fields.get("suites", "").split():
                    yield kind, uri, suite, fields.get("components", "").split(), fields.get(
                        "signed-by")


def main(paths):
    binary, source = [], set()
    for path in paths:
        try:
            with open(path, encoding="utf-8") as file:
                text = file.read()
        except OSError:
            continue
        entries = deb822_entries(text) if path.endswith(".sources") else one_line_entries(text)
        for kind, uri, suite, components, signed_by in entries:
            if not is_debian(uri):
                continue
            if kind == "deb-src":
                source.add((uri.rstrip("/"), suite))
            elif kind == "deb":
                binary.append((uri, suite, components, signed_by))
    stanzas = []
    for uri, suite, components, signed_by in binary:
        if (uri.rstrip("/"), suite) in source:
            continue
        lines = ["Types: deb-src", f"URIs: {uri}", f"Suites: {suite}",
                 f"Components: {' '.join(components)}"]
        if signed_by:
            lines.append(f"Signed-By: {signed_by}")
        stanzas.append("\n".join(lines))
    print("\n\n".join(stanzas))


if __name__ == "__main__":
    main(sys.argv[1:])
