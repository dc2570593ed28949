#!/usr/bin/env python3
"""The log reader on logs written here byte by byte: each case gives the
bytes, the exit code and the problem lines kvlog must print.

Run: python3 -m unittest discover -s tools/logreader -p 'test_*.py'
"""

import json
import os
import subprocess
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
KVLOG = os.path.join(HERE, '..', 'kvlog')


def record(kind, text):
    return bytes([kind]) + text + b'\0'


GOOD = (record(0xFF, b'C:\\Program Files\\TW\\kvhook.dll') + record(0xFE, b'C:\\Program Files\\TW')
        + record(0xFD, b'TWMOUSE') + record(0xFC, b'C:\\Start\\TW') + record(0xFB, b'C:\\Start\\TW\\a.lnk')
        + record(0xFA, b'Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TW'))

# (name, bytes, exit code, expected problem lines)
CASES = [
    ('well formed, every kind', GOOD, 0, []),
    ('empty file', b'', 0, []),
    ('double-byte text', record(0xFF, b'C:\\\x83\x5c\\a'), 0, []),
    ('unknown type byte', GOOD + record(0x41, b'x'), 1,
     ['offset %d: unknown record type 0x41' % len(GOOD)]),
    ('empty text', record(0xFB, b'') + GOOD, 1, ['offset 0: record with an empty text']),
    ('missing terminator', GOOD + b'\xffC:\\cut', 1,
     ['offset %d: last record has no 0x00 terminator (7 bytes)' % len(GOOD)]),
    ('one trailing byte', GOOD + b'\xff', 1, ['offset %d: 1 trailing byte after the last record' % len(GOOD)]),
    ('trailing bytes that are no record', GOOD + b'\x10abc', 1,
     ['offset %d: 4 trailing bytes after the last record' % len(GOOD)]),
]


class KvlogTest(unittest.TestCase):
    def run_kvlog(self, data, *flags):
        with tempfile.NamedTemporaryFile(suffix='.log', delete=False) as f:
            f.write(data)
        try:
            done = subprocess.run([KVLOG, *flags, f.name], capture_output=True)
        finally:
            os.unlink(f.name)
        return done.returncode, done.stdout.decode('latin-1'), f.name

    def test_cases(self):
        for name, data, code, problems in CASES:
            with self.subTest(name):
                rc, out, path = self.run_kvlog(data)
                self.assertEqual(rc, code, out)
                errors = [line.split(': ', 2)[2] for line in out.splitlines() if line.startswith('error:')]
                self.assertEqual(errors, problems, out)
                rc, out, _ = self.run_kvlog(data, '--json')
                listing = json.loads(out)
                self.assertEqual(listing['valid'], code == 0)
                self.assertEqual([p['what'] for p in listing['problems']],
                                 [p.split(': ', 1)[1] for p in problems])
                raw = b''.join(bytes([r['type']]) + r['text'].encode('latin-1') + b'\0'
                               for r in listing['records'])
                self.assertTrue(data.startswith(raw))

    def test_lists_every_record_with_its_kind(self):
        rc, out, _ = self.run_kvlog(GOOD)
        kinds = [line.split()[2] for line in out.splitlines()[1:]]
        self.assertEqual(kinds, ['file', 'folder', 'auto-start', 'program', 'shortcut', 'uninstall'])
        self.assertIn('C:\\Program Files\\TW\\kvhook.dll', out)

    def test_unreadable_file(self):
        done = subprocess.run([KVLOG, os.path.join(HERE, 'no-such.log')], capture_output=True)
        self.assertEqual(done.returncode, 2)


if __name__ == '__main__':
    unittest.main()
