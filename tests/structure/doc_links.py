#!/usr/bin/env python3
"""Checks the documentation a reader follows: every relative link and picture of
README.md and docs/*.md leads to a file or folder of the repository (and an anchor to a
heading of its page), and README.md stays short enough to read on one screen or two.

    doc_links.py REPOSITORY_ROOT
"""
import re
import sys
from pathlib import Path

README_MOST_LINES = 199
# [text](target) and ![alt](target); the target ends at a space (before a title) or ')'.
LINK = re.compile(r"!?\[[^\]]*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")
FENCE = re.compile(r"^(```|~~~)")


def outside_code(text):
    """The lines of a page outside its fenced and indented code blocks."""
    in_fence = False
    for line in text.splitlines():
        if FENCE.match(line.lstrip()):
            in_fence = not in_fence
        elif not in_fence and not line.startswith("    "):
            yield line


def heading_anchors(path):
    """The anchors that a Markdown renderer gives the page's headings."""
    anchors, seen = set(), {}
    for line in outside_code(path.read_text(encoding="utf-8")):
        match = re.match(r"^#{1,6}\s+(.*?)\s*#*\s*$", line)
        if not match:
            continue
        slug = re.sub(r"[^\w\- ]", "", match.group(1).lower()).replace(" ", "-")
        count = seen.get(slug, 0)
        seen[slug] = count + 1
        anchors.add(slug if count == 0 else f"{slug}-{count}")
    return anchors


def broken_links(page, root):
    """Yields a message for each link of the page that leads nowhere."""
    for line in outside_code(page.read_text(encoding="utf-8")):
        for target in LINK.findall(re.sub(r"`[^`]*`", "``", line)):
            if re.match(r"^[a-z][a-z0-9+.-]*:", target):
                continue  # a web address or mail: not ours to check offline
            file_part, _, anchor = target.partition("#")
            destination = (page.parent / file_part).resolve() if file_part else page
            where = f"{page.relative_to(root)}: link {target}"
            if root not in destination.parents and destination != root:
                yield f"{where} leaves the repository"
            elif not destination.exists():
                yield f"{where} leads to no file"
            elif anchor and (destination.suffix != ".md" or anchor not in heading_anchors(destination)):
                yield f"{where} names no heading of {destination.relative_to(root)}"


def main():
    root = Path(sys.argv[1]).resolve()
    readme = root / "README.md"
    pages = [readme] + sorted((root / "docs").glob("*.md"))
    faults = [fault for page in pages for fault in broken_links(page, root)]
    lines = len(readme.read_text(encoding="utf-8").splitlines())
    if lines > README_MOST_LINES:
        faults.append(f"README.md: {lines} lines; a newcomer's page stays under 200, the rest goes to docs/")
    for fault in faults:
        print(fault)
    print(f"{len(pages)} pages checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
