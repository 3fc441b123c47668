#!/usr/bin/env python3
"""Compiles a resource script with windres and compares the binary resources with what
tools/rc_embed.py reads from the same script: menus, dialogs (styles included), bitmaps
and version strings. This keeps the Linux tables equal to those of the Windows build.

    check_against_windres.py WINDRES TOOLS_DIR SCRIPT.rc
"""

import pathlib
import struct
import subprocess
import sys
import tempfile

RT_BITMAP, RT_MENU, RT_DIALOG, RT_VERSION = 2, 4, 5, 16
PREDEFINED_CLASSES = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX",
                      0x84: "SCROLLBAR", 0x85: "COMBOBOX"}
MF_POPUP, MF_END, MF_SEPARATOR = 0x10, 0x80, 0x800
DS_SETFONT = 0x40


class Reader:
    def __init__(self, data, pos=0):
        self.data, self.pos = data, pos

    def u16(self):
        (value,) = struct.unpack_from("<H", self.data, self.pos)
        self.pos += 2
        return value

    def i16(self):
        (value,) = struct.unpack_from("<h", self.data, self.pos)
        self.pos += 2
        return value

    def u32(self):
        (value,) = struct.unpack_from("<I", self.data, self.pos)
        self.pos += 4
        return value

    def text(self):
        start = self.pos
        while self.u16():
            pass
        return self.data[start:self.pos - 2].decode("utf-16-le")

    def name(self):
        """A string or an ordinal (0xFFFF then the number)."""
        if struct.unpack_from("<H", self.data, self.pos)[0] == 0xFFFF:
            self.pos += 2
            return self.u16()
        return self.text()

    def align(self):
        self.pos = (self.pos + 3) & ~3


def read_res(data):
    """(type, name) -> data of every resource of a .res file."""
    out = {}
    pos = 0
    while pos < len(data):
        r = Reader(data, pos)
        size, header = r.u32(), r.u32()
        kind, name = r.name(), r.name()
        body = data[pos + header:pos + header + size]
        if kind != 0:
            out[(kind, name)] = body
        pos = (pos + header + size + 3) & ~3
    return out


def read_menu(data):
    r = Reader(data, 4)
    entries = []

    def items(level):
        while True:
            flags = r.u16()
            item_id = 0 if flags & MF_POPUP else r.u16()
            text = r.text()
            shown_flags = flags & ~(MF_POPUP | MF_END)
            if not (flags & MF_POPUP or item_id or text):
                shown_flags |= MF_SEPARATOR   # stored as an empty item, flagged in the tables
            entries.append({"text": text, "id": item_id, "level": level,
                            "popup": bool(flags & MF_POPUP), "flags": shown_flags})
            if flags & MF_POPUP:
                items(level + 1)
            if flags & MF_END:
                return

    items(0)
    return entries


def read_dialog(data):
    r = Reader(data)
    style, _exstyle, count = r.u32(), r.u32(), r.u16()
    d = {"x": r.i16(), "y": r.i16(), "cx": r.i16(), "cy": r.i16()}
    r.name()   # menu
    r.name()   # class
    d.update(style=style, caption=r.text(), font_points=0, font_name="")
    if style & DS_SETFONT:
        d["font_points"] = r.u16()
        d["font_name"] = r.text()
    d["controls"] = []
    for _ in range(count):
        r.align()
        c = {"style": r.u32()}
        r.u32()
        c.update(x=r.i16(), y=r.i16(), cx=r.i16(), cy=r.i16())
        c["id"] = struct.unpack("<h", struct.pack("<H", r.u16()))[0]
        window_class = r.name()
        c["class_name"] = PREDEFINED_CLASSES.get(window_class, window_class)
        c["text"] = r.name()
        extra = r.u16()
        r.pos += extra
        d["controls"].append(c)
    return d


def read_version_strings(data):
    out = []

    def node(pos, path):
        r = Reader(data, pos)
        length, value_length, value_type = r.u16(), r.u16(), r.u16()
        key = r.text()
        r.align()
        if path and path[0] == "StringFileInfo" and len(path) == 2:
            value = data[r.pos:r.pos + 2 * value_length].decode("utf-16-le").rstrip("\0")
            out.append((key, value))
            return
        r.pos += value_length * (2 if value_type == 1 else 1)
        r.align()
        end = pos + length
        while r.pos < end:
            child = r.pos
            child_length = struct.unpack_from("<H", data, child)[0]
            node(child, path + [key] if path is not None else [])
            r.pos = (child + child_length + 3) & ~3

    node(0, None)
    return out


def windows_text(text):
    """A script string (one character per byte) as the Unicode text windres stores."""
    return text.encode("latin-1").decode("cp1252")


def differences(expected, actual, where):
    """Paths at which two nested structures of dicts and lists differ."""
    if isinstance(expected, dict) and isinstance(actual, dict):
        return [d for key in sorted(set(expected) | set(actual))
                for d in differences(expected.get(key), actual.get(key), f"{where}.{key}")]
    if isinstance(expected, list) and isinstance(actual, list) and len(expected) == len(actual):
        return [d for i, (e, a) in enumerate(zip(expected, actual))
                for d in differences(e, a, f"{where}[{i}]")]
    if expected != actual:
        return [f"{where}: rc_embed {expected!r}, windres {actual!r}"]
    return []


def compare(label, expected, actual, problems):
    problems += differences(expected, actual, label)


def main():
    windres, tools_dir, script = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    sys.path.insert(0, str(tools_dir))
    import rc_embed

    ours = rc_embed.parse_script(script)
    with tempfile.TemporaryDirectory() as tmp:
        res_file = pathlib.Path(tmp) / "resources.res"
        subprocess.run([windres, "-O", "res", "-o", str(res_file), script.name],
                       cwd=script.parent, check=True)
        theirs = read_res(res_file.read_bytes())

    problems = []
    for name, entries in ours["menus"]:
        expected = [dict(e, text=windows_text(e["text"])) for e in entries]
        compare(f"menu {name}", expected, read_menu(theirs[(RT_MENU, name.upper())]), problems)
    for d in ours["dialogs"]:
        expected = dict(d, caption=windows_text(d["caption"]),
                        controls=[dict(c, text=windows_text(c["text"])) for c in d["controls"]])
        del expected["name"]
        compare(f"dialog {d['name']}", expected,
                read_dialog(theirs[(RT_DIALOG, d["name"].upper())]), problems)
    for name, data in ours["bitmaps"]:
        compare(f"bitmap {name}", data[14:], theirs[(RT_BITMAP, name.upper())], problems)
    versions = [body for (kind, _), body in theirs.items() if kind == RT_VERSION]
    expected = [(key, windows_text(value)) for key, value in ours["version_strings"]]
    actual = read_version_strings(versions[0]) if versions else []
    compare("version strings", expected, actual, problems)

    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
