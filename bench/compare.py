#!/usr/bin/python3
"""Measures our player, Audacious and Qmmp the same way (run by bench/compare inside the headless
bench): start to window shown with a 10,000-song playlist and resident memory after start (each
player's own remembered list: our stored folder, their saved playlists), resident memory while
playing, CPU seconds per minute of playback, and the time from a selection (MPRIS Next, the same
D-Bus call for all) to the first sound handed to the sound server (one LD_PRELOAD probe in all).
Usage: compare.py BUILD_DIR STARTS"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

BUILD, STARTS = os.path.abspath(sys.argv[1]), int(sys.argv[2])
TOOLS = os.path.join(BUILD, "bench")
PROBE = os.path.join(TOOLS, "libfirst_sound_probe.so")
WORK = tempfile.mkdtemp(prefix="tazmel-compare.")
SELECTIONS = 11


def sh(command, **kw):
    return subprocess.run(command, shell=True, capture_output=True, text=True, **kw).stdout


def wait_until(condition, seconds):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.1)
    return condition()


def encode(path, seconds, synth):
    wav = path + ".wav"
    sh(f"sox -n -r 44100 -c 2 -b 16 '{wav}' synth {seconds} {synth}")
    sh(f"lame --quiet -b 192 '{wav}' '{path}'")
    os.remove(wav)


# The same files for everyone.
MUSIC = os.path.join(WORK, "play")
LIBRARY = os.path.join(WORK, "library")
os.makedirs(MUSIC)
os.makedirs(LIBRARY)
encode(f"{MUSIC}/01 music.mp3", 50, "pinknoise vol 0.3 synth sine mix 220 synth sine mix 330")
encode(f"{MUSIC}/02 silence.mp3", 60, "sine 440 vol 0")
encode(f"{MUSIC}/03 tone.mp3", 20, "sine 440 vol 0.5")
encode(f"{WORK}/one.mp3", 2, "sine 440 vol 0.5")
for i in range(int(os.environ.get("TAZMEL_COMPARE_SONGS", "10000"))):
    os.link(f"{WORK}/one.mp3", f"{LIBRARY}/song {i:05d}.mp3")


class Player:
    """One player with a home of its own, so that no setting of one run leaks into another."""

    def __init__(self, name, mpris):
        self.name, self.mpris = name, mpris
        self.home = os.path.join(WORK, name)
        os.makedirs(self.home, exist_ok=True)
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                        XDG_DATA_HOME=os.path.join(self.home, ".local/share"),
                        XDG_CACHE_HOME=os.path.join(self.home, ".cache"))
        self.process = None

    def start(self, args=(), probe=None):
        env = dict(self.env)
        if probe:
            env.update(LD_PRELOAD=PROBE, TAZMEL_PROBE_FILE=probe)
        self.process = subprocess.Popen([*self.command(), *args], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        ok = wait_until(lambda: self.mpris in sh("playerctl -l").split(), 30)
        time.sleep(1)
        return ok

    def stop(self):
        if self.process and self.process.poll() is None:
            sh(f"playerctl -p {self.mpris} stop")
            self.process.terminate()
            try:
                self.process.wait(15)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def status(self):
        return sh(f"playerctl -p {self.mpris} status").strip()

    def call(self, method):
        out = subprocess.run([f"{TOOLS}/mpris_call", self.mpris, method], capture_output=True, text=True, env=self.env)
        return float(out.stdout) if out.returncode == 0 and out.stdout.strip() else None

    def timed_starts(self):
        shown, rss = [], []
        for _ in range(STARTS):
            out = subprocess.run([f"{TOOLS}/window_clock", "2000", *self.command()], capture_output=True, text=True,
                                 env=self.env).stdout.split()
            if len(out) == 2:
                shown.append(float(out[0]))
                rss.append(int(out[1]) / 1024)
            time.sleep(1)
        return shown, rss


class Ours(Player):
    def __init__(self):
        super().__init__("tazmel", "tazmel_mp3")
        shutil.copy(os.path.join(BUILD, "tazmel-mp3"), self.home)

    def command(self):
        return [os.path.join(self.home, "tazmel-mp3")]

    def remember(self, folder):
        with open(os.path.join(self.home, "目录.ini"), "w", encoding="utf-8", newline="") as f:
            f.write(f"[配置]\r\n路径={folder}\r\n")

    def play_first(self):
        self.call("Next")  # from no selection, the first song


class Audacious(Player):
    def __init__(self):
        super().__init__("audacious", "audacious")

    def command(self):
        return ["audacious"]

    def remember(self, folder):
        # Its saved playlist: the folder added once, then kept by Audacious itself.
        shutil.rmtree(os.path.join(self.home, ".config/audacious"), ignore_errors=True)
        self.start(["-e", folder])
        wait_until(lambda: sh("audtool playlist-length", env=self.env).strip() == str(count(folder)), 300)
        sh("audtool playback-stop", env=self.env)
        sh("audtool shutdown", env=self.env)
        self.process.wait(30)

    def play_first(self):
        sh("audtool playlist-jump 1", env=self.env)
        self.call("Play")


class Qmmp(Player):
    def __init__(self):
        super().__init__("qmmp", "qmmp")

    def command(self):
        return ["qmmp"]

    def remember(self, folder):
        config = os.path.join(self.home, ".qmmp/qmmprc")
        shutil.rmtree(os.path.join(self.home, ".qmmp"), ignore_errors=True)
        # A first start writes its settings; then its MPRIS plugin is turned on, and dithering
        # off so that silence stays digital silence for the probe.
        self.process = subprocess.Popen(["qmmp"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: os.path.exists(config), 20)
        time.sleep(2)
        sh("qmmp -q", env=self.env)
        self.process.wait(30)
        text = open(config).read().replace("[%General]\n", "[%General]\nenabled_plugins=mpris\n", 1)
        text = text.replace("dithering=true", "dithering=false")
        open(config, "w").write(text)
        self.start([folder])
        sh(f"playerctl -p {self.mpris} stop")
        # It adds a folder in the background and saves its playlist when it quits.
        wait_until(lambda: len(sh("qmmp --pl-dump 1", env=self.env).splitlines()) >= count(folder), 600)
        sh(f"playerctl -p {self.mpris} stop")
        sh("qmmp -q", env=self.env)
        self.process.wait(60)

    def play_first(self):
        self.call("Play")


def count(folder):
    return len([n for n in os.listdir(folder) if n.endswith(".mp3")])


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def resident_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return float("nan")


def measure(player):
    figures = {}
    print(f"== {player.name}", flush=True)
    player.remember(LIBRARY)
    shown, rss = player.timed_starts()
    figures["start"] = statistics.median(shown) if shown else None
    figures["rss_start"] = statistics.median(rss) if rss else None
    print(f"  start to window, 10,000 songs: {shown}", flush=True)

    player.remember(MUSIC)
    probe = os.path.join(WORK, f"{player.name}.probe")
    if not player.start(probe=probe):
        print("  not on the session bus; playback rows left empty", flush=True)
        player.stop()
        return figures
    player.play_first()
    wait_until(lambda: player.status() == "Playing", 10)
    time.sleep(5)
    pid = player.process.pid
    figures["rss_playing"] = resident_mb(pid)
    before = cpu_seconds(pid)
    time.sleep(30)
    figures["cpu"] = (cpu_seconds(pid) - before) * 2
    print(f"  playing: {figures['rss_playing']:.1f} MB, {figures['cpu']:.2f} CPU s/min", flush=True)

    player.call("Next")  # to the silent song
    latencies = []
    for _ in range(SELECTIONS):
        time.sleep(2.5)
        sent = player.call("Next")  # to the tone
        time.sleep(1.5)
        sounds = [float(t) for t in open(probe).read().split()] if os.path.exists(probe) else []
        after = [t - sent for t in sounds if sent is not None and t > sent]
        if after:
            latencies.append(min(after))
        player.call("Previous")  # back to silence
    figures["select"] = statistics.median(latencies) if latencies else None
    print(f"  selection to first sound: {[round(x, 1) for x in latencies]}", flush=True)
    player.stop()
    return figures


ROWS = [("start to window shown, 10,000-song list", "start", "ms"),
        ("resident memory after start", "rss_start", "MB"),
        ("resident memory while playing", "rss_playing", "MB"),
        ("CPU per minute of playback", "cpu", "s"),
        ("selection to first sound", "select", "ms")]


def main():
    players = [Ours(), Audacious(), Qmmp()]
    only = os.environ.get("TAZMEL_COMPARE_ONLY")
    results = {p.name: measure(p) if not only or p.name == only else {} for p in players}
    cpu = sh("grep -m1 'model name' /proc/cpuinfo").split(":")[-1].strip()
    print(f"\nMeasured {time.strftime('%Y-%m-%d')} on {cpu}, {os.cpu_count()} cores; headless bench "
          f"(Xvfb, openbox, PulseAudio null sink); medians; lower is better.\n")
    print("| measure | TazmelMP3播放器 | Audacious 4.2 | Qmmp 1.6 | ours / best peer |")
    print("|---|---:|---:|---:|---:|")
    ahead = True
    for label, key, unit in ROWS:
        values = [results[p.name].get(key) for p in players]
        peers = [v for v in values[1:] if v is not None]
        ratio = values[0] / min(peers) if values[0] is not None and peers and min(peers) > 0 else None
        ahead = ahead and ratio is not None and ratio < 1
        shown = [f"{v:.{2 if unit == 's' else 1}f} {unit}" if v is not None else "-" for v in values]
        print(f"| {label} | {' | '.join(shown)} | {f'{ratio:.2f}' if ratio is not None else '-'} |")
    print(f"\nahead of both peers on every row: {'yes' if ahead else 'no'}")
    shutil.rmtree(WORK, ignore_errors=True)


if __name__ == "__main__":
    main()
