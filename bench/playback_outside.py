#!/usr/bin/env python3
"""A playback measured from outside the program: `PROGRAM --play` of a minute of sweeps in the
native form to a pseudo-terminal whose master this script reads, timestamping every read. Each
frame that arrives is found among the frames `--dry-run` plans, so its slot is known; its
lateness is its arrival against the first frame's arrival plus its slot's time. Prints the load
average, frames planned and arrived, left out, stale (a frame more than 10 ms late with the next
slot's less than a millisecond behind it), the median, 99th percentile and worst lateness, the
drift from first to last, and the program's processor time.

    python3 bench/playback_outside.py PROGRAM [SECONDS] [BAUD] [-- WRAPPER...]

WRAPPER runs the program (for example `setpriv --reuid=65534 --regid=65534 --clear-groups`, as
an ordinary user); the script itself is best run at a real-time priority (`chrt -f 2`), so that
its own wake-ups do not count against the program.
"""
import json
import os
import select
import subprocess
import sys
import tempfile
import time

FRAME = 13


def sweeps(seconds, baud):
    low = [20, 40, 60, 80, 100, 120, 140, 160]
    high = [230, 210, 190, 170, 150, 130, 110, 90]
    return {
        "type": "corvantis-panel sequence", "version": 1,
        "link": {"format": "Quorvel", "address": 0, "baudRate": baud},
        "home": 0, "loop": max(seconds // 4, 1),
        "poses": [{"name": "low", "positions": low}, {"name": "high", "positions": high}],
        "steps": [{"pose": 1, "move": 2000, "hold": 0, "easing": "ease-in-out"},
                  {"pose": 0, "move": 2000, "hold": 0, "easing": "linear"}],
    }


def main():
    args = sys.argv[1:]
    wrapper = []
    if "--" in args:
        wrapper = args[args.index("--") + 1:]
        args = args[:args.index("--")]
    program = args[0]
    seconds = int(args[1]) if len(args) > 1 else 60
    baud = int(args[2]) if len(args) > 2 else 9600
    folder = tempfile.mkdtemp()
    path = os.path.join(folder, "sweeps.svseq")
    with open(path, "w") as f:
        json.dump(sweeps(seconds, baud), f)
    os.chmod(folder, 0o755)
    os.chmod(path, 0o644)
    env = dict(os.environ, LC_ALL="C.UTF-8", LANGUAGE="", XDG_STATE_HOME=folder)
    dry = subprocess.run([program, "--play", path, "--dry-run"], capture_output=True, text=True,
                         env=env, check=True)
    planned = []  # (ms, bytes)
    for line in dry.stdout.splitlines():
        fields = line.split()
        planned.append((int(fields[0]), bytes(int(b, 16) for b in fields[1:])))
    master, slave = os.openpty()
    device = os.ttyname(slave)
    os.chmod(device, 0o666)
    os.close(slave)
    load = open("/proc/loadavg").read().split()[:3]
    child = subprocess.Popen(wrapper + [program, "--play", path, "--port", device], env=env,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    ended = []  # what wait4 gave, once the program has ended

    def finished():
        if not ended:
            pid, status, usage = os.wait4(child.pid, os.WNOHANG)
            if pid:
                ended.append((status, usage))
        return bool(ended)

    arrivals = []  # (time, frame bytes)
    pending = b""
    pending_time = None
    while True:
        ready, _, _ = select.select([master], [], [], 0.5)
        if not ready:
            if finished():
                break
            continue
        try:
            data = os.read(master, 4096)
        except OSError:  # no one has the other side open: not yet, or no more
            if finished():
                break
            time.sleep(0.001)
            continue
        now = time.monotonic()
        for byte in data:
            if not pending:
                pending_time = now
            pending += bytes([byte])
            if len(pending) == FRAME:
                arrivals.append((pending_time, pending))
                pending = b""
    while not finished():
        time.sleep(0.01)
    status, usage = ended[0]
    said = child.stdout.read().decode(errors="replace").strip()
    slots = []
    at = 0
    for when, frame in arrivals:
        while at < len(planned) and planned[at][1] != frame:
            at += 1
        if at == len(planned):
            sys.exit("a frame that was not planned arrived: " + frame.hex(" "))
        slots.append((when, planned[at][0]))
        at += 1
    first_time, first_ms = slots[0]
    late = [(when - first_time) * 1000 - (ms - first_ms) for when, ms in slots]
    stale = sum(1 for i in range(1, len(slots))
                if late[i - 1] > 10 and slots[i][1] - slots[i - 1][1] <= 34
                and (slots[i][0] - slots[i - 1][0]) * 1000 < 1)
    ordered = sorted(abs(x) for x in late)
    p = lambda q: ordered[min(len(ordered) - 1, len(ordered) * q // 100)]
    cpu = usage.ru_utime + usage.ru_stime
    print(f"{baud} baud, load {', '.join(load)}: {len(planned)} planned, {len(arrivals)} arrived, "
          f"{len(planned) - len(arrivals)} left out, {stale} stale; lateness median {p(50):.2f} ms, "
          f"99th percentile {p(99):.2f} ms, worst {ordered[-1]:.2f} ms, drift "
          f"{late[-1] - late[0]:.2f} ms; program CPU {cpu:.2f} s = "
          f"{100 * cpu / seconds:.2f}% of one core; status {os.waitstatus_to_exitcode(status)}: "
          f"{said}")


if __name__ == "__main__":
    main()
