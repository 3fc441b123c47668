#!/usr/bin/env python3
"""Turns the game's resource script into the C++ tables of platform/win32/resource_data.h.

    python3 tools/rc_embed.py SCRIPT.rc OUTPUT.cpp

It reads the part of the resource-script language that game/resources/korvane.rc uses:
MENU (POPUP, MENUITEM), DIALOG (STYLE, CAPTION, FONT and the usual control statements),
ICON, BITMAP and CURSOR files, VERSIONINFO, LANGUAGE, and the preprocessor lines
#pragma code_page, #include and #define. Control styles are expanded the way the
resource compiler does it. Anything else stops the build with a message.
"""

import pathlib
import sys

# Values of the Windows headers that a script may name.
WINDOWS_CONSTANTS = {
    "WS_OVERLAPPED": 0x00000000, "WS_POPUP": 0x80000000, "WS_CHILD": 0x40000000,
    "WS_MINIMIZE": 0x20000000, "WS_VISIBLE": 0x10000000, "WS_DISABLED": 0x08000000,
    "WS_CLIPSIBLINGS": 0x04000000, "WS_CLIPCHILDREN": 0x02000000, "WS_MAXIMIZE": 0x01000000,
    "WS_CAPTION": 0x00C00000, "WS_BORDER": 0x00800000, "WS_DLGFRAME": 0x00400000,
    "WS_VSCROLL": 0x00200000, "WS_HSCROLL": 0x00100000, "WS_SYSMENU": 0x00080000,
    "WS_THICKFRAME": 0x00040000, "WS_GROUP": 0x00020000, "WS_TABSTOP": 0x00010000,
    "WS_MINIMIZEBOX": 0x00020000, "WS_MAXIMIZEBOX": 0x00010000,
    "DS_ABSALIGN": 0x01, "DS_SYSMODAL": 0x02, "DS_3DLOOK": 0x04, "DS_FIXEDSYS": 0x08,
    "DS_NOFAILCREATE": 0x10, "DS_LOCALEDIT": 0x20, "DS_SETFONT": 0x40, "DS_MODALFRAME": 0x80,
    "DS_NOIDLEMSG": 0x100, "DS_SETFOREGROUND": 0x200, "DS_CONTROL": 0x400,
    "DS_CENTER": 0x800, "DS_CENTERMOUSE": 0x1000, "DS_CONTEXTHELP": 0x2000,
    "SS_LEFT": 0x0, "SS_CENTER": 0x1, "SS_RIGHT": 0x2, "SS_ICON": 0x3,
    "SS_BLACKRECT": 0x4, "SS_GRAYRECT": 0x5, "SS_WHITERECT": 0x6, "SS_BLACKFRAME": 0x7,
    "SS_GRAYFRAME": 0x8, "SS_WHITEFRAME": 0x9, "SS_SIMPLE": 0xB, "SS_LEFTNOWORDWRAP": 0xC,
    "SS_BITMAP": 0xE, "SS_NOPREFIX": 0x80, "SS_CENTERIMAGE": 0x200, "SS_SUNKEN": 0x1000,
    "BS_PUSHBUTTON": 0x0, "BS_DEFPUSHBUTTON": 0x1, "BS_CHECKBOX": 0x2,
    "BS_AUTOCHECKBOX": 0x3, "BS_RADIOBUTTON": 0x4, "BS_3STATE": 0x5, "BS_AUTO3STATE": 0x6,
    "BS_GROUPBOX": 0x7, "BS_AUTORADIOBUTTON": 0x9, "BS_OWNERDRAW": 0xB,
    "BS_LEFTTEXT": 0x20,
    "IDOK": 1, "IDCANCEL": 2, "IDC_STATIC": -1,
    "VS_FFI_FILEFLAGSMASK": 0x3F, "VS_FF_DEBUG": 0x1, "VS_FF_PRERELEASE": 0x2,
    "VOS_UNKNOWN": 0x0, "VOS__WINDOWS32": 0x4, "VOS_NT": 0x40000, "VOS_NT_WINDOWS32": 0x40004,
    "VFT_UNKNOWN": 0x0, "VFT_APP": 0x1, "VFT_DLL": 0x2, "VFT2_UNKNOWN": 0x0,
    "LANG_NEUTRAL": 0x00, "LANG_ENGLISH": 0x09, "LANG_FRENCH": 0x0C,
    "SUBLANG_NEUTRAL": 0x00, "SUBLANG_DEFAULT": 0x01, "SUBLANG_FRENCH": 0x01,
}
WS_CHILD = WINDOWS_CONSTANTS["WS_CHILD"]
WS_VISIBLE = WINDOWS_CONSTANTS["WS_VISIBLE"]
WS_POPUP = WINDOWS_CONSTANTS["WS_POPUP"]
WS_BORDER = WINDOWS_CONSTANTS["WS_BORDER"]
WS_SYSMENU = WINDOWS_CONSTANTS["WS_SYSMENU"]
WS_CAPTION = WINDOWS_CONSTANTS["WS_CAPTION"]
WS_GROUP = WINDOWS_CONSTANTS["WS_GROUP"]
WS_TABSTOP = WINDOWS_CONSTANTS["WS_TABSTOP"]
DS_SETFONT = WINDOWS_CONSTANTS["DS_SETFONT"]

