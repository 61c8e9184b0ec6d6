"""Runs lamivex info and extract over damaged documents: truncations and byte mutations of the sample,
of documents written by ImageMagick and psd-tools, and of a small hand-made one. Every run must end
with status 0, 1 (cannot open: then nothing was created) or 4 (some images failed to decode), never by
a signal, and every failure line must carry a result code.

Usage: robustness_test.py LAMIVEX SAMPLE.psd WORKDIR
"""
import os
import random
import re
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "interop"))
import documents  # noqa: E402
import tiny_psd  # noqa: E402

ALLOWED = {"info": (0, 1), "extract": (0, 1, 4)}
FAILURE_LINE = re.compile(r"^.+: .+ \(code \d+\)$")
TIMEOUT = 60


def small_document():
    w, h = 9, 7
    layers = [tiny_psd.Layer((-2, -1, w - 2, h - 1), b"Rle", [(c, tiny_psd.rle_channel(tiny_psd.ramp(w, h, c), w, h))
                                                           for c in (-1, 0, 1, 2)]),
              tiny_psd.Layer((3, 3, 6, 5), b"Raw", [(c, tiny_psd.raw_channel(tiny_psd.ramp(3, 2, c))) for c in (0, 1, 2)])]
    return tiny_psd.document(w, h, layers, [tiny_psd.ramp(w, h, k) for k in range(3)])


def damaged_versions(data, rng, count):
    """Truncations (at every byte of the first 32, then spread over the file) and mutations: single bytes
    set to random values, to 0x00 or 0xFF, and 32-bit fields set to huge or negative values."""
    size = len(data)
    cuts = sorted(set(list(range(min(32, size))) + [rng.randrange(size) for _ in range(count // 2)]))
    for cut in cuts:
        yield f"cut{cut}", data[:cut]
    for i in range(count):
        damaged = bytearray(data)
        at = rng.randrange(size)
        kind = i % 4
        if kind == 0:
            damaged[at] = rng.randrange(256)
        elif kind == 1:
            damaged[at] = rng.choice((0x00, 0xFF, 0x80, 0x7F))
        elif kind == 2:
            damaged[at:at + 4] = rng.choice((b"\xff\xff\xff\xff", b"\x80\x00\x00\x00", b"\x7f\xff\xff\xff"))
        else:
            for _ in range(8):
                damaged[rng.randrange(size)] ^= 1 << rng.randrange(8)
        yield f"mut{i}", bytes(damaged[:size])


def check(lamivex, path, out_dir):
    """The problems found, and the exit status of extract."""
    problems, status = [], None
    for command in ("info", "extract"):
        args = [lamivex, command, path] + (["-o", out_dir, "--crop", "visible"] if command == "extract" else [])
        try:
            result = subprocess.run(args, capture_output=True, text=True, errors="replace", timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            problems.append(f"{command}: no end after {TIMEOUT} s")
            continue
        status = result.returncode
        if status < 0:
            problems.append(f"{command}: killed by signal {-status}")
        elif status not in ALLOWED[command]:
            problems.append(f"{command}: exit status {status}: {result.stderr.strip()}")
        elif status != 0:
            lines = result.stderr.splitlines()
            if not lines or not all(FAILURE_LINE.match(line) for line in lines):
                problems.append(f"{command}: status {status} with stderr {result.stderr!r}")
        if command == "extract":
            if status == 1 and os.path.exists(out_dir):
                problems.append("extract: failed to open but created the output directory")
            if os.path.isdir(out_dir):
                leftovers = [f for f in os.listdir(out_dir) if not f.endswith(".png")]
                if leftovers:
                    problems.append(f"extract: left {leftovers}")
            shutil.rmtree(out_dir, ignore_errors=True)
    return problems, status


def main():
    lamivex, sample, work = sys.argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    rng = random.Random(20261211)
    with open(sample, "rb") as f:
        bases = {"sample": f.read()}
    bases["small"] = small_document()
    for case in ("imagemagick-rle", "psd-tools"):
        with open(documents.CASES[case](work), "rb") as f:
            bases[case] = f.read()

    failures, runs, statuses = [], 0, {}
    for base, data in bases.items():
        for label, damaged in damaged_versions(data, rng, 40):
            path = os.path.join(work, f"{base}-{label}.psd")
            with open(path, "wb") as f:
                f.write(damaged)
            problems, status = check(lamivex, path, os.path.join(work, "out"))
            statuses[status] = statuses.get(status, 0) + 1
            runs += 1
            if problems:
                failures.append((path, problems))  # keep the file for a look
            else:
                os.remove(path)
    for path, problems in failures:
        for problem in problems:
            print(f"{path}: {problem}", file=sys.stderr)
    print(f"{runs} damaged documents, {len(failures)} with problems; extract statuses {sorted(statuses.items())}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
