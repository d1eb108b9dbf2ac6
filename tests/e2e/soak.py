#!/usr/bin/python3
"""A soak run from the outside: rapid selections, slider presses and drags, then playback in
loop-list mode. Resident memory and thread count must stay flat, and the window must answer
throughout. Usage (inside scripts/headless-bench --no-sound):
    soak.py PROGRAM [SELECTIONS PRESSES PLAYBACK_SECONDS]   (default 300 300 60)"""
import os
import sys
import time

from desktop import BAND_LEFT, BAND_Y, FIRST_ROW, LOOP_LIST, Bench, Checks, Player, sh, wait_until


def answer_time(player):
    """Seconds for the window to hide and come back from the tray; None if it did not."""
    start = time.time()
    player.click_tray()
    if not wait_until(lambda: not player.visible(), 5):
        return None
    player.click_tray()
    if not wait_until(player.visible, 5):
        return None
    return time.time() - start


def main(program, selections, presses, playback_seconds):
    checks = Checks()
    songs = [(f"{i:02d} 歌.mp3", 2, f"sine {hz}") for i, hz in enumerate((440, 550, 660))]
    bench = Bench(songs + [("03 长.mp3", 30, "sine 300:900")], store_music=True)
    player = Player(program, bench.home)
    player.click(*FIRST_ROW)
    time.sleep(2)
    memory = [player.resident_kb()]
    threads = [player.threads()]
    slowest = 0.0

    def probe():
        nonlocal slowest
        took = answer_time(player)
        slowest = max(slowest, took if took is not None else 99)
        memory.append(player.resident_kb())
        threads.append(player.threads())

    # Rapid selections with the keyboard, a hundred at a time.
    done = 0
    while done < selections:
        batch = min(100, selections - done)
        player.click(*FIRST_ROW)
        keys = " ".join("Down" if i % 2 == 0 else "Up" for i in range(batch - 1))
        if keys:
            sh(f"xdotool key --delay 3 {keys}")
        done += batch
        probe()
    # Presses on the progress band and drags of its thumb, fifty at a time.
    done = 0
    while done < presses:
        batch = min(50, presses - done)
        commands = []
        for i in range(batch):
            x = BAND_LEFT + 10 + (i * 37 + done) % 260
            if i % 5 == 4:
                commands.append(f"mousemove --window {player.window} {x} {BAND_Y} mousedown 1 "
                                f"mousemove --window {player.window} {x + 40} {BAND_Y} "
                                f"mousemove --window {player.window} {x + 80} {BAND_Y} mouseup 1")
            else:
                commands.append(f"mousemove --window {player.window} {x} {BAND_Y} click 1")
        sh("xdotool " + " ".join(commands))
        done += batch
        probe()
    # Playback, looping over the list.
    player.click(*LOOP_LIST)
    player.click(*FIRST_ROW)
    end = time.time() + playback_seconds
    while time.time() < end:
        time.sleep(min(15, max(0, end - time.time())))
        probe()

    print(f"resident memory: start {memory[0] / 1024:.1f} MB, peak {max(memory) / 1024:.1f} MB, "
          f"end {memory[-1] / 1024:.1f} MB; threads: start {threads[0]}, max {max(threads)}, end {threads[-1]}; "
          f"slowest answer {slowest:.2f} s", flush=True)
    checks.check("the program is still running", player.alive())
    checks.check("the window answered throughout (tray round trip within 5 s)", slowest < 5)
    checks.check("resident memory stays flat (within 8 MB of the start)", memory[-1] - memory[0] < 8 * 1024,
                 f"{memory[0]} -> {memory[-1]} kB")
    checks.check("thread count stays flat", max(threads) <= threads[0] + 2 and threads[-1] <= threads[0] + 1,
                 str(threads))
    player.keys("Escape")
    checks.check("it ends in order afterwards", player.wait_exit() == 0)
    bench.close()
    return checks.finish()


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    args = [int(a) for a in sys.argv[2:5]] or [300, 300, 60]
    sys.exit(main(os.path.abspath(sys.argv[1]), *args))
