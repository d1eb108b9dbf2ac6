#!/usr/bin/python3
"""Media keys and the desktop's player controls: playerctl and D-Bus calls drive the built
player over the bench's session bus (MPRIS 2) and are checked by what the sink plays, by what
the player reports and by the window; then the player without a session bus.
Usage (inside scripts/headless-bench --no-sound): media_keys.py PROGRAM"""
import os
import subprocess
import sys
import time

from desktop import FIRST_ROW, Bench, Checks, Player, Recording, sh, wait_until

PLAYER = "tazmel_mp3"
SONGS = [("01 低音 A440.mp3", 8, "sine 440"), ("02 中音 E660.mp3", 8, "sine 660"), ("03 高音 A880.mp3", 1.0, "sine 880")]


def playerctl(*words):
    return sh(f"playerctl -p {PLAYER} {' '.join(words)}").strip()


def call(method, interface="org.mpris.MediaPlayer2"):
    return subprocess.run(["dbus-send", "--session", "--print-reply", f"--dest=org.mpris.MediaPlayer2.{PLAYER}",
                           "/org/mpris/MediaPlayer2", f"{interface}.{method}"], capture_output=True).returncode


def tones_after(act, seconds=4.0):
    with Recording() as heard:
        act()
        time.sleep(seconds)
    return heard.tones()


def first_tone_is(tones, hz, among=1):
    return any(abs(heard - hz) <= 15 for heard, _ in tones[:among])


def with_bus(program, checks):
    bench = Bench(SONGS, store_music=True)
    player = Player(program, bench.home)
    checks.check("the player is on the session bus", wait_until(lambda: PLAYER in sh("playerctl -l").split(), 5),
                 sh("playerctl -l"))
    checks.check("nothing plays at first", playerctl("status") == "Stopped", playerctl("status"))
    follow = subprocess.Popen(["playerctl", "-p", PLAYER, "--follow", "status"], stdout=subprocess.PIPE, text=True)

    tones = tones_after(lambda: playerctl("next"))
    checks.check("next plays the first song", first_tone_is(tones, 440), str(tones))
    checks.check("and the status says so", playerctl("status") == "Playing", playerctl("status"))
    checks.check("the title is the song-name label's text", playerctl("metadata", "title") == SONGS[0][0],
                 playerctl("metadata", "title"))

    playerctl("pause")
    time.sleep(0.3)
    with Recording() as paused:
        time.sleep(1.5)
    checks.check("pause makes it silent", not paused.loud())
    checks.check("paused", playerctl("status") == "Paused", playerctl("status"))
    tones = tones_after(lambda: playerctl("play"), 3)
    checks.check("play continues the song", first_tone_is(tones, 440), str(tones))
    playerctl("play-pause")
    checks.check("play-pause while playing pauses", wait_until(lambda: playerctl("status") == "Paused", 2))
    playerctl("play-pause")
    checks.check("play-pause while paused continues", wait_until(lambda: playerctl("status") == "Playing", 2))

    tones = tones_after(lambda: playerctl("next"))
    checks.check("next plays the second song", first_tone_is(tones, 660, among=2), str(tones))
    checks.check("with its title", playerctl("metadata", "title") == SONGS[1][0], playerctl("metadata", "title"))
    tones = tones_after(lambda: playerctl("previous"))
    checks.check("previous plays the first again", first_tone_is(tones, 440, among=2), str(tones))

    # The last song (1 s) ends in order: nothing more plays and the status follows.
    player.click(*FIRST_ROW)
    player.keys("End")
    checks.check("a song that ended leaves the player stopped",
                 wait_until(lambda: playerctl("status") == "Stopped", 10), playerctl("status"))

    follow.terminate()
    followed = follow.communicate()[0].split()
    checks.check("every change of status was announced on the bus",
                 followed[:1] == ["Stopped"] and followed.count("Paused") >= 2 and followed[-1] == "Stopped"
                 and "Playing" in followed, str(followed))

    # Raise brings back a window hidden in the tray, as a click on the tray icon does.
    player.click_tray()
    hidden = wait_until(lambda: not player.visible(), 3)
    checks.check("raise shows the hidden window", hidden and call("Raise") == 0 and wait_until(player.visible, 3))
    checks.check("centred", wait_until(lambda: player.outer_top_left() == (734, 372), 3), str(player.outer_top_left()))

    config = open(player.config, "rb").read()
    checks.check("quit ends the player with exit code 0", call("Quit") == 0 and player.wait_exit() == 0)
    checks.check("the configuration is intact", open(player.config, "rb").read() == config)
    checks.check("and it has left the bus", wait_until(lambda: PLAYER not in sh("playerctl -l").split(), 3))
    bench.close()


def without_bus(program, checks):
    bench = Bench(SONGS, store_music=True)
    saved = os.environ["DBUS_SESSION_BUS_ADDRESS"]
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={bench.work}/no-bus"
    try:
        player = Player(program, bench.home)
        checks.check("without a session bus the player starts", player.window is not None)
        tones = tones_after(lambda: player.click(*FIRST_ROW))
        checks.check("and plays", first_tone_is(tones, 440), str(tones))
        player.keys("Escape")
        checks.check("and ends with exit code 0", player.wait_exit() == 0)
    finally:
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = saved
        bench.close()


def main(program):
    checks = Checks()
    with_bus(program, checks)
    without_bus(program, checks)
    return checks.finish()


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    sys.exit(main(os.path.abspath(sys.argv[1])))
