#!/usr/bin/env bash
# Installs Kobal's packages with apt-get into a clean Debian 12 chroot (debootstrap,
# minbase) that keeps no /usr/share/doc, tries them there, purges them, and checks that the
# purge took away every file they brought. Runs as root (CI does); the chroot lives in build/
# while it runs and is removed afterwards.
# Usage: sudo tests/packages/check-install.sh [folder with the .deb files]   (default: build/debs)
set -euo pipefail
cd "$(dirname "$0")/../.."
[ "$(id -u)" -eq 0 ] || { echo "$0: makes a chroot, so it runs as root: sudo bash $0 ${1:-}" >&2; exit 1; }
debs=$(realpath "${1:-build/debs}")
packages=(libkobalfnc0 libkobalfnc-dev kobal-lookup kobal kobal-web python3-kobal sqlite3-kobal postgresql-15-kobal)
suite=bookworm
root=$(realpath -m build/chroot)

cleanup() {
  for mount in "$root/dev/shm" "$root/proc"; do
    mountpoint -q "$mount" && umount "$mount"
  done
  rm -rf --one-file-system "$root"
  # Run through sudo, the logs go back to the user whose build folder this is.
  if [ -n "${SUDO_UID:-}" ]; then
    chown "$SUDO_UID:$SUDO_GID" "$(dirname "$root")"/{debootstrap,chroot}.log 2> /dev/null || true
  fi
}
trap cleanup EXIT
cleanup

# The Debian archive this machine's apt uses, so that the check works wherever apt does (a
# local mirror included). Lines "uri suite components" of every bookworm suite of the machine.
sources=$(python3 - "$suite" <<'EOF'
import glob, re, sys
suite = sys.argv[1]
entries = []
for path in sorted(glob.glob("/etc/apt/sources.list") + glob.glob("/etc/apt/sources.list.d/*.list")):
    for line in open(path, encoding="utf-8"):
        line = re.sub(r"\[[^]]*\]", "", line.split("#", 1)[0]).split()
        if len(line) >= 4 and line[0] == "deb":
            entries.append((line[1], line[2], line[3:]))
for path in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
    for stanza in re.split(r"\n\s*\n", open(path, encoding="utf-8").read()):
        fields, key = {}, None
        for line in stanza.splitlines():
            if line.startswith("#"):
                continue
            if line[:1].isspace() and key:
                fields[key] += " " + line.strip()
            elif ":" in line:
                key, value = line.split(":", 1)
                key = key.strip().lower()
                fields[key] = value.strip()
        if "deb" in fields.get("types", "").split() and fields.get("enabled", "yes") != "no":
            for uri in fields.get("uris", "").split():
                for name in fields.get("suites", "").split():
                    entries.append((uri, name, fields.get("components", "main").split()))
for uri, name, components in entries:
    if name == suite or name.startswith(suite + "-"):
        print(uri, name, " ".join(components))
EOF
)
mirror=$(awk -v suite="$suite" '$2 == suite { print $1; exit }' <<<"$sources")
[ -n "$mirror" ] || { echo "no Debian $suite source in /etc/apt/sources.list*" >&2; exit 1; }

echo "-- debootstrap --variant=minbase $suite from $mirror"
mkdir -p "$(dirname "$root")"
debootstrap --variant=minbase "$suite" "$root" "$mirror" > "$(dirname "$root")/debootstrap.log" 2>&1 ||
  { tail -n 20 "$(dirname "$root")/debootstrap.log"; exit 1; }
awk '{ printf "deb %s %s", $1, $2; for (i = 3; i <= NF; i++) printf " %s", $i; print "" }' \
  <<<"$sources" > "$root/etc/apt/sources.list"
mount -t proc proc "$root/proc"
mount -t tmpfs shm "$root/dev/shm"
mkdir -p "$root/tmp/debs"
for package in "${packages[@]}"; do cp "$debs/${package}"_*.deb "$root/tmp/debs/"; done

# Runs a script as root inside the chroot, with a clean environment.
in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive bash -euo pipefail -c "$1"
}
# The same, its output kept in build/chroot.log and shown only when it fails.
in_root_quietly() {
  in_root "$1" > "$(dirname "$root")/chroot.log" 2>&1 || { cat "$(dirname "$root")/chroot.log"; return 1; }
}
apt_get="apt-get -y -qq -o Dpkg::Use-Pty=0 --no-install-recommends"
# Every file of the system, but for the package manager's own records, caches and logs; ucf's
# are among them (PostgreSQL brings ucf, and a dependency's purge then rotates its hash file).
list_files() {
  in_root 'find / -xdev \( -path /proc -o -path /dev -o -path /tmp -o -path /var/lib/dpkg \
    -o -path /var/lib/apt -o -path /var/lib/ucf -o -path /var/cache -o -path /var/log \) -prune \
    -o -type f -print |
    sort'
}

echo "-- the tools of the check: Xvfb, xdotool, the MIME database, the sqlite3 shell, PostgreSQL 15"
# No service starts in the chroot: the server's package would start its main cluster.
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
in_root_quietly "apt-get update -qq && $apt_get install xvfb xauth xdotool shared-mime-info sqlite3 postgresql-15"
# A system without documentation: nothing of Kobal may need /usr/share/doc.
echo 'path-exclude=/usr/share/doc/*' > "$root/etc/dpkg/dpkg.cfg.d/no-doc"
list_files > "$root/tmp/before"

echo "-- apt-get install ${packages[*]}"
in_root_quietly "$apt_get install /tmp/debs/*.deb"
in_root 'dpkg-query -W -f="\${Package} \${Version} \${Status}\n" '"${packages[*]}"

