#!/usr/bin/env python3
"""Decompiles the resources of the built library and checks what behaviour
depends on in every dialog template (sizes, styles, fonts, the controls' ids,
classes and styles) and the icon, bitmap and clip.

usage: check_templates.py <windres> <kvsetup.dll>
"""
import re
import subprocess
import sys

# Window and control style bits.
WS_POPUP, WS_CHILD, WS_VISIBLE = 0x80000000, 0x40000000, 0x10000000
WS_CAPTION, WS_SYSMENU, WS_GROUP, WS_TABSTOP = 0x00C00000, 0x00080000, 0x00020000, 0x00010000
DS_SYSMODAL, DS_SETFONT, DS_MODALFRAME, DS_CONTROL, DS_CENTER = 0x02, 0x40, 0x80, 0x400, 0x800
SS_ICON, SS_LEFTNOWORDWRAP, SS_BITMAP = 3, 0xC, 0xE
BS_DEFPUSHBUTTON, BS_AUTORADIOBUTTON = 1, 9
ES_AUTOHSCROLL, LBS_NOTIFY, LBS_SORT = 0x80, 0x1, 0x2
ACS_CENTER, ACS_TRANSPARENT, ACS_AUTOPLAY = 1, 2, 4

PAGE_STYLE = DS_SETFONT | DS_CONTROL | WS_CHILD  # hidden child dialog
HEADING = (1000, SS_LEFTNOWORDWRAP)  # one line, however long the title
RADIO = BS_AUTORADIOBUTTON
FONT_PAGE = (8, "MS Shell Dlg")
FONT_CHINESE = (9, "\u65b0\u7d30\u660e\u9ad4")


def page(*controls):
    return dict(size=(247, 194), style=PAGE_STYLE, font=FONT_PAGE, controls=list(controls))


# Template id -> size, style, font and, in template order, its controls: (id, style bits
# behaviour depends on[, bits it must not have]). Places, texts and looks are the screen
# tests' to see: they read what each page shows, in what order and how.
EXPECTED = {
    102: dict(size=(438, 201), style=0x10CB0040, font=FONT_CHINESE, controls=[]),
    142: dict(size=(350, 226), font=FONT_PAGE,
              style=WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SYSMODAL | DS_CENTER | DS_SETFONT,
              controls=[(300, SS_BITMAP), (1011, 0), (1001, WS_TABSTOP), (1002, WS_TABSTOP | BS_DEFPUSHBUTTON),
                        (1010, WS_TABSTOP)]),
    140: page(HEADING, (1014, LBS_NOTIFY, LBS_SORT)),  # list position = language table index
    130: page(HEADING, *[(i, 0) for i in range(1003, 1010)]),
    135: page(HEADING, (1003, 0)),
    132: page(HEADING, (1003, 0), (1001, RADIO | WS_GROUP | WS_TABSTOP), (1004, 0), (1002, RADIO), (1005, 0)),
    133: page(HEADING, (1003, 0), (1005, 0), (1018, ES_AUTOHSCROLL | WS_TABSTOP), (1019, WS_TABSTOP),
              (1008, 0), (1009, 0)),
    134: page(HEADING, (1003, 0), (1005, 0), (1018, ES_AUTOHSCROLL | WS_TABSTOP), (1006, 0),
              (1014, LBS_NOTIFY | LBS_SORT | WS_TABSTOP)),
    136: page(HEADING, (1003, 0), (1006, 0), (1016, RADIO | WS_GROUP | WS_TABSTOP), (1020, RADIO)),
    137: dict(size=(223, 97), style=WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
              font=(9, "Times New Roman"),
              controls=[(1000, 0), (1001, 0), (1002, 0), (1, WS_TABSTOP | BS_DEFPUSHBUTTON), (2, WS_TABSTOP)]),
    1001: dict(size=(220, 32), style=0x80C008C6, font=FONT_CHINESE,
               controls=[(65535, SS_ICON), (1024, ACS_CENTER | ACS_TRANSPARENT | ACS_AUTOPLAY), (1022, 0),
                         (1000, 0, WS_VISIBLE)]),  # the status label shows from step 2 on
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
        have["size"] = have["rect"][2:]
        for key in ("size", "style", "font"):
            if have[key] != want[key]:
                problems.append("template %d %s: %r, expected %r" % (tid, key, have[key], want[key]))
        got_ids, want_ids = [c[1] for c in have["controls"]], [c[0] for c in want["controls"]]
        if got_ids != want_ids:
            problems.append("template %d controls %s, expected %s" % (tid, got_ids, want_ids))
        for got, (cid, bits, *never) in zip(have["controls"], want["controls"]):
            # A control shows from the start unless WS_VISIBLE is among what it must not have.
            wanted = bits | (0 if sum(never) & WS_VISIBLE else WS_VISIBLE)
            if got[3] & wanted != wanted or got[3] & sum(never):
                problems.append("template %d control %d style %s: needs %s, must not have %s"
                                % (tid, cid, hex(got[3]), hex(wanted), hex(sum(never))))
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
