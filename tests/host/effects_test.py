"""The plug-in commands of the lamivex program: register, effects, apply and unregister, against the
five modules of the build, in a temporary registry (LAMIVEX_REGISTRY).

Usage: effects_test.py LAMIVEX LIBDIR WORKDIR [unittest options]
"""
import os
import shutil
import subprocess
import sys
import unittest

from PIL import Image

LAMIVEX = LIBDIR = WORK = None
REGISTRY = None

TEXTS = {
    "Colors.Data": "Изменение отношения цветов",
    "Button.Data": "Превратить в кнопку",
    "Mollivo.Data": "Размытие",
    "Diffuse.Data": "Диффузия",
}
COLORS_CLSID = "{386A0181-E8F3-4E47-B1DF-49670A3ECDC8}"
MOLLIVO_CLSID = "{C62781F6-61BC-4D85-823D-760C5B658AE9}"
UMBRINO_CLSID = "{83BDBCA5-9CBB-43B5-9643-17875502ECDD}"

# How each effect is asked for and what its dialog is told; Mollivo's own class is reached by class id,
# as Umbrino (registered after it) owns the shared identifier.
EFFECTS = {
    "Colors": (["Colors.Data"], ["set HRGB(1) 40", "click btnOk"]),
    "Button": (["Button.Data"], ["backspace shir 2", "type shir 2", "click btnOk"]),
    "Mollivo": (["--clsid", MOLLIVO_CLSID], ["backspace povt 2", "type povt 2", "click btnOk"]),
    "Diffuse": (["Diffuse.Data"], ["backspace smesh 2", "type smesh 3", "click btnOk"]),
    "Umbrino": (["--clsid", UMBRINO_CLSID], []),
}


def lamivex(*args, **kwargs):
    env = dict(os.environ, LAMIVEX_REGISTRY=REGISTRY)
    return subprocess.run([LAMIVEX, *args], capture_output=True, text=True, env=env, **kwargs)


def modules():
    """The five effect modules, in file-name order (the build's library folder holds test modules too)."""
    return [os.path.join(LIBDIR, name + ".pgs") for name in ("Button", "Colors", "Diffuse", "Mollivo", "Umbrino")]


def work(name):
    return os.path.join(WORK, name)


def picture(name, width=9, height=7):
    """A small picture with every channel varying and alpha below opaque in places."""
    path = work(name)
    image = Image.new("RGBA", (width, height))
    image.putdata([((x * 29 + y * 7) % 256, (x * 11 + y * 31) % 256, (x * y * 13 + 40) % 256,
                    255 if (x + y) % 3 else 128) for y in range(height) for x in range(width)])
    image.save(path)
    return path


def pixels(path):
    with Image.open(path) as image:
        return image.size, image.mode, list(image.getdata())


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def apply(effect, script, source, out, *extra):
    """lamivex apply with the effect named as in EFFECTS and one --do per line of script."""
    actions = [a for line in script for a in ("--do", line)]
    return lamivex("apply", *effect, source, out, *actions, *extra)