DIALOG_DEFAULT_STYLE = WS_POPUP | WS_BORDER | WS_SYSMENU

# Control statements: window class, the style a written style expression starts from,
# and the style when none is written (both without WS_CHILD | WS_VISIBLE, always added).
# A written style drops the WS_GROUP of the texts and the WS_TABSTOP of the radio buttons,
# but keeps the WS_TABSTOP of push buttons and check boxes.
CONTROL_STATEMENTS = {
    "LTEXT": ("STATIC", 0x0, 0x0 | WS_GROUP),
    "CTEXT": ("STATIC", 0x1, 0x1 | WS_GROUP),
    "RTEXT": ("STATIC", 0x2, 0x2 | WS_GROUP),
    "PUSHBUTTON": ("BUTTON", 0x0 | WS_TABSTOP, 0x0 | WS_TABSTOP),
    "DEFPUSHBUTTON": ("BUTTON", 0x1 | WS_TABSTOP, 0x1 | WS_TABSTOP),
    "CHECKBOX": ("BUTTON", 0x2 | WS_TABSTOP, 0x2 | WS_TABSTOP),
    "AUTOCHECKBOX": ("BUTTON", 0x3 | WS_TABSTOP, 0x3 | WS_TABSTOP),
    "RADIOBUTTON": ("BUTTON", 0x4, 0x4 | WS_TABSTOP),
    "AUTORADIOBUTTON": ("BUTTON", 0x9, 0x9 | WS_TABSTOP),
    "GROUPBOX": ("BUTTON", 0x7, 0x7),
}
PREDEFINED_CLASSES = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"}

MENU_OPTIONS = {"GRAYED": 0x1, "INACTIVE": 0x2, "CHECKED": 0x8, "MENUBARBREAK": 0x20,
                "MENUBREAK": 0x40, "HELP": 0x4000}
MF_SEPARATOR = 0x800

MEMORY_OPTIONS = {"MOVEABLE", "FIXED", "PURE", "IMPURE", "PRELOAD", "LOADONCALL",
                  "DISCARDABLE"}
FILE_TYPES = {"BITMAP": "bitmaps", "ICON": "icons", "CURSOR": "cursors"}
VERSION_FIXED = {"FILEVERSION", "PRODUCTVERSION", "FILEFLAGSMASK", "FILEFLAGS", "FILEOS",
                 "FILETYPE", "FILESUBTYPE"}

STRING_ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "a": "\a", "\\": "\\", '"': '"'}


class ScriptError(Exception):
    pass


# ---- tokens ----

class Token:
    def __init__(self, kind, value, line):
        self.kind = kind    # "name", "number", "string", "punct", "directive", "end"
        self.value = value
        self.line = line

    def __repr__(self):
        return f"{self.kind} {self.value!r}"


def read_string(text, i, line):
    """A quoted string starting at text[i]; returns (value, index after it)."""
    out = []
    i += 1
    while True:
        if i >= len(text) or text[i] == "\n":
            raise ScriptError(f"line {line}: string not closed")
        c = text[i]
        if c == '"':
            if text.startswith('""', i):
                out.append('"')
                i += 2
                continue
            return "".join(out), i + 1
        if c == "\\":
            nxt = text[i + 1]
            if nxt in STRING_ESCAPES:
                out.append(STRING_ESCAPES[nxt])
                i += 2
            elif nxt in "01234567":
                j = i + 1
                while j < i + 4 and text[j] in "01234567":
                    j += 1
                out.append(chr(int(text[i + 1:j], 8)))
                i = j
            else:
                raise ScriptError(f"line {line}: unknown escape \\{nxt}")
            continue
        out.append(c)
        i += 1


