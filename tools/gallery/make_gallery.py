#!/usr/bin/env python3
"""The translators' gallery: every screen of the setup in all ten languages,
each run under its language's system code page, with a report of every text
that does not fit its control. After each language's setup, the installed
uninstaller removes that installation again and its question, progress
window and last message are shown and measured too (keys "kvrem [MSG] N"
are texts of kvrem.<language>).

Writes <build>/gallery/index.html (languages down, screens across, each a
thumbnail linking to the full picture, and a column of texts that do not
fit), <build>/gallery/<code>/<screen>.png and <build>/gallery/fit.txt.

Usage: make_gallery.py [--keep-going] [--languages enu,deu,...] [build folder]
Exit code: 0 every text fits; 1 a text does not fit (without --keep-going
the languages after the first such one are not shown); 2 a run failed.
"""

import argparse
import html
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..', '..'))
sys.path.insert(0, os.path.join(ROOT, 'tools', 'pictures'))

import pictures  # noqa: E402

# Language code -> (locale Wine runs it under, Python codec of its code page).
LANGUAGES = [
    ('enu', 'en_US.UTF-8', 'cp1252'),
    ('cht', 'zh_TW.UTF-8', 'cp950'),
    ('deu', 'de_DE.UTF-8', 'cp1252'),
    ('esn', 'es_ES.UTF-8', 'cp1252'),
    ('fra', 'fr_FR.UTF-8', 'cp1252'),
    ('ita', 'it_IT.UTF-8', 'cp1252'),
    ('jpn', 'ja_JP.UTF-8', 'cp932'),
    ('kor', 'ko_KR.UTF-8', 'cp949'),
    ('nld', 'nl_NL.UTF-8', 'cp1252'),
    ('chs', 'zh_CN.UTF-8', 'cp936'),
]
SCREENS = ['language', 'welcome', 'setup-type', 'destination', 'program-folder', 'information',
           'finish', 'finish-stopped', 'exit-confirm', 'progress', 'uninstall-question', 'uninstall-progress', 'uninstall-message']
THUMBNAIL_FACTOR = 4

# Faces the templates and the backdrop ask for that no Debian font carries,
# mapped in the gallery's own Wine prefix to the CJK fonts that are there.
FONT_SUBSTITUTES = {
    '新細明體': 'WenQuanYi Micro Hei',
    'PMingLiU': 'WenQuanYi Micro Hei',
    'MingLiU': 'WenQuanYi Micro Hei',
    'SimSun': 'WenQuanYi Micro Hei',
    'NSimSun': 'WenQuanYi Micro Hei',
    'Microsoft YaHei': 'WenQuanYi Micro Hei',
    'MS UI Gothic': 'IPAGothic',
    'MS Gothic': 'IPAGothic',
    'MS PGothic': 'IPAPGothic',
    'Gulim': 'UnDotum',
    'Dotum': 'UnDotum',
    'Batang': 'UnBatang',
}


def wine_session(build):
    """Starts a Wine session of our own; returns its folder and environment."""
    session = os.path.join(build, 'gallery-session')
    subprocess.run([os.path.join(ROOT, 'tools', 'wine', 'session.sh'), 'start', session],
                   check=True, stdout=subprocess.DEVNULL)
    env = dict(os.environ)
    with open(os.path.join(session, 'env')) as f:
        for line in f:
            if line.startswith('export '):
                name, _, value = line[len('export '):].strip().partition('=')
                env[name] = value.strip("'")
    return session, env


