"""Whether this machine's kernel runs 32-bit x86 programs: prints "yes" or "no".

Some kernels (container and micro-VM sandboxes, hardened kernels) have no IA-32 emulation. There
Debian's wine script fails with "Exec format error", for it always starts the 32-bit loader when
wine32 is installed. The answer comes from the kernel itself, not from Wine, so that a Wine that
fails on a kernel which does run such programs still fails its tests.
Usage: runs_32bit_programs.py WORK_DIR"""
import errno
import os
import pathlib
import struct
import subprocess
import sys

EXIT_STATUS = 42


def Program():
    """The smallest i386 ELF program: _exit(42) through int 0x80, nothing else."""
    base, header_size, segment_header_size = 0x08048000, 52, 32
    code = bytes([0xB8, 1, 0, 0, 0,              # mov eax, 1 (exit)
                  0xBB, EXIT_STATUS, 0, 0, 0,    # mov ebx, 42
                  0xCD, 0x80])                   # int 0x80
    entry = base + header_size + segment_header_size
    size = header_size + segment_header_size + len(code)
    header = b"\x7fELF\x01\x01\x01" + bytes(9) + struct.pack(
        "<HHIIIIIHHHHHH", 2, 3, 1, entry, header_size, 0, 0, header_size, segment_header_size,
        1, 0, 0, 0)
    segment = struct.pack("<8I", 1, 0, base, base, size, size, 5, 0x1000)
    return header + segment + code


def main(work):
    path = pathlib.Path(work) / "runs-32bit-programs"
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(Program())
    path.chmod(0o755)
    try:
        status = subprocess.run([str(path)], timeout=30).returncode
    except OSError as error:
        if error.errno == errno.ENOEXEC:
            print("no")
            return 0
        raise
    finally:
        path.unlink()
    if status != EXIT_STATUS:
        print(f"the 32-bit probe ended with {status}, not {EXIT_STATUS}", file=sys.stderr)
        return 1
    print("yes")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.getcwd()))