def tokenize(text):
    """Tokens of a script held as one character per byte (Latin-1 decoding)."""
    tokens = []
    i, line, line_start = 0, 1, True
    while i < len(text):
        c = text[i]
        if c == "\n":
            line, line_start = line + 1, True
            i += 1
        elif c in " \t\r\f":
            i += 1
        elif text.startswith("//", i):
            i = text.find("\n", i) if "\n" in text[i:] else len(text)
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            if end < 0:
                raise ScriptError(f"line {line}: comment not closed")
            line += text.count("\n", i, end)
            i = end + 2
        elif c == "#" and line_start:
            end = text.find("\n", i)
            end = len(text) if end < 0 else end
            tokens.append(Token("directive", text[i + 1:end].strip(), line))
            i = end
        elif c == '"':
            value, i = read_string(text, i, line)
            tokens.append(Token("string", value, line))
            line_start = False
        elif c.isdigit():
            j = i
            while j < len(text) and (text[j].isalnum()):
                j += 1
            literal = text[i:j].rstrip("lLuU")
            try:
                value = int(literal, 16) if literal[:2].lower() == "0x" else int(literal, 10)
            except ValueError:
                raise ScriptError(f"line {line}: bad number {text[i:j]}") from None
            tokens.append(Token("number", value, line))
            i, line_start = j, False
        elif c.isalpha() or c == "_":
            j = i
            while j < len(text) and (text[j].isalnum() or text[j] == "_"):
                j += 1
            tokens.append(Token("name", text[i:j], line))
            i, line_start = j, False
        elif c in ",|()-~{}+":
            tokens.append(Token("punct", c, line))
            i, line_start = i + 1, False
        else:
            raise ScriptError(f"line {line}: unexpected character {c!r}")
    tokens.append(Token("end", None, line))
    return tokens


# ---- parser ----