echo "-- kobal-lookup 0112012345 117"
answer=$(in_root 'kobal-lookup 0112012345 117')
echo "$answer"
[ "$answer" = $'0112012345\tNTT固定（北海道札幌大通）\n117\t時報' ] ||
  { echo "FAIL: unexpected answer" >&2; exit 1; }

echo "-- python3: kobal answers as the library does, from the library's package"
answer=$(in_root 'python3 -c "import kobal; print(kobal.lookup(\"+81 11-201-2345\"), kobal.detect_carrier(b\"117\"))"')
echo "$answer"
[ "$answer" = "NTT固定（北海道札幌大通） 時報" ] || { echo "FAIL: unexpected answer from python3" >&2; exit 1; }
# grep reads all of ldd's output: with -q it could end first, and ldd's SIGPIPE fail the pipe.
in_root 'ldd /usr/lib/python3/dist-packages/kobal/_kobal*.so | grep -E "libKobalFnc\.so\.0 => (/usr)?/lib/" >/dev/null' ||
  { echo "FAIL: the Python module does not load the installed libKobalFnc" >&2; exit 1; }

echo "-- sqlite3: the extension loaded by its path without suffix, as the README shows it"
sql="SELECT kobal_lookup('+81 11-201-2345'), kobal_lookup(117), kobal_lookup(NULL) IS NULL, kobal_format('0112012345'), kobal_parse('0112012345') ->> 'prefecture'"
answer=$(in_root "sqlite3 :memory: \".load \$(dirname /usr/lib/*/sqlite3/kobal.so)/kobal\" \"$sql\"")
echo "$answer"
[ "$answer" = "NTT固定（北海道札幌大通）|時報|1|011-201-2345|北海道" ] || { echo "FAIL: unexpected answer from sqlite3" >&2; exit 1; }
echo "-- PostgreSQL: CREATE EXTENSION kobal and its answers in a UTF8 and an EUC_JP database"
cat > "$root/tmp/try-postgresql.sh" <<'EOF'
for encoding in UTF8 EUC_JP; do
  createdb -E "$encoding" --locale=C -T template0 "try_$encoding"
  PGCLIENTENCODING=UTF8 psql -XAtq -v ON_ERROR_STOP=1 -d "try_$encoding" -c 'CREATE EXTENSION kobal' \
    -c "SELECT kobal_lookup('+81 11-201-2345') || ' ' || kobal_format('0112012345') || ' ' ||
          (kobal_parse('0112012345')).prefecture || ' ' || getdatabaseencoding()"
done
EOF
answer=$(in_root 'cd / && pg_virtualenv -t -v 15 bash -eu /tmp/try-postgresql.sh' |
  grep -v -e '^Creating new' -e '^Dropping cluster')
echo "$answer"
[ "$answer" = $'NTT固定（北海道札幌大通） 011-201-2345 北海道 UTF8\nNTT固定（北海道札幌大通） 011-201-2345 北海道 EUC_JP' ] ||
  { echo "FAIL: unexpected answer from PostgreSQL" >&2; exit 1; }
in_root 'ldd /usr/lib/postgresql/15/lib/kobal.so | grep -E "libKobalFnc\.so\.0 => (/usr)?/lib/" >/dev/null' ||
  { echo "FAIL: the PostgreSQL extension does not load the installed libKobalFnc" >&2; exit 1; }

echo "-- the web page and its module are installed"
in_root 'test -f /usr/share/kobal/web/index.html && test -f /usr/share/kobal/web/module/kobal.js' ||
  { echo "FAIL: kobal-web lacks its page or module" >&2; exit 1; }

echo "-- the desktop entry's folder holds the help page; the MIME database knows kobal.hlp"
in_root 'entry=/usr/share/applications/kobal.desktop
  folder=$(sed -n "s/^Path=//p" "$entry"); program=$(sed -n "s/^Exec=//p" "$entry")
  echo "Exec=$program Path=$folder"
  test -x "$program" && test -f "$folder/kobal.hlp"
  grep -x "[0-9]*:text/html:kobal.hlp" /usr/share/mime/globs2'

echo "-- Kobal, started as the desktop entry starts it, shows its window under Xvfb and ends on Esc"
in_root 'cd "$(sed -n "s/^Path=//p" /usr/share/applications/kobal.desktop)"
  timeout 60 xvfb-run -a sh -c "Kobal & pid=\$!
    window=\$(timeout 20 xdotool search --sync --onlyvisible --name \"^Kobal\$\" | head -n 1)
    [ -n \"\$window\" ] || { echo \"FAIL: no Kobal window\"; kill \$pid; exit 1; }
    echo \"window \$window\"
    xdotool windowfocus --sync \$window key Escape
    wait \$pid"'

echo "-- apt-get purge ${packages[*]}"
installed=$(in_root 'dpkg -L '"${packages[*]}"' | sort -u')
in_root_quietly "$apt_get purge --autoremove ${packages[*]}"
left=$(while IFS= read -r path; do
  [ -e "$root$path" ] || [ -L "$root$path" ] || continue
  [ -d "$root$path" ] && [ ! -L "$root$path" ] && continue # folders other packages share
  echo "$path"
done <<<"$installed")
[ -z "$left" ] || { echo "FAIL: files left after the purge:" "$left" >&2; exit 1; }
list_files > "$root/tmp/after"
extra=$(comm -13 "$root/tmp/before" "$root/tmp/after")
[ -z "$extra" ] || { echo "FAIL: files left that were not there before the install:" "$extra" >&2; exit 1; }
in_root '! grep -q "kobal.hlp" /usr/share/mime/globs2' ||
  { echo "FAIL: the MIME database still names kobal.hlp" >&2; exit 1; }
echo "installed, tried and purged in a clean Debian 12: nothing left behind"
