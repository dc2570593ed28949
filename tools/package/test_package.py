#!/usr/bin/env python3
"""Checks the committed sample package in package/ byte for byte against the
rules the setup engine relies on, and that it is what the scripts in this
folder produce today.

Run: python3 -m unittest discover -s tools/package -p 'test_*.py'
"""

import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
PACKAGE = os.path.normpath(os.path.join(HERE, '..', '..', 'package'))
sys.path.insert(0, HERE)

import make_language_files as lang  # noqa: E402
import make_sample_package as sample  # noqa: E402

CODES = ['enu', 'cht', 'deu', 'esn', 'fra', 'ita', 'jpn', 'kor', 'nld', 'chs']


def read(*parts):
    with open(os.path.join(PACKAGE, *parts), 'rb') as f:
        return f.read()


def parse_ini(data):
    """Parses INI bytes the way GetPrivateProfileStringA sees them: section
    and key names without surrounding blanks, compared case-insensitively;
    values as raw bytes. Returns {section: [(key, value), ...]} with the
    names as written."""
    sections = {}
    current = None
    for raw in data.split(b'\r\n'):
        line = raw.strip(b' \t')
        if not line or line.startswith(b';'):
            continue
        if line.startswith(b'['):
            end = line.index(b']')
            current = line[1:end].decode('ascii')
            if current.lower() in (s.lower() for s in sections):
                raise ValueError('section [%s] twice' % current)
            sections[current] = []
            continue
        if current is None:
            raise ValueError('line outside a section: %r' % raw)
        key, sep, value = line.partition(b'=')
        if not sep:
            raise ValueError('line without "=": %r' % raw)
        sections[current].append((key.strip().decode('ascii'), value.strip(b' \t')))
    return sections


class LineEndingsMixin:
    def assert_crlf_text(self, data, name):
        self.assertTrue(data.endswith(b'\r\n'), name + ' must end with CRLF')
        self.assertNotIn(b'\n', data.replace(b'\r\n', b''), name + ' has a bare LF')
        self.assertNotIn(b'\r', data.replace(b'\r\n', b''), name + ' has a bare CR')
        self.assertFalse(data.startswith(b'\xef\xbb\xbf') or data.startswith(b'\xff\xfe'),
                         name + ' must be ANSI, without byte order mark')


class SetupIniTest(unittest.TestCase, LineEndingsMixin):
    def setUp(self):
        self.data = read('kvsetup.ini')
        self.ini = parse_ini(self.data)

    def value(self, section, key):
        return dict(self.ini[section])[key].decode('cp1252')

    def test_layout(self):
        self.assert_crlf_text(self.data, 'kvsetup.ini')
        expected = {
            'Product': ['Product', 'Key', 'VER', 'Version'],
            'Target': ['Dir', 'Folder'],
            'Display Name': ['Name'],
            'Title': ['Main', 'CaptionBar'],
            'Manufacture': ['Manufacture'],
            'Applications': ['Main', 'IniFile', 'DllFile'],
            'Uninstall': ['DisplayName', 'Key'],
            'Icons': ['1', '2', '3'],
        }
        self.assertEqual({s: [k for k, _ in pairs] for s, pairs in self.ini.items()}, expected)
        for pairs in self.ini.values():
            for key, value in pairs:
                self.assertTrue(value, key + ' is empty')

    def test_product_values(self):
        self.assertEqual(self.value('Product', 'VER'), self.value('Product', 'Version'))
        self.assertEqual(self.value('Product', 'Key'), self.value('Applications', 'Main'))
        for section, key in (('Product', 'Product'), ('Manufacture', 'Manufacture'),
                             ('Uninstall', 'DisplayName')):
            self.assertIn('TarnWeld', self.value(section, key))

    def test_application_files_exist(self):
        for key in ('Main', 'DllFile'):
            self.assertTrue(os.path.isfile(os.path.join(PACKAGE, self.value('Applications', key))))
        for code in CODES:
            self.assertTrue(os.path.isfile(
                os.path.join(PACKAGE, code, self.value('Applications', 'IniFile'))))

    def test_icons(self):
        icons = dict(self.ini['Icons'])
        self.assertEqual(sorted(icons, key=int), [str(i) for i in range(1, len(icons) + 1)],
                         'icon keys are numbered from 1 without gaps')
        fields = {k: v.decode('cp1252').split(',') for k, v in icons.items()}
        self.assertEqual([len(fields[k]) for k in ('1', '2', '3')], [2, 2, 3])
        for target, _name, *_ in fields.values():
            self.assertTrue(os.path.isfile(os.path.join(PACKAGE, target)), target)
        self.assertEqual(fields['2'][1].count('%'), 1)
        self.assertIn('%s', fields['2'][1])
        self.assertNotIn('%', fields['1'][1] + fields['3'][1])
        icon_file = fields['3'][2]
        for variant in ('3D', '4D'):
            self.assertTrue(os.path.isfile(os.path.join(PACKAGE, variant, *icon_file.split('\\'))))


