#!/usr/bin/env python3
"""Large scripts in the real program, through its real window under Xvfb,
driven by key presses, next to SciTE doing the same with the same bytes, and
cp copying them. Run by scripts/bench.sh; needs Xvfb, openbox, xdotool, scite.

    python3 scripts/bench_gui.py BUILD_DIR

Two SciTE peers, each with a HOME of its own:
- "SciTE as shipped": its own settings, which show a file over 10 MB
  (file.size.no.styles=10000000) as plain text;
- "SciTE colouring": the same with a ~/.SciTEUser.properties that raises
  file.size.no.styles and file.size.large to 2000000000, so that it colours
  the script as the program does (its properties lexer, the file being .ini).

Each process's CPU time is read in nanoseconds from /proc/PID/task/*/schedstat
every POLL seconds. A poll interval is busy when the process ran for more
than BUSY seconds of it, which a caret blink does not reach; an action ends at
the end of its last busy interval, once QUIET seconds have passed without one.
For each action both are kept: the wall time from the key to that end, and the
CPU time the process used meanwhile.

The same steps for the program and for each SciTE, once per run:
- open: the program from the Enter that closes its open dialog, SciTE its
  start with the file less its start without one; until idle;
- Ctrl+End right after the open; "open until the end is shown" is the two;
- Ctrl+Home, Right, then the first key typed there, then five more (the
  first key is reported apart from the later ones);
- the program only: the refresh tick that follows, which finds the first
  header renamed; and a save, compared with cp, the saved script compared
  with the original byte for byte.
Every action of the program starts just after one of its 3.5-second refresh
ticks, so that none falls inside it. Memory: the peak resident size after the
end is shown, less the resident size before the open (SciTE: less the peak
of a SciTE without a file), per MB of file. Runs are QUILL_GUI_RUNS (5), and
the figures printed are medians."""

import glob, os, shutil, statistics, subprocess, sys, tempfile, time

QUIET = 0.4
POLL = 0.005
BUSY = 0.0005
TICK = 3.5
RUNS = int(os.environ.get("QUILL_GUI_RUNS", "5"))
LATER_KEYS = 5
MEMORY_AIM = 2.3  # MB per MB of file


def cpu(pid):
    """Nanoseconds on the CPU, all threads of the process."""
    total = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(path) as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass   # a thread that ended meanwhile
    return total


def status(pid, key):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def until_idle(pid, t0, c0, timeout=180, first_busy_by=None):
    """(wall seconds, CPU seconds) from t0 and c0 until the process is idle:
    the wall time to the end of the last busy interval, and the CPU time used
    until the end of the quiet wait less what the process used meanwhile when
    quiet (a caret blink). With `first_busy_by`, waits until that time for a
    busy interval, and counts from just before it (a timer's tick)."""
    t, c = t0, c0
    end_t, end_c = t0, c0
    started = first_busy_by is None
    while True:
        time.sleep(POLL)
        now_t, now_c = time.monotonic(), cpu(pid)
        if now_c - c > BUSY * 1e9:
            if not started:
                started, t0, c0 = True, t, c
            end_t, end_c = now_t, now_c
        t, c = now_t, now_c
        if not started:
            if now_t > first_busy_by:
                return 0.0, 0.0
            continue
        quiet_from = max(end_t, t0)
        if now_t - quiet_from >= QUIET:
            quiet_c = end_c if end_t > t0 else c0
            idle_rate = (now_c - quiet_c) / (now_t - quiet_from)
            return end_t - t0, max(now_c - c0 - idle_rate * (now_t - t0), 0.0) / 1e9
        if now_t - t0 > timeout:
            raise RuntimeError("never went idle")