def map_fonts(env, session, cjk):
    """Maps the CJK faces for a CJK language and removes the mapping for the
    others: with it, Wine links the CJK fonts into the dialog font, and a
    Western page would be measured with other metrics than its users see."""
    values = ['"%s"=%s' % (face, '"%s"' % font if cjk else '-') for face, font in FONT_SUBSTITUTES.items()]
    reg = os.path.join(session, 'fonts.reg')
    with open(reg, 'w', encoding='utf-16') as f:  # regedit takes Unicode names in UTF-16
        f.write('Windows Registry Editor Version 5.00\r\n\r\n'
                '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
                + '\r\n'.join(values) + '\r\n')
    subprocess.run(['wine', 'regedit', '/S', winpath(env, reg)], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def winpath(env, path):
    return subprocess.run(['winepath', '-w', path], env=env, capture_output=True, text=True).stdout.strip()


def run_language(build, env, code, locale, out):
    """One setup run under `locale`; False when it failed."""
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    run_env = dict(env, LANG=locale, LC_ALL=locale)
    program = os.path.join(build, 'tools', 'gallery', 'kvgallery.exe')
    log = os.path.join(out, 'run.log')
    with open(log, 'wb') as f:  # a file: Wine's helpers outlive the program and would hold a pipe
        done = subprocess.run(['wine', 'explorer', '/desktop=kvgallery,1024x768', winpath(env, program),
                               winpath(env, os.path.join(build, 'package')), winpath(env, out), code],
                              env=run_env, stdout=f, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL,
                              timeout=600)
    with open(log, 'rb') as f:
        said = f.read().decode('latin-1').replace('\r', '')
    sys.stdout.write(said)
    # Wine's desktop process does not pass the program's exit code on: the
    # run failed when the program said so or left a screen out.
    shown = all(os.path.exists(os.path.join(out, screen + '.bmp')) for screen in SCREENS)
    return done.returncode == 0 and shown and ('gallery %s: ' % code) not in said


def make_pictures(out):
    for screen in SCREENS:
        bmp = os.path.join(out, screen + '.bmp')
        if not os.path.exists(bmp):
            continue
        with open(bmp, 'rb') as f:
            width, height, rows = pictures.read_bmp(f.read())
        pictures.write_png(os.path.join(out, screen + '.png'), width, height, rows)
        pictures.write_png(os.path.join(out, screen + '-thumb.png'),
                           *pictures.shrink(width, height, rows, THUMBNAIL_FACTOR))
        os.remove(bmp)


def read_fit(out, codec):
    """The texts of one language that do not fit, as dictionaries."""
    misfits = []
    path = os.path.join(out, 'fit.tsv')
    if not os.path.exists(path):
        return misfits
    with open(path, 'rb') as f:
        for raw in f.read().split(b'\n'):
            fields = raw.split(b'\t')
            if len(fields) < 9 or fields[3] != b'0':
                continue
            misfits.append({
                'screen': fields[0].decode('ascii'), 'id': int(fields[1]), 'key': fields[2].decode('ascii'),
                'needed': '%sx%s' % (int(fields[4]), int(fields[5])),
                'available': '%sx%s' % (int(fields[6]), int(fields[7])),
                'text': b'\t'.join(fields[8:]).decode(codec, errors='replace')})
    return misfits


# Places that are no dialog control: a window's title bar, a message box's
# text (the box is laid out by the system; it must fit the screen).
PLACES = {-1: 'title bar', 65535: 'message box'}


def place(control_id):
    return PLACES.get(control_id, 'control %d' % control_id)


def fit_line(code, m):
    return '%s %s %s %s: needs %s pixels, has %s: %s' % (
        code, m['screen'], place(m['id']), m['key'], m['needed'], m['available'], m['text'])


def write_report(gallery, done):
    with open(os.path.join(gallery, 'fit.txt'), 'w', encoding='utf-8') as f:
        f.write('# Texts that do not fit their control: language, screen, control id, language-file key,\n'
                '# the size the text needs and the size the control gives (pixels), the text.\n')
        for code, misfits, ok in done:
            if not ok:
                f.write('%s: the run failed, nothing measured\n' % code)
            for m in misfits:
                f.write(fit_line(code, m) + '\n')
    rows = []
    for code, misfits, ok in done:
        cells = ''.join(
            '<td><a href="%s/%s.png"><img src="%s/%s-thumb.png" alt="%s %s"></a></td>' % (code, s, code, s, code, s)
            if os.path.exists(os.path.join(gallery, code, s + '.png')) else '<td>-</td>'
            for s in SCREENS)
        if not ok:
            fit = '<td class="bad">the run failed</td>'
        elif misfits:
            fit = '<td class="bad">' + '<br>'.join(html.escape(
                '%s %s %s: %s (needs %s, has %s)' % (m['screen'], place(m['id']), m['key'], m['text'], m['needed'],
                                                    m['available'])) for m in misfits) + '</td>'
        else:
            fit = '<td class="good">every text fits</td>'
        rows.append('<tr><th>%s</th>%s%s</tr>' % (code, cells, fit))
    page = ('<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>Setup screens in every language</title>\n'
            '<style>body{font-family:sans-serif} td,th{border:1px solid #ccc;padding:2px;vertical-align:top}'
            ' img{width:192px} .bad{color:#a00;max-width:30em} .good{color:#070}</style></head><body>\n'
            '<h1>Setup screens in every language</h1>\n<table>\n<tr><th>language</th>%s<th>fit</th></tr>\n%s\n'
            '</table></body></html>\n') % (''.join('<th>%s</th>' % s for s in SCREENS), '\n'.join(rows))
    with open(os.path.join(gallery, 'index.html'), 'w', encoding='utf-8') as f:
        f.write(page)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('build', nargs='?', default=os.path.join(ROOT, 'build'))
    parser.add_argument('--keep-going', action='store_true', help='show every language, fitting or not')
    parser.add_argument('--languages', help='comma-separated language codes (default: all ten)')
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    wanted = args.languages.split(',') if args.languages else [code for code, _, _ in LANGUAGES]
    gallery = os.path.join(build, 'gallery')
    shutil.rmtree(gallery, ignore_errors=True)
    os.makedirs(gallery)

    session, env = wine_session(build)
    done = []
    try:
        for code, locale, codec in LANGUAGES:
            if code not in wanted:
                continue
            out = os.path.join(gallery, code)
            print('gallery: %s under %s' % (code, locale), flush=True)
            map_fonts(env, session, codec != 'cp1252')
            ok = run_language(build, env, code, locale, out)
            make_pictures(out)
            misfits = read_fit(out, codec)
            for m in misfits:
                print('  does not fit: ' + fit_line(code, m))
            done.append((code, misfits, ok))
            if (misfits or not ok) and not args.keep_going:
                break
    finally:
        subprocess.run([os.path.join(ROOT, 'tools', 'wine', 'session.sh'), 'stop', session],
                       stdout=subprocess.DEVNULL)
    write_report(gallery, done)
    print('gallery: %s' % os.path.join(gallery, 'index.html'))
    if any(not ok for _, _, ok in done):
        return 2
    return 1 if any(misfits for _, misfits, _ in done) else 0


if __name__ == '__main__':
    sys.exit(main())
