"""Helpers for driving the built player from the outside, as a person would: its own sound
server, recordings of what the sink plays, real clicks and keys through xdotool, the tray, the
process and its configuration file. Standard library only."""
import array
import os
import shutil
import signal
import subprocess
import tempfile
import time

TITLE = "欢迎使用Tazmelmp3播放器！"
RATE = 44100


def sh(command, check=False, env=None):
    result = subprocess.run(command, shell=True, capture_output=True, text=True, env=env)
    if check and result.returncode != 0:
        raise RuntimeError(f"{command}: {result.stderr}")
    return result.stdout


def wait_until(condition, seconds=10.0, step=0.05):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(step)
    return condition()


class Checks:
    """Named checks; prints each, and the closing 'N passed, N failed' line."""

    def __init__(self):
        self.passed = self.failed = 0

    def check(self, name, ok, detail=""):
        if ok:
            self.passed += 1
            print(f"ok: {name}", flush=True)
        else:
            self.failed += 1
            print(f"FAIL: {name} {detail}", flush=True)
        return ok

    def finish(self):
        print(f"{self.passed} passed, {self.failed} failed", flush=True)
        return 0 if self.failed == 0 else 1


class SoundServer:
    """A PulseAudio daemon of our own with a null sink `e2e_out`; killed and restarted at will."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="tazmel-e2e-pulse.")
        self.address = f"unix:{self.folder}/native"
        self.process = None
        os.environ["PULSE_SERVER"] = self.address

    def start(self):
        # Off the session bus: a server there claims names another server may hold.
        env = dict(os.environ, HOME=self.folder, XDG_RUNTIME_DIR=self.folder,
                   DBUS_SESSION_BUS_ADDRESS=f"unix:path={self.folder}/no-bus")
        self.process = subprocess.Popen(
            ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no",
             "--log-target=stderr", "--log-level=0",
             "-L", "module-null-sink sink_name=e2e_out rate=44100 channels=2",
             "-L", f"module-native-protocol-unix auth-anonymous=1 socket={self.folder}/native"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        ok = wait_until(lambda: subprocess.run(["pactl", "info"], capture_output=True).returncode == 0)
        sh("pactl set-default-sink e2e_out")
        return ok

    def kill(self):
        if self.process:
            self.process.kill()
            self.process.wait()
            self.process = None
        try:
            os.remove(f"{self.folder}/native")
        except FileNotFoundError:
            pass

    def volume(self):
        out = sh("pactl get-sink-volume e2e_out")
        return [int(part.split("/")[0].split(":")[-1]) for part in out.split(",") if "/" in part]

    def muted(self):
        return "yes" in sh("pactl get-sink-mute e2e_out")

    def close(self):
        self.kill()
        shutil.rmtree(self.folder, ignore_errors=True)


class Recording:
    """What the sink plays, from its monitor, while the `with` block runs."""

    def __enter__(self):
        self.file = tempfile.NamedTemporaryFile(suffix=".raw", delete=False)
        self.process = subprocess.Popen(
            ["parec", "--device=e2e_out.monitor", "--format=s16le", "--rate=44100", "--channels=1", "--raw",
             "--latency-msec=10"], stdout=self.file)
        time.sleep(0.15)
        return self

    def __exit__(self, *unused):
        self.process.send_signal(signal.SIGINT)
        self.process.wait()
        self.file.close()
        data = array.array("h")
        with open(self.file.name, "rb") as f:
            data.frombytes(f.read()[: (os.path.getsize(self.file.name) // 2) * 2])
        os.remove(self.file.name)
        self.samples = data

    def onset(self, level=2000):
        for i, v in enumerate(self.samples):
            if abs(v) > level:
                return i
        return None

    def frequency(self, start_ms=30, length_ms=300):
        """Hz of the sound from `start_ms` after it began, by rising zero crossings."""
        begin = self.onset()
        if begin is None:
            return 0.0
        s = self.samples[begin + RATE * start_ms // 1000: begin + RATE * (start_ms + length_ms) // 1000]
        crossings = [i for i in range(1, len(s)) if s[i - 1] < 0 <= s[i]]
        if len(crossings) < 2:
            return 0.0
        return (len(crossings) - 1) * RATE / (crossings[-1] - crossings[0])

    def loud(self):
        return self.onset() is not None

    def tones(self, window_ms=100, level=1500):
        """The tones heard in order: [(Hz, milliseconds)], silence left out, a tone that goes on
        (or comes back after silence) counted once with its whole length."""
        n = RATE * window_ms // 1000
        heard = []
        for start in range(0, len(self.samples) - n, n):
            s = self.samples[start:start + n]
            if max(abs(v) for v in s) < level:
                continue
            crossings = [i for i in range(1, len(s)) if s[i - 1] < 0 <= s[i]]
            if len(crossings) < 2:
                continue
            hz = (len(crossings) - 1) * RATE / (crossings[-1] - crossings[0])
            if heard and abs(heard[-1][0] - hz) < 15:
                # The tone's frequency is the mean over all its windows, not its first window's.
                last_hz, last_ms = heard[-1]
                heard[-1] = ((last_hz * last_ms + hz * window_ms) / (last_ms + window_ms), last_ms + window_ms)
            else:
                heard.append((hz, window_ms))
        return [(round(hz), ms) for hz, ms in heard if ms >= 2 * window_ms]


class Bench:
    """A run's own places: its sound server, a music folder of songs and a folder for the program
    (where its 目录.ini lies), optionally with the music folder already stored."""

    def __init__(self, songs, store_music=False, config_before=""):
        self.server = SoundServer()
        self.server.start()
        self.work = tempfile.mkdtemp(prefix="tazmel-e2e.")
        self.music = os.path.join(self.work, "music")
        self.home = os.path.join(self.work, "program")
        os.makedirs(self.music)
        os.makedirs(self.home)
        for name, seconds, tone in songs:
            make_song(os.path.join(self.music, name), seconds, tone)
        if store_music:
            with open(os.path.join(self.home, "目录.ini"), "w", encoding="utf-8", newline="") as f:
                f.write(f"{config_before}[配置]\r\n路径={self.music}\r\n")

    def close(self):
        self.server.close()
        shutil.rmtree(self.work, ignore_errors=True)


def make_song(path, seconds, tone):
    """`tone`: a sox synth description, e.g. 'sine 440' or 'sine 300:1290'."""
    wav = path + ".wav"
    sh(f"sox -n -r 44100 -c 2 -b 16 '{wav}' synth {seconds} {tone} vol 0.4", check=True)
    sh(f"lame --quiet -b 128 '{wav}' '{path}'", check=True)
    os.remove(wav)


class Player:
    """The built program, started from a folder of its own so that its 目录.ini lies there."""

    def __init__(self, program, folder, wrapper=()):
        self.folder = folder
        self.binary = os.path.join(folder, "tazmel-mp3")
        if not os.path.exists(self.binary):
            shutil.copy(program, self.binary)
        self.process = subprocess.Popen([*wrapper, self.binary], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.window = None
        wait_until(lambda: self._find() is not None, 15)

    def _find(self):
        ids = sh(f"xdotool search --onlyvisible --name '{TITLE}'").split()
        self.window = ids[0] if ids else None
        return self.window

    @property
    def config(self):
        return os.path.join(self.folder, "目录.ini")

    def visible(self):
        return bool(sh(f"xdotool search --onlyvisible --name '{TITLE}'").split())

    def alive(self):
        return self.process.poll() is None

    def click(self, x, y, button=1):
        """A real click at (x, y) of the window's client area."""
        self._find()
        sh(f"xdotool mousemove --window {self.window} {x} {y} click {button}")
        time.sleep(0.15)

    def drag(self, x1, y, x2, steps=8):
        self._find()
        sh(f"xdotool mousemove --window {self.window} {x1} {y} mousedown 1")
        for i in range(1, steps + 1):
            sh(f"xdotool mousemove --window {self.window} {x1 + (x2 - x1) * i // steps} {y}")
        sh("xdotool mouseup 1")
        time.sleep(0.15)

    def keys(self, *names):
        self._find()
        sh(f"xdotool windowactivate --sync {self.window} key --delay 20 {' '.join(names)}")
        time.sleep(0.15)

    def outer_top_left(self):
        self._find()
        info = sh(f"xwininfo -id {self.window}")
        extents = sh(f"xprop -id {self.window} _NET_FRAME_EXTENTS").split("=")[-1].replace(",", " ").split()
        x = int(info.split("Absolute upper-left X:")[1].split()[0])
        y = int(info.split("Absolute upper-left Y:")[1].split()[0])
        if len(extents) == 4:
            x -= int(extents[0])
            y -= int(extents[2])
        return x, y

    def tray_icon(self):
        for wid in sh("xdotool search --classname tazmel-mp3").split():
            info = sh(f"xwininfo -id {wid}")
            if "Width:" not in info:
                continue
            width = int(info.split("Width:")[1].split()[0])
            x = int(info.split("Absolute upper-left X:")[1].split()[0])
            y = int(info.split("Absolute upper-left Y:")[1].split()[0])
            if 0 < width <= 32 and x > 0:
                return x + width // 2, y + width // 2
        return None

    def click_tray(self, button=1):
        at = None
        wait_until(lambda: (at := self.tray_icon()) is not None, 5)
        at = self.tray_icon()
        if at:
            sh(f"xdotool mousemove {at[0]} {at[1]} click {button}")
        time.sleep(0.4)
        return at is not None

    def minimise(self):
        self._find()
        sh(f"xdotool windowminimize {self.window}")
        time.sleep(0.4)

    def resident_kb(self):
        return self._status("VmRSS:")

    def threads(self):
        return self._status("Threads:")

    def _status(self, field):
        with open(f"/proc/{self.process.pid}/status") as status:
            for line in status:
                if line.startswith(field):
                    return int(line.split()[1])
        return -1

    def wait_exit(self, seconds=10):
        try:
            return self.process.wait(seconds)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return None

    def stop(self):
        if self.alive():
            self.process.kill()
            self.process.wait()