class Registered(unittest.TestCase):
    """The five modules registered once, in file-name order (so Umbrino, last, owns Mollivo.Data)."""

    @classmethod
    def setUpClass(cls):
        if os.path.exists(REGISTRY):
            os.remove(REGISTRY)
        cls.registration = lamivex("register", *modules())
        cls.source = picture("source.png")

    def test_register_reports_each_module_with_its_class(self):
        result = self.registration
        self.assertEqual(result.returncode, 0, result.stderr)
        lines = result.stdout.splitlines()
        self.assertEqual(len(lines), 5, result.stdout)
        for line, module in zip(lines, modules()):
            self.assertTrue(line.startswith("registered " + module + ": "), line)
        self.assertIn(f"Colors.pgs: Colors.Data {COLORS_CLSID}", result.stdout)
        self.assertIn(f"Umbrino.pgs: Mollivo.Data {UMBRINO_CLSID}", result.stdout)

    def test_effects_lists_every_class_with_its_text(self):
        result = lamivex("effects")
        self.assertEqual(result.returncode, 0, result.stderr)
        rows = result.stdout.splitlines()
        self.assertTrue(rows[0].startswith("Class id"))
        by_module = {row.split()[2]: row for row in rows[1:6]}
        self.assertEqual(sorted(by_module), ["Button.pgs", "Colors.pgs", "Diffuse.pgs", "Mollivo.pgs", "Umbrino.pgs"])
        for module in ("Colors", "Button", "Diffuse"):
            row = by_module[module + ".pgs"].split(None, 3)
            self.assertEqual(row[1], module + ".Data")
            self.assertEqual(row[3], TEXTS[module + ".Data"])
        # Both classes that registered Mollivo.Data show, the one that lost it marked.
        self.assertEqual(by_module["Umbrino.pgs"].split(None, 3)[:2], [UMBRINO_CLSID, "Mollivo.Data"])
        self.assertEqual(by_module["Mollivo.pgs"].split(None, 3)[:2], [MOLLIVO_CLSID, "Mollivo.Data*"])
        self.assertTrue(by_module["Umbrino.pgs"].endswith("Размытие"))
        self.assertTrue(by_module["Mollivo.pgs"].endswith("Размытие"))
        self.assertIn("--clsid", rows[-1])

    def test_colors_ok_zeroes_red_and_keeps_the_rest(self):
        out = work("colors-red.png")
        # Both spellings of the option; every one is kept, in order.
        result = lamivex("apply", "Colors.Data", self.source, out, "--do=set HRGB(0) 0", "--do", "click btnOk")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, "true\n")
        size, mode, after = pixels(out)
        _, _, before = pixels(self.source)
        self.assertEqual((size, mode), ((9, 7), "RGBA"))
        self.assertEqual(after, [(0, g, b, a) for (_, g, b, a) in before])

    def test_cancel_and_close_leave_the_picture_and_answer_false(self):
        for script in (["set HRGB(0) 0", "click btnCancel"], ["esc"], []):
            out = work("colors-cancel.png")
            actions = [a for line in script for a in ("--do", line)]
            result = lamivex("apply", "Colors.Data", self.source, out, *actions)
            self.assertEqual(result.returncode, 0, (script, result.stderr))
            self.assertEqual(result.stdout, "false\n", script)
            self.assertEqual(pixels(out), pixels(self.source), script)

    def test_every_effect_repeats_exactly_with_seed_and_clock(self):
        for name, (effect, script) in EFFECTS.items():
            outputs = []
            for attempt in range(2):
                out = work(f"{name}-{attempt}.png")
                result = apply(effect, script, self.source, out, "--seed", "4242", "--clock", "3600.5")
                self.assertEqual(result.returncode, 0, (name, result.stderr))
                self.assertEqual(result.stdout, "false\n" if name == "Umbrino" else "true\n", name)
                outputs.append(read_bytes(out))
            self.assertEqual(outputs[0], outputs[1], name)
            if name != "Umbrino":
                self.assertNotEqual(pixels(work(f"{name}-0.png")), pixels(self.source), name)

    def test_diffuse_follows_the_clock_and_mollivo_the_seed(self):
        effect, script = EFFECTS["Diffuse"]
        drawn = []
        for clock in ("100", "50000"):
            out = work(f"diffuse-{clock}.png")
            self.assertEqual(apply(effect, script, self.source, out, "--clock", clock).returncode, 0)
            drawn.append(pixels(out))
        self.assertNotEqual(drawn[0], drawn[1])
        effect, script = EFFECTS["Mollivo"]
        drawn = []
        for seed in ("1", "9000000"):
            out = work(f"mollivo-{seed}.png")
            self.assertEqual(apply(effect, script, self.source, out, "--seed", seed).returncode, 0)
            drawn.append(pixels(out))
        self.assertNotEqual(drawn[0], drawn[1])

    def test_show_captions_prints_text_captions_and_message_boxes_in_order(self):
        result = lamivex("apply", "Colors.Data", self.source, work("captions.png"), "--show-captions",
                         "--do", "click btnOk")
        self.assertEqual(result.returncode, 0, result.stderr)
        lines = result.stdout.splitlines()
        self.assertEqual(lines[0], "text: Изменение отношения цветов")
        self.assertEqual(lines[-1], "true")
        captions = lines[1:-1]
        self.assertTrue(captions and all(c.startswith("caption: Замена цветов выполнена на ") for c in captions),
                        captions)
        self.assertEqual(captions[-1], "caption: Замена цветов выполнена на 100%")
        # A count that does not convert: the message box, then the dialog stays open for Cancel.
        result = lamivex("apply", "--clsid", MOLLIVO_CLSID, self.source, work("message.png"), "--show-captions",
                         "--do", "backspace povt 2", "--do", "click btnOk", "--do", "click btnCancel")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.splitlines(), ["text: Размытие", "message: Mollivo: Type mismatch", "false"])

    def test_the_widest_picture_is_taken_to_its_last_column(self):
        edge = work("edge.png")
        Image.new("RGBA", (32767, 2), (10, 20, 30, 255)).save(edge)
        out = work("edge-out.png")
        result = lamivex("apply", "Colors.Data", edge, out, "--do", "set HRGB(0) 0", "--do", "click btnOk")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, "true\n")
        with Image.open(out) as image:
            self.assertEqual(image.size, (32767, 2))
            self.assertEqual(set(image.getdata()), {(0, 20, 30, 255)})

    def test_a_grey_picture_comes_back_as_rgba(self):
        grey = work("grey.png")
        Image.new("L", (4, 3), 200).save(grey)
        out = work("grey-out.png")
        result = lamivex("apply", "Colors.Data", grey, out, "--do", "set HRGB(2) 0", "--do", "enter")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(pixels(out), ((4, 3), "RGBA", [(200, 200, 0, 255)] * 12))

    def test_interactive_reads_actions_from_stdin(self):
        out = work("interactive.png")
        result = lamivex("apply", "Colors.Data", self.source, out, "--interactive",
                         input="set HRGB(0) 0\nclick btnOk\n")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(result.stdout.endswith("true\n"))
        self.assertIn("HRGB(0)", result.stdout)  # the form was listed for the person
        self.assertEqual([p[0] for p in pixels(out)[2]], [0] * 63)

    def test_bad_arguments_give_one_line_and_their_status_and_write_nothing(self):
        wide = work("wide.png")
        Image.new("RGBA", (32768, 1)).save(wide)
        not_png = work("not-a.png")
        with open(not_png, "w") as f:
            f.write("plain text\n")
        out = work("never.png")
        src = self.source
        cases = [
            (["No.Such", src, out], 5,
             "No.Such: cannot be created: no plug-in is registered under this identifier (HRESULT 0x800401F3)"),
            (["--clsid", "{00000000-0000-0000-0000-000000000001}", src, out], 5,
             "{00000000-0000-0000-0000-000000000001}: cannot be created: no plug-in is registered under this class id"),
            (["Colors.Data", work("missing.png"), out], 1, work("missing.png") + ": No such file or directory"),
            (["Colors.Data", WORK, out], 1, WORK + ": is a directory, not a PNG file"),
            (["Colors.Data", not_png, out], 1, not_png + ": not a readable PNG file"),
            (["Colors.Data", wide, out], 1,
             wide + ": 32768 x 1 pixels is too large: width and height must be at most 32767"),
            (["Colors.Data", src, out, "--do", "jump btnOk"], 2, "lamivex apply: --do 'jump btnOk': "),
            (["Colors.Data", src, out, "--do", "click btnApply"], 2, "lamivex apply: --do click btnApply: "),
            (["Colors.Data", src, out, "--do", "esc", "-i"], 2, "--interactive and --do cannot be used together"),
            (["--clsid", "386A0181", src, out], 2, "--clsid takes a class id"),
            (["Colors.Data", src, out, "--seed", "16777216"], 2, "--seed takes a whole number from 0 to 16777215"),
            (["Colors.Data", src, out, "--clock", "86400"], 2, "--clock takes seconds after midnight"),
            (["Colors.Data", src, out, "--clock", "-1"], 2, "--clock takes seconds after midnight"),
            (["Colors.Data", src, out, "--seed", "-5"], 2, "--seed takes a whole number"),
            (["Colors.Data", src, out, "--do"], 2, "option '--do' needs a value"),
            (["Colors.Data", src], 2, "give PROGID, IN.png and OUT.png"),
            (["--clsid", COLORS_CLSID, "Colors.Data", src, out], 2, "with --clsid give IN.png and OUT.png only"),
        ]
        for args, status, message in cases:
            result = lamivex("apply", *args)
            self.assertEqual(result.returncode, status, (args, result.stderr))
            self.assertEqual(len(result.stderr.splitlines()), 1, (args, result.stderr))
            self.assertIn(message, result.stderr, args)
            self.assertEqual(result.stdout, "", args)
            self.assertFalse(os.path.exists(out), args)

    def test_an_unwritable_output_gives_status_3(self):
        result = lamivex("apply", "Colors.Data", self.source, work("no-such-dir/out.png"), "--do", "esc")
        self.assertEqual(result.returncode, 3, result.stderr)
        self.assertIn("no-such-dir/out.png: No such file or directory", result.stderr)

    def test_zz_unregister_removes_them_from_effects(self):
        # Runs last in this class (unittest sorts by name).
        result = lamivex("unregister", *modules())
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.splitlines(), ["unregistered " + m for m in modules()])
        listing = lamivex("effects")
        self.assertEqual(listing.returncode, 0, listing.stderr)
        self.assertIn("No plug-ins are registered", listing.stdout)
        gone = lamivex("apply", "Colors.Data", self.source, work("gone.png"))
        self.assertEqual(gone.returncode, 5)
        self.assertIn("no plug-in is registered under this identifier", gone.stderr)