class Parser:
    def __init__(self, tokens, directory):
        self.tokens = tokens
        self.pos = 0
        self.directory = directory
        self.defines = {}
        self.result = {"menus": [], "dialogs": [], "bitmaps": [], "icons": [], "cursors": [],
                       "version_strings": []}

    # token helpers

    def peek(self, offset=0):
        return self.tokens[self.pos + offset]

    def next(self):
        token = self.tokens[self.pos]
        self.pos += 1
        return token

    def error(self, message, token=None):
        token = token or self.peek()
        return ScriptError(f"line {token.line}: {message} (found {token!r})")

    def is_word(self, word, offset=0):
        token = self.peek(offset)
        return token.kind == "name" and token.value.upper() == word

    def is_punct(self, ch):
        token = self.peek()
        return token.kind == "punct" and token.value == ch

    def expect_punct(self, ch):
        if not self.is_punct(ch):
            raise self.error(f"'{ch}' expected")
        self.next()

    def skip_comma(self):
        if self.is_punct(","):
            self.next()

    def expect_string(self):
        token = self.next()
        if token.kind != "string":
            raise self.error("string expected", token)
        return token.value

    def begin(self):
        if self.is_word("BEGIN") or self.is_punct("{"):
            self.next()
        else:
            raise self.error("BEGIN expected")

    def at_end(self):
        if self.is_word("END") or self.is_punct("}"):
            self.next()
            return True
        return False

    # expressions

    def primary(self):
        token = self.next()
        if token.kind == "number":
            return token.value
        if token.kind == "name":
            name = token.value
            if name in self.defines:
                return self.defines[name]
            if name in WINDOWS_CONSTANTS:
                return WINDOWS_CONSTANTS[name]
            raise self.error(f"unknown name {name}", token)
        if token.kind == "punct" and token.value == "(":
            value = self.expression()
            self.expect_punct(")")
            return value
        if token.kind == "punct" and token.value == "-":
            return -self.primary()
        if token.kind == "punct" and token.value == "~":
            return ~self.primary()
        raise self.error("number expected", token)

    def expression(self):
        """Numbers joined by |, + and -."""
        value = self.primary()
        while self.peek().kind == "punct" and self.peek().value in "|+-":
            op = self.next().value
            operand = self.primary()
            value = value | operand if op == "|" else value + operand if op == "+" \
                else value - operand
        return value

    def style_expression(self, start):
        """A style list: '| NAME' sets bits on top of start, '| NOT NAME' clears them."""
        style = start
        while True:
            if self.is_word("NOT"):
                self.next()
                style &= ~self.primary()
            else:
                style |= self.primary()
            if not self.is_punct("|"):
                return style & 0xFFFFFFFF
            self.next()

    # script

    def parse(self):
        while self.peek().kind != "end":
            token = self.peek()
            if token.kind == "directive":
                self.next()
                self.directive(token)
            elif self.is_word("LANGUAGE"):
                self.next()
                self.expression()
                self.expect_punct(",")
                self.expression()
            else:
                self.resource()
        return self.result

    def directive(self, token):
        words = token.value.split(None, 1)
        keyword = words[0] if words else ""
        rest = words[1].strip() if len(words) > 1 else ""
        if keyword == "pragma":
            if rest.replace(" ", "") != "code_page(1252)":
                raise ScriptError(f"line {token.line}: only #pragma code_page(1252) is read")
        elif keyword == "include":
            if rest.startswith('"'):
                self.read_defines(self.directory / rest.strip('"'))
            elif not rest.startswith("<"):
                raise ScriptError(f"line {token.line}: bad #include")
            # <windows.h> and the like: their values are in WINDOWS_CONSTANTS.
        elif keyword == "define":
            self.define(rest, token.line)
        else:
            raise ScriptError(f"line {token.line}: #{keyword} is not read")

    def define(self, text, line):
        parts = text.split(None, 1)
        if len(parts) != 2:
            raise ScriptError(f"line {line}: #define needs a name and a value")
        sub = Parser(tokenize(parts[1]), self.directory)
        sub.defines = self.defines
        self.defines[parts[0]] = sub.expression()

    def read_defines(self, path):
        """The #define lines of an included header; other lines are skipped."""
        for number, line in enumerate(path.read_bytes().decode("latin-1").splitlines(), 1):
            stripped = line.strip()
            if stripped.startswith("#define"):
                text = stripped[len("#define"):].split("//")[0].strip()
                if len(text.split(None, 1)) == 2:
                    self.define(text, number)

    def resource(self):
        name_token = self.next()
        if name_token.kind == "name":
            name = name_token.value
        elif name_token.kind == "number":
            name = f"#{name_token.value}"
        else:
            raise self.error("resource name expected", name_token)
        type_token = self.next()
        kind = type_token.value.upper() if type_token.kind == "name" else None
        while self.peek().kind == "name" and self.peek().value.upper() in MEMORY_OPTIONS:
            self.next()
        if kind == "MENU":
            self.menu(name)
        elif kind == "DIALOG":
            self.dialog(name)
        elif kind in FILE_TYPES:
            path = self.directory / self.expect_string()
            try:
                data = path.read_bytes()
            except OSError as e:
                raise ScriptError(f"line {type_token.line}: cannot read {path.name}: {e}") from None
            self.result[FILE_TYPES[kind]].append((name, data))
        elif kind == "VERSIONINFO":
            self.version_info()
        else:
            raise self.error("MENU, DIALOG, ICON, BITMAP, CURSOR or VERSIONINFO expected "
                             "(DIALOGEX, STRINGTABLE and the rest are not read)", type_token)

    # menus

    def menu(self, name):
        entries = []
        self.begin()
        self.menu_items(entries, 0)
        self.result["menus"].append((name, entries))

    def menu_options(self):
        flags = 0
        while True:
            self.skip_comma()
            token = self.peek()
            if token.kind == "name" and token.value.upper() in MENU_OPTIONS:
                flags |= MENU_OPTIONS[self.next().value.upper()]
            else:
                return flags

    def menu_items(self, entries, level):
        while not self.at_end():
            if self.is_word("POPUP"):
                self.next()
                text = self.expect_string()
                entries.append({"text": text, "id": 0, "level": level, "popup": True,
                                "flags": self.menu_options()})
                self.begin()
                self.menu_items(entries, level + 1)
            elif self.is_word("MENUITEM"):
                self.next()
                if self.is_word("SEPARATOR"):
                    self.next()
                    entries.append({"text": "", "id": 0, "level": level, "popup": False,
                                    "flags": MF_SEPARATOR})
                    continue
                text = self.expect_string()
                self.expect_punct(",")
                item_id = self.expression()
                if not 0 <= item_id <= 0xFFFF:
                    raise self.error(f"menu identifier {item_id} out of range")
                entries.append({"text": text, "id": item_id, "level": level, "popup": False,
                                "flags": self.menu_options()})
            else:
                raise self.error("POPUP, MENUITEM or END expected")

    # dialogs

    def numbers(self, count):
        values = []
        for i in range(count):
            if i:
                self.expect_punct(",")
            values.append(self.expression())
        return values

    def dialog(self, name):
        x, y, cx, cy = self.numbers(4)
        style, caption, font_points, font_name = None, None, 0, None
        while not (self.is_word("BEGIN") or self.is_punct("{")):
            token = self.next()
            word = token.value.upper() if token.kind == "name" else None
            if word == "STYLE":
                style = self.style_expression(0)
            elif word == "CAPTION":
                caption = self.expect_string()
            elif word == "FONT":
                font_points = self.expression()
                self.expect_punct(",")
                font_name = self.expect_string()
            else:
                raise self.error("STYLE, CAPTION, FONT or BEGIN expected", token)
        # The resource compiler adds the caption and font bits to whatever style is written.
        style = DIALOG_DEFAULT_STYLE if style is None else style
        if caption is not None:
            style |= WS_CAPTION
        if font_name is not None:
            style |= DS_SETFONT
        self.begin()
        controls = []
        while not self.at_end():
            controls.append(self.control())
        self.result["dialogs"].append({"name": name, "x": x, "y": y, "cx": cx, "cy": cy,
                                       "style": style, "caption": caption or "",
                                       "font_points": font_points,
                                       "font_name": font_name or "",
                                       "controls": controls})

    def control_text(self):
        token = self.next()
        if token.kind in ("string", "name"):
            return token.value
        raise self.error("control text expected", token)

    def control(self):
        token = self.next()
        keyword = token.value.upper() if token.kind == "name" else None
        if keyword == "CONTROL":
            text = self.control_text()
            self.expect_punct(",")
            control_id = self.expression()
            self.expect_punct(",")
            class_token = self.next()
            if class_token.kind not in ("string", "name"):
                raise self.error("window class expected", class_token)
            class_name = class_token.value
            if class_name.upper() in PREDEFINED_CLASSES:
                class_name = class_name.upper()
            self.expect_punct(",")
            style = self.style_expression(WS_CHILD | WS_VISIBLE)
            self.expect_punct(",")
            x, y, cx, cy = self.numbers(4)
        elif keyword in CONTROL_STATEMENTS:
            class_name, written_base, default = CONTROL_STATEMENTS[keyword]
            text = self.control_text()
            self.expect_punct(",")
            control_id, x, y, cx, cy = self.numbers(5)
            if self.is_punct(","):
                self.next()
                style = self.style_expression(written_base | WS_CHILD | WS_VISIBLE)
            else:
                style = default | WS_CHILD | WS_VISIBLE
        else:
            raise self.error("control statement expected", token)
        if self.is_punct(","):
            raise self.error("extended styles are not read")
        if not -0x8000 <= control_id <= 0x7FFF:
            raise self.error(f"control identifier {control_id} out of range")
        return {"id": control_id, "class_name": class_name, "text": text,
                "style": style & 0xFFFFFFFF, "x": x, "y": y, "cx": cx, "cy": cy}

    # version block

    def version_info(self):
        while self.peek().kind == "name" and self.peek().value.upper() in VERSION_FIXED:
            word = self.next().value.upper()
            self.numbers(4 if word in ("FILEVERSION", "PRODUCTVERSION") else 1)
        self.begin()
        self.version_block(None)

    def version_block(self, block_name):
        while not self.at_end():
            if self.is_word("BLOCK"):
                self.next()
                inner = self.expect_string()
                self.begin()
                self.version_block(inner)
            elif self.is_word("VALUE"):
                self.next()
                key = self.expect_string()
                self.expect_punct(",")
                if block_name == "VarFileInfo":
                    self.numbers(2)
                else:
                    self.result["version_strings"].append((key, self.expect_string()))
            else:
                raise self.error("BLOCK, VALUE or END expected")


