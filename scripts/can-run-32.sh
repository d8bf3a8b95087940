#!/usr/bin/env bash
# Exit 0 when this machine can run 32-bit x86 programs (the kernel's IA32
# emulation), else 1 with one line saying why. Cheap: a 4-instruction ELF.
set -u
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
printf '.globl _start\n_start: mov $1,%%eax\n mov $42,%%ebx\n int $0x80\n' > "$t/t.s"
if ! as --32 "$t/t.s" -o "$t/t.o" 2>/dev/null || ! ld -m elf_i386 "$t/t.o" -o "$t/t32" 2>/dev/null; then
  echo "32-bit check: no 32-bit assembler or linker (binutils) to test with" >&2
  exit 1
fi
"$t/t32" 2>/dev/null
rc=$?
if [ "$rc" -ne 42 ]; then
  echo "this machine cannot run 32-bit programs (the kernel has no IA32 emulation)" >&2
  exit 1
fi
exit 0
