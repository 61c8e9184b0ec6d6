"""Reads documents written by other programs with `lamivex info --json` and `lamivex extract`, and
compares every reported field and every pixel with what psd-tools reads from the same file.

Usage: interop_test.py LAMIVEX WORKDIR CASE
CASE: a key of documents.CASES, a path to a .psd, or "corpus" for every file in $LAMIVEX_CORPUS.
"""
import glob
import json
import os
import shutil
import subprocess
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import documents  # noqa: E402
import psd_oracle  # noqa: E402

INFO_FIELDS = ("index", "name", "bounds", "visible", "opacity", "blendMode", "clipping", "flags", "maskEnabled",
               "groupId")


class Mismatch(Exception):
    pass


def run(args):
    result = subprocess.run(args, capture_output=True, text=True)
    if result.returncode != 0:
        raise Mismatch(f"{' '.join(args)} exited with {result.returncode}: {result.stderr.strip()}")
    if result.stderr:
        raise Mismatch(f"{' '.join(args)} printed on stderr: {result.stderr.strip()}")
    return result.stdout


def read_png(path):
    image = Image.open(path)
    if image.mode != "RGBA":
        raise Mismatch(f"{path}: mode {image.mode}, expected RGBA")
    return np.asarray(image)


def compare_pixels(label, actual, expected):
    if actual.shape != expected.shape:
        raise Mismatch(f"{label}: {actual.shape[1]}x{actual.shape[0]} pixels, expected "
                       f"{expected.shape[1]}x{expected.shape[0]}")
    differ = np.argwhere(np.any(actual != expected, axis=2))
    if len(differ):
        y, x = differ[0]
        raise Mismatch(f"{label}: {len(differ)} pixels differ, first at ({x}, {y}): RGBA "
                       f"{tuple(actual[y, x])}, expected {tuple(expected[y, x])}")


def image_file(directory, index):
    prefix = f"layer-{index:03d}"
    found = glob.glob(os.path.join(directory, "merged.png" if index < 0 else prefix + "*.png"))
    if index >= 0:  # layer-001* must not also match layer-0010-...
        found = [f for f in found if os.path.basename(f)[len(prefix)] in "-."]
    if len(found) > 1:
        raise Mismatch(f"several files for image {index}: {found}")
    return found[0] if found else None


def check_info(lamivex, psd, expected):
    info = json.loads(run([lamivex, "info", "--json", psd]))
    for key in ("width", "height"):
        if info[key] != expected[key]:
            raise Mismatch(f"info {key} {info[key]}, expected {expected[key]}")
    if info["layerCount"] != len(expected["layers"]):
        raise Mismatch(f"info layerCount {info['layerCount']}, expected {len(expected['layers'])}")
    for got, want in zip(info["layers"], expected["layers"]):
        for key in INFO_FIELDS:
            if got[key] != want[key]:
                raise Mismatch(f"layer {want['index']} {key}: {got[key]!r}, expected {want[key]!r}")


def expected_images(expected, crop):
    """(index, pixels or None) for the merged image and each layer after the given crop."""
    width, height = expected["width"], expected["height"]
    images = [(-1, expected["merged"], (0, 0, width, height))]
    for layer in expected["layers"]:
        b = layer["bounds"]
        images.append((layer["index"], layer["pixels"], (b["left"], b["top"], b["right"], b["bottom"])))
    for index, pixels, bounds in images:
        if crop != "none":
            pixels, bounds = psd_oracle.crop_to_canvas(pixels, bounds, width, height)
        if crop == "visible":
            pixels, bounds = psd_oracle.trim_to_visible(pixels, bounds)
        yield index, pixels


def check_extract(lamivex, psd, expected, work, crop):
    out = os.path.join(work, "extract-" + crop)
    shutil.rmtree(out, ignore_errors=True)
    run([lamivex, "extract", psd, "-o", out, "--crop", crop])
    written = set(glob.glob(os.path.join(out, "*")))
    for index, pixels in expected_images(expected, crop):
        label = f"--crop {crop}: " + ("merged image" if index < 0 else f"layer {index}")
        path = image_file(out, index)
        if pixels is None:
            if path:
                raise Mismatch(f"{label}: has no pixels, but {path} was written")
            continue
        if not path:
            raise Mismatch(f"{label}: no file written")
        written.discard(path)
        compare_pixels(label, read_png(path), pixels)
    if written:
        raise Mismatch(f"--crop {crop}: unexpected files {sorted(written)}")


def check_refused(lamivex, psd, work, code):
    """The library must refuse the document: status 1, one line ending in the code, no output."""
    out = os.path.join(work, "refused")
    for args in ([lamivex, "info", psd], [lamivex, "extract", psd, "-o", out]):
        result = subprocess.run(args, capture_output=True, text=True)
        line = result.stderr.strip()
        if result.returncode != 1 or "\n" in line or not line.endswith(f"(code {code})"):
            raise Mismatch(f"{args[1]}: status {result.returncode}, {line!r}; expected status 1 and code {code}")
        if os.path.exists(out):
            raise Mismatch(f"{args[1]}: created {out} for a document it cannot open")


def check_document(lamivex, psd, work):
    """Compares everything for one document; returns a summary, raises Mismatch."""
    code = psd_oracle.expected_open_failure(psd)
    if code is not None:
        check_refused(lamivex, psd, work, code)
        return f"refused with code {code}, as expected"
    expected = psd_oracle.describe(psd)
    check_info(lamivex, psd, expected)
    for crop in ("none", "canvas", "visible"):
        check_extract(lamivex, psd, expected, work, crop)
    return f"{len(expected['layers'])} layers and the merged image match psd-tools"


SKIPPED = 77  # CTest's SKIP_RETURN_CODE


def main():
    lamivex, work, case = sys.argv[1:4]
    work = os.path.join(work, os.path.basename(case))
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    if case == "corpus":
        # Real files written by Photoshop and others, when the checkout has them beside it.
        corpus = os.environ.get("LAMIVEX_CORPUS")
        if not corpus or not os.path.isdir(corpus):
            print("LAMIVEX_CORPUS is not set to a directory of PSD files; skipped")
            return SKIPPED
        paths = sorted(glob.glob(os.path.join(corpus, "*.psd")) + glob.glob(os.path.join(corpus, "*.psb")))
    elif case in documents.CASES:
        paths = [documents.CASES[case](work)]
    else:
        paths = [case]

    failed = 0
    for psd in paths:
        try:
            psd_oracle.open_psd(psd)
        except Exception as error:  # noqa: BLE001 - psd-tools cannot judge a file it cannot read
            print(f"{psd}: psd-tools cannot read it ({type(error).__name__}); skipped")
            continue
        try:
            print(f"{psd}: {check_document(lamivex, psd, work)}")
        except Mismatch as error:
            print(f"{psd}: {error}", file=sys.stderr)
            failed += 1
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
