#!/usr/bin/env bash
# The web edition's tests: the WebAssembly module against the native library on every key, the
# kobal module and its npm package, and the page driven in Debian's chromium (headless).
# Usage: tests/web/run-web-tests.sh WASM_BUILD_DIR NATIVE_BUILD_DIR
#   WASM_BUILD_DIR: a build of the wasm preset; NATIVE_BUILD_DIR: a native build with tests
#   (kobal-lookup and tests/web/kobal-native-answers).
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 WASM_BUILD_DIR NATIVE_BUILD_DIR" >&2; exit 2; }
KOBAL_WEB_BUILD=$(realpath "$1")/web
KOBAL_NATIVE_BUILD=$(realpath "$2")
export KOBAL_WEB_BUILD KOBAL_NATIVE_BUILD
cd "$(dirname "$0")"
npm ci --no-audit --no-fund --loglevel=error  # puppeteer-core, from the lock file
node --test wasm-identity.test.mjs module.test.mjs page.test.mjs