def parse_script(path):
    """The resources of a script, as plain Python data."""
    path = pathlib.Path(path)
    text = path.read_bytes().decode("latin-1")
    return Parser(tokenize(text), path.parent).parse()


# ---- C++ output ----

def cpp_string(text):
    """A C++ literal of the script's bytes; other than printable ASCII becomes \\x escapes."""
    out = ['"']
    after_hex = False
    for c in text:
        code = ord(c)
        if 0x20 <= code < 0x7F:
            # A hex escape would swallow a following hex digit: close and reopen the literal.
            if after_hex and c in "0123456789abcdefABCDEF":
                out.append('" "')
            out.append("\\" + c if c in '"\\' else c)
            after_hex = False
        else:
            out.append(f"\\x{code:02X}")
            after_hex = True
    out.append('"')
    return "".join(out)


def identifier(prefix, name):
    return prefix + "".join(c if c.isalnum() else "_" for c in name.lower())


def span_definition(name, element, table, rows):
    """The table array (when it has rows) and the exported span over it."""
    if not rows:
        return [f"const std::span<const {element}> {name}{{}};", ""]
    lines = ["namespace {", f"constexpr {element} {table}[] = {{"]
    lines += [f"    {row}," for row in rows]
    lines += ["};", "} // namespace", f"const std::span<const {element}> {name}{{{table}}};", ""]
    return lines