# Where a person clicks in the window (client coordinates: the centres of the controls).
ADD = (395, 24)
EXIT = (395, 63)
PREVIOUS = (30, 99)
NEXT = (96, 99)
PAUSE = (158, 99)
CONTINUE = (352, 99)
MUTE = (412, 99)
REPEAT_ONE = (48, 129)
LOOP_LIST = (153, 129)
IN_ORDER = (386, 129)
FIRST_ROW = (60, 170)
LIST_BELOW_ITEMS = (220, 290)  # inside the playlist, below a few items
BAND_Y = 18  # the slider's uncovered band, y = 14 to 22
BAND_LEFT = 8  # the slider's left edge; a press at BAND_LEFT + x is x in the slider


def answer_folder_picker(path):
    """Types the folder into the open picker and presses Enter."""
    ok = wait_until(lambda: sh("xdotool search --onlyvisible --name '寻找MP3文件'").strip() != "", 10)
    if ok:
        picker = sh("xdotool search --onlyvisible --name '寻找MP3文件'").split()[0]
        sh(f"xdotool windowactivate --sync {picker}")
        time.sleep(0.3)
        sh(f"xdotool type --delay 5 '{path}'")
        sh("xdotool key Return")
        wait_until(lambda: sh("xdotool search --onlyvisible --name '寻找MP3文件'").strip() == "", 10)
    return ok
