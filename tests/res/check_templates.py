#!/usr/bin/env python3
"""Decompiles the resources of the built library and checks every dialog
template (ids, places, sizes, styles, fonts, captions, control texts) and the
icon, bitmap and clip against the tables the windows are built from.

usage: check_templates.py <windres> <kvsetup.dll>
"""
import re
import subprocess
import sys

# Window and control style bits.
WS_POPUP, WS_CHILD, WS_VISIBLE = 0x80000000, 0x40000000, 0x10000000
WS_CAPTION, WS_BORDER, WS_VSCROLL = 0x00C00000, 0x00800000, 0x00200000
WS_SYSMENU, WS_GROUP, WS_TABSTOP = 0x00080000, 0x00020000, 0x00010000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX = 0x00020000, 0x00010000
DS_SYSMODAL, DS_3DLOOK, DS_SETFONT = 0x02, 0x04, 0x40
DS_MODALFRAME, DS_CONTROL, DS_CENTER = 0x80, 0x400, 0x800
WS_EX_STATICEDGE, WS_EX_CLIENTEDGE, WS_EX_APPWINDOW = 0x20000, 0x200, 0x40000
SS_LEFT, SS_ICON, SS_LEFTNOWORDWRAP, SS_BITMAP, SS_ETCHEDHORZ = 0, 3, 0xC, 0xE, 0x10
BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTORADIOBUTTON = 0, 1, 9
ES_AUTOHSCROLL = 0x80
LBS_NOTIFY, LBS_SORT, LBS_NOINTEGRALHEIGHT = 0x1, 0x2, 0x100
ACS_CENTER, ACS_TRANSPARENT, ACS_AUTOPLAY = 1, 2, 4

CHILD = WS_CHILD | WS_VISIBLE
PAGE_STYLE = DS_SETFONT | DS_CONTROL | WS_CHILD  # hidden child dialog
HEADING = CHILD | SS_LEFTNOWORDWRAP
TEXT = CHILD | SS_LEFT
FOLDER_EDIT = CHILD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP
FONT_PAGE = (8, "MS Shell Dlg")
FONT_CHINESE = (9, "\u65b0\u7d30\u660e\u9ad4")


def control(text, cid, cls, style, x, y, w, h, exstyle=0):
    return (text, cid, cls.upper(), style, (x, y, w, h), exstyle)


def page(*controls):
    return dict(kind="DIALOG", rect=(0, 0, 247, 194), style=PAGE_STYLE, exstyle=0,
                caption=None, font=FONT_PAGE, controls=list(controls))


