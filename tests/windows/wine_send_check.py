#!/usr/bin/env python3
"""The judge of the sender's end-to-end run under Wine (send_under_wine.sh).

  wine_send_check.py run CPU_FILE TRACE -- COMMAND...
      runs COMMAND (the Windows sender under Wine), passes its standard output through, and
      writes to CPU_FILE the CPU the process spent (user + system, from /proc/PID/stat, sampled
      every 50 ms) and the wall time between the first sample after the trace's first write and
      the last sample before it ended: the writer's share while it sends, without Wine's and
      Qt's start-up; and how long after the trace's last write its port's close appeared in it
      (to 50 ms). Exits with COMMAND's status.

  wine_send_check.py job NAME EXPECTED RECEIVED TIMING TRACE JSON CPU_FILE [--wall-bound R]
      judges one job: the bytes received equal the Linux build's dry run (the clock job: the same
      bytes but for the clock's values, which are the time of each run, within two minutes of
      each other); the write lines of the trace account for every byte in the writes the dry
      run's transfers plan, and none came sooner than its pause (11.9 ms where 12 ms is owed,
      99.9 ms where 100 ms is); the job's time from the port's opening to its last write at the
      writer's stamps against the protocol's minimum (the dry run's end), and its wall time
      (--json: opening the port to closing it); prints one line of figures. With --wall-bound, a
      ratio at the stamps above R fails.

  wine_send_check.py bytes NAME EXPECTED RECEIVED
      only the first of those: the bytes are the same (the clock job's but for the time).
"""
import datetime
import json
import os
import re
import subprocess
import sys
import time

CLOCK_REGISTERS = range(0x18, 0x1F)  # seconds, minutes, hours, day, month, weekday, year
DATA_GATE_MS = 11.9
REGISTER_GATE_MS = 99.9


def cpu_seconds(pid, thread=None):
    """User + system time of process `pid` (or of its thread `thread`) so far, or None once gone."""
    path = f"/proc/{pid}/task/{thread}/stat" if thread else f"/proc/{pid}/stat"
    try:
        with open(path) as f:
            fields = f.read().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def thread_seconds(pid):
    """{thread id: CPU seconds so far} of every thread of `pid` (Wine's threads are the system's)."""
    try:
        threads = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return {}
    times = {t: cpu_seconds(pid, t) for t in threads}
    return {t: s for t, s in times.items() if s is not None}


def run(cpu_file, trace, command):
    process = subprocess.Popen(command)
    first = last = None
    seen = {}  # when (seconds, to 50 ms) the trace's first "Opened", last write and last "Closed" appeared
    offset = 0

    def watch_trace(now):
        nonlocal offset
        try:
            with open(trace, errors="replace") as f:
                f.seek(offset)
                text = f.read()
        except OSError:
            return
        complete = text[:text.rfind("\n") + 1]
        offset += len(complete.encode(errors="replace"))
        for line in complete.splitlines():
            if line.startswith("Opened "):
                seen.setdefault("opened", now)
            elif line.startswith("Wrote "):
                seen["wrote"] = now
            elif line.startswith("Closed "):
                seen["closed"] = now

    first_threads = last_threads = {}
    while process.poll() is None:
        sample = (time.monotonic(), cpu_seconds(process.pid))
        threads = thread_seconds(process.pid)
        watch_trace(sample[0])
        if sample[1] is not None:
            if first is None and "wrote" in seen:
                first, first_threads = sample, threads
            if first is not None:
                last, last_threads = sample, threads
        time.sleep(0.05)
    watch_trace(time.monotonic())
    with open(cpu_file, "w") as f:
        report = {}
        if first and last and last[0] > first[0]:
            report = {"cpu_s": last[1] - first[1], "wall_s": last[0] - first[0]}
            # The busiest thread while the bytes went out: the writer, which waits out the pauses.
            spent = [last_threads[t] - first_threads[t] for t in last_threads if t in first_threads]
            if spent:
                report["busiest_thread_cpu_s"] = max(spent)
        if "wrote" in seen and "closed" in seen:
            report["last_write_to_closed_s"] = seen["closed"] - seen["wrote"]
        json.dump(report, f)
    return process.returncode


def planned_writes(timing_path):
    """(size, pause owed in ms) of every write the dry run's transfer lines plan, in order."""
    writes = []
    for line in open(timing_path):
        if " register 0x" in line:
            writes += [(4, 100), (4, 0)]  # "DIMP" after the 100 ms, the frame at once
            continue
        block = re.search(r"block 0x[0-9A-F]{2}  (\d+) data bytes(, 100 ms after the preamble)?", line)
        if not block:
            continue
        count, delayed = int(block.group(1)), bool(block.group(2))
        writes += [(4, 100), (4, 100 if delayed else 0)]  # "DIMP", the header
        writes += [(1, 0 if i == 0 else 12) for i in range(count)]  # each data byte 12 ms apart
        writes.append((1, 12 if count else 0))  # "F" 12 ms after the last data byte
    return writes


def planned_minimum_ms(timing_path):
    for line in open(timing_path):
        m = re.match(r"\s*(\d+) ms  end$", line.rstrip("\n"))
        if m:
            return int(m.group(1))
    raise SystemExit(f"{timing_path}: no end line")


def traced_writes(trace_path):
    """(byte count, ms since the write before it or since the port was opened) per write line."""
    out = []
    pattern = re.compile(r"^Wrote (\d+) bytes? to .* at [\d.]+ ms, ([\d.]+) ms after ")
    for line in open(trace_path, errors="replace"):
        m = pattern.match(line)
        if m:
            out.append((int(m.group(1)), float(m.group(2))))
    return out


