#!/usr/bin/env bash
# Checks the Debian package that scripts/package writes, without installing it:
# its dependencies, its files, that apt can resolve it, and that the program
# unpacked from it runs and seeds its per-user folder.
# Usage: check_deb.sh build/varnel_<version>_<arch>.deb
set -u
deb=$(realpath "$1")
. "$(dirname "$0")/checks.sh"

check "package name and version in the file name" \
  bash -c '[[ "$(basename "$1")" == "$(dpkg-deb -f "$1" Package)_$(dpkg-deb -f "$1" Version)_$(dpkg-deb -f "$1" Architecture).deb" ]]' _ "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  check "depends on $lib (from shlibdeps)" grep -qw "$lib" <<<"$depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for lib in libnova-0.16-0 libgeonames0; do
  check "recommends $lib (opened when first used)" grep -qw "$lib" <<<"$recommends"
done

dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/files"
for f in ./usr/bin/varnel ./usr/libexec/varnel/varnel-gui ./usr/libexec/varnel/varnel-extras.so ./usr/share/varnel/holydays.dat ./usr/share/varnel/parashot.dat \
         ./usr/share/applications/varnel.desktop ./usr/share/metainfo/org.varnel.Varnel.metainfo.xml \
         ./usr/share/icons/hicolor/48x48/apps/varnel.png ./usr/share/icons/hicolor/scalable/apps/varnel.svg \
         ./usr/share/man/man1/varnel.1.gz; do
  check "ships $f" grep -qx -- "$f" "$tmp/files"
done
check "everything under /usr, nothing in /usr/local" bash -c '! grep -v -e "^\./usr/" -e "^\./$" "$1" && ! grep -q "^\./usr/local" "$1"' _ "$tmp/files"
check "owned by root, files 0644 or 0755" \
  bash -c '! dpkg-deb -c "$1" | awk "{print \$1, \$2}" | grep -v -e "^-rw-r--r-- root/root" -e "^-rwxr-xr-x root/root" -e "^drwxr-xr-x root/root"' _ "$deb"
check "apt resolves its dependencies" apt-get install -s -qq "$deb"

# The unpacked program finds its data beside bin/ and seeds a fresh home.
dpkg-deb -x "$deb" "$tmp/root"
mkdir -p "$tmp/home" "$tmp/empty"
check "unpacked program prints the holy days" bash -c 'cd "$1/empty" && env -u XDG_DATA_HOME -u DISPLAY HOME="$1/home" \
  "$1/root/usr/bin/varnel" holydays 2026 --json | grep -q "\"name\":\"Yom Kippur\"[^}]*\"date\":\"2026-09-21\""' _ "$tmp"
check "unpacked program prints a month (by its desktop program)" bash -c 'cd "$1/empty" && env -u XDG_DATA_HOME -u DISPLAY \
  HOME="$1/home" "$1/root/usr/bin/varnel" month 2026-12 | grep -q "December 2026"' _ "$tmp"
check "its per-user folder was seeded" cmp "$tmp/root/usr/share/varnel/holydays.dat" "$tmp/home/.local/share/Varnel/holydays.dat"

finish package
