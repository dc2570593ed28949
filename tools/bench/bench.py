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

Then it times a silent uninstall: the sample package is installed once
through the wizard (the demo's walk), its installation is kept aside and put
back before every round, and kvrem00.exe /s removes it; a second NSIS peer
installs the same files, shortcuts, driver and registry values silently and
its uninstaller removes them with /S. Each is timed until the installation
folder is gone.
"""

import argparse
import json
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


def peer_uninstall_script(snapshot, shortcuts, out_exe):
    """A second NSIS peer for the uninstall timing: it installs what our setup
    installed (the files of our installation folder, the filter driver, the
    same shortcuts and registry values) and writes an uninstaller that
    removes each of them again."""
    folder = '$SMPROGRAMS\\TarnWeld Peer'
    run_key = 'SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run'
    product_key = 'Software\\TARNWELDMouse'
    uninstall_key = 'Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarnWeld Peer'
    lines = [
        'Unicode false',
        'Name "TarnWeld Wheel Mouse 2.10"',
        'OutFile "%s"' % out_exe,
        'InstallDir "$PROGRAMFILES\\TarnWeld Peer"',
        'RequestExecutionLevel admin',
        'Section',
        '  SetOutPath "$INSTDIR"',
        '  File /r "%s/files/*.*"' % snapshot,
        '  SetOutPath "$SYSDIR\\drivers"',
        '  File "%s/KVFLTSYS.SYS"' % snapshot,
        '  CreateDirectory "%s"' % folder,
    ]
    lines += ['  CreateShortcut "%s\\%s" "$INSTDIR\\kvtray32.exe"' % (folder, name) for name in shortcuts]
    lines += [
        '  WriteRegStr HKLM "%s" "QRXTARNWELDMOUSE" "$INSTDIR\\kvtray32.exe"' % run_key,
        '  WriteRegStr HKLM "%s" "InstallName" "TarnWeld Mouse"' % product_key,
        '  WriteRegStr HKLM "%s" "SubInstallName" "3D"' % product_key,
        '  WriteRegStr HKLM "%s" "AppPath" "$INSTDIR"' % product_key,
        '  WriteRegStr HKLM "%s" "ProductName" "TarnWeld Wheel Mouse 2.10"' % product_key,
        '  WriteRegStr HKLM "%s" "ProductKey" "TarnWeld"' % product_key,
        '  WriteRegStr HKLM "%s" "DisplayName" "TarnWeld Wheel Mouse 2.10"' % uninstall_key,
        '  WriteRegStr HKLM "%s" "UninstallString" "$INSTDIR\\Uninstall.exe"' % uninstall_key,
        '  WriteUninstaller "$INSTDIR\\Uninstall.exe"',
        'SectionEnd',
        'Section "Uninstall"',
        '  DeleteRegKey HKLM "%s"' % uninstall_key,
    ]
    lines += ['  Delete "%s\\%s"' % (folder, name) for name in shortcuts]
    lines += [
        '  RMDir "%s"' % folder,
        '  DeleteRegValue HKLM "%s" "QRXTARNWELDMOUSE"' % run_key,
        '  DeleteRegKey HKLM "%s"' % product_key,
        '  Delete "$SYSDIR\\drivers\\KVFLTSYS.SYS"',
        '  RMDir /r "$INSTDIR"',
        'SectionEnd',
    ]
    return '\n'.join(lines) + '\n'


def wine_run(env, args, out=None, timeout=600):
    """A Wine program of the session; its output through a file (Wine's
    helper processes would hold a pipe open)."""
    with open(out or os.devnull, 'w') as f:
        return subprocess.run(['wine'] + args, env=env, stdout=f, stderr=subprocess.DEVNULL,
                              stdin=subprocess.DEVNULL, timeout=timeout).returncode


def unix_path(env, path):
    return subprocess.run(['winepath', '-u', path], env=env, capture_output=True, text=True).stdout.strip()


def install_ours(build, env, bench_dir, demo):
    """Installs the sample package once through the wizard (the demo's walk
    without its uninstall); returns the installation folder and the log's
    records (kvlog --json)."""
    out = os.path.join(bench_dir, 'install')
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    report = os.path.join(out, 'report.txt')
    wine_run(env, ['explorer', '/desktop=kvbench,1024x768', demo, windows_path(os.path.join(build, 'package')),
                   windows_path(out), '--install-only'], report)
    with open(report, encoding='latin-1') as f:
        said = f.read().replace('\r', '')
    destination = log = None
    for line in said.splitlines():
        if line.startswith('Files installed in '):
            destination = line[len('Files installed in '):].rstrip(':')
        if line.startswith('UninstallLog kept as: '):
            log = line[len('UninstallLog kept as: '):]
    if not destination or not log:
        raise RuntimeError('the install for the uninstall timing failed:\n' + said)
    listing = subprocess.run([os.path.join(ROOT, 'tools', 'kvlog'), '--json', unix_path(env, log)],
                             capture_output=True, text=True, check=True).stdout
    return destination, json.loads(listing)['records']


def snapshot_ours(env, bench_dir, destination, records):
    """Copies what the install left (files, shortcuts, driver, registry keys)
    aside, so that every round restores the same installation."""
    snapshot = os.path.join(bench_dir, 'ours-snapshot')
    shutil.rmtree(snapshot, ignore_errors=True)
    os.makedirs(snapshot)
    shutil.copytree(unix_path(env, destination), os.path.join(snapshot, 'files'))
    items = []  # (kind, Windows path)
    for record in records:
        if record['kind'] in ('file', 'shortcut') and not record['text'].lower().startswith(destination.lower()):
            items.append(('file', record['text']))
        elif record['kind'] in ('folder', 'program folder', 'program-folder'):
            items.append(('folder', record['text']))
    for number, (kind, path) in enumerate(items):
        if kind == 'file':
            shutil.copy2(unix_path(env, path), os.path.join(snapshot, 'item-%d' % number))
    keys = ['HKLM\\Software\\TARNWELDMouse', 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run']
    keys += ['HKLM\\' + r['text'] for r in records if r['kind'] in ('uninstall key', 'uninstall-key')]
    for number, key in enumerate(keys):
        wine_run(env, ['reg', 'export', key, windows_path(os.path.join(snapshot, 'key-%d.reg' % number)), '/y'])
    return snapshot, items, len(keys)


def restore_ours(env, snapshot, destination, items, key_count):
    target = unix_path(env, destination)
    shutil.rmtree(target, ignore_errors=True)
    shutil.copytree(os.path.join(snapshot, 'files'), target)
    for number, (kind, path) in enumerate(items):
        if kind == 'folder':
            os.makedirs(unix_path(env, path), exist_ok=True)
    for number, (kind, path) in enumerate(items):
        if kind == 'file':
            os.makedirs(os.path.dirname(unix_path(env, path)), exist_ok=True)
            shutil.copy2(os.path.join(snapshot, 'item-%d' % number), unix_path(env, path))
    for number in range(key_count):
        wine_run(env, ['reg', 'import', windows_path(os.path.join(snapshot, 'key-%d.reg' % number))])


def time_uninstall(env, bench_dir, timer, command, folder):
    """One timed uninstall: (ms to the end of the process started, ms until
    the installation folder is gone, exit code); None for a time not reached."""
    out = os.path.join(bench_dir, 'uninstall-timing.txt')
    wine_run(env, [timer, command, folder], out)
    with open(out) as f:
        parts = f.read().split()
    values = dict(zip(parts[0::2], parts[1::2]))
    number = lambda name: None if values.get(name, 'timeout') == 'timeout' else float(values[name])
    return number('ended'), number('gone'), values.get('code', '?')


def bench_uninstall(build, env, bench_dir, rounds, demo, timer):
    """Times our silent uninstall (kvrem00.exe /s) against the NSIS peer's
    uninstaller (/S) on the same installation, round after round."""
    destination, records = install_ours(build, env, bench_dir, demo)
    snapshot, items, key_count = snapshot_ours(env, bench_dir, destination, records)
    shutil.copy2(os.path.join(build, 'package', 'KVFLTSYS.SYS'), os.path.join(snapshot, 'KVFLTSYS.SYS'))
    shortcuts = [r['text'].replace('/', '\\').split('\\')[-1] for r in records if r['kind'] == 'shortcut']
    peer_dir = os.path.join(bench_dir, 'peer')
    os.makedirs(peer_dir, exist_ok=True)
    script = os.path.join(peer_dir, 'peer-uninstall.nsi')
    exe = os.path.join(peer_dir, 'peer-uninstall-setup.exe')
    with open(script, 'w') as f:
        f.write(peer_uninstall_script(snapshot, shortcuts, exe))
    subprocess.run(['makensis', '-V2', script], check=True, stdout=subprocess.DEVNULL)
    peer_folder = 'C:\\Program Files\\TarnWeld Peer'

    results = {'kvrem00 /s': [], 'nsis /S': []}
    for _ in range(rounds):
        restore_ours(env, snapshot, destination, items, key_count)
        results['kvrem00 /s'].append(time_uninstall(env, bench_dir, timer,
                                                    '"%s\\kvrem00.exe" /s' % destination, destination))
        wine_run(env, [windows_path(exe), '/S'])
        results['nsis /S'].append(time_uninstall(env, bench_dir, timer,
                                                 '"%s\\Uninstall.exe" /S' % peer_folder, peer_folder))
    report = ['Silent uninstall of the same installation (%d files in the folder, %d log records), '
              '%d alternating rounds' % (sum(len(f) for _, _, f in os.walk(os.path.join(snapshot, 'files'))),
                                         len(records), rounds),
              '  until the installation folder is gone (the whole removal; both go on in a copy of themselves)',
              '%-12s %8s %8s %8s %6s   %s' % ('uninstaller', 'min ms', 'median', 'max ms', 'runs',
                                               'first process ended (median ms), exit codes')]
    medians = {}
    for label, runs in results.items():
        gone = [g for _, g, _ in runs if g is not None]
        ended = [e for e, _, _ in runs if e is not None]
        codes = sorted({c for _, _, c in runs})
        if not gone:
            report.append('%-12s the folder was never gone (exit codes %s)' % (label, ', '.join(codes)))
            continue
        low, mid, high = stats(gone)
        medians[label] = mid
        report.append('%-12s %8.1f %8.1f %8.1f %6d   %s, %s%s' % (
            label, low, mid, high, len(gone), '%.1f' % statistics.median(ended) if ended else '-',
            ', '.join(codes), ' (%d timeouts)' % (len(runs) - len(gone)) if len(gone) < len(runs) else ''))
    if len(medians) == 2:
        report.append('kvrem00 / nsis (medians): %.2f' % (medians['kvrem00 /s'] / medians['nsis /S']))
    return report


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
    parser.add_argument('--demo', help='the demo program (kvdemo.exe), to install for the uninstall timing')
    parser.add_argument('--uninstall-timer', help='the uninstall timer program; times the uninstallers too')
    parser.add_argument('--uninstall-rounds', type=int, default=10)
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
        uninstall_report = []
        if args.demo and args.uninstall_timer:
            uninstall_report = bench_uninstall(build, env, bench_dir, args.uninstall_rounds, windows_path(args.demo),
                                               windows_path(args.uninstall_timer))
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
    if uninstall_report:
        say('')
        report.extend(uninstall_report)
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
                ('kvrem00.exe', os.path.join(build, 'package', 'kvrem00.exe')),
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
