#!/usr/bin/python3
"""A day of use of the built player, from the outside: first start, adding a folder, playing,
next and previous, pause and continue, seeking, the three play modes at the end of the list,
volume and mute, the tray, minimising, Esc and the exit button, and a second start.
Usage (inside scripts/headless-bench --no-sound): day_of_use.py PROGRAM"""
import os
import sys
import time

from desktop import (ADD, LIST_BELOW_ITEMS, BAND_LEFT, BAND_Y, CONTINUE, EXIT, FIRST_ROW, IN_ORDER, LOOP_LIST, MUTE, NEXT,
                     PAUSE, PREVIOUS, REPEAT_ONE, Bench, Checks, Player, Recording, answer_folder_picker, wait_until)


def hears(checks, name, expected_hz, act, tolerance=15, seconds=4.0, among=1):
    """One of the first `among` tones that sound for a while after `act` is `expected_hz` (what
    played before may still be heard for a moment)."""
    with Recording() as heard:
        act()
        time.sleep(seconds)
    tones = heard.tones()
    ok = any(abs(hz - expected_hz) <= tolerance for hz, _ in tones[:among])
    return checks.check(name, ok, f"heard {tones}, expected {expected_hz} Hz")


def silent(checks, name, act, seconds=1.5):
    """Nothing sounds after `act` (once what was already on its way has been heard)."""
    act()
    time.sleep(0.3)
    with Recording() as heard:
        time.sleep(seconds)
    return checks.check(name, not heard.loud())


def main(program):
    checks = Checks()
    bench = Bench([
        # Long enough that in order they do not move on while a step listens.
        ("01 低音 A440.mp3", 8, "sine 440"),
        ("02 中音 E660.mp3", 8, "sine 660"),
        # 20 s rising 300 Hz to 1300 Hz: the middle sounds near 800 Hz.
        ("03 渐升.mp3", 20, "sine 300:1300"),
        ("04 高音 A880.mp3", 1.0, "sine 880"),
    ])
    server, music, home = bench.server, bench.music, bench.home

    # First start, no configuration.
    player = Player(program, home)
    checks.check("first start shows the window", player.window is not None)
    checks.check("first start writes no configuration", not os.path.exists(player.config))
    silent(checks, "an empty playlist plays nothing", lambda: player.click(*FIRST_ROW), 1.0)

    # Adding the folder.
    player.click(*ADD)
    checks.check("the folder picker opens", answer_folder_picker(music))
    time.sleep(0.5)
    stored = open(player.config, encoding="utf-8", errors="replace").read() if os.path.exists(player.config) else ""
    checks.check("the added folder is stored", f"路径={music}" in stored, repr(stored))

    # Playing, next, previous, pause and continue.
    hears(checks, "a click on the first song plays it", 440, lambda: player.click(*FIRST_ROW))
    hears(checks, "next plays the second song", 660, lambda: player.click(*NEXT), among=2)
    hears(checks, "previous plays the first again", 440, lambda: player.click(*PREVIOUS), among=2)
    player.click(*FIRST_ROW)
    player.keys("Down", "Down")  # the third song, 20 s long
    time.sleep(1.5)
    silent(checks, "pause makes it silent", lambda: player.click(*PAUSE))
    with Recording() as resumed:
        player.click(*CONTINUE)
        time.sleep(3)
    checks.check("continue sounds again", resumed.loud())
    hears(checks, "a click on the progress band goes on from there", 800,
          lambda: player.click(BAND_LEFT + 133, BAND_Y), tolerance=40, seconds=2.5, among=3)

    # The three modes at the end of the list (the last song is 1 s of 880 Hz).
    def end_of_list(mode, seconds):
        player.click(*mode)
        player.click(*LIST_BELOW_ITEMS)  # the list takes the keyboard, nothing is selected
        with Recording() as heard:
            player.keys("End")  # the last song, chosen with the keyboard
            time.sleep(seconds)
        player.click(*PAUSE)
        # What sounded from the last song on; blips shorter than 300 ms (a song's start or end
        # caught inside one window) are no tones.
        tones = [(hz, ms) for hz, ms in heard.tones() if ms >= 300]
        while tones and abs(tones[0][0] - 880) > 15:
            tones.pop(0)
        return tones

    def near(tones, expected):
        return len(tones) >= len(expected) and all(abs(hz - want) < 15 for (hz, _), want in zip(tones, expected))

    tones = end_of_list(IN_ORDER, 5)
    checks.check("in order: nothing plays after the last song", len(tones) == 1 and near(tones, [880]), str(tones))
    tones = end_of_list(LOOP_LIST, 6)
    checks.check("loop: the first song follows the last", near(tones, [880, 440]), str(tones))
    tones = end_of_list(REPEAT_ONE, 6)
    checks.check("repeat one: the last song again and again",
                 len(tones) >= 1 and all(abs(hz - 880) < 15 for hz, _ in tones) and sum(ms for _, ms in tones) >= 1600,
                 str(tones))
    player.click(*IN_ORDER)

    # Volume and mute.
    before = server.volume()
    player.drag(65 + 20, 65, 65 + 102)  # the thumb, just right of the left arrow, to the right end
    after = server.volume()
    checks.check("dragging the volume bar to its right end silences the output",
                 after and max(after) < 2000 and not server.muted(), f"{before} -> {after}")
    player.drag(65 + 103 - 22, 65, 65 + 1)
    checks.check("and back to its left end makes it loud", max(server.volume()) > 60000, str(server.volume()))
    player.click(*MUTE)
    checks.check("mute mutes", server.muted())
    player.click(*MUTE)
    checks.check("mute again sounds", not server.muted())

    # The tray and minimising.
    player.click_tray()
    checks.check("a click on the tray icon hides the window", wait_until(lambda: not player.visible(), 3))
    player.click_tray()
    checks.check("another click brings it back", wait_until(player.visible, 3))
    checks.check("centred", wait_until(lambda: player.outer_top_left() == (734, 372), 3), str(player.outer_top_left()))
    player.minimise()
    checks.check("minimising hides it", wait_until(lambda: not player.visible(), 3))
    player.click_tray()
    checks.check("the tray brings it back", wait_until(player.visible, 3))

    # Esc ends it in order; the configuration stays.
    config = open(player.config, "rb").read()
    player.keys("Escape")
    checks.check("Esc ends the program with exit code 0", player.wait_exit() == 0)
    checks.check("the configuration is intact", open(player.config, "rb").read() == config)

    # Second start lists the stored folder; the exit button ends it.
    player = Player(program, home)
    hears(checks, "a second start lists the stored folder", 440, lambda: player.click(*FIRST_ROW))
    player.click(*EXIT)
    checks.check("the exit button ends the program with exit code 0", player.wait_exit() == 0)

    bench.close()
    return checks.finish()


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    sys.exit(main(os.path.abspath(sys.argv[1])))
