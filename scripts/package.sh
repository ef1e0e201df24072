#!/usr/bin/env bash
# Builds and makes the Debian package qalix_<version>_amd64.deb in build/ (or $QALIX_BUILD_DIR),
# then checks it: lintian must report no error, and the AppStream metadata must validate.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QALIX_BUILD_DIR:-$root/build}"
QALIX_EXTRA_PACKAGES="dpkg-dev lintian appstream" "$root/scripts/install-deps.sh"
# Installed under /usr, as a Debian package is: the renderer goes to the multiarch library
# folder, where qalix looks for it.
"$root/scripts/build.sh" -DCMAKE_INSTALL_PREFIX=/usr
(cd "$build" && cpack -G DEB)
deb="$(ls -t "$build"/qalix_*_*.deb | head -n 1)"
echo "Package: $deb"
appstreamcli validate --no-net "$root/resources/io.github.qalix.Qalix.metainfo.xml"
# Errors fail the package; warnings are listed for the record.
lintian --fail-on error --no-tag-display-limit "$deb"