class LanguageFilesTest(unittest.TestCase, LineEndingsMixin):
    def load(self, name, code):
        data = read('kv-00001', name + '.' + code)
        self.assert_crlf_text(data, name + '.' + code)
        return data, parse_ini(data)

    def test_setup_texts_have_every_key(self):
        for code in CODES:
            _, ini = self.load('kvsetlan', code)
            self.assertEqual(list(ini), ['MSG', 'DLG'], code)
            self.assertEqual([k for k, _ in ini['MSG']], lang.MSG_KEYS, code)
            self.assertEqual([k for k, _ in ini['DLG']], lang.DLG_KEYS, code)

    def test_values_fit_the_buffers_and_code_page(self):
        for code in CODES:
            codec = lang.CODE_PAGES[code]
            _, ini = self.load('kvsetlan', code)
            for section, pairs in ini.items():
                for key, value in pairs:
                    where = '%s [%s] %s' % (code, section, key)
                    value.decode(codec)  # must be valid in the language's code page
                    self.assertTrue(value, where)
                    limit = 518 if key == 'P51' else 258
                    self.assertLessEqual(len(value), limit, where)
                    self.assertFalse(value[:1] == b'"' and value[-1:] == b'"',
                                     where + ': quotes would be stripped')
            p51 = dict(ini['DLG'])['P51']
            self.assertGreaterEqual(len(p51), 300, code + ' P51 is too short')

    def test_percent_only_as_display_name_placeholder(self):
        # '%' (0x25) is never a byte of a double-byte character in these code
        # pages, so counting bytes is exact.
        for code in CODES:
            _, ini = self.load('kvsetlan', code)
            for section, pairs in ini.items():
                for key, value in pairs:
                    where = '%s [%s] %s' % (code, section, key)
                    if section == 'DLG' and key in ('P31', 'PF1', 'PF6'):
                        self.assertEqual(value.count(b'%'), 1, where)
                        self.assertIn(b'%P', value, where)
                    else:
                        self.assertNotIn(b'%', value, where)

    def test_short_name_is_a_valid_file_name(self):
        # MSG 12 becomes part of a shortcut file name.
        for code in CODES:
            _, ini = self.load('kvsetlan', code)
            name = dict(ini['MSG'])['12']
            for bad in b'\\/:*?"<>|':
                self.assertNotIn(bad, name, code)
            self.assertIn(b'TarnWeld', name, code)

    def test_languages_are_translated(self):
        english = dict(parse_ini(read('kv-00001', 'kvsetlan.enu'))['DLG'])
        for code in CODES:
            data, ini = self.load('kvsetlan', code)
            if code in ('cht', 'chs', 'jpn', 'kor'):
                self.assertGreater(sum(b >= 0x80 for b in data), len(data) // 4,
                                   code + ' should be mostly double-byte text')
            if code == 'enu':
                continue
            dlg = dict(ini['DLG'])
            same = [k for k in lang.DLG_KEYS if dlg[k] == english[k]]
            self.assertEqual(same, [], code + ' has untranslated texts')

    def test_mouse_types_are_labelled(self):
        for code in CODES:
            dlg = dict(self.load('kvsetlan', code)[1]['DLG'])
            self.assertIn(b'3D', dlg['ROLLER3'], code)
            self.assertIn(b'4D', dlg['ROLLER5'], code)

    def test_uninstaller_texts(self):
        for code in CODES:
            _, ini = self.load('kvrem', code)
            self.assertEqual(list(ini), ['MSG'], code)
            self.assertEqual([k for k, _ in ini['MSG']], lang.REM_KEYS, code)
            for _, value in ini['MSG']:
                value.decode(lang.CODE_PAGES[code])
                self.assertLessEqual(len(value), 258)
                self.assertNotIn(b'%', value)