def clock_value_positions(stream):
    """Positions of the value bytes of the clock's register frames, and the time they carry."""
    positions, fields, i = [], {}, 0
    while i + 8 <= len(stream):
        if stream[i:i + 4] == b"DIMP" and stream[i + 4] == 0x40 and stream[i + 5] in CLOCK_REGISTERS:
            code = stream[i + 5]
            positions += [i + 6, i + 7]
            fields[code] = (stream[i + 6] << 8 | stream[i + 7]) if code == 0x1E else stream[i + 6]
            i += 8
        else:
            i += 1
    when = None
    try:
        when = datetime.datetime(fields[0x1E], fields[0x1C], fields[0x1B], fields[0x1A], fields[0x19], fields[0x18])
    except (KeyError, ValueError):
        pass
    return positions, when


def compare_bytes(name, expected, received):
    """(failures, note): whether `received` is `expected`, the clock job's but for the time."""
    failures = []
    if name == "clock":
        positions, when_expected = clock_value_positions(expected)
        _, when_received = clock_value_positions(received)
        masked = lambda b: bytes(0 if i in positions else v for i, v in enumerate(b))
        same = len(expected) == len(received) and masked(expected) == masked(received)
        if not same or not when_expected or not when_received:
            failures.append("the clock job's bytes differ beyond the clock's values")
        elif abs((when_received - when_expected).total_seconds()) > 120:
            failures.append(f"the clock sent {when_received}, the dry run {when_expected}")
        return failures, f"{len(received)} bytes, identical but for the time ({when_received} against {when_expected})"
    if expected != received:
        failures.append(f"{len(received)} bytes received differ from the {len(expected)} of the Linux dry run")
    return failures, f"{len(received)} bytes, identical"


def judge(name, expected_path, received_path, timing_path, trace_path, json_path, cpu_path, wall_bound):
    expected = open(expected_path, "rb").read()
    received = open(received_path, "rb").read()
    failures, bytes_note = compare_bytes(name, expected, received)

    planned = planned_writes(timing_path)
    traced = traced_writes(trace_path)
    if [size for size, _ in planned] != [count for count, _ in traced]:
        failures.append(f"the trace's {len(traced)} writes are not the {len(planned)} writes planned")
    if sum(count for count, _ in traced) != len(received):
        failures.append("the trace's writes do not account for every byte received")
    data = [gap for (_, owed), (_, gap) in zip(planned, traced) if owed == 12]
    registers = [gap for (_, owed), (_, gap) in zip(planned, traced) if owed == 100]
    short_data = sum(gap < DATA_GATE_MS for gap in data)
    short_registers = sum(gap < REGISTER_GATE_MS for gap in registers)
    if short_data or short_registers:
        failures.append(f"{short_data} data-byte gaps under {DATA_GATE_MS} ms, "
                        f"{short_registers} register gaps under {REGISTER_GATE_MS} ms")

    report = json.load(open(json_path))
    jobs = report["ports"][0]["jobs"] if report.get("ports") else []
    wall_ms = 1000 * sum(job["seconds"] for job in jobs)
    if not jobs or any(job["result"] != "sent" for job in jobs):
        failures.append(f"the sender's report: {jobs}")
    minimum_ms = planned_minimum_ms(timing_path)
    ratio = wall_ms / minimum_ms if minimum_ms else 0
    stamped_ms = sum(gap for _, gap in traced)
    if wall_bound is not None and stamped_ms / minimum_ms > wall_bound:
        failures.append(f"from the port's opening to its last write {stamped_ms / minimum_ms:.4f} x the minimum, "
                        f"above {wall_bound}")
    cpu = json.load(open(cpu_path))
    cpu_note = (f"writer's process {100 * cpu['cpu_s'] / cpu['wall_s']:.1f} % CPU over {cpu['wall_s']:.1f} s"
                if "cpu_s" in cpu else "writer's CPU not sampled (too short a run)")
    if "busiest_thread_cpu_s" in cpu:
        cpu_note += f", its busiest thread {100 * cpu['busiest_thread_cpu_s'] / cpu['wall_s']:.1f} %"
    if "last_write_to_closed_s" in cpu:
        cpu_note += f"; the trace's last write to its port's close, as seen: {1000 * cpu['last_write_to_closed_s']:.0f} ms"

    describe = lambda gaps: f"{len(gaps)}, min {min(gaps):.3f} ms" if gaps else "0"
    print(f"{name}: {bytes_note}; data-byte gaps {describe(data)} ({short_data} under {DATA_GATE_MS}); "
          f"register gaps {describe(registers)} ({short_registers} under {REGISTER_GATE_MS}); "
          f"wall {wall_ms:.0f} ms against the protocol's {minimum_ms} ms: ratio {ratio:.4f} (at the writer's "
          f"stamps, from the port's opening to its last write: {stamped_ms:.0f} ms, {stamped_ms / minimum_ms:.4f}); "
          f"{cpu_note}")
    for failure in failures:
        print(f"  FAILED: {failure}")
    return 1 if failures else 0


def main():
    if len(sys.argv) > 4 and sys.argv[1] == "run" and sys.argv[4] == "--":
        return run(sys.argv[2], sys.argv[3], sys.argv[5:])
    if len(sys.argv) == 5 and sys.argv[1] == "bytes":
        failures, note = compare_bytes(sys.argv[2], open(sys.argv[3], "rb").read(), open(sys.argv[4], "rb").read())
        print(f"{sys.argv[2]}: {note}")
        for failure in failures:
            print(f"  FAILED: {failure}")
        return 1 if failures else 0
    if len(sys.argv) >= 9 and sys.argv[1] == "job":
        bound = float(sys.argv[10]) if len(sys.argv) == 11 and sys.argv[9] == "--wall-bound" else None
        return judge(*sys.argv[2:9], bound)
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
