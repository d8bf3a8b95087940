#!/usr/bin/env python3
"""Static check of the 32-bit product DLL.

Checks, against the export table the build generated (name ordinal nargs):
  - the module name in the export directory is w95ZOK56.dll;
  - the ordinal base is 1 and exactly the listed names are exported, each at
    its ordinal, undecorated;
  - each export cleans up its own arguments (stdcall): every `ret` of the
    function is `ret $N` with N = 4 x its arguments (a plain `ret` for none);
  - the DLL imports nothing but system DLLs;
  - it carries a version resource naming the product and the file;
  - it ships without debug sections or symbols, and its .gnu_debuglink names
    a debug file beside it whose checksum matches (what a debugger looks for);
  - no test code came along (the scripted test session's texts are absent).
Exit code 0 when all hold, 1 with one line per fault otherwise.
"""
import os
import re
import struct
import subprocess
import sys
import zlib

OBJDUMP = "i686-w64-mingw32-objdump"
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll", "comctl32.dll",
               "winmm.dll", "winspool.drv", "msvcrt.dll", "advapi32.dll", "shell32.dll",
               "ole32.dll"}


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


# Texts only the scenario tests' session and users hold.
TEST_CODE_MARKERS = [b"unscripted modal form", b"no test session to answer it"]
VERSION_STRINGS = {"ProductName": "Plimbo", "OriginalFilename": "w95ZOK56.dll"}
VERSION_PRESENT = ["FileDescription", "FileVersion", "ProductVersion"]


def sections(dll):
    """name -> (size, file offset) of each section."""
    out = {}
    for m in re.finditer(r"^\s*\d+\s+(\S+)\s+([0-9a-f]+)\s+[0-9a-f]+\s+[0-9a-f]+\s+([0-9a-f]+)",
                         run(OBJDUMP, "-h", dll), re.M):
        out[m.group(1)] = (int(m.group(2), 16), int(m.group(3), 16))
    return out


def version_block(buf, off):
    """One block of a version resource: (key, value, children), end offset."""
    length, value_len, text = struct.unpack_from("<HHH", buf, off)
    end = off + length
    p = off + 6
    key_end = p
    while buf[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = buf[p:key_end].decode("utf-16-le")
    p = (key_end + 2 + 3) & ~3
    size = value_len * 2 if text else value_len
    value = buf[p:p + size]
    value = value.decode("utf-16-le").rstrip("\0") if text else value
    p = (p + size + 3) & ~3
    children = []
    while p + 6 <= end:
        child, p = version_block(buf, p)
        children.append(child)
        p = (p + 3) & ~3
    return (key, value, children), end


def version_faults(data, secs):
    if ".rsrc" not in secs:
        return ["no version resource (no .rsrc section)"]
    size, offset = secs[".rsrc"]
    rsrc = data[offset:offset + size]
    at = rsrc.find("VS_VERSION_INFO".encode("utf-16-le"))
    if at < 6:
        return ["no version resource"]
    (_, fixed, children), _ = version_block(rsrc, at - 6)
    faults = []
    if len(fixed) < 52 or struct.unpack_from("<I", fixed)[0] != 0xFEEF04BD:
        faults.append("version resource has no fixed file information")
    strings = {}
    for key, _, tables in children:
        if key == "StringFileInfo":
            for _, _, entries in tables:
                strings.update({k: v for k, v, _ in entries})
    for key, want in VERSION_STRINGS.items():
        if strings.get(key) != want:
            faults.append(f"version resource: {key} is {strings.get(key)!r}, not {want!r}")
    for key in VERSION_PRESENT:
        if not strings.get(key):
            faults.append(f"version resource: no {key}")
    return faults


def debug_faults(dll, data, secs):
    faults = [f"ships debug section {n}" for n in secs if n.startswith((".debug", ".zdebug"))]
    if re.search(r"^\[\s*\d+\]", run(OBJDUMP, "-t", dll), re.M):
        faults.append("ships a symbol table")
    if ".gnu_debuglink" not in secs:
        return faults + ["no .gnu_debuglink to a separate debug file"]
    size, offset = secs[".gnu_debuglink"]
    link = data[offset:offset + size]
    name = link.split(b"\0", 1)[0].decode()
    crc_at = (len(name) + 1 + 3) & ~3
    path = os.path.join(os.path.dirname(os.path.abspath(dll)), name)
    if not os.path.exists(path):
        faults.append(f"debug file {name} is not beside the DLL")
    elif zlib.crc32(open(path, "rb").read()) != struct.unpack_from("<I", link, crc_at)[0]:
        faults.append(f"debug file {name} does not belong to this build (checksum)")
    return faults


def function_starts(dll, secs):
    """Addresses where functions begin, from the DLL's symbols or else from
    the debug file its .gnu_debuglink names."""
    source = dll
    if ".gnu_debuglink" in secs:
        size, offset = secs[".gnu_debuglink"]
        with open(dll, "rb") as f:
            f.seek(offset)
            name = f.read(size).split(b"\0", 1)[0].decode()
        path = os.path.join(os.path.dirname(os.path.abspath(dll)), name)
        if os.path.exists(path):
            source = path
    vma = {int(m.group(1)): int(m.group(2), 16) for m in re.finditer(
        r"^\s*(\d+)\s+\S+\s+[0-9a-f]+\s+([0-9a-f]+)", run(OBJDUMP, "-h", source), re.M)}
    starts = set()
    for sec, value in re.findall(r"\(sec\s+(\d+)\)\(fl [^)]*\)\(ty\s+20\).*?0x([0-9a-f]+) \S+$",
                                 run(OBJDUMP, "-t", source), re.M):
        if int(sec) - 1 in vma:
            starts.add(vma[int(sec) - 1] + int(value, 16))
    return starts


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

    # Split the disassembly into functions at each function's start. The
    # shipped DLL has no symbols; its debug file has them.
    starts = function_starts(dll, sections(dll)) | set(image_base + r for r in rvas.values())
    blocks, current = {}, None
    for line in run(OBJDUMP, "-d", "--no-show-raw-insn", dll).splitlines():
        insn = re.match(r"^\s*([0-9a-f]+):\t(.*)", line)
        if not insn:
            continue
        address = int(insn.group(1), 16)
        if address in starts:
            current = address
            blocks[current] = []
        if current is not None:
            blocks[current].append(insn.group(2).split("\t")[-1].strip())
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

    data = open(dll, "rb").read()
    secs = sections(dll)
    faults += version_faults(data, secs)
    faults += debug_faults(dll, data, secs)
    for marker in TEST_CODE_MARKERS:
        if marker in data:
            faults.append(f"test code inside the DLL (holds \"{marker.decode()}\")")

    for f in faults:
        print("check-dll:", f)
    if not faults:
        print(f"check-dll: {dll}: {len(expected)} stdcall exports at their ordinals, module "
              "w95ZOK56.dll, system imports only, version resource, debug information "
              "in a separate file, no test code")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