class PayloadTest(unittest.TestCase):
    def test_root_payload(self):
        for name in sample.ROOT_PAYLOAD:
            self.assertIn(b'sample payload: ' + name.encode(), read(name))

    def test_autorun_starts_the_launcher_with_its_icon(self):
        ini = parse_ini(read('autorun.inf'))
        self.assertEqual(dict(ini['autorun'])['open'], b'setup.exe')
        self.assertEqual(dict(ini['autorun'])['icon'], b'setup.exe,0')

    def test_variants_are_told_apart(self):
        for name in ('kvbanner.bmp', 'kvdata.dat', os.path.join('res', 'kvtray.ico')):
            d3, d4 = read('3D', name), read('4D', name)
            self.assertNotEqual(d3, d4, name)
            self.assertIn(b'3D', d3)
            self.assertIn(b'4D', d4)

    def test_language_folders_name_their_language(self):
        for code in CODES:
            for name in ('kvres.dll', 'kvlang.dll'):
                self.assertIn(code.encode(), read(code, name))
            conf = parse_ini(read(code, 'kvconf.ini'))
            self.assertEqual(dict(conf['Main'])['Language'], code.encode())

    def test_platform_folders(self):
        for folder in ('winnt', 'winme'):
            lines = read(folder, 'README.txt').split(b'\r\n')
            self.assertEqual(len(lines), 2)  # one line and the final CRLF
            self.assertIn(b'Sample', lines[0])


class RegenerationTest(unittest.TestCase):
    def test_package_matches_the_scripts(self):
        with tempfile.TemporaryDirectory() as tmp:
            self.assertEqual(sample.main(['make_sample_package.py', tmp]), 0)
            made = {os.path.relpath(os.path.join(d, f), tmp)
                    for d, _, files in os.walk(tmp) for f in files}
            have = {os.path.relpath(os.path.join(d, f), PACKAGE)
                    for d, _, files in os.walk(PACKAGE) for f in files}
            self.assertEqual(have, made, 'package/ has files the scripts do not make, or misses some')
            for rel in made:
                with open(os.path.join(tmp, rel), 'rb') as f:
                    self.assertEqual(f.read(), read(rel), rel + ' is stale')

    def test_script_rejects_a_stray_percent(self):
        saved = lang.TEXTS['deu']['DLG']['P32']
        try:
            lang.TEXTS['deu']['DLG']['P32'] = saved + ' (100%)'
            with self.assertRaises(lang.TextError):
                lang.check_language('deu')
        finally:
            lang.TEXTS['deu']['DLG']['P32'] = saved

    def test_script_rejects_text_outside_the_code_page(self):
        saved = lang.TEXTS['kor']['MSG']['1']
        try:
            lang.TEXTS['kor']['MSG']['1'] = '< \u0e01'  # a Thai letter: not in code page 949
            with self.assertRaises(UnicodeEncodeError):
                lang.check_language('kor')
        finally:
            lang.TEXTS['kor']['MSG']['1'] = saved

if __name__ == '__main__':
    unittest.main()
