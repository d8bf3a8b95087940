#!/usr/bin/env python3
"""Static check of the 32-bit product DLL.

Checks, against the export table the build generated (name ordinal nargs):
  - the module name in the export directory is w95ZOK56.dll;
  - the ordinal base is 1 and exactly the listed names are exported, each at
    its ordinal, undecorated;
  - each export cleans up its own arguments (stdcall): every `ret` of the
    function is `ret $N` with N = 4 x its arguments (a plain `ret` for none);
  - the DLL imports nothing but system DLLs.
Exit code 0 when all hold, 1 with one line per fault otherwise.
"""
import re
import subprocess
import sys

OBJDUMP = "i686-w64-mingw32-objdump"
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll", "comctl32.dll",
               "winmm.dll", "winspool.drv", "msvcrt.dll", "advapi32.dll", "shell32.dll",
               "ole32.dll"}


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def main(dll, table_file):
    expected = {}
    for line in open(table_file):
        if line.strip():
            name, ordinal, nargs = line.split()
            expected[name] = (int(ordinal), int(nargs))

    faults = []
    headers = run(OBJDUMP, "-p", dll)
    if "file format pei-i386" not in run(OBJDUMP, "-f", dll):
        faults.append("not a 32-bit (i386) PE file")

    m = re.search(r"^Name\s+[0-9a-f]+\s+(\S+)", headers, re.M)
    if not m or m.group(1) != "w95ZOK56.dll":
        faults.append(f"module name is {m.group(1) if m else 'missing'}, not w95ZOK56.dll")
    m = re.search(r"^Ordinal Base\s+(\d+)", headers, re.M)
    base = int(m.group(1)) if m else -1
    if base != 1:
        faults.append(f"ordinal base is {base}, not 1")
    image_base = int(re.search(r"^ImageBase\s+([0-9a-f]+)", headers, re.M).group(1), 16)

    # Export Address Table: index -> RVA; name table: name -> index.
    rvas = {int(i): int(r, 16) for i, r in
            re.findall(r"^\s+\[\s*(\d+)\] \+base\[\s*\d+\]\s+([0-9a-f]+) Export RVA", headers, re.M)}
    names = {n: int(i) for i, n in re.findall(r"^\s+\[\s*(\d+)\] (\S+)$",
                                               headers.split("[Ordinal/Name Pointer] Table")[-1],
                                               re.M)}
    for name in names:
        if name not in expected:
            faults.append(f"unexpected export {name}")
    for name, (ordinal, _) in expected.items():
        if name not in names:
            faults.append(f"export {name} missing (decorated or misspelled?)")
        elif names[name] + base != ordinal:
            faults.append(f"{name} is at ordinal {names[name] + base}, not {ordinal}")

    # Split the disassembly into functions at each label.
    blocks, current = {}, None
    for line in run(OBJDUMP, "-d", "--no-show-raw-insn", dll).splitlines():
        lab = re.match(r"^([0-9a-f]+) <.*>:$", line)
        if lab:
            current = int(lab.group(1), 16)
            blocks[current] = []
        elif current is not None and re.match(r"^\s*[0-9a-f]+:\t", line):
            blocks[current].append(line.split("\t", 1)[1].strip())
    for name, (ordinal, nargs) in expected.items():
        if name not in names:
            continue
        va = image_base + rvas[names[name]]
        insns = blocks.get(va)
        if insns is None:
            faults.append(f"{name}: no code found at {va:#x}")
            continue
        rets = [i for i in insns if i.startswith("ret")]
        want = f"ret    ${4 * nargs:#x}" if nargs else "ret"
        tail_jump = any(i.startswith("jmp") and "<" in i for i in insns)
        if not rets and not (nargs == 0 and tail_jump):
            faults.append(f"{name}: no return found")
        for r in rets:
            if r.split()[:2] != want.split()[:2] or (nargs == 0 and r != "ret"):
                faults.append(f"{name}: '{r}' where stdcall needs '{want}' ({nargs} arguments)")

    for imp in re.findall(r"DLL Name: (\S+)", headers):
        if imp.lower() not in SYSTEM_DLLS:
            faults.append(f"imports {imp}, which is not a system DLL")

    for f in faults:
        print("check-dll:", f)
    if not faults:
        print(f"check-dll: {dll}: {len(expected)} stdcall exports at their ordinals, module "
              "w95ZOK56.dll, system imports only")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
