#!/usr/bin/env bash
# Builds and runs every test: the release build with warnings as errors, the sanitizer build,
# and a bounded fuzzing run. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh test
jobs=$(nproc)

echo "== layout (clang-format) =="
find include library normaliser encodings app cli tests bench \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror

echo "== release build, warnings as errors =="
cmake --preset ci
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"

echo "== Debian package =="
(cd build/ci && cpack -G DEB > cpack.log) || { cat build/ci/cpack.log; exit 1; }
deb=$(ls build/ci/kobal_*.deb)
dpkg-deb --field "$deb" Package Version Depends
contents=$(dpkg-deb --contents "$deb")
for path in usr/bin/Kobal usr/bin/kobal-lookup usr/include/kobal/KobalFnc.h \
            usr/share/applications/ usr/share/metainfo/ usr/share/doc/kobal/kobal.hlp; do
  grep -q "$path" <<<"$contents" || { echo "package lacks $path"; exit 1; }
done
grep -Eq 'libKobalFnc\.so\.0 ' <<<"$contents" || { echo "package lacks libKobalFnc.so.0"; exit 1; }

echo "== AddressSanitizer + UndefinedBehaviorSanitizer =="
cmake --preset asan -DKOBAL_BUILD_APP=OFF
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

echo "== fuzzing DetectCarrier, then the normaliser and input decoding, ${KOBAL_FUZZ_SECONDS:-60} s each =="
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs" \
  --target detect_carrier_fuzzer exchange_index_fuzzer written_number_fuzzer
bash tests/fuzz/run-fuzzer.sh build/fuzz/tests/fuzz/detect_carrier_fuzzer "${KOBAL_FUZZ_SECONDS:-60}"
bash tests/fuzz/run-fuzzer.sh build/fuzz/tests/fuzz/written_number_fuzzer "${KOBAL_FUZZ_SECONDS:-60}"
echo "== the exchange index against the row scan, 200000 fuzzed inputs =="
build/fuzz/tests/index/exchange_index_fuzzer -runs=200000 -max_len=16 -seed=1