EXPECTED = {
    102: dict(kind="DIALOGEX", rect=(0, 0, 438, 201), style=0x10CB0040, exstyle=WS_EX_APPWINDOW,
              caption="Setup", font=FONT_CHINESE, controls=[]),
    142: dict(kind="DIALOGEX", rect=(0, 0, 350, 226),
              style=WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SYSMODAL | DS_CENTER | DS_SETFONT,
              exstyle=0, caption=None, font=FONT_PAGE, controls=[
                  control(129, 300, "Static", CHILD | SS_BITMAP, 7, 6, 85, 179, WS_EX_CLIENTEDGE),
                  control("", 1011, "Static", CHILD | SS_ETCHEDHORZ, 7, 198, 336, 1, WS_EX_STATICEDGE),
                  control("<&Back", 1001, "Button", CHILD | WS_TABSTOP | BS_PUSHBUTTON, 97, 203, 73, 16),
                  control("&Next>", 1002, "Button", CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON, 169, 203, 73, 16),
                  control("&Cancel", 1010, "Button", CHILD | WS_TABSTOP | BS_PUSHBUTTON, 267, 203, 73, 16),
              ]),
    140: page(control("Text1", 1000, "Static", HEADING, 0, 8, 202, 20),
              control("", 1014, "ListBox", CHILD | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER,
                      15, 36, 142, 121)),
    130: page(control("Text1", 1000, "Static", HEADING, 0, 7, 231, 20),
              control("text2", 1003, "Static", TEXT, 0, 33, 231, 10),
              control("text3", 1004, "Static", TEXT, 9, 47, 231, 10),
              control("TEXT4", 1005, "Static", TEXT, 0, 62, 231, 10),
              control("text5", 1006, "Static", TEXT, 0, 83, 226, 37),
              control("text6", 1007, "Static", TEXT, 0, 129, 231, 24),
              control("text7", 1008, "Static", TEXT, 0, 158, 231, 10),
              control("text8", 1009, "Static", TEXT, 0, 173, 231, 20)),
    135: page(control("Text1", 1000, "Static", HEADING, 0, 5, 215, 20),
              control("text2", 1003, "Static", TEXT, 0, 29, 246, 107)),
    132: page(control("Text1", 1000, "Static", HEADING, 0, 6, 223, 20),
              control("text2", 1003, "Static", TEXT, 0, 37, 222, 10),
              control("", 1001, "Button", CHILD | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 28, 74, 11, 15),
              control("text2", 1004, "Static", TEXT, 40, 76, 95, 10),
              control("", 1002, "Button", CHILD | BS_AUTORADIOBUTTON, 29, 126, 11, 18),
              control("text2", 1005, "Static", TEXT, 41, 130, 96, 10)),
    133: page(control("Text1", 1000, "Static", HEADING, 0, 7, 246, 20),
              control("text2", 1003, "Static", TEXT, 0, 34, 230, 21),
              control("TEXT4", 1005, "Static", TEXT, 0, 62, 231, 25),
              control("", 1018, "Edit", FOLDER_EDIT, 0, 90, 224, 14),
              control(None, 1019, "Button", CHILD | WS_TABSTOP | BS_PUSHBUTTON, 123, 117, 102, 17),
              control("Space Required:", 1008, "Static", TEXT, 13, 159, 88, 10),
              control("text8", 1009, "Static", TEXT, 122, 158, 70, 12)),
    134: page(control("Text1", 1000, "Static", HEADING, 0, 5, 227, 16),
              control(None, 1003, "Static", TEXT, 2, 25, 225, 47),
              control("&Program folder:", 1005, "Static", TEXT, 0, 74, 197, 10),
              control("", 1018, "Edit", FOLDER_EDIT, 2, 87, 210, 14),
              control("Existing Folders:", 1006, "Static", TEXT, 1, 104, 197, 11),
              control("", 1014, "ListBox",
                      CHILD | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                      0, 118, 209, 68)),
    136: page(control("Text1", 1000, "Static", HEADING, 0, 7, 231, 20),
              control(None, 1003, "Static", TEXT, 0, 35, 231, 26),
              control("Before you can use the program, you must restart Windows or your\ncomputer.", 1006,
                      "Static", TEXT, 0, 86, 238, 41),
              control("&Yes, I want to restart my computer now.", 1016, "Button",
                      CHILD | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 14, 133, 216, 15),
              control("&No,I will restart my computer later.", 1020, "Button", CHILD | BS_AUTORADIOBUTTON,
                      14, 159, 216, 16)),
    137: dict(kind="DIALOG", rect=(0, 0, 223, 97),
              style=WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, exstyle=0,
              caption="Dialog", font=(9, "Times New Roman"), controls=[
                  control("Static", 1000, "Static", TEXT, 2, 7, 216, 22),
                  control("Static", 1001, "Static", TEXT, 2, 31, 216, 20),
                  control("Static", 1002, "Static", TEXT, 2, 54, 216, 21),
                  control("OK", 1, "Button", CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON, 97, 76, 60, 14),
                  control("Cancel", 2, "Button", CHILD | WS_TABSTOP | BS_PUSHBUTTON, 159, 76, 59, 14),
              ]),
    1001: dict(kind="DIALOG", rect=(0, 0, 220, 32), style=0x80C008C6, exstyle=0, caption=None,
               font=FONT_CHINESE, controls=[
                   control(128, 65535, "Static", CHILD | SS_ICON, 3, 5, 20, 20),
                   control("", 1024, "SysAnimate32", CHILD | ACS_CENTER | ACS_TRANSPARENT | ACS_AUTOPLAY,
                           30, 1, 184, 28),
                   control("", 1022, "msctls_progress32", CHILD | WS_BORDER, 38, 9, 172, 11),
                   control("", 1000, "Static", WS_CHILD | SS_LEFT, 37, 12, 174, 19),
               ]),
}


FIELD = r'\s*(?:L?"(?:[^"\\]|\\.|"")*"|[^,]+)'


def split_fields(text):
    """Comma-separated fields; quoted strings (with escapes) stay whole."""
    return [f.strip() for f in re.findall(FIELD, text) if f.strip()]


