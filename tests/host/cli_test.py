"""The lamivex program as a user meets it: help, exit statuses, failure lines, file names, cropping,
layer selection, progress output, and that failures leave no partial output behind.

Usage: cli_test.py LAMIVEX SAMPLE.psd WORKDIR [unittest options]
"""
import json
import os
import pty
import re
import select
import shutil
import signal
import subprocess
import sys
import unittest

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tiny_psd  # noqa: E402

LAMIVEX = SAMPLE = WORK = None

SAMPLE_FILES = ["layer-000-Background.png", "layer-001-Hills.png", "layer-002-Tree.png", "layer-003-Sun.png",
                "layer-004-Hidden_note.png", "merged.png"]
FAILURE_LINE = re.compile(r"^(?P<file>.+?): (?P<what>.+) \(code (?P<code>\d+)\)$")


def lamivex(*args, **kwargs):
    return subprocess.run([LAMIVEX, *args], capture_output=True, text=True, **kwargs)


def png(path):
    """(width, height, mode) of a PNG file."""
    with Image.open(path) as image:
        return image.size + (image.mode,)


def work_path(*parts):
    return os.path.join(WORK, *parts)


def patched_sample(name, offset, value):
    """The sample with the big-endian 16- or 32-bit header field at offset replaced."""
    with open(SAMPLE, "rb") as sample:
        data = bytearray(sample.read())
    size = 2 if offset in (12, 22, 24) else 4
    data[offset:offset + size] = value.to_bytes(size, "big")
    path = work_path(name)
    with open(path, "wb") as out:
        out.write(data)
    return path


class Help(unittest.TestCase):
    def test_every_help_exits_zero_and_documents_exit_statuses(self):
        for args in (["--help"], ["info", "--help"], ["extract", "--help"], ["extract", "-h"], ["help", "info"]):
            result = lamivex(*args)
            self.assertEqual(result.returncode, 0, args)
            self.assertIn("Usage: lamivex", result.stdout, args)
            self.assertIn("Exit status", result.stdout, args)
            self.assertEqual(result.stderr, "", args)

    def test_version_names_the_library_version(self):
        result = lamivex("--version")
        self.assertEqual(result.returncode, 0)
        self.assertIn("library version 103", result.stdout)


class UsageErrors(unittest.TestCase):
    def test_bad_command_lines_exit_2_with_one_line(self):
        cases = [
            ([], None),
            (["frobnicate"], "unknown command 'frobnicate'"),
            (["info"], "no document given"),
            (["info", SAMPLE, SAMPLE], "give exactly one document"),
            (["info", "--jsn", SAMPLE], "unknown option '--jsn'"),
            (["extract", SAMPLE, "--crop", "all"], "--crop takes none, canvas or visible, not 'all'"),
            (["extract", SAMPLE, "--layers", "2-1"], "--layers: the range '2-1' runs backwards"),
            (["extract", SAMPLE, "-o"], "option '--output' needs a value"),
        ]
        for args, message in cases:
            result = lamivex(*args, cwd=WORK)
            self.assertEqual(result.returncode, 2, args)
            self.assertEqual(result.stdout, "", args)
            if message:
                self.assertEqual(len(result.stderr.splitlines()), 1, args)
                self.assertIn(message, result.stderr, args)

    def test_a_layer_the_document_lacks_is_refused_before_anything_is_written(self):
        out = work_path("no-such-layer")
        result = lamivex("extract", SAMPLE, "-o", out, "--layers", "merged,2,9")
        self.assertEqual(result.returncode, 2)
        self.assertEqual(result.stderr, f"{SAMPLE}: no layer 9 (the document has 5 layers)\n")
        self.assertFalse(os.path.exists(out))


class OpenFailures(unittest.TestCase):
    """Each failure is one line 'FILE: words (code N)', exit status 1, and extract creates nothing."""

    def cases(self):
        os.makedirs(work_path("a-directory.psd"), exist_ok=True)
        empty = work_path("empty.psd")
        open(empty, "wb").close()
        text = work_path("text.psd")
        with open(text, "w") as out:
            out.write("This is not a picture.\n" * 10)
        return [
            (work_path("missing.psd"), 100, "cannot open or map the file: No such file or directory"),
            (work_path("a-directory.psd"), 100, "cannot open or map the file: is a directory"),
            (empty, 100, "cannot open or map the file: the file is empty"),
            (text, None, None),  # 303 or 305, depending on where the text's bytes send the section walk
            (patched_sample("version2.psd", 4, 2), 305, "not a PSD document"),
            (patched_sample("channels24.psd", 12, 24), 305, "not a PSD document"),
            (patched_sample("wide.psd", 18, 30002), 306, "the image is too large"),
            (patched_sample("depth16.psd", 22, 16), 308, "not an 8-bit document"),
            (patched_sample("cmyk.psd", 24, 4), 307, "not an RGB document"),
        ]

    def test_failure_lines_and_status(self):
        for path, code, words in self.cases():
            for command in ("info", "extract"):
                out = work_path("out-" + os.path.basename(path))
                args = [command, path] + (["-o", out] if command == "extract" else [])
                result = lamivex(*args)
                self.assertEqual(result.returncode, 1, args)
                self.assertEqual(result.stdout, "", args)
                lines = result.stderr.splitlines()
                self.assertEqual(len(lines), 1, args)
                match = FAILURE_LINE.match(lines[0])
                self.assertIsNotNone(match, lines[0])
                self.assertEqual(match["file"], path)
                if code is None:
                    self.assertIn(int(match["code"]), (303, 305), lines[0])
                else:
                    self.assertEqual(int(match["code"]), code, lines[0])
                    self.assertTrue(match["what"].startswith(words), lines[0])
                self.assertFalse(os.path.exists(out), f"{args} created {out}")

    def test_an_unwritable_output_exits_3(self):
        result = lamivex("extract", SAMPLE, "-o", "/dev/null/sub")
        self.assertEqual(result.returncode, 3)
        self.assertTrue(result.stderr.startswith("/dev/null/sub: cannot create the output directory: "))


