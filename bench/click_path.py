#!/usr/bin/env python3
"""Reads the notes bench/syscall_clock.c took in each keyboard and prints,
for every way a click's events were read, how long the keyboard took from
waking to the write that sends the key: the part of a click's time spent
inside the keyboard's own process.

A key's write is a write of 72 bytes (the two XTest requests of a key's
press and release). The wake is the end of the last wait before it that
lasted over a millisecond and ended with something to read. Of the time
between, the time spent waiting again (for a release still on its way) is
not the keyboard's. The reads between tell how the click came: its
release alone (a held click, or any click for a keyboard that selects
releases only), its press and release in one read, or the press first and
the release in a later read.

Usage: click_path.py NOTES_FILE...
"""
import collections
import os
import statistics
import struct
import sys

WAIT_STARTS, WAIT_ENDS, READ_ENDS, WRITE_STARTS, WRITE_ENDS = range(1, 6)
KEY_WRITE_BYTES = 72
LONG_WAIT_NS = 1_000_000
NOTE = struct.Struct("qqq")


def read_notes(path):
    with open(path, "rb") as f:
        data = f.read()
    count = NOTE.unpack_from(data, 0)[0]
    return [NOTE.unpack_from(data, NOTE.size * i) for i in range(1, count + 1)]


def how_it_came(reads):
    if reads == [32]:
        return "release alone"
    if reads == [64]:
        return "press and release in one read"
    if reads == [32, 32]:
        return "press, then release"
    return None  # anything else came with the click: not counted


def clicks(notes):
    """(how the click came, busy ns from the wake to the key write, last read
    to key write ns)."""
    wait_started = None
    wake = None
    reads = []
    last_read = None
    waited = 0
    for i, (ns, kind, result) in enumerate(notes):
        if kind == WAIT_STARTS:
            wait_started = ns
        elif kind == WAIT_ENDS and wait_started is not None:
            if result > 0 and ns - wait_started > LONG_WAIT_NS:
                wake, reads, last_read, waited = ns, [], None, 0
            elif wake is not None:
                waited += ns - wait_started
        elif kind == READ_ENDS and result > 0 and wake is not None:
            reads.append(result)
            last_read = ns
        elif kind == WRITE_STARTS and i + 1 < len(notes):
            ends = notes[i + 1]
            if ends[1] == WRITE_ENDS and ends[2] == KEY_WRITE_BYTES and last_read is not None:
                came = how_it_came(reads)
                if came:
                    yield came, ns - wake - waited, ns - last_read
                wake = None


def main(paths):
    for path in sorted(paths):
        by_way = collections.defaultdict(list)
        for came, from_wake, from_read in clicks(read_notes(path)):
            by_way[came].append((from_wake, from_read))
        name = os.path.basename(path).rsplit("-", 1)[0]
        for came, times in sorted(by_way.items()):
            if len(times) < 10:
                continue
            wake = statistics.median(t[0] for t in times) / 1000
            read = statistics.median(t[1] for t in times) / 1000
            print(f"{name}\t{came}\t{len(times)} clicks\tbusy from wake to key write {wake:.1f} us"
                  f"\tlast read to key write {read:.1f} us")


if __name__ == "__main__":
    main(sys.argv[1:])
