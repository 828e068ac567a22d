#!/usr/bin/env python3
"""Open and save of large scripts in the real program, through its real window
under Xvfb, driven by key presses, next to SciTE opening the same files and
cp copying them. Run by scripts/bench.sh; needs Xvfb, openbox, xdotool, scite.

    python3 scripts/bench_gui.py BUILD_DIR

Idle is judged from the process's CPU time (utime + stime in /proc/PID/stat):
an action ends at the last moment its CPU time grew before it stayed still
for QUIET seconds; a save ends no earlier than the moment the saved file
replaced the old one. The program's open is timed from the Enter that closes
its open dialog; SciTE's open cost is its start with the file minus its
start without it. Memory added is VmHWM after, less VmRSS (SciTE: VmHWM)
before. Each saved script is compared with the original byte for byte."""

import os, shutil, statistics, subprocess, sys, tempfile, time

QUIET = 0.6
POLL = 0.005
RUNS = int(os.environ.get("QUILL_GUI_RUNS", "5"))
TICK = os.sysconf("SC_CLK_TCK")


def cpu(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def status(pid, key):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def wait_idle(pid, since, timeout=120):
    """The time of the last growth of the CPU time after `since`."""
    last_cpu, last_change = cpu(pid), since
    while time.monotonic() - last_change < QUIET:
        if time.monotonic() - since > timeout:
            raise RuntimeError("never went idle")
        time.sleep(POLL)
        now = cpu(pid)
        if now != last_cpu:
            last_cpu, last_change = now, time.monotonic()
    return last_change


def xdo(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


def wait_window(name, timeout=20):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        ids = xdo("search", "--onlyvisible", "--name", name)
        if ids:
            return ids.split()[0]
        time.sleep(0.05)
    raise RuntimeError(f"no window {name!r}")


def make_script(path, size, western):
    plain = b"#SAY Welcome, traveller. <Buy/@buy> <Sell/@sell>\r\n"
    accented = b"#SAY Caf\xe9 cr\xe8me for the Vill\xe9 r\xf4le \x80 5\r\n"
    lines = 0
    with open(path, "wb") as f:
        written = 0
        i = 0
        while written < size:
            block = []
            for _ in range(1000):
                line = (b"[@main%d]\r\n" % i) if i % 20 == 0 else (accented if western and i % 4 == 0 else plain)
                block.append(line)
                i += 1
            data = b"".join(block)
            f.write(data)
            written += len(data)
            lines += 1000
    return lines


class Program:
    def __init__(self, build, work):
        self.app = os.path.join(work, "app")
        os.makedirs(os.path.join(self.app, "Data"), exist_ok=True)
        for name in ("Quillmoor", "NPC Script.ini"):
            shutil.copy(os.path.join(build, name), self.app)

    def start(self):
        self.proc = subprocess.Popen([os.path.join(self.app, "Quillmoor")], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        wait_window("Quillmoor")
        time.sleep(0.5)
        xdo("key", "Escape")   # passes the splash and types nothing into the script
        self.window = wait_window("^Legend Of Mir : ")
        # The main window's 3.5-second refresh starts as it is shown; an
        # action starts just after a tick, so that no tick falls inside it.
        self.shown = time.monotonic()
        xdo("windowactivate", "--sync", self.window)
        wait_idle(self.proc.pid, time.monotonic())

    def open(self, path):
        pid = self.proc.pid
        xdo("key", "ctrl+o")
        wait_window("Select NPC File to open")
        wait_idle(pid, time.monotonic())
        xdo("type", "--delay", "2", path)
        wait_idle(pid, time.monotonic())
        self.after_tick()
        before = status(pid, "VmRSS")
        t0 = time.monotonic()
        xdo("key", "Return")
        end = wait_idle(pid, t0)
        return end - t0, status(pid, "VmHWM") - before

    def save(self, path):
        """Until the saved file has replaced the old one and the program is
        idle: CPU time alone moves in 10 ms steps, too coarse for a small save."""
        pid = self.proc.pid
        self.after_tick()
        old = os.stat(path).st_ino
        t0 = time.monotonic()
        xdo("key", "ctrl+s")
        while os.stat(path).st_ino == old:
            if time.monotonic() - t0 > 120:
                raise RuntimeError("the save never replaced the file")
            time.sleep(0.001)
        replaced = time.monotonic()
        return max(replaced, wait_idle(pid, t0)) - t0

    def after_tick(self):
        since = time.monotonic() - self.shown
        time.sleep(3.5 - since % 3.5 + 0.15)
        wait_idle(self.proc.pid, time.monotonic())
        since = time.monotonic() - self.shown
        if since % 3.5 > 1.0:   # the tick took long: wait for the next one
            time.sleep(3.5 - since % 3.5 + 0.15)

    def stop(self):
        self.proc.kill()
        self.proc.wait()


def scite_start(path, home):
    env = dict(os.environ, HOME=home)
    t0 = time.monotonic()
    proc = subprocess.Popen(["scite"] + ([path] if path else []), env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    end = wait_idle(proc.pid, t0)
    hwm = status(proc.pid, "VmHWM")
    proc.kill()
    proc.wait()
    return end - t0, hwm


def timed_cp(src, dst, durable=False):
    """cp, and with `durable` the copy made durable as a save must (sync -f)."""
    os.sync()
    t0 = time.monotonic()
    subprocess.run(["cp", src, dst], check=True)
    if durable:
        subprocess.run(["sync", "-f", dst], check=True)
    return time.monotonic() - t0


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
        home = os.path.join(work, "home")
        os.makedirs(home)
        program = Program(build, work)
        rows = []
        for size, western in ((20_000_000, False), (100_000_000, False), (100_000_000, True)):
            name = "%dMB-%s" % (size // 1_000_000, "1252" if western else "ascii")
            original = os.path.join(work, name + ".orig")
            lines = make_script(original, size, western)
            # The program's open dialog lists .txt files; SciTE colours an .ini
            # file with its properties lexer. The same bytes under both names.
            script = os.path.join(work, name + ".txt")
            for_scite = os.path.join(work, name + ".ini")
            shutil.copy(original, for_scite)
            opens, added, saves, copies, synced, scite_open, scite_mem = [], [], [], [], [], [], []
            for _ in range(RUNS):
                shutil.copy(original, script)
                # Each timed action starts with nothing waiting to be written:
                # a save's fsync would otherwise also wait for the copy above.
                os.sync()
                program.start()
                t, m = program.open(script)
                if not xdo("getwindowname", program.window).endswith("[" + script + "]"):
                    raise RuntimeError(f"{name} did not open: " + xdo("getwindowname", program.window))
                before_save = os.stat(script).st_mtime_ns
                opens.append(t)
                added.append(m)
                saves.append(program.save(script))
                program.stop()
                if os.stat(script).st_mtime_ns == before_save:
                    raise RuntimeError(f"{name} was not saved")
                if subprocess.run(["cmp", "-s", original, script]).returncode != 0:
                    print(f"FAIL: {name}: the saved script is not the opened one byte for byte")
                    failures += 1
                copies.append(timed_cp(original, script + ".copy"))
                os.unlink(script + ".copy")
                synced.append(timed_cp(original, script + ".copy", durable=True))
                os.unlink(script + ".copy")
                with_file, hwm_file = scite_start(for_scite, home)
                without, hwm_bare = scite_start(None, home)
                scite_open.append(max(with_file - without, 0.0))
                scite_mem.append(hwm_file - hwm_bare)
            med = statistics.median
            rows.append((name, lines, med(opens), med(added), med(saves), med(copies), med(synced), med(scite_open),
                         med(scite_mem)))
            os.unlink(original)
            os.unlink(script)
            os.unlink(for_scite)
        print()
        print("| file | lines | open (ours) | SciTE open | ratio | memory added (ours) | SciTE | ratio "
              "| save | cp | ratio | cp + sync | ratio |")
        print("|---|---|---|---|---|---|---|---|---|---|---|---|---|")
        for name, lines, o, m, s, c, cs, so, sm in rows:
            print(f"| {name} | ~{lines:,} | {o*1000:.0f} ms | {so*1000:.0f} ms | {o/so if so else float('inf'):.2f} "
                  f"| {m:.0f} MB | {sm:.0f} MB | {m/sm if sm else float('inf'):.2f} "
                  f"| {s*1000:.0f} ms | {c*1000:.0f} ms | {s/c:.2f} | {cs*1000:.0f} ms | {s/cs:.2f} |")
        print("\nbyte-for-byte after open and save: %s" % ("FAILED" if failures else "all identical"))
    finally:
        wm.kill()
        xvfb.kill()
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