class Extract(unittest.TestCase):
    def extract(self, name, *args):
        out = work_path(name)
        shutil.rmtree(out, ignore_errors=True)
        result = lamivex("extract", SAMPLE, "-o", out, *args)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")  # not a terminal: nothing but errors
        self.assertEqual(result.stdout, "")
        return out

    def sizes(self, out):
        return {f: png(os.path.join(out, f))[:2] for f in sorted(os.listdir(out))}

    def test_file_names_and_sizes_for_each_crop(self):
        none = self.sizes(self.extract("crop-none"))
        canvas = self.sizes(self.extract("crop-canvas", "--crop", "canvas"))
        visible = self.sizes(self.extract("crop-visible", "--crop", "visible"))
        for sizes in (none, canvas, visible):
            self.assertEqual(sorted(sizes), SAMPLE_FILES)  # and no temporary files left over
        self.assertEqual(none["layer-003-Sun.png"], (80, 80))  # 108..188 x -32..48
        self.assertEqual(canvas["layer-003-Sun.png"], (52, 48))  # cut to 160 x 120
        self.assertEqual(none["layer-002-Tree.png"], canvas["layer-002-Tree.png"])
        self.assertEqual(none["merged.png"], (160, 120))
        tree_w, tree_h = visible["layer-002-Tree.png"]
        self.assertLess(tree_w, 34)  # the transparent margin around the tree is trimmed
        self.assertLess(tree_h, 60)
        self.assertEqual(visible["layer-000-Background.png"], (160, 120))  # opaque: nothing to trim
        umask = os.umask(0)
        os.umask(umask)
        for name in SAMPLE_FILES:
            path = os.path.join(work_path("crop-none"), name)
            self.assertEqual(png(path)[2], "RGBA")
            self.assertEqual(os.stat(path).st_mode & 0o777, 0o666 & ~umask, name)  # like any new file

    def test_layer_selection(self):
        out = self.extract("selection", "--layers", "merged,2-3")
        self.assertEqual(sorted(os.listdir(out)), ["layer-002-Tree.png", "layer-003-Sun.png", "merged.png"])
        out = self.extract("selection-layers-only", "--layers", "0,4")
        self.assertEqual(sorted(os.listdir(out)), ["layer-000-Background.png", "layer-004-Hidden_note.png"])

    def test_default_output_directory_is_the_document_name(self):
        scratch = work_path("default-dir")
        shutil.rmtree(scratch, ignore_errors=True)
        os.makedirs(scratch)
        result = lamivex("extract", SAMPLE, "--quiet", cwd=scratch)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(sorted(os.listdir(os.path.join(scratch, "sample"))), SAMPLE_FILES)

    def test_existing_files_are_replaced(self):
        out = work_path("replace")
        os.makedirs(out, exist_ok=True)
        with open(os.path.join(out, "merged.png"), "w") as stale:
            stale.write("stale")
        result = lamivex("extract", SAMPLE, "-o", out, "--layers", "merged")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(png(os.path.join(out, "merged.png"))[:2], (160, 120))
        self.assertEqual(os.listdir(out), ["merged.png"])


class Names(unittest.TestCase):
    def test_latin1_names_print_as_utf8_and_cyrillic_falls_back_to_the_pascal_name(self):
        w, h = 6, 4
        layers = [tiny_psd.Layer((0, 0, w, h), b"Gr\xfcn \xe9t\xe9", [(0, tiny_psd.raw_channel(tiny_psd.flat(w, h, 9)))]),
                  tiny_psd.Layer((0, 0, w, h), b"a/../b", [(0, tiny_psd.raw_channel(tiny_psd.flat(w, h, 9)))])]
        path = work_path("names.psd")
        with open(path, "wb") as out:
            out.write(tiny_psd.document(w, h, layers, [tiny_psd.flat(w, h, 1)] * 3))
        table = lamivex("info", path)
        self.assertEqual(table.returncode, 0)
        self.assertIn("Grün été", table.stdout)
        info = json.loads(lamivex("info", "--json", path).stdout)
        self.assertEqual([layer["name"] for layer in info["layers"]], ["Grün été", "a/../b"])
        out = work_path("names")
        self.assertEqual(lamivex("extract", path, "-o", out).returncode, 0)
        self.assertEqual(sorted(os.listdir(out)), ["layer-000-Gr_n_t.png", "layer-001-a_.._b.png", "merged.png"])

        sample = json.loads(lamivex("info", "--json", SAMPLE).stdout)
        self.assertEqual(sample["layers"][2]["name"], "Tree")  # its Unicode name is "Дерево"
        self.assertEqual((sample["layers"][4]["visible"], sample["layers"][4]["opacity"]), (False, 128))