def byte_array(name, data):
    lines = ["namespace {", f"constexpr uint8_t {name}[] = {{"]
    for start in range(0, len(data), 16):
        lines.append("    " + ", ".join(f"0x{b:02X}" for b in data[start:start + 16]) + ",")
    lines += ["};", "} // namespace", ""]
    return lines


def generate_cpp(resources, script_name):
    out = [f"// Generated by tools/rc_embed.py from {script_name}; edit the script, not this file.",
           '#include "resource_data.h"', "", "namespace win32_resources {", ""]

    menu_rows = []
    for name, entries in resources["menus"]:
        array = identifier("menu_", name)
        out += ["namespace {", f"constexpr MenuEntry {array}[] = {{"]
        for e in entries:
            popup = "true" if e["popup"] else "false"
            out.append(f"    {{{cpp_string(e['text'])}, {e['id']}, {e['level']}, {popup}, "
                       f"0x{e['flags']:X}u}},")
        out += ["};", "} // namespace", ""]
        menu_rows.append(f"{{{cpp_string(name)}, {array}}}")
    out += span_definition("menus", "MenuResource", "menu_table", menu_rows)

    dialog_rows = []
    for d in resources["dialogs"]:
        array = identifier("dialog_", d["name"])
        if d["controls"]:
            out += ["namespace {", f"constexpr DialogControl {array}[] = {{"]
            for c in d["controls"]:
                out.append(f"    {{{c['id']}, {cpp_string(c['class_name'])}, "
                           f"{cpp_string(c['text'])}, 0x{c['style']:08X}u, "
                           f"{c['x']}, {c['y']}, {c['cx']}, {c['cy']}}},")
            out += ["};", "} // namespace", ""]
            controls = array
        else:
            controls = "std::span<const DialogControl>{}"
        dialog_rows.append(f"{{{cpp_string(d['name'])}, {d['x']}, {d['y']}, {d['cx']}, "
                           f"{d['cy']}, 0x{d['style']:08X}u, {cpp_string(d['caption'])}, "
                           f"{d['font_points']}, {cpp_string(d['font_name'])}, {controls}}}")
    out += span_definition("dialogs", "DialogResource", "dialog_table", dialog_rows)

    for kind in ("bitmaps", "icons", "cursors"):
        rows = []
        for name, data in resources[kind]:
            array = identifier(kind[:-1] + "_", name)
            out += byte_array(array, data)
            rows.append(f"{{{cpp_string(name)}, {array}}}")
        out += span_definition(kind, "FileResource", kind[:-1] + "_table", rows)

    rows = [f"{{{cpp_string(k)}, {cpp_string(v)}}}" for k, v in resources["version_strings"]]
    out += span_definition("version_strings", "VersionString", "version_string_table", rows)

    out += ["} // namespace win32_resources", ""]
    return "\n".join(out)


def main():
    if len(sys.argv) != 3:
        print("usage: rc_embed.py SCRIPT.rc OUTPUT.cpp", file=sys.stderr)
        return 2
    script, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    try:
        resources = parse_script(script)
    except ScriptError as e:
        print(f"{script.name}: {e}", file=sys.stderr)
        return 1
    text = generate_cpp(resources, script.name)
    output.write_bytes(text.encode("latin-1"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
