#!/usr/bin/env python3
"""Writes the sample package that the setup engine installs from.

The package folder is what DOINSTALL receives as its source folder:
  kvsetup.ini            product description (ANSI, CRLF)
  kv-00001/              setup and uninstaller texts per language
                         (see make_language_files.py)
  <payload files>        small placeholders, each saying what it stands for
  3D/, 4D/               variant files; the contents name the variant
  enu/, deu/, ...        per-language files; the contents name the language
  winnt/, winme/         where the platform setup components are read from
  README.txt             this layout in short
  autorun.inf            starts setup.exe, with its icon, when the medium is inserted

Every text file uses CRLF line endings. Running the script again gives
byte-identical files.

Usage: make_sample_package.py [package folder]   (default: <repo>/package)
"""

import os
import sys

import make_language_files

PRODUCT = 'TarnWeld Wheel Mouse'
VERSION = '2.10'

# Sections and keys of kvsetup.ini, in file order.
SETUP_INI = [
    ('Product', [('Product', PRODUCT), ('Key', 'kvtray32.exe'),
                 ('VER', VERSION), ('Version', VERSION)]),
    ('Target', [('Dir', 'TarnWeld Mouse'), ('Folder', 'TarnWeld Wheel Mouse')]),
    ('Display Name', [('Name', PRODUCT + ' ' + VERSION)]),
    ('Title', [('Main', 'TWMOUSE'), ('CaptionBar', 'TWMOUSE Driver')]),
    ('Manufacture', [('Manufacture', 'TarnWeld Peripherals Ltd.')]),
    ('Applications', [('Main', 'kvtray32.exe'), ('IniFile', 'kvconf.ini'),
                      ('DllFile', 'kvhook.dll')]),
    ('Uninstall', [('DisplayName', PRODUCT + ' Driver'), ('Key', 'TarnWeldMouse')]),
    ('Icons', [('1', 'kvtray32.exe,TarnWeld Mouse Tray'),
               ('2', 'kvrem00.exe,Uninstall %s'),
               ('3', 'kvconf.lrd,Mouse Settings,res\\kvtray.ico')]),
]

ROOT_PAYLOAD = ['kvconf.lrd', 'kvhook.dll', 'kvtray32.exe', 'PANEL.BMP', 'kvconf.dat',
                'kvpanel32.dll', 'kvrem32.dll', 'kvrem16.exe', 'kvrem00.exe', 'KVFLTSYS.SYS']
VARIANTS = ['3D', '4D']
VARIANT_PAYLOAD = ['kvbanner.bmp', 'kvdata.dat', 'res/kvtray.ico']
LANGUAGE_PAYLOAD = ['kvres.dll', 'kvlang.dll']

LANGUAGE_NAMES = {
    'enu': 'English',
    'cht': 'Chinese (Traditional)',
    'deu': 'German',
    'esn': 'Spanish',
    'fra': 'French',
    'ita': 'Italian',
    'jpn': 'Japanese',
    'kor': 'Korean',
    'nld': 'Dutch',
    'chs': 'Chinese (Simplified)',
}

PLATFORM_README = {
    'winnt': 'Sample folder: on Windows NT 4 the setup engine reads the platform setup '
             'components (SETUP32.DLL) from here.',
    'winme': 'Sample folder: on Windows 95/98/ME the setup engine reads the platform setup '
             'components (SETUP16.EXE) from here.',
}

# What Windows runs, and which icon it shows, for an inserted medium.
AUTORUN_INF = [
    '[autorun]',
    'open=setup.exe',
    'icon=setup.exe,0',
    'label=' + PRODUCT,
]

PACKAGE_README = [
    'TarnWeld Wheel Mouse - sample package for the setup engine (kvsetup.dll).',
    '',
    'All program files here are placeholders: each only says which file it stands for.',
    '',
    'kvsetup.ini        product, folder, program and shortcut settings',
    'autorun.inf        starts setup.exe when the medium is inserted',
    'kv-00001\\          setup texts (kvsetlan.<language>) and uninstaller texts',
    '                   (kvrem.<language>) for the ten setup languages',
    '*.exe, *.dll, ...  files copied into the destination folder',
    '3D\\, 4D\\           files of the 3D (one wheel) or 4D (two wheels) mouse type',
    'enu\\, deu\\, ...    files of the chosen language',
    'winnt\\, winme\\     where the platform setup components are read from',
]


def text_bytes(lines):
    return ('\r\n'.join(lines) + '\r\n').encode('cp1252')


def setup_ini_bytes():
    lines = []
    for section, pairs in SETUP_INI:
        if lines:
            lines.append('')
        lines.append('[%s]' % section)
        lines.extend('%s=%s' % pair for pair in pairs)
    return text_bytes(lines)


def payload(*what):
    return text_bytes(['sample payload: ' + ' '.join(what)])


def language_ini_bytes(code):
    return text_bytes([
        '[Main]',
        'Language=' + code,
        'LanguageName=' + LANGUAGE_NAMES[code],
        'CodePage=' + make_language_files.CODE_PAGES[code][2:],
        'Sample=sample payload: %s kvconf.ini' % code,
    ])


def package_files():
    """Yields (relative path with '/', content bytes) for every file."""
    yield 'kvsetup.ini', setup_ini_bytes()
    yield 'README.txt', text_bytes(PACKAGE_README)
    yield 'autorun.inf', text_bytes(AUTORUN_INF)
    for name in ROOT_PAYLOAD:
        yield name, payload(name)
    for variant in VARIANTS:
        for name in VARIANT_PAYLOAD:
            yield variant + '/' + name, payload(variant, name.replace('/', '\\'))
    for code in make_language_files.CODE_PAGES:
        for name in LANGUAGE_PAYLOAD:
            yield code + '/' + name, payload(code, name)
        yield code + '/kvconf.ini', language_ini_bytes(code)
    for folder, line in PLATFORM_README.items():
        yield folder + '/README.txt', text_bytes([line])


def write_all(package_dir):
    for rel, data in package_files():
        path = os.path.join(package_dir, *rel.split('/'))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(data)
    make_language_files.write_all(package_dir)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    package_dir = argv[1] if len(argv) > 1 else os.path.join(here, '..', '..', 'package')
    try:
        write_all(package_dir)
    except (make_language_files.TextError, UnicodeEncodeError) as e:
        print('error: %s' % e, file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
