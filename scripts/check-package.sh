#!/usr/bin/env bash
# Checks the Debian package that `make package` made in BUILD (default build/package): every file
# it must hold, a Depends worked out from the programs, lintian without errors, the desktop entry
# and the AppStream data as installed, the completion scripts read by their shells, and the
# manual pages read by man without a warning. Fails on the first check that fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}
shopt -s nullglob
debs=("$build"/rastrix_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "check-package: expected one rastrix_*.deb in $build, found ${#debs[@]}"; exit 1; }
deb=${debs[0]}
fail() { echo "check-package: $*"; exit 1; }

version=$(sed -n 's/^project(Rastrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "rastrix_${version}_${arch}.deb" ] || fail "$deb is not named rastrix_${version}_${arch}.deb"
for field in Package:rastrix Version:"$version" Section:graphics Architecture:"$arch"; do
  [ "$(dpkg-deb -f "$deb" "${field%%:*}")" = "${field#*:}" ] || fail "control field ${field%%:*} is not ${field#*:}"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6 libspng0 libjpeg62-turbo; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"

echo "== dpkg-deb -c $deb"
contents=$(dpkg-deb -c "$deb")
echo "$contents"
expected=(
  usr/bin/rastrix usr/bin/rastrix-batch
  usr/share/applications/rastrix.desktop
  usr/share/icons/hicolor/16x16/apps/rastrix.png usr/share/icons/hicolor/32x32/apps/rastrix.png
  usr/share/icons/hicolor/48x48/apps/rastrix.png usr/share/icons/hicolor/scalable/apps/rastrix.svg
  usr/share/metainfo/org.example.rastrix.metainfo.xml
  usr/share/man/man1/rastrix.1.gz usr/share/man/man1/rastrix-batch.1.gz
  usr/share/bash-completion/completions/rastrix-batch usr/share/zsh/vendor-completions/_rastrix-batch
  usr/share/doc/rastrix/copyright usr/share/doc/rastrix/changelog.gz
)
for f in "${expected[@]}"; do
  grep -q " \./$f\$" <<<"$contents" || fail "the package lacks /$f"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
echo "== desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/rastrix.desktop"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.rastrix.metainfo.xml"
# The desktop entry and the AppStream data name the same file types.
desktop_types=$(sed -n 's/^MimeType=//p' "$root/usr/share/applications/rastrix.desktop" | tr ';' '\n' | sed '/^$/d' | sort)
meta_types=$(sed -n 's/.*<mediatype>\(.*\)<\/mediatype>.*/\1/p' "$root/usr/share/metainfo/org.example.rastrix.metainfo.xml" | sort)
[ "$desktop_types" = "$meta_types" ] || fail "MimeType ($desktop_types) and mediatype ($meta_types) differ"

echo "== completion scripts"
for program in rastrix-batch rastrix; do
  bash -n "$root/usr/share/bash-completion/completions/$program"
  zsh -n "$root/usr/share/zsh/vendor-completions/_$program"
done
offered=$(bash --norc -c "source '$root/usr/share/bash-completion/completions/rastrix-batch'
  COMP_WORDS=(rastrix-batch --de); COMP_CWORD=1; _rastrix_batch; echo \"\${COMPREPLY[*]}\"")
[ "$offered" = "--depth" ] || fail "bash completes --de to '$offered', not --depth"
offered=$(bash --norc -c "source '$root/usr/share/bash-completion/completions/rastrix'
  COMP_WORDS=(rastrix --v); COMP_CWORD=1; _rastrix; echo \"\${COMPREPLY[*]}\"")
[ "$offered" = "--version" ] || fail "bash completes rastrix --v to '$offered', not --version"

echo "== manual pages"
for page in rastrix rastrix-batch; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page warns: $warnings"
done
# Every option that --help shows is in the manual page.
help=$("$root/usr/bin/rastrix-batch" --help)
man_text=$(MANWIDTH=200 man -l "$root/usr/share/man/man1/rastrix-batch.1.gz" 2>/dev/null | col -b)
for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
  grep -q -- "$option" <<<"$man_text" || fail "man rastrix-batch lacks $option"
done
[ "$("$root/usr/bin/rastrix-batch" --version)" = "rastrix-batch $version" ] || fail "rastrix-batch --version"
[ "$("$root/usr/bin/rastrix" --version)" = "Rastrix $version" ] || fail "rastrix --version"

echo "== lintian"
lintian --fail-on error --allow-root --display-info "$deb"
echo "check-package: $deb passed"
