#!/usr/bin/env bash
# Runs a command in a throw-away PostgreSQL cluster (postgresql-common's pg_virtualenv, as root
# or as a user) whose server loads the kobal extension from the build tree's stage first
# (Debian's extension_destdir), then removes the cluster. Exits 77, with the reason, where the
# tooling is missing, so that ctest reports the test skipped rather than passed.
# Usage: in-cluster.sh STAGE MAJOR PKGLIBDIR COMMAND...
set -euo pipefail
stage=$1 major=$2 pkglibdir=$3
shift 3

skip() {
  echo "SKIPPED: $*" >&2
  exit 77
}
command -v pg_virtualenv >/dev/null || skip "pg_virtualenv is missing (apt-get install postgresql-common)"
[ -x "/usr/lib/postgresql/$major/bin/postgres" ] || skip "no PostgreSQL $major server (apt-get install postgresql-$major)"
grep -q extension_destdir "/usr/share/postgresql/$major/postgresql.conf.sample" ||
  skip "this PostgreSQL $major cannot load extensions from a build tree (no extension_destdir)"
# As root the server runs as postgres, which must reach the build tree.
if [ "$(id -u)" = 0 ] && ! runuser -u postgres -- test -r "$stage$pkglibdir/kobal.so"; then
  skip "the user postgres cannot read $stage$pkglibdir/kobal.so"
fi

# -t: the cluster's files in a temporary folder even as root, never beside the system's.
exec pg_virtualenv -t -v "$major" \
  -o "extension_destdir=$stage" \
  -o "dynamic_library_path=$stage$pkglibdir:$pkglibdir" \
  "$@"