class DecodeFailure(unittest.TestCase):
    def test_a_layer_that_fails_to_decode_is_reported_and_the_others_are_written(self):
        w, h = 8, 6
        good = [(c, tiny_psd.rle_channel(tiny_psd.ramp(w, h, c), w, h)) for c in (0, 1, 2)]
        broken = [(0, tiny_psd.rle_channel(tiny_psd.ramp(w, h), w, h)),
                  (1, tiny_psd.rle_channel(tiny_psd.ramp(w, h), w, h, broken_row=3))]
        layers = [tiny_psd.Layer((0, 0, w, h), b"Good", good), tiny_psd.Layer((0, 0, w, h), b"Broken", broken),
                  tiny_psd.Layer((2, 2, 2, 5), b"Empty", [(0, tiny_psd.raw_channel(b""))])]
        path = work_path("broken-layer.psd")
        with open(path, "wb") as out:
            out.write(tiny_psd.document(w, h, layers, [tiny_psd.flat(w, h, 5)] * 3))
        out = work_path("broken-layer")
        result = lamivex("extract", path, "-o", out)
        self.assertEqual(result.returncode, 4)
        self.assertEqual(result.stderr, f'{path}: layer 1 "Broken": corrupt run-length data (code 310)\n')
        # The zero-area layer gets no file, by design.
        self.assertEqual(sorted(os.listdir(out)), ["layer-000-Good.png", "merged.png"])


class BigDocument(unittest.TestCase):
    """A document that takes a while: a bar on a terminal, nothing with --quiet, and an interrupt that
    leaves no temporary file behind."""

    @classmethod
    def setUpClass(cls):
        w = h = 2500
        plane = tiny_psd.rle_channel(tiny_psd.flat(w, h, 0x40), w, h)
        layers = [tiny_psd.Layer((0, 0, w, h), b"Big %d" % i, [(c, plane) for c in (-1, 0, 1, 2)]) for i in range(4)]
        cls.path = work_path("big.psd")
        with open(cls.path, "wb") as out:
            out.write(tiny_psd.document(w, h, layers, [tiny_psd.flat(w, h, 0x80)] * 3))

    def run_on_terminal(self, *args):
        master, slave = pty.openpty()
        process = subprocess.Popen([LAMIVEX, *args], stdout=subprocess.DEVNULL, stderr=slave)
        os.close(slave)
        output = b""
        while True:
            ready, _, _ = select.select([master], [], [], 60)
            if not ready:
                break
            try:
                chunk = os.read(master, 4096)
            except OSError:  # the terminal closes with the program
                break
            if not chunk:
                break
            output += chunk
        os.close(master)
        self.assertEqual(process.wait(), 0)
        return output.decode()

    def test_bar_on_a_terminal(self):
        output = self.run_on_terminal("extract", self.path, "-o", work_path("big"))
        self.assertIn("5/5", output)
        self.assertIn("[##############################]", output)
        self.assertTrue(output.endswith("\r\x1b[K"), repr(output[-40:]))  # the bar is wiped at the end

    def test_quiet_on_a_terminal(self):
        self.assertEqual(self.run_on_terminal("extract", self.path, "-o", work_path("big"), "--quiet"), "")

    def test_an_interrupted_extract_leaves_no_temporary_file(self):
        out = work_path("interrupted")
        shutil.rmtree(out, ignore_errors=True)
        process = subprocess.Popen([LAMIVEX, "extract", self.path, "-o", out, "--quiet"])
        seen = False
        while process.poll() is None and not seen:
            seen = os.path.isdir(out) and any(".tmp-" in f for f in os.listdir(out))
        if seen:
            process.send_signal(signal.SIGINT)
        self.assertEqual(process.wait(), -signal.SIGINT if seen else 0)
        self.assertTrue(seen, "extract ended before a temporary file could be seen")
        self.assertEqual([f for f in os.listdir(out) if not f.endswith(".png")], [])

    def test_small_documents_print_nothing_on_a_terminal(self):
        self.assertEqual(self.run_on_terminal("extract", SAMPLE, "-o", work_path("small-on-terminal")), "")


if __name__ == "__main__":
    LAMIVEX, SAMPLE, WORK = (os.path.abspath(arg) for arg in sys.argv[1:4])
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    unittest.main(argv=[sys.argv[0]] + sys.argv[4:])
