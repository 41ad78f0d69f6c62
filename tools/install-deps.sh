#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running, packaging or testing Kobal needs.
# Usage: tools/install-deps.sh run|package|test
set -euo pipefail

# python3-dev and pybind11-dev: the kobal Python module.
# libxlsxwriter-dev: kobal-lookup's workbooks.
build=(cmake ninja-build g++ python3 pkg-config python3-dev pybind11-dev libxlsxwriter-dev)
# The PostgreSQL extension: the server's headers; its tests start a server of their own
# (postgresql-common's pg_virtualenv).
postgresql=(postgresql-server-dev-15 postgresql-15 postgresql-common)
# xvfb and xauth: for running the window without a display (tools/run.sh says how).
run=(qt6-base-dev libgl-dev fonts-ipafont-gothic xdg-utils qt6-translations-l10n xvfb xauth)
# Building the Debian packages (debian/control's Build-Depends) and checking them.
package=(build-essential debhelper dpkg-dev qt6-base-dev libgl-dev emscripten esbuild nodejs lintian
         devscripts blhc desktop-file-utils appstream debootstrap dh-python "${postgresql[@]}")
# The SQLite extension's headers, and the shell its tests load it into.
package+=(libsqlite3-dev)
sqlite_test=(sqlite3)
# Cross-building for Windows and running the result: MinGW-w64 and Wine, 32-bit Wine from i386.
windows=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine32:i386
         icoutils fp-utils wixl msitools fonts-wine xvfb xauth xdotool xclip imagemagick)
test=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth libphonenumber-dev
      qt6-base-dev libgl-dev fonts-ipafont-gothic qt6-translations-l10n dpkg-dev file xdotool
      imagemagick hyperfine linux-perf valgrind clang-format openbox x11-utils xclip time emscripten
      nodejs chromium python3-pytest python3-hypothesis python3-pandas python3-numpy
      python3-phonenumbers python3-build python3-venv python3-setuptools python3-wheel
      python3-pybind11 python3-openpyxl python3-dask python3-distributed libreoffice-calc
      "${package[@]}" "${windows[@]}" "${sqlite_test[@]}")

case "${1:-}" in
  run) packages=("${build[@]}" "${run[@]}") ;;
  package) packages=("${build[@]}" "${package[@]}") ;;
  test) packages=("${build[@]}" "${test[@]}") ;;
  *) echo "usage: $0 run|package|test" >&2; exit 2 ;;
esac
# npm (the web tests' browser driver below, and the module test's npm pack) comes with some
# builds of nodejs (NodeSource's provides and conflicts with Debian's npm).
if [ "$1" = test ] && ! command -v npm >/dev/null; then
  packages+=(npm)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo > /dev/null || {
      echo "Kobal needs Debian packages that only root can install: as root, run  bash $(realpath "$0") $1" >&2
      exit 1
    }
    sudo="sudo"
  fi
  export DEBIAN_FRONTEND=noninteractive
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails an index now and then: tried again, then what apt has is used.
  for attempt in 1 2 3; do
    $sudo apt-get update -qq && break
    if [ "$attempt" -eq 3 ]; then
      echo "install-deps: some package indexes did not update; installing from those apt has" >&2
    else
      sleep $((attempt * 15))
    fi
  done
  install=($sudo apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends)
  if ! "${install[@]}" "${missing[@]}"; then
    # Without the i386 index that matches amd64's, 32-bit Wine cannot be installed: the rest is,
    # and the tests that run 32-bit Windows code are reported skipped, with that reason.
    amd64_only=()
    for package in "${missing[@]}"; do
      [[ $package == *:i386 ]] || amd64_only+=("$package")
    done
    [ ${#amd64_only[@]} -lt ${#missing[@]} ] || exit 1
    echo "install-deps: the i386 packages (32-bit Wine) could not be installed; the x86 Windows tests will be skipped" >&2
    "${install[@]}" "${amd64_only[@]}"
  fi
fi

# The web tests drive chromium with puppeteer-core, as tests/web/package-lock.json pins it:
# installed now, like the packages, so that the tests download nothing. npm writes into the
# checkout: it runs as the user who ran this script, not as root when they ran it with sudo.
if [ "$1" = test ]; then
  web_tests=$(dirname "$(realpath "$0")")/../tests/web
  driver=$web_tests/node_modules/puppeteer-core
  if [ ! -d "$driver" ] || [ "$web_tests/package-lock.json" -nt "$driver" ]; then
    as_user=()
    if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
      as_user=(sudo -u "$SUDO_USER" -H)
    fi
    (cd "$web_tests" && "${as_user[@]}" npm ci --no-audit --no-fund --loglevel=error)
  fi
fi
