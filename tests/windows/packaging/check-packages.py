#!/usr/bin/env python3
"""Installs QuorbelU under Wine as a user would, silently, and checks what the
installer, the Start-menu entry, the launcher, the uninstaller and the zip do.

  check-packages.py WINE_RUN PREFIX INSTALLER ZIP STARTED_IN

WINE_RUN runs a Windows program in the Wine prefix PREFIX; STARTED_IN is a
program that notes the folder it was started in (it stands in for the program
beside a copy of the launcher).
"""
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zipfile

wine_run, prefix, installer, zip_path, started_in = sys.argv[1:6]
prefix = pathlib.Path(prefix)
drive_c = prefix / "drive_c"
failures = []

UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QuorbelU"
# A keyset the user made (as long as a keyset file, every byte value in it) and
# the user's preferences: both must outlive a new installation and the
# uninstaller byte for byte.
USER_KEYSET = bytes(range(256)) * 901 + b"\x07" * 80
USER_PREFERENCES = b"[QUORBELU]\r\nCom Port=3\r\nBaud Rate=9600\r\n"


def fail(text):
    failures.append(text)
    print("FAIL: " + text, file=sys.stderr)


def wine(*arguments, check=True):
    """Runs a program in the prefix; its output, in files rather than pipes:
    a process it leaves running (Wine's own) would hold a pipe open."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        code = subprocess.run([wine_run, str(prefix), *arguments], stdout=out, stderr=err,
                              timeout=120).returncode
        out.seek(0)
        err.seek(0)
        if check and code != 0:
            sys.exit(f"FAIL: {' '.join(arguments)} ended with {code}: "
                     f"{err.read().decode(errors='replace')}")
        return code, out.read().decode(errors="replace")


def unix(windows_path):
    """Where a path on drive C of the prefix lies on this machine."""
    if not windows_path.upper().startswith("C:\\"):
        sys.exit(f"FAIL: {windows_path} is not on drive C")
    return drive_c.joinpath(*windows_path[3:].split("\\"))


def wait_until(condition, what, seconds=60):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            sys.exit(f"FAIL: after {seconds} s, {what}")
        time.sleep(0.2)


def shortcut_fields(link):
    """The target, working folder and icon of a shell link (.lnk) file."""
    data = link.read_bytes()
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = 0x4C
    if flags & 0x01:  # the target as an item list: skipped, the path follows
        at += 2 + struct.unpack_from("<H", data, at)[0]
    target = ""
    if flags & 0x02:  # the target's local path
        size, _, info_flags, _, base = struct.unpack_from("<IIIII", data, at)
        if info_flags & 0x01:
            target = data[at + base:data.index(b"\0", at + base)].decode("latin-1")
        at += size
    unicode = bool(flags & 0x80)
    strings = {}
    for bit, name in ((0x04, "name"), (0x08, "relative"), (0x10, "folder"), (0x20, "arguments"),
                      (0x40, "icon")):
        if not flags & bit:
            continue
        count = struct.unpack_from("<H", data, at)[0]
        size = count * (2 if unicode else 1)
        text = data[at + 2:at + 2 + size]
        # Some writers count the closing zero too.
        strings[name] = text.decode("utf-16-le" if unicode else "latin-1").rstrip("\0")
        at += 2 + size
    return target, strings.get("folder", ""), strings.get("icon", "")


def guide_pictures(html):
    return re.findall(r'src="([^"]+)"', html)


def check():
    # Where this prefix keeps the program, every user's Start menu and this user's
    # own folders.
    places = wine("cmd", "/c", "echo", "%ProgramFiles%^|%ProgramData%^|%LOCALAPPDATA%")[1]
    program_files, program_data, local_app_data = places.strip().split("|")
    program = program_files + "\\QuorbelU"
    program_folder = unix(program)
    user_folder = unix(local_app_data + "\\QuorbelU")
    link = unix(program_data + r"\Microsoft\Windows\Start Menu\Programs\QuorbelU.lnk")

    # What an earlier run may have left.
    shutil.rmtree(program_folder, ignore_errors=True)
    shutil.rmtree(user_folder, ignore_errors=True)
    link.unlink(missing_ok=True)
    wine("reg", "delete", UNINSTALL_KEY, "/f", check=False)

    # A user who had the program before: their keyset and preferences are there
    # when the installer runs.
    (user_folder / "keysets").mkdir(parents=True)
    (user_folder / "keysets" / "Notepad.qrb").write_bytes(USER_KEYSET)
    (user_folder / "QuorbelU.ini").write_bytes(USER_PREFERENCES)

    wine(installer, "/S")

    # The files of the installation are the files of the zip.
    with zipfile.ZipFile(zip_path) as archive:
        zipped = {name[len("QuorbelU/"):]: archive.read(name) for name in archive.namelist()
                  if not name.endswith("/")}
        zipped_folders = {name for name in archive.namelist() if name.endswith("/")}
    if "QuorbelU/keysets/" not in zipped_folders:
        fail("the zip has no keysets folder for the program to start in")
    for name in ("quorbelu.exe", "quorbelu-launch.exe", "doc/guide.html"):
        if name not in zipped:
            fail(f"the zip has no {name}")
    for name, content in zipped.items():
        installed = program_folder / name
        if not installed.is_file():
            fail(f"{name} of the zip is not installed in {program}")
        elif installed.read_bytes() != content:
            fail(f"the installed {name} differs from the zip's")
    installed_names = {str(path.relative_to(program_folder)) for path in program_folder.rglob("*")
                       if path.is_file()}
    for name in installed_names - set(zipped) - {"uninstall.exe"}:
        fail(f"{name} is installed but not in the zip")
    if "doc/guide.html" in zipped:
        for picture in guide_pictures(zipped["doc/guide.html"].decode()):
            if "doc/" + picture not in zipped:
                fail(f"the guide's picture {picture} is not packed")
    if not (program_folder / "uninstall.exe").is_file():
        fail("no uninstall.exe")

    # Every user's Start menu: the launcher, started in the program's folder
    # (which every user has), with the program's icon.
    if not link.is_file():
        fail("no QuorbelU entry in the Start menu of every user")
    else:
        target, folder, icon = shortcut_fields(link)
        if target.lower() != (program + "\\quorbelu-launch.exe").lower():
            fail(f"the Start-menu entry starts {target!r}")
        if folder.lower() != program.lower():
            fail(f"the Start-menu entry starts in {folder!r}")
        if icon.lower() != (program + "\\quorbelu.exe").lower():
            fail(f"the Start-menu entry shows the icon of {icon!r}")

    # The installing user's folder is ready, and what was in it is untouched.
    if (user_folder / "keysets" / "Notepad.qrb").read_bytes() != USER_KEYSET:
        fail("installing changed the user's keyset")
    if (user_folder / "QuorbelU.ini").read_bytes() != USER_PREFERENCES:
        fail("installing changed the user's preferences")

    if wine("reg", "query", UNINSTALL_KEY, check=False)[0] != 0:
        fail("the program is not listed among the installed programs")

    # Another user of the computer has no folder yet: the launcher makes it and
    # starts the program beside it in there. The stand-in program notes where.
    trial = program_folder / "launch-trial"
    trial.mkdir()
    shutil.copy(program_folder / "quorbelu-launch.exe", trial / "quorbelu-launch.exe")
    shutil.copy(started_in, trial / "quorbelu.exe")
    shutil.move(user_folder, program_folder / "away")
    wine(program + r"\launch-trial\quorbelu-launch.exe")
    note = trial / "started-in.txt"
    wait_until(note.exists, "the program the launcher starts has not started")
    started = note.read_text(encoding="utf-8")
    if started.lower() != (local_app_data + "\\QuorbelU").lower():
        fail(f"the launcher started the program in {started!r}")
    if not (user_folder / "keysets").is_dir():
        fail("the launcher did not make the user's keysets folder")
    shutil.rmtree(trial)
    shutil.rmtree(user_folder)
    shutil.move(program_folder / "away", user_folder)

    # The uninstaller runs from a copy of its own in the temporary folder and ends
    # when the program's folder is gone.
    wine(program + r"\uninstall.exe", "/S")
    wait_until(lambda: not program_folder.exists(), f"{program} is still there after uninstalling")
    if link.exists():
        fail("the Start-menu entry outlived the uninstaller")
    if wine("reg", "query", UNINSTALL_KEY, check=False)[0] == 0:
        fail("the program is still listed among the installed programs")
    keyset = user_folder / "keysets" / "Notepad.qrb"
    if not keyset.is_file() or keyset.read_bytes() != USER_KEYSET:
        fail("the uninstaller did not leave the user's keyset as it was")
    preferences = user_folder / "QuorbelU.ini"
    if not preferences.is_file() or preferences.read_bytes() != USER_PREFERENCES:
        fail("the uninstaller did not leave the user's preferences as they were")
    shutil.rmtree(user_folder, ignore_errors=True)


# A command interpreter that waits for its input keeps Wine's server and
# services up between the steps; without it they start again for each step,
# three seconds every time.
keeper = subprocess.Popen([wine_run, str(prefix), "cmd"], stdin=subprocess.PIPE,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    check()
finally:
    keeper.stdin.close()
    keeper.wait(timeout=60)
sys.exit(1 if failures else 0)
