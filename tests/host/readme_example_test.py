"""The README's C example is examples/read_document.c, byte for byte, so the compiled and tested file
is the one readers copy.

Usage: readme_example_test.py README.md EXAMPLE.c
"""
import sys

HEADING = "## Using the library from C"


def main():
    readme_path, example_path = sys.argv[1:3]
    with open(readme_path, encoding="utf-8") as f:
        readme = f.read()
    with open(example_path, encoding="utf-8") as f:
        example = f.read()
    if HEADING not in readme:
        print(f"{readme_path}: no section '{HEADING}'", file=sys.stderr)
        return 1
    section = readme.split(HEADING, 1)[1]
    start = section.find("```c\n")
    end = section.find("```\n", start + 5)
    if start < 0 or end < 0:
        print(f"{readme_path}: no ```c block in '{HEADING}'", file=sys.stderr)
        return 1
    block = section[start + 5:end]
    if block != example:
        print(f"{readme_path}: the C block of '{HEADING}' differs from {example_path}", file=sys.stderr)
        return 1
    print("README example matches", example_path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
