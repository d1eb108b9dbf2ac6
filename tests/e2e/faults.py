#!/usr/bin/python3
"""Faults from the outside: the sound server killed during a song and started again, no sound
server at start, the tray quitting, the music folder deleted while listed, a song truncated and
replaced while it plays, a full disk and a read-only folder when the folder is stored. After
each: the program still runs and answers, nothing hangs, and 目录.ini is whole.
Usage (inside scripts/headless-bench --no-sound): faults.py PROGRAM"""
import os
import shutil
import signal
import sys
import tempfile
import time

from desktop import (ADD, EXIT, FIRST_ROW, NEXT, Bench, Checks, Player, Recording, answer_folder_picker, sh,
                     wait_until)


def answers(player):
    """The window still handles input: a tray click hides it and another brings it back."""
    if not player.alive():
        return False
    player.click_tray()
    hidden = wait_until(lambda: not player.visible(), 3)
    player.click_tray()
    return hidden and wait_until(player.visible, 3)


def store(player, folder):
    player.click(*ADD)
    return answer_folder_picker(folder)


def main(program):
    checks = Checks()
    bench = Bench([("01 A440.mp3", 6, "sine 440"), ("02 长歌.mp3", 20, "sine 300:900")], store_music=True,
                  config_before="; 我的设置\r\n[其他]\r\n键=值\r\n")
    server, work, music, home = bench.server, bench.work, bench.music, bench.home

    # The sound server killed during a song, then started again.
    player = Player(program, home)
    player.click(*FIRST_ROW)
    time.sleep(1.5)
    server.kill()
    time.sleep(1)
    checks.check("server killed mid-song: the program runs on and answers", answers(player))
    player.click(*NEXT)
    checks.check("server gone: next plays silently, nothing hangs", answers(player))
    server.start()
    with Recording() as heard:
        player.click(*FIRST_ROW)
        time.sleep(4)
    checks.check("server back: the next play is heard again", heard.loud())
    player.click(*EXIT)
    checks.check("and the program ends in order", player.wait_exit() == 0)

    # No sound server at start.
    server.kill()
    player = Player(program, home)
    checks.check("no server at start: the window comes", player.window is not None)
    player.click(*FIRST_ROW)
    time.sleep(1)
    checks.check("no server at start: a song plays silently and the window answers", answers(player))
    player.click(*EXIT)
    checks.check("no server at start: ends in order", player.wait_exit() == 0)
    server.start()

    # The music folder deleted while its songs are listed; a song truncated, then replaced, while
    # it plays.
    copy = os.path.join(work, "copy")
    shutil.copytree(music, copy)
    player = Player(program, home)
    checks.check("a copy of the folder is added", store(player, copy))
    player.keys("End")  # the copy's long song
    time.sleep(1.5)
    song = os.path.join(copy, "02 长歌.mp3")
    with open(song, "r+b") as f:
        f.truncate(os.path.getsize(song) // 3)
    time.sleep(1)
    with open(song, "wb") as f:
        f.write("这不是歌曲".encode() * 1000)
    time.sleep(1)
    checks.check("a song truncated and replaced while it plays: the program answers", answers(player))
    shutil.rmtree(copy)
    player.keys("Up", "Down", "End", "Home")
    player.click(*NEXT)
    checks.check("the folder deleted while listed: the program answers", answers(player))
    player.click(*EXIT)
    checks.check("and ends in order", player.wait_exit() == 0)

    # A full disk when the folder is stored: the old file stays whole.
    config = os.path.join(home, "目录.ini")
    before = open(config, "rb").read()
    long_folder = os.path.join(work, "a-long-folder-name-" + "x" * 60)
    os.makedirs(long_folder)
    player = Player(program, home, wrapper=["prlimit", f"--fsize={len(before) + 8}"])
    checks.check("full disk: the picker still works", store(player, long_folder))
    time.sleep(0.5)
    checks.check("full disk: the program runs on", player.alive() and answers(player))
    checks.check("full disk: 目录.ini is as it was", open(config, "rb").read() == before)
    checks.check("full disk: no half-written file is left", sorted(os.listdir(home)) == ["tazmel-mp3", "目录.ini"],
                 str(os.listdir(home)))
    player.click(*EXIT)
    checks.check("full disk: ends in order", player.wait_exit() == 0)

    # A read-only folder: the program's folder and file belong to another user.
    locked = os.path.join(work, "locked")
    os.makedirs(locked)
    shutil.copy(config, os.path.join(locked, "目录.ini"))
    os.chmod(locked, 0o755)
    os.chmod(work, 0o755)
    os.chmod(os.path.join(locked, "目录.ini"), 0o644)
    runtime = tempfile.mkdtemp(prefix="tazmel-nobody.")
    os.chown(runtime, 65534, 65534)
    os.chmod(long_folder, 0o755)
    player = Player(program, locked, wrapper=["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                                              "env", f"XDG_RUNTIME_DIR={runtime}", "HOME=" + runtime])
    checks.check("read-only folder: the window comes", player.window is not None)
    checks.check("read-only folder: the picker still works", store(player, long_folder))
    time.sleep(0.5)
    checks.check("read-only folder: the program runs on", player.alive() and answers(player))
    checks.check("read-only folder: 目录.ini is as it was", open(os.path.join(locked, "目录.ini"), "rb").read() == before)
    player.click(*EXIT)
    checks.check("read-only folder: ends in order", player.wait_exit() == 0)

    # Last, as nothing after it has a tray: the tray quits while the window is hidden.
    player = Player(program, home)
    player.click_tray()
    hidden = wait_until(lambda: not player.visible(), 3)
    tray = os.environ.get("TAZMEL_BENCH_TRAY_PID")
    if tray:
        os.kill(int(tray), signal.SIGTERM)
    checks.check("the tray quits while hidden: the window is shown again",
                 hidden and tray and wait_until(player.visible, 5))
    player.minimise()
    time.sleep(0.5)
    checks.check("without a tray, minimising only minimises (the window stays in the taskbar)",
                 "Iconic" in sh(f"xprop -id {player.window} WM_STATE"))
    sh(f"xdotool windowactivate {player.window}")  # from the taskbar, as it were
    time.sleep(0.5)
    player.keys("Escape")
    checks.check("and Esc still ends it in order", player.wait_exit() == 0)

    bench.close()
    shutil.rmtree(runtime, ignore_errors=True)
    return checks.finish()


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    sys.exit(main(os.path.abspath(sys.argv[1])))
