#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A faulty serial line for the soak test, between the window and the simulated unit.

It offers its own pseudo-terminal (reached through the link PORT) to the
window and talks to the unit's terminal UNIT. Replies of the unit are
dropped, corrupted or held back at random; every UNPLUG seconds the window's
side is pulled for a few seconds (its terminal closed, a new one made). The
counts go to STATS as JSON every second.

usage: soak_relay.py PORT UNIT STATS [--unplug SECONDS] [--seed N]
"""
import argparse
import json
import os
import random
import select
import termios
import time
import tty

FRAME = 52
POLL = 0x30
NAMES = {0x30: "polls", 0x00: "program_info", 0x01: "program_image", 0x40: "read_info", 0x41: "read_image"}


def raw(fd):
    tty.setraw(fd)
    attributes = termios.tcgetattr(fd)
    attributes[3] &= ~termios.ECHO
    termios.tcsetattr(fd, termios.TCSANOW, attributes)


class Plug:
    """The window's end: a pseudo-terminal behind the link PORT."""

    def __init__(self, port):
        self.port = port
        self.master = -1
        self.slave = -1

    def plug(self):
        self.master, self.slave = os.openpty()
        raw(self.slave)
        os.set_blocking(self.master, False)
        temporary = self.port + ".new"
        if os.path.lexists(temporary):
            os.unlink(temporary)
        os.symlink(os.ttyname(self.slave), temporary)
        os.replace(temporary, self.port)

    def unplug(self):
        if os.path.lexists(self.port):
            os.unlink(self.port)
        for fd in (self.master, self.slave):
            if fd >= 0:
                os.close(fd)
        self.master = self.slave = -1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("port")
    parser.add_argument("unit")
    parser.add_argument("stats")
    parser.add_argument("--unplug", type=float, default=180.0)
    parser.add_argument("--seed", type=int, default=None)
    args = parser.parse_args()
    rng = random.Random(args.seed)

    unit = os.open(args.unit, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
    raw(unit)
    plug = Plug(args.port)
    plug.plug()

    stats = {"requests": 0, "replies": 0, "dropped": 0, "corrupted": 0, "delayed": 0, "unplugs": 0}
    for name in NAMES.values():
        stats[name] = 0
    request = bytearray()
    reply = bytearray()
    held = []  # (due, bytes) replies held back
    next_unplug = time.monotonic() + args.unplug
    replug_at = None
    last_write = 0.0

    while True:
        now = time.monotonic()
        if replug_at is None and now >= next_unplug:
            plug.unplug()
            stats["unplugs"] += 1
            replug_at = now + rng.uniform(2.0, 6.0)
            held.clear()
            request.clear()
        elif replug_at is not None and now >= replug_at:
            plug.plug()
            replug_at = None
            next_unplug = now + args.unplug

        watched = [unit] + ([plug.master] if plug.master >= 0 else [])
        ready, _, _ = select.select(watched, [], [], 0.01)
        if plug.master in ready:
            try:
                data = os.read(plug.master, 4096)
            except OSError:
                data = b""
            request += data
            while len(request) >= FRAME:
                code = request[0]
                stats["requests"] += 1
                if code in NAMES:
                    stats[NAMES[code]] += 1
                del request[:FRAME]
            if data:
                os.write(unit, data)
        if unit in ready:
            try:
                reply += os.read(unit, 4096)
            except BlockingIOError:
                pass
            while len(reply) >= FRAME:
                frame = bytearray(reply[:FRAME])
                del reply[:FRAME]
                stats["replies"] += 1
                roll = rng.random()
                if roll < 0.03:
                    stats["dropped"] += 1
                    continue
                if roll < 0.06:
                    frame[rng.randrange(FRAME)] ^= 1 << rng.randrange(8)
                    stats["corrupted"] += 1
                delay = 0.0
                if rng.random() < 0.05:
                    delay = rng.uniform(0.05, 0.6)
                    stats["delayed"] += 1
                held.append((now + delay, bytes(frame)))
        if plug.master >= 0:
            held.sort(key=lambda item: item[0])
            while held and held[0][0] <= now:
                try:
                    os.write(plug.master, held.pop(0)[1])
                except OSError:
                    pass
        if now - last_write >= 1.0:
            with open(args.stats + ".new", "w") as out:
                json.dump(stats, out)
            os.replace(args.stats + ".new", args.stats)
            last_write = now


if __name__ == "__main__":
    main()
