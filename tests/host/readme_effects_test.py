"""The commands of the README's "Running effects" section run as written: the sample extracted as
./run.sh does, then every `build/bin/lamivex` line of the section's shell block in order, against a
temporary registry. Each must exit 0; every apply must print true or false and write its picture.

Usage: readme_effects_test.py README.md LAMIVEX LIBDIR SAMPLE.psd WORKDIR
"""
import os
import re
import shlex
import shutil
import subprocess
import sys

HEADING = "## Running effects"
PROGRAM = "build/bin/lamivex"


def commands(readme):
    if HEADING not in readme:
        raise SystemExit(f"no section '{HEADING}'")
    section = readme.split(HEADING, 1)[1].split("\n## ", 1)[0]
    blocks = re.findall(r"```sh\n(.*?)```\n", section, re.S)
    lines = [line for block in blocks for line in block.splitlines() if line.startswith(PROGRAM + " ")]
    if not lines:
        raise SystemExit(f"no '{PROGRAM}' command in '{HEADING}'")
    return lines


def main():
    readme_path, lamivex, libdir, sample, work = (os.path.abspath(arg) for arg in sys.argv[1:6])
    with open(readme_path, encoding="utf-8") as f:
        lines = commands(f.read())
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "build", "bin"))
    # The section's paths, relative to the top of the checkout, lead to this build.
    os.symlink(lamivex, os.path.join(work, PROGRAM))
    os.symlink(libdir, os.path.join(work, "build", "lib"))
    env = dict(os.environ, LAMIVEX_REGISTRY=os.path.join(work, "registry"))
    subprocess.run([lamivex, "extract", sample, "-o", "out/sample", "--crop", "canvas"], cwd=work, env=env,
                   check=True, capture_output=True)
    seen_apply = 0
    for line in lines:
        result = subprocess.run(["bash", "-c", line], cwd=work, env=env, capture_output=True, text=True)
        if result.returncode != 0:
            print(f"README command failed ({result.returncode}): {line}\n{result.stderr}", file=sys.stderr)
            return 1
        words = shlex.split(line)
        if words[1] == "apply":
            seen_apply += 1
            operands = [w for w in words[2:] if w.endswith(".png")]
            if result.stdout.splitlines()[-1] not in ("true", "false") or not os.path.isfile(
                    os.path.join(work, operands[1])):
                print(f"README apply wrote no picture or no answer: {line}\n{result.stdout}", file=sys.stderr)
                return 1
        print("ok:", line)
    if seen_apply < 5:
        print(f"the section shows {seen_apply} apply commands, not one per effect", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
