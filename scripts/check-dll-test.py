#!/usr/bin/env python3
"""Proves that scripts/check-dll.py catches what it is for.

Builds tiny i686 DLLs with the 15 entry points (no runtime, nothing
imported), a version resource and their debug information split off: one
correct, then one with a cdecl export, one exporting a decorated name, one
with two ordinals swapped, one without a version resource, one with the wrong
product name and one shipped with its debug sections. The check must pass the
first and fail each of the others, naming the fault.
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CC = "i686-w64-mingw32-gcc"
WINDRES = "i686-w64-mingw32-windres"
OBJCOPY = "i686-w64-mingw32-objcopy"


def resource(product="Plimbo"):
    return f"""1 VERSIONINFO
FILEVERSION 1,0,0,0
PRODUCTVERSION 1,0,0,0
FILETYPE 2
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904E4"
    BEGIN
      VALUE "FileDescription", "test\\0"
      VALUE "FileVersion", "1.0.0.0\\0"
      VALUE "OriginalFilename", "w95ZOK56.dll\\0"
      VALUE "ProductName", "{product}\\0"
      VALUE "ProductVersion", "1.0.0.0\\0"
    END
  END
END
"""
EXPORTS = [("GetFreePageMem95", 0), ("VideoWinStatus95", 0), ("VideoWinClose95", 0),
           ("VideoWinPlayer95", 3), ("PrintEnd95", 0), ("PrintDlg95", 4), ("PrintCheck95", 0),
           ("EditorWin95", 0), ("RemoteDlg95", 2), ("ShortToLongName95", 0),
           ("RemoteWinUpdate95", 0), ("RemoteWinHide95", 0), ("RemoteWinClose95", 0),
           ("RemoteWin95", 2), ("GDIflush95", 0)]


def source(cdecl=()):
    lines = ["int __attribute__((stdcall)) DllMainCRTStartup(void* a, int b, void* c)"
             " { (void)a; (void)b; (void)c; return 1; }"]
    for name, nargs in EXPORTS:
        conv = "cdecl" if name in cdecl else "stdcall"
        params = ", ".join(f"int a{i}" for i in range(nargs)) or "void"
        body = " + ".join(f"a{i}" for i in range(nargs)) or "0"
        lines.append(f"int __attribute__(({conv})) {name}({params}) {{ return {body}; }}")
    return "\n".join(lines) + "\n"


def def_file(decorated=(), cdecl=(), swap=()):
    ordinals = {name: i + 1 for i, (name, _) in enumerate(EXPORTS)}
    if swap:
        a, b = swap
        ordinals[a], ordinals[b] = ordinals[b], ordinals[a]
    out = ["LIBRARY w95ZOK56.dll", "EXPORTS"]
    for name, nargs in EXPORTS:
        internal = name if name in cdecl else f"{name}@{4 * nargs}"
        shown = internal if name in decorated else name
        out.append(f"  {shown} = {internal} @{ordinals[name]}")
    return "\n".join(out) + "\n"


CASES = [
    # (label, source options, def options, expected exit code, text the report must hold)
    ("correct DLL", {}, {}, 0, "15 stdcall exports"),
    ("cdecl export", {"cdecl": ("RemoteDlg95",)}, {"cdecl": ("RemoteDlg95",)}, 1,
     "RemoteDlg95: 'ret"),
    ("decorated name", {}, {"decorated": ("PrintDlg95",)}, 1, "PrintDlg95@16"),
    ("wrong ordinal", {}, {"swap": ("RemoteDlg95", "ShortToLongName95")}, 1,
     "RemoteDlg95 is at ordinal 10"),
    ("no version resource", {"rc": None}, {}, 1, "no version resource"),
    ("wrong product name", {"rc": "Other"}, {}, 1, "ProductName is 'Other'"),
    ("debug sections shipped", {"split": False}, {}, 1, "ships debug section .debug_info"),
]


def main():
    failures = 0
    with tempfile.TemporaryDirectory() as tmp:
        table = os.path.join(tmp, "export-table.txt")
        with open(table, "w") as f:
            for i, (name, nargs) in enumerate(EXPORTS):
                f.write(f"{name} {i + 1} {nargs}\n")
        for n, (label, src_opts, def_opts, want_code, want_text) in enumerate(CASES):
            src_opts = dict(src_opts)
            product = src_opts.pop("rc", "Plimbo")
            split = src_opts.pop("split", True)
            c, d, rc, res = (os.path.join(tmp, f"case{n}.{ext}") for ext in ("c", "def", "rc", "o"))
            dll = os.path.join(tmp, f"case{n}", "w95ZOK56.dll")
            os.mkdir(os.path.dirname(dll))
            open(c, "w").write(source(**src_opts))
            open(d, "w").write(def_file(**def_opts))
            objects = [c, d]
            if product is not None:
                open(rc, "w").write(resource(product))
                subprocess.run([WINDRES, rc, "-o", res], check=True)
                objects.append(res)
            subprocess.run([CC, "-g", "-O1", "-shared", "-nostdlib", "-Wl,-e,_DllMainCRTStartup@12",
                            "-Wl,--enable-stdcall-fixup", "-o", dll] + objects, check=True)
            if split:
                subprocess.run([OBJCOPY, "--only-keep-debug", dll, dll + ".debug"], check=True)
                subprocess.run([OBJCOPY, "--strip-all", "--add-gnu-debuglink=" + dll + ".debug",
                                dll], check=True)
            run = subprocess.run([sys.executable, os.path.join(HERE, "check-dll.py"), dll, table],
                                 capture_output=True, text=True)
            ok = run.returncode == want_code and want_text in run.stdout
            print(f"check-dll-test: {label}: {'ok' if ok else 'WRONG'} (exit {run.returncode})")
            if not ok:
                print(run.stdout, end="")
                failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