def xdo(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


def wait_window(name, timeout=30):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        ids = xdo("search", "--onlyvisible", "--name", name)
        if ids:
            return ids.split()[0]
        time.sleep(0.01)
    raise RuntimeError(f"no window {name!r}")


def make_script(path, size, western):
    """CR LF lines of about 50 bytes, every tenth a header, all different."""
    plain = b"#SAY Welcome, traveller. <Buy/@buy> <Sell/@sell>\r\n"
    accented = b"#SAY Caf\xe9 cr\xe8me for the Vill\xe9 r\xf4le \x80 5\r\n"
    lines = 0
    with open(path, "wb") as f:
        written = 0
        i = 0
        while written < size:
            block = []
            for _ in range(1000):
                line = (b"[@main%d]\r\n" % i) if i % 10 == 0 else (accented if western and i % 4 == 0 else plain)
                block.append(line)
                i += 1
            data = b"".join(block)
            f.write(data)
            written += len(data)
            lines += 1000
    return lines


class Editor:
    """What the program and SciTE share: keys sent to the shown window, timed."""

    def key(self, keys, room=1.0):
        """Sends `keys` to the focused window once `room` seconds are free."""
        self.before_action(room)
        t0, c0 = time.monotonic(), cpu(self.pid)
        xdo("key", keys)
        return until_idle(self.pid, t0, c0)

    def steps(self, row):
        """Ctrl+End after the open, then the keys at the start."""
        wall, _ = self.key("ctrl+End", room=TICK)
        row["ctrl_end"].append(wall)
        row["open_to_end"].append(row["open"][-1] + wall)
        row["memory"].append(status(self.pid, "VmHWM") - self.rss_before)
        self.key("ctrl+Home")
        self.key("Right")
        row["first_key"].append(self.key("x")[1])
        row["later_keys"].append(statistics.median(self.key("x")[1] for _ in range(LATER_KEYS)))

    def before_action(self, room):
        pass

    def stop(self):
        self.proc.kill()
        self.proc.wait()


class Program(Editor):
    def __init__(self, build, work):
        self.app = os.path.join(work, "app")
        os.makedirs(os.path.join(self.app, "Data"), exist_ok=True)
        for name in ("Quillmoor", "NPC Script.ini"):
            shutil.copy(os.path.join(build, name), self.app)

    def start(self):
        self.proc = subprocess.Popen([os.path.join(self.app, "Quillmoor")], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        self.pid = self.proc.pid
        wait_window("Quillmoor")
        time.sleep(0.5)
        xdo("key", "Escape")   # passes the splash and types nothing into the script
        self.window = wait_window("^Legend Of Mir : ")
        # The refresh tick's timer starts as the window is shown.
        self.shown = time.monotonic()
        xdo("windowactivate", "--sync", self.window)
        until_idle(self.pid, time.monotonic(), cpu(self.pid))

    def open(self, path, row):
        xdo("key", "ctrl+o")
        wait_window("Select NPC File to open")
        xdo("type", "--delay", "2", path)
        until_idle(self.pid, time.monotonic(), cpu(self.pid))
        self.before_action(TICK)
        self.rss_before = status(self.pid, "VmRSS")
        t0, c0 = time.monotonic(), cpu(self.pid)
        xdo("key", "Return")
        row["open"].append(until_idle(self.pid, t0, c0)[0])
        if not xdo("getwindowname", self.window).endswith("[" + path + "]"):
            raise RuntimeError(f"{path} did not open: " + xdo("getwindowname", self.window))

    def tick(self, row):
        """The next refresh tick, which finds the script changed since the last."""
        next_tick = self.shown + TICK * (int((time.monotonic() - self.shown) / TICK) + 1)
        row["tick"].append(until_idle(self.pid, time.monotonic(), cpu(self.pid), first_busy_by=next_tick + 0.5)[1])

    def save(self, path):
        """Until the saved file has replaced the old one and the program is idle."""
        self.before_action(TICK)
        old = os.stat(path).st_ino
        t0, c0 = time.monotonic(), cpu(self.pid)
        xdo("key", "ctrl+s")
        while os.stat(path).st_ino == old:
            if time.monotonic() - t0 > 120:
                raise RuntimeError("the save never replaced the file")
            time.sleep(0.001)
        replaced = time.monotonic()
        return max(replaced - t0, until_idle(self.pid, t0, c0)[0])

    def before_action(self, room):
        """Waits, when fewer than `room` seconds are left until the next tick,
        until that tick has passed, so that none falls inside the action."""
        since = (time.monotonic() - self.shown) % TICK
        if since < 0.15 or TICK - since < room:
            time.sleep((0.15 - since) % TICK)
            until_idle(self.pid, time.monotonic(), cpu(self.pid))


class SciTE(Editor):
    def __init__(self, home, colouring):
        self.home = home
        os.makedirs(home, exist_ok=True)
        if colouring:
            with open(os.path.join(home, ".SciTEUser.properties"), "w") as f:
                f.write("file.size.no.styles=2000000000\nfile.size.large=2000000000\n")

    def start(self, path=None):
        env = dict(os.environ, HOME=self.home)
        t0 = time.monotonic()
        self.proc = subprocess.Popen(["scite"] + ([path] if path else []), env=env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        self.pid = self.proc.pid
        self.rss_before = 0.0
        self.window = wait_window("SciTE")
        wall, _ = until_idle(self.pid, t0, 0)
        return wall

    def warm_up(self):
        """A first start builds caches that later starts find made."""
        self.start()
        self.stop()

    def open(self, path, row):
        bare = self.start()
        bare_peak = status(self.pid, "VmHWM")
        self.stop()
        wall = self.start(path)
        self.window = wait_window(os.path.basename(path))
        xdo("windowactivate", "--sync", self.window)
        row["open"].append(max(wall - bare, 0.0))
        self.rss_before = bare_peak


def timed_cp(src, dst, durable=False):
    """cp, and with `durable` the copy made durable as a save must (sync -f)."""
    os.sync()
    t0 = time.monotonic()
    subprocess.run(["cp", src, dst], check=True)
    if durable:
        subprocess.run(["sync", "-f", dst], check=True)
    return time.monotonic() - t0


def new_row():
    return {k: [] for k in ("open", "ctrl_end", "open_to_end", "memory", "first_key", "later_keys", "tick", "save",
                            "cp", "cp_sync")}


def run_program(program, original, script, row):
    shutil.copy(original, script)
    # Each timed action starts with nothing waiting to be written: a save's
    # fsync would otherwise also wait for the copy above.
    os.sync()
    program.start()
    program.open(script, row)
    program.steps(row)
    program.tick(row)
    before_save = os.stat(script).st_mtime_ns
    row["save"].append(program.save(script))
    program.stop()
    if os.stat(script).st_mtime_ns == before_save:
        raise RuntimeError(f"{script} was not saved")
    expected = original + ".typed"
    with open(original, "rb") as f, open(expected, "wb") as out:
        data = f.read()
        out.write(data[:1] + b"x" * (1 + LATER_KEYS) + data[1:])
    same = subprocess.run(["cmp", "-s", expected, script]).returncode == 0
    os.unlink(expected)
    row["cp"].append(timed_cp(original, script + ".copy"))
    os.unlink(script + ".copy")
    row["cp_sync"].append(timed_cp(original, script + ".copy", durable=True))
    os.unlink(script + ".copy")
    return same


def run_scite(scite, for_scite, row):
    scite.open(for_scite, row)
    scite.steps(row)
    scite.stop()


def ms(seconds):
    return f"{seconds * 1000:.0f} ms" if seconds >= 0.1 else f"{seconds * 1000:.1f} ms"


def report(results):
    med = statistics.median
    peers = ("ours", "SciTE as shipped", "SciTE colouring")
    print()
    print("| file | what | " + " | ".join(peers) + " | aim |")
    print("|---|---|---|---|---|---|")
    for name, lines, size_mb, rows in results:
        m = {p: {k: med(v) for k, v in rows[p].items() if v} for p in peers}
        shipped = m["SciTE as shipped"]["open_to_end"]

        def line(what, key, fmt, aim):
            print(f"| {name} (~{lines:,} lines) | {what} | " + " | ".join(fmt(m[p][key]) for p in peers) + f" | {aim} |")

        line("first key typed at the start after opening (CPU)", "first_key", ms, "under 16 ms")
        line("each later key there (CPU)", "later_keys", ms, "")
        line("Ctrl+End right after opening", "ctrl_end", ms, "under 50 ms")
        line("open until the file's end is shown", "open_to_end", ms, f"at most {ms(shipped / 2)}")
        line("memory added per MB of file", "memory", lambda v: f"{v / size_mb:.2f} MB", f"at most {MEMORY_AIM}")
        print(f"| {name} | one header renamed: the next refresh tick (CPU) | {ms(m['ours']['tick'])} | - | - "
              "| under 16 ms |")
        print(f"| {name} | save | {ms(m['ours']['save'])}: {m['ours']['save'] / m['ours']['cp']:.2f} x cp "
              f"({ms(m['ours']['cp'])}), {m['ours']['save'] / m['ours']['cp_sync']:.2f} x cp + sync "
              f"({ms(m['ours']['cp_sync'])}) | - | - | |")


def main():
    build = os.path.abspath(sys.argv[1])
    work = tempfile.mkdtemp(prefix="quill-gui-bench-")
    display = ":%d" % (90 + os.getpid() % 100)
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = display
    # The other benchmarks run on the offscreen platform; the program here
    # must show real windows in this display.
    os.environ["QT_QPA_PLATFORM"] = "xcb"
    time.sleep(1)
    wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    failures = 0
    try:
        program = Program(build, work)
        shipped = SciTE(os.path.join(work, "home-shipped"), colouring=False)
        colouring = SciTE(os.path.join(work, "home-colouring"), colouring=True)
        shipped.warm_up()
        colouring.warm_up()
        results = []
        sizes = [int(s) for s in os.environ.get("QUILL_GUI_MB", "20,100").split(",")]
        for size_mb, western in [(s, False) for s in sizes] + [(max(sizes), True)]:
            name = "%dMB-%s" % (size_mb, "1252" if western else "ascii")
            original = os.path.join(work, name + ".orig")
            lines = make_script(original, size_mb * 1_000_000, western)
            # The program's open dialog lists .txt files; SciTE colours an .ini
            # file with its properties lexer. The same bytes under both names.
            script = os.path.join(work, name + ".txt")
            for_scite = os.path.join(work, name + ".ini")
            rows = {"ours": new_row(), "SciTE as shipped": new_row(), "SciTE colouring": new_row()}
            for _ in range(RUNS):
                if not run_program(program, original, script, rows["ours"]):
                    print(f"FAIL: {name}: the saved script is not the opened one with the typed keys")
                    failures += 1
                for peer, scite in (("SciTE as shipped", shipped), ("SciTE colouring", colouring)):
                    shutil.copy(original, for_scite)
                    run_scite(scite, for_scite, rows[peer])
            results.append((name, lines, os.path.getsize(original) / 1e6, rows))
            for path in (original, script, for_scite):
                os.unlink(path)
        report(results)
        print("\nbyte for byte after open, keys and save: %s" % ("FAILED" if failures else "as expected"))
    finally:
        wm.kill()
        xvfb.kill()
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