class CommandLines(unittest.TestCase):
    def test_help_of_each_command_documents_exit_statuses(self):
        for command in ("register", "unregister", "effects", "apply"):
            result = lamivex(command, "--help")
            self.assertEqual(result.returncode, 0, command)
            self.assertIn("Usage: lamivex " + command, result.stdout)
            self.assertIn("Exit status", result.stdout)
        self.assertIn("click NAME", lamivex("apply", "--help").stdout)

    def test_registration_failures_name_the_file(self):
        not_module = work("plain.pgs")
        with open(not_module, "w") as f:
            f.write("not a module\n")
        cases = [
            (["register"], 2, "lamivex register: no module given"),
            (["register", work("nope.pgs")], 5, work("nope.pgs") + ": No such file or directory"),
            (["register", WORK], 5, WORK + ": is a directory, not a module"),
            (["register", not_module], 5, not_module + ": cannot be registered: the module cannot be loaded"),
            (["unregister", "--quiet", not_module], 2, "lamivex unregister: unknown option '--quiet'"),
            (["effects", "extra"], 2, "lamivex effects: takes no operands"),
        ]
        for args, status, message in cases:
            result = lamivex(*args)
            self.assertEqual(result.returncode, status, (args, result.stderr))
            self.assertIn(message, result.stderr, args)

    def test_a_class_whose_module_is_gone_is_reported_and_the_others_listed(self):
        global REGISTRY
        saved = REGISTRY
        REGISTRY = work("moved-registry")
        moved = work("moved")
        os.makedirs(moved, exist_ok=True)
        copy = os.path.join(moved, "Colors.pgs")
        shutil.copy(os.path.join(LIBDIR, "Colors.pgs"), copy)
        try:
            self.assertEqual(lamivex("register", copy, os.path.join(LIBDIR, "Diffuse.pgs")).returncode, 0)
            os.remove(copy)
            result = lamivex("effects")
            self.assertEqual(result.returncode, 5)
            self.assertEqual(result.stderr,
                             f"{COLORS_CLSID}: cannot be created: the module cannot be loaded (HRESULT 0x800401F8)\n")
            self.assertIn("Диффузия", result.stdout)
            self.assertIn(f"{COLORS_CLSID}  Colors.Data ", result.stdout)
        finally:
            REGISTRY = saved

    def test_a_damaged_registry_is_reported_by_effects(self):
        global REGISTRY
        saved = REGISTRY
        REGISTRY = work("damaged-registry")
        try:
            with open(REGISTRY, "w") as f:
                f.write("not a registry\n")
            result = lamivex("effects")
            self.assertEqual(result.returncode, 5)
            self.assertIn(REGISTRY + ": the registry cannot be read", result.stderr)
        finally:
            REGISTRY = saved


if __name__ == "__main__":
    LAMIVEX, LIBDIR, WORK = (os.path.abspath(arg) for arg in sys.argv[1:4])
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    REGISTRY = os.path.join(WORK, "registry")
    unittest.main(argv=[sys.argv[0]] + sys.argv[4:])
