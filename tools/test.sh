#!/usr/bin/env bash
# Builds and runs every test: the release build with warnings as errors, the Debian packages
# (checked, built twice, installed in a chroot), the web edition in WebAssembly and chromium,
# the sanitizer build, and a bounded fuzzing run. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh test
jobs=$(nproc)

echo "== layout (clang-format) =="
find include library encodings normaliser lookup app cli tests bench web python sqlite postgresql -name node_modules -prune -o \
  \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror

echo "== release build, warnings as errors =="
cmake --preset ci
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"

echo "== Windows: KobalFnc.dll, Kobal.exe and kobal-lookup.exe for x64 and x86 (MinGW-w64), tested under Wine and Xvfb; the zips built twice =="
# A kernel that runs no 32-bit programs, or a machine without 32-bit Wine (install-deps.sh says
# when it could not install it), runs the x64 tests under Wine's 64-bit loader and skips those
# that run x86 code (KOBAL_RUNS_32BIT_PROGRAMS=yes|no overrides the kernel's probe).
for arch in x64 x86; do
  bash tools/build-windows-zip.sh "$arch" build/windows-zips >/dev/null
  ctest --preset "windows-$arch" | tee "build/windows-$arch/ctest.log"
  reason=$(sed -n 's/^KOBAL_WINE_SKIP_REASON:INTERNAL=//p' "build/windows-$arch/CMakeCache.txt")
  skipped=$(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "build/windows-$arch/ctest.log" | paste -sd, -)
  if [ -n "$skipped" ]; then
    [ -n "$reason" ] || { echo "Windows $arch: skipped with no reason: ${skipped//,/, }"; exit 1; }
    echo "Windows $arch: skipped, for $reason: ${skipped//,/, }"
  fi
  bash tools/build-windows-zip.sh "$arch" build/windows-zips-again "build/windows-$arch-again" >/dev/null
  cmp build/windows-zips/kobal-*-windows-$arch.zip build/windows-zips-again/kobal-*-windows-$arch.zip
done

echo "== the Python package: pip install . and its wheel, each in a fresh virtual environment =="
bash tests/python/check-install.sh build/ci

echo "== Debian packages: dpkg-buildpackage, lintian, hardening-check =="
bash tools/build-debs.sh build/debs
bash tests/packages/check-debs.sh build/debs

echo "== the packages built again in another folder: byte for byte the same =="
bash tests/packages/check-reproducible.sh build/debs

echo "== the packages installed, tried and purged in a clean Debian 12 chroot =="
if [ "$(id -u)" -eq 0 ]; then bash tests/packages/check-install.sh build/debs; else sudo bash tests/packages/check-install.sh build/debs; fi

echo "== web edition: WebAssembly (emscripten), the kobal module, the page in chromium =="
cmake --preset wasm
cmake --build --preset wasm -j "$jobs"
rm -rf build/wasm/staging
DESTDIR="$PWD/build/wasm/staging" cmake --install build/wasm --component web >/dev/null
for path in index.html page/kobal-page.js help/index.html module/package.json \
            module/kobal.js; do
  [ -f "build/wasm/staging/usr/share/kobal/web/$path" ] || { echo "install lacks share/kobal/web/$path"; exit 1; }
done
ctest --preset wasm  # against build/ci, the release build above

echo "== AddressSanitizer + UndefinedBehaviorSanitizer =="
cmake --preset asan -DKOBAL_BUILD_APP=OFF
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

echo "== fuzzing DetectCarrier, then the normaliser and input decoding, the records, the fields and the SQL functions, ${KOBAL_FUZZ_SECONDS:-60} s each =="
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs" \
  --target detect_carrier_fuzzer exchange_index_fuzzer written_number_fuzzer record_reader_fuzzer \
  number_fields_fuzzer sql_answers_fuzzer
cmake --build --preset fuzz -j "$jobs" --target sqlite_functions_fuzzer
bash tests/fuzz/run-fuzzer.sh build/fuzz/tests/fuzz/detect_carrier_fuzzer "${KOBAL_FUZZ_SECONDS:-60}"
bash tests/fuzz/run-fuzzer.sh build/fuzz/tests/fuzz/written_number_fuzzer "${KOBAL_FUZZ_SECONDS:-60}"
bash tests/fuzz/run-fuzzer.sh build/fuzz/tests/fuzz/record_reader_fuzzer "${KOBAL_FUZZ_SECONDS:-60}"
bash tests/fuzz/run-fuzzer.sh build/fuzz/tests/fuzz/number_fields_fuzzer "${KOBAL_FUZZ_SECONDS:-60}"
bash tests/fuzz/run-fuzzer.sh build/fuzz/tests/fuzz/sqlite_functions_fuzzer "${KOBAL_FUZZ_SECONDS:-60}"
bash tests/fuzz/run-fuzzer.sh build/fuzz/tests/fuzz/sql_answers_fuzzer "${KOBAL_FUZZ_SECONDS:-60}"
echo "== the exchange index against the row scan, 200000 fuzzed inputs =="
build/fuzz/tests/index/exchange_index_fuzzer -runs=200000 -max_len=16 -seed=1
