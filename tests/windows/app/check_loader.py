"""Kobal.exe without KobalFnc.dll beside it: Wine's loader refuses it, naming the DLL, before any
of its code runs.

Usage: check_loader.py WINE Kobal.exe"""
import os
import shutil
import subprocess
import sys
import tempfile


def main(wine, program):
    with tempfile.TemporaryDirectory() as folder:
        alone = os.path.join(folder, "Kobal.exe")
        shutil.copyfile(program, alone)
        env = dict(os.environ, WINEDEBUG="err+module", DISPLAY="")
        run = subprocess.run([wine, alone], capture_output=True, text=True, env=env, timeout=120)
    if run.returncode == 0 or "KobalFnc.dll" not in run.stderr:
        print(f"FAIL: Kobal.exe alone ended with {run.returncode}; its errors:\n{run.stderr[-2000:]}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
