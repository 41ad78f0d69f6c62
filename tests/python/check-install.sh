#!/usr/bin/env bash
# Installs the kobal Python package the two ways a user does, each into a fresh virtual
# environment that sees Debian's packages, and runs the Python tests on the installed package:
# `pip install .` from the source tree, and the wheel of `python3 -m build`. No package index.
# Usage: tests/python/check-install.sh [build folder with libKobalFnc and kobal-lookup]
#        (default: build/ci; the tests compare the package with them)
set -euo pipefail
cd "$(dirname "$0")/../.."
source=$PWD
build=$(realpath "${1:-build/ci}")
python=/usr/bin/python3  # Debian's, whatever python3 the PATH finds first
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KOBAL_LIBRARY=$build/library/libKobalFnc.so KOBAL_LOOKUP=$build/cli/kobal-lookup
for file in "$KOBAL_LIBRARY" "$KOBAL_LOOKUP"; do
  [ -e "$file" ] || { echo "$0: $file is missing: build $build first" >&2; exit 1; }
done

# Tests the package installed in the virtual environment $1, from outside the source tree.
check_installed() {
  local venv=$1
  (cd "$work" && env -u PYTHONPATH "$venv/bin/python" - "$venv" <<'PY'
import pathlib, sys
import kobal
venv = pathlib.Path(sys.argv[1]).resolve()
module = pathlib.Path(kobal._kobal.__file__).resolve()
assert venv in module.parents, f"kobal imported from {module}, not from {venv}"
package = module.parent
assert (package / "py.typed").is_file() and (package / "_kobal.pyi").is_file(), "no type stubs"
print(f"kobal {kobal.__version__} from {module}")
PY
  )
  # The module carries the library: nothing outside the package to find at run time.
  if ldd "$venv"/lib/python3*/site-packages/kobal/_kobal*.so | grep libKobalFnc >/dev/null; then
    echo "FAIL: the installed module needs libKobalFnc.so" >&2
    exit 1
  fi
  (cd "$source/tests/python" &&
    env -u PYTHONPATH PYTHONDONTWRITEBYTECODE=1 "$venv/bin/python" -m pytest -q -p no:cacheprovider .)
}

echo "-- pip install --no-build-isolation --no-index . (a fresh virtual environment)"
"$python" -m venv --system-site-packages "$work/source-venv"
"$work/source-venv/bin/pip" install --quiet --no-build-isolation --no-index "$source"
check_installed "$work/source-venv"

echo "-- python3 -m build --no-isolation --wheel, then pip install the wheel"
"$python" -m build --no-isolation --wheel --outdir "$work/dist" "$source" > "$work/build.log" 2>&1 ||
  { tail -n 30 "$work/build.log"; exit 1; }
wheel=$(ls "$work"/dist/kobal-*.whl)
echo "$(basename "$wheel")"
"$python" -m venv --system-site-packages "$work/wheel-venv"
"$work/wheel-venv/bin/pip" install --quiet --no-index "$wheel"
check_installed "$work/wheel-venv"
echo "2 passed, 0 failed"