def value(field):
    """A number, or a decompiled string (L"..." or "..." with C escapes)."""
    m = re.fullmatch(r'L?"(.*)"', field, re.S)
    if not m:
        return int(field.rstrip("L"), 0)
    body = m.group(1).replace('""', '"')
    return re.sub(r'\\(x[0-9a-fA-F]+|[0-7]{1,3}|.)', lambda e: unescape(e.group(1)), body)


def unescape(code):
    if code[0] == "x":
        return chr(int(code[1:], 16))
    if code[0] in "01234567":
        return chr(int(code, 8))
    return {"n": "\n", "r": "\r", "t": "\t"}.get(code, code)


def parse(rc_text):
    """Dialog templates by id, and the data words of bitmap, icon group and clip."""
    dialogs, blobs = {}, {}
    blocks = re.findall(r'^(\d+) (DIALOGEX|DIALOG|2 /\* RT_BITMAP \*/|14 /\* RT_GROUP_ICON \*/|"AVI")(.*?)\n'
                        r'(.*?)^BEGIN\n(.*?)^END$', rc_text, re.S | re.M)
    for rid, kind, rect, head, body in blocks:
        if not kind.startswith("DIALOG"):
            blobs[(int(rid), kind.split()[0])] = re.findall(r"0x[0-9a-fA-F]+L?", body)
            continue
        d = dict(kind=kind, rect=tuple(value(f) for f in split_fields(rect)), style=None, exstyle=0,
                 caption=None, font=None, controls=[])
        for key, rest in re.findall(r"^(STYLE|EXSTYLE|CAPTION|FONT) (.*)$", head, re.M):
            fields = split_fields(rest)
            d[key.lower()] = (value(fields[0]), value(fields[1])) if key == "FONT" else value(fields[0])
        for line in re.findall(r"^\s*CONTROL (.*)$", body, re.M):
            f = [value(v) for v in split_fields(line)]
            d["controls"].append((f[0], f[1], f[2].upper(), f[3], tuple(f[4:8]), f[8] if len(f) > 8 else 0))
        dialogs[int(rid)] = d
    return dialogs, blobs


def check(dialogs, blobs):
    problems = []
    for tid, want in EXPECTED.items():
        have = dialogs.get(tid)
        if have is None:
            problems.append("template %d is missing" % tid)
            continue
        for key in ("kind", "rect", "style", "exstyle", "caption", "font"):
            if have[key] != want[key]:
                problems.append("template %d %s: %r, expected %r" % (tid, key, have[key], want[key]))
        if len(have["controls"]) != len(want["controls"]):
            problems.append("template %d has %d controls, expected %d"
                            % (tid, len(have["controls"]), len(want["controls"])))
        for got, exp in zip(have["controls"], want["controls"]):
            text, cid, cls, style, rect, ex = exp
            label = "template %d control %d" % (tid, cid)
            if got[1] != cid:
                problems.append("%s: found id %d in its place" % (label, got[1]))
            if text is not None and got[0] != text:
                problems.append("%s text %r, expected %r" % (label, got[0], text))
            if text is None and not got[0]:
                problems.append("%s has no text" % label)
            for name, g, e in (("class", got[2], cls), ("style", got[3], style), ("rect", got[4], rect),
                               ("exstyle", got[5], ex)):
                if g != e:
                    problems.append("%s %s: %s, expected %s" % (label, name,
                                    hex(g) if isinstance(g, int) else g, hex(e) if isinstance(e, int) else e))
    extra = sorted(set(dialogs) - set(EXPECTED))
    if extra:
        problems.append("unexpected templates: %s" % extra)

    bitmap = blobs.get((129, "2"))
    if bitmap is None:
        problems.append("bitmap 129 is missing")
    elif [value(w) for w in bitmap[:5]] != [40, 121, 262, 0x80001, 1]:
        problems.append("bitmap 129 is not 121 x 262 at 8 bits, run-length encoded: %s" % bitmap[:5])
    if (128, "14") not in blobs:
        problems.append("icon group 128 is missing")
    clip = blobs.get((131, '"AVI"'))
    if clip is None or [value(w) for w in clip[:3:2]] != [0x46464952, 0x20495641]:
        problems.append("clip 131 is missing or not a RIFF AVI")
    return problems


def main():
    windres, dll = sys.argv[1], sys.argv[2]
    rc_text = subprocess.run([windres, "-J", "coff", "-i", dll, "-O", "rc"], check=True,
                             capture_output=True).stdout.decode("latin-1")
    problems = check(*parse(rc_text))
    for p in problems:
        print(p)
    print("%d templates checked, %d problems" % (len(EXPECTED), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
