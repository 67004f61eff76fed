#!/usr/bin/env python3
"""The printer's end of a pseudo-terminal for the Windows serial tests under Wine.

Usage: pty_far_end.py LINK RECEIVED READY STOP

Opens a pseudo-terminal, sets it raw, points the symbolic link LINK at its slave (so that the
Wine port mapped to LINK opens it), writes the slave's path to READY, and appends every byte that
arrives at the master to RECEIVED until the file STOP exists and the line has been quiet for a
moment. It keeps the slave open itself, so that the port closing is no hang-up, and closes the
master only after STOP: the port must be closed before its far end goes.
"""
import os
import select
import sys
import tty


def point(link, target):
    """Points LINK at TARGET in one step: the link never leads nowhere, even for a moment."""
    staged = link + ".new"
    if os.path.lexists(staged):
        os.unlink(staged)
    os.symlink(target, staged)
    os.replace(staged, link)


def main():
    link, received, ready, stop = sys.argv[1:5]
    master, slave = os.openpty()
    tty.setraw(slave)
    point(link, os.ttyname(slave))
    try:
        with open(ready, "w") as f:
            f.write(os.ttyname(slave) + "\n")
        quiet_polls = 0
        with open(received, "wb") as out:
            while True:
                readable, _, _ = select.select([master], [], [], 0.05)
                if readable:
                    try:
                        data = os.read(master, 65536)
                    except OSError:
                        data = b""
                    if data:
                        out.write(data)
                        out.flush()
                        quiet_polls = 0
                        continue
                quiet_polls += 1
                if os.path.exists(stop) and quiet_polls >= 4:
                    break
    finally:
        # Back to /dev/null before the pseudo-terminal goes: a port whose link leads nowhere may
        # fall back to Wine's own default device (/dev/ttyS0 for COM1, the console here).
        point(link, "/dev/null")
        os.close(slave)
        os.close(master)


if __name__ == "__main__":
    main()
