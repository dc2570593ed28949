#!/usr/bin/env python3
"""Start-time benchmark of the setup (`make bench`; not a test).

In one Wine session (tools/wine/session.sh) the timer program starts, in
turn and round after round, a floor program that shows one message box, the
launcher on the staged sample package and a peer installer built with NSIS
(Modern UI 2: a language dialog with the same ten languages, then welcome,
components, directory, Start-menu folder, install and finish pages, carrying
the sample package's payload). Each run is timed from process start to the
first visible window that holds a button. A probe run per round breaks our
start into its stages. Then an unattended install of the same payload is
timed, ours (setup.exe /s) against the peer's silent install (/S). Prints
min/median/max per program, the ratios to the
peer, the overhead above the floor and the sizes of the shipped binaries,
and writes the same to <build>/bench/report.txt.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))

# The ten languages of the setup, in its table's order, as NSIS names them.
NSIS_LANGUAGES = ['English', 'TradChinese', 'German', 'Spanish', 'French', 'Italian', 'Japanese',
                  'Korean', 'Dutch', 'SimpChinese']


def windows_path(path):
    return 'Z:' + os.path.abspath(path).replace('/', '\\')


def peer_script(payload, out_exe):
    """The NSIS script of the peer installer."""
    lines = [
        'Unicode false',  # ANSI, as the setup: runs on the 95 family too
        '!include "MUI2.nsh"',
        'Name "TarnWeld Wheel Mouse 2.10"',
        'OutFile "%s"' % out_exe,
        'InstallDir "$PROGRAMFILES\\TarnWeld Mouse"',
        'RequestExecutionLevel admin',
        '!define MUI_ABORTWARNING',
        '!define MUI_LANGDLL_ALLLANGUAGES',
        'Var StartMenuFolder',
        '!insertmacro MUI_PAGE_WELCOME',
        '!insertmacro MUI_PAGE_COMPONENTS',
        '!insertmacro MUI_PAGE_DIRECTORY',
        '!define MUI_STARTMENUPAGE_DEFAULTFOLDER "TarnWeld Wheel Mouse"',
        '!insertmacro MUI_PAGE_STARTMENU Application $StartMenuFolder',
        '!insertmacro MUI_PAGE_INSTFILES',
        '!insertmacro MUI_PAGE_FINISH',
    ]
    lines += ['!insertmacro MUI_LANGUAGE "%s"' % name for name in NSIS_LANGUAGES]
    lines += [
        '!insertmacro MUI_RESERVEFILE_LANGDLL',
        'Function .onInit',
        '  !insertmacro MUI_LANGDLL_DISPLAY',
        'FunctionEnd',
        # The two product variants, as the setup type page offers them.
        'Section "3D wheel mouse" Sec3D',
        '  SetOutPath "$INSTDIR"',
        '  File /r /x 3D /x 4D "%s\\*.*"' % payload,
        '  File /r "%s\\3D\\*.*"' % payload,
        '  !insertmacro MUI_STARTMENU_WRITE_BEGIN Application',
        '    CreateDirectory "$SMPROGRAMS\\$StartMenuFolder"',
        '    CreateShortcut "$SMPROGRAMS\\$StartMenuFolder\\TarnWeld Mouse Tray.lnk" "$INSTDIR\\kvtray32.exe"',
        '  !insertmacro MUI_STARTMENU_WRITE_END',
        '  WriteUninstaller "$INSTDIR\\Uninstall.exe"',
        'SectionEnd',
        'Section /o "4D wheel mouse" Sec4D',
        '  SetOutPath "$INSTDIR"',
        '  File /r "%s\\4D\\*.*"' % payload,
        'SectionEnd',
        'Section "Uninstall"',
        '  RMDir /r "$INSTDIR"',
        'SectionEnd',
    ]
    return '\n'.join(lines) + '\n'


def build_peer(bench_dir):
    peer_dir = os.path.join(bench_dir, 'peer')
    os.makedirs(peer_dir, exist_ok=True)
    script = os.path.join(peer_dir, 'peer.nsi')
    exe = os.path.join(peer_dir, 'peer-setup.exe')
    with open(script, 'w') as f:
        f.write(peer_script(os.path.join(ROOT, 'package').replace('/', '\\'), exe.replace('/', '\\')))
    # makensis on Linux takes Unix paths; the script's backslashes are turned back.
    with open(script) as f:
        text = f.read().replace('\\', '/').replace('$PROGRAMFILES/', '$PROGRAMFILES\\')
    text = text.replace('$SMPROGRAMS/$StartMenuFolder/', '$SMPROGRAMS\\$StartMenuFolder\\')
    text = text.replace('$SMPROGRAMS/', '$SMPROGRAMS\\').replace('$INSTDIR/', '$INSTDIR\\')
    with open(script, 'w') as f:
        f.write(text)
    subprocess.run(['makensis', '-V2', script], check=True, stdout=subprocess.DEVNULL)
    return exe


def session_env(session):
    env = dict(os.environ)
    with open(os.path.join(session, 'env')) as f:
        for line in f:
            line = line.strip()
            if line.startswith('export ') and '=' in line:
                key, value = line[len('export '):].split('=', 1)
                env[key] = value.strip("'")
    return env


def time_silent_installs(env, package, peer, rounds):
    """Wall time of an unattended install of the same payload, ours (/s)
    against the peer's silent install (/S), each started through wine as an
    administrator's script would; alternating rounds. Returns {label: [ms]}
    and {label: [exit codes]} (Wine passes on the low 8 bits: 3010 is 194)."""
    env = dict(env, WINEDLLOVERRIDES='winemenubuilder.exe=d')  # no desktop menu entries per shortcut
    commands = [('setup /s', [os.path.join(package, 'setup.exe'), '/s', '/log=C:\\bench-setup.log']),
                ('nsis /S', [peer, '/S'])]
    times = {label: [] for label, _ in commands}
    codes = {label: [] for label, _ in commands}
    for _ in range(rounds):
        for label, command in commands:
            start = time.monotonic()
            done = subprocess.run(['wine'] + command, env=env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL, check=False, timeout=600)
            times[label].append((time.monotonic() - start) * 1000.0)
            codes[label].append(done.returncode)
    return times, codes


def stats(values):
    return min(values), statistics.median(values), max(values)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--build', required=True)
    parser.add_argument('--floor', required=True)
    parser.add_argument('--timer', required=True)
    parser.add_argument('--rounds', type=int, default=15)
    parser.add_argument('--silent-rounds', type=int, default=5)
    parser.add_argument('--compare', metavar='PACKAGE',
                        help='another staged package whose setup.exe is timed alongside ("other")')
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    bench_dir = os.path.join(build, 'bench')
    os.makedirs(bench_dir, exist_ok=True)
    package = os.path.join(build, 'package')
    peer = build_peer(bench_dir)

    programs = [('floor', args.floor), ('setup', os.path.join(package, 'setup.exe')), ('nsis', peer)]
    probes = [('setup', package)]
    if args.compare:
        programs.append(('other', os.path.join(args.compare, 'setup.exe')))
        probes.append(('other', args.compare))

    session = os.path.join(bench_dir, 'session')
    session_sh = os.path.join(ROOT, 'tools', 'wine', 'session.sh')
    subprocess.run([session_sh, 'start', session], check=True, stdout=subprocess.DEVNULL)
    try:
        env = session_env(session)
        timings = os.path.join(bench_dir, 'timings.txt')
        command = ['wine', args.timer, '--rounds', str(args.rounds)]
        for label, probe_package in probes:
            probe_out = os.path.join(bench_dir, 'probe-%s.txt' % label)
            if os.path.exists(probe_out):
                os.remove(probe_out)
            command += ['--probe', windows_path(probe_package), windows_path(probe_out)]
        for label, path in programs:
            extra = ' /norestart' if label in ('setup', 'other') else ''
            command.append('%s="%s"%s' % (label, windows_path(path), extra))
        # Through a file: Wine's helper processes would hold a pipe open.
        with open(timings, 'w') as out:
            subprocess.run(command, env=env, stdout=out, stderr=subprocess.DEVNULL, check=False)
        silent_times, silent_codes = time_silent_installs(env, package, peer, args.silent_rounds)
    finally:
        subprocess.run([session_sh, 'stop', session], stdout=subprocess.DEVNULL, check=False)

    runs = {label: [] for label, _ in programs}
    timeouts = {label: 0 for label, _ in programs}
    with open(timings) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 2 and parts[0] in runs:
                if parts[1] == 'timeout':
                    timeouts[parts[0]] += 1
                else:
                    runs[parts[0]].append(float(parts[1]))
    stages = {}
    for label, _ in probes:
        probe_out = os.path.join(bench_dir, 'probe-%s.txt' % label)
        if not os.path.exists(probe_out):
            continue
        with open(probe_out) as f:
            for line in f:
                parts = line.split()
                for name, value in zip(parts[0::2], parts[1::2]):
                    stages.setdefault(label, {}).setdefault(name, []).append(float(value))

    report = []
    say = report.append
    say('Start to the first visible window with a button (Wine, one session, %d alternating rounds)'
        % args.rounds)
    say('%-8s %8s %8s %8s %6s' % ('program', 'min ms', 'median', 'max ms', 'runs'))
    medians = {}
    for label, _ in programs:
        if not runs[label]:
            say('%-8s no run showed a window (%d timeouts)' % (label, timeouts[label]))
            continue
        low, mid, high = stats(runs[label])
        medians[label] = mid
        say('%-8s %8.1f %8.1f %8.1f %6d%s' % (label, low, mid, high, len(runs[label]),
                                              ' (%d timeouts)' % timeouts[label] if timeouts[label] else ''))
    if 'nsis' in medians and 'setup' in medians:
        say('')
        say('setup / nsis (medians): %.2f' % (medians['setup'] / medians['nsis']))
        if 'other' in medians:
            say('other / nsis (medians): %.2f' % (medians['other'] / medians['nsis']))
        if 'floor' in medians:
            ours = medians['setup'] - medians['floor']
            theirs = medians['nsis'] - medians['floor']
            say('overhead above the floor: setup %.1f ms, nsis %.1f ms, ratio %.2f'
                % (ours, theirs, ours / theirs if theirs > 0 else float('nan')))
            if 'other' in medians:
                say('overhead above the floor: other %.1f ms' % (medians['other'] - medians['floor']))
    if stages:
        say('')
        say('Our start by stage (the launcher\'s steps in a probe, medians of %d runs, ms):'
            % len(stages['setup'].get('load', [])) if 'setup' in stages else '')
        say('  %-58s %s' % ('', ' '.join('%8s' % label for label, _ in probes if label in stages)))
        names = [('process', 'process start to main()'), ('load', 'library load (kvsetup.dll and its imports)'),
                 ('texts', 'detection, configuration and texts (to the first window)'),
                 ('main', 'main window shown'), ('frame', 'wizard frame with its first page shown')]
        for key, text in names:
            values = ['%8.1f' % statistics.median(stages[label][key])
                      for label, _ in probes if key in stages.get(label, {})]
            say('  %-58s %s' % (text, ' '.join(values)))
    say('')
    say('Unattended install of the same payload (wall time through wine, %d alternating rounds)'
        % args.silent_rounds)
    say('%-10s %8s %8s %8s  %s' % ('program', 'min ms', 'median', 'max ms', 'exit codes'))
    for label, values in silent_times.items():
        low, mid, high = stats(values)
        say('%-10s %8.1f %8.1f %8.1f  %s' % (label, low, mid, high,
                                            ' '.join(str(c) for c in sorted(set(silent_codes[label])))))
    say('')
    say('Sizes (bytes):')
    binaries = [('kvsetup.dll', os.path.join(build, 'kvsetup.dll')),
                ('setup.exe', os.path.join(build, 'setup.exe')),
                ('floor.exe', args.floor), ('peer-setup.exe (NSIS)', peer)]
    if args.compare:
        binaries += [('other kvsetup.dll', os.path.join(args.compare, 'kvsetup.dll')),
                     ('other setup.exe', os.path.join(args.compare, 'setup.exe'))]
    for name, path in binaries:
        say('  %-24s %9d' % (name, os.path.getsize(path)))
    text = '\n'.join(report) + '\n'
    sys.stdout.write(text)
    with open(os.path.join(bench_dir, 'report.txt'), 'w') as f:
        f.write(text)
    return 0


if __name__ == '__main__':
    sys.exit(main())
