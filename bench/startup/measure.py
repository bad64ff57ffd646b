#!/usr/bin/python3
"""Launches one program on the current X display and prints, on one line:
milliseconds from launch until its top-level window is mapped, resident memory
in MiB one second later, and CPU milliseconds it then spends idle over five
seconds. Ends the program with SIGTERM afterwards.

    /usr/bin/python3 measure.py [--title T] PROGRAM [ARG...]

Runs on Debian's own interpreter, which carries python3-xlib.

Meant for a display with no window manager: the server then maps a window the
moment the program asks, so the figure holds the program's own start-up and
nothing of a window manager's scheduling; with one, the map request detours
through it and the client is mapped inside the manager's frame, out of sight
of the root window's events.
"""

import argparse
import os
import select
import signal
import subprocess
import sys
import time

from Xlib import X, Xatom, display, error


def parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("--title", default="Zeichenfang 2007",
                        help="WM_NAME that marks the window when _NET_WM_PID is missing")
    parser.add_argument("--settle", type=float, default=1.0, help="seconds after the map before memory is read")
    parser.add_argument("--idle", type=float, default=5.0, help="seconds over which idle CPU is summed")
    parser.add_argument("--timeout", type=float, default=30.0, help="seconds to wait for the window")
    parser.add_argument("program", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    if not args.program:
        parser.error("no program given")
    return args


def is_programs_window(dpy, window, pid, title):
    """The program's own top level: its _NET_WM_PID, or failing that its title."""
    try:
        pid_prop = window.get_full_property(dpy.intern_atom("_NET_WM_PID"), Xatom.CARDINAL)
        if pid_prop is not None and len(pid_prop.value) > 0:
            return pid_prop.value[0] == pid
        name = window.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
    except error.XError:
        # The window was gone again before we could look at it.
        return False
    if name is None:
        return False
    value = name.value.decode("latin-1") if isinstance(name.value, bytes) else str(name.value)
    return value == title


def wait_for_map(dpy, proc, title, timeout):
    """Blocks on X events until the program's window is mapped; returns the monotonic time in ns."""
    deadline = time.monotonic() + timeout
    while True:
        # Events already read off the socket would never wake select().
        while dpy.pending_events():
            event = dpy.next_event()
            received = time.monotonic_ns()
            # Tooltips and pop-ups are override-redirect; only a managed top level counts.
            if event.type == X.MapNotify and not event.override \
                    and is_programs_window(dpy, event.window, proc.pid, title):
                return received
        if proc.poll() is not None:
            sys.exit(f"{proc.args[0]} ended with {proc.returncode} before mapping a window")
        remaining = deadline - time.monotonic()
        if remaining <= 0:
            sys.exit(f"{proc.args[0]} mapped no window within {timeout:g} s")
        # Wake at least once a second to notice a program that died silently.
        select.select([dpy.fileno()], [], [], min(remaining, 1.0))


def resident_mib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    raise RuntimeError("no VmRSS")


def cpu_ticks(pid):
    """utime + stime of every thread the process has had, in clock ticks."""
    with open(f"/proc/{pid}/stat") as stat:
        # The command name may hold blanks and parentheses; fields follow the last ')'.
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def end(proc):
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=5)
    except subprocess.TimeoutExpired:
        print(f"{proc.args[0]} ignored SIGTERM; killed", file=sys.stderr)
        proc.kill()
        proc.wait()


def main():
    args = parse_args()
    dpy = display.Display()
    root = dpy.screen().root
    # Listen before launching, and make sure the server has taken it in, so no map slips past.
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    dpy.sync()

    started = time.monotonic_ns()
    proc = subprocess.Popen(args.program, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        mapped = wait_for_map(dpy, proc, args.title, args.timeout)
        time.sleep(args.settle)
        rss = resident_mib(proc.pid)
        before = cpu_ticks(proc.pid)
        time.sleep(args.idle)
        idle_ms = (cpu_ticks(proc.pid) - before) * 1000 / os.sysconf("SC_CLK_TCK")
    finally:
        end(proc)
    print(f"{(mapped - started) / 1e6:.1f} {rss:.1f} {idle_ms:.0f}")


if __name__ == "__main__":
    main()
