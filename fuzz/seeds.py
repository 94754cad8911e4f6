#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target from our own examples, templates, maps and kept seeds.

    fuzz/seeds.py SOURCE_DIR OUT_DIR      (OUT_DIR/<target>/<seed>)
"""
import re
import sys
from pathlib import Path

src = Path(sys.argv[1])
out = Path(sys.argv[2])


def seed(target, name, data):
    folder = out / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data if isinstance(data, bytes) else data.encode())


def files(*patterns):
    return sorted(p for pattern in patterns for p in src.glob(pattern) if p.is_file())


ini_files = files("examples/*.ini")
for path in ini_files:
    for target in ("fuzz_IniDocument", "fuzz_IniToCli", "fuzz_Metadata"):
        seed(target, path.name, path.read_bytes())

# Maps: the head of each built-in one (the whole would only slow the mutations down).
for path in files("resources/cli/cli*.txt"):
    seed("fuzz_CliMap", path.name, b"".join(path.read_bytes().splitlines(keepends=True)[:400]))

# Templates with the answers of an example as fields and loaded values, once with every include file
# carried along so that the includes are mutated too.
metadata = re.compile(r"^;# %(\S+)%\s+(.*)$", re.M)
answers = {p.stem: metadata.findall(p.read_text()) for p in files("examples/*.ini")}
includes = {p.name: p.read_text() for p in files("resources/templates/*.include")}
templates = files("resources/templates/*.template", "resources/templates/*.pbx", "resources/templates/*.itsp")
for index, path in enumerate(templates):
    example = sorted(answers)[index % len(answers)]
    pairs = answers[example]
    text = path.read_text()
    fields = "#>fields\n" + "".join(
        f"{'+!' if i % 3 == 0 else '+' if i % 3 == 1 else ''}{name}={value}\n" for i, (name, value) in enumerate(pairs))
    values = "#>values\n" + "".join(f"{name}={value}\n" for name, value in pairs[::2])
    seed("fuzz_Template", f"{path.stem}.txt", text + fields + values)
    carried = "".join(f"#>include {name}\n{body}" for name, body in includes.items()
                      if re.search(r"#include\s+" + re.escape(name), text + "".join(includes.values())))
    seed("fuzz_Template", f"{path.stem}-batch.txt", text + carried + fields + "#>batch\n")

# A device's INI file as the download road reads it: our own examples.
for path in files("examples/*.ini"):
    seed("fuzz_DeviceIni", path.name, path.read_bytes())

# Inputs that exist only as program output or server replies, kept in fuzz/seeds/.
for folder, target in (("survey", "fuzz_Survey"), ("replies", "fuzz_DeviceReplies"), ("info", "fuzz_UpdateInfo")):
    for path in files(f"fuzz/seeds/{folder}/*"):
        seed(target, path.name, path.read_bytes())
