#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what a desktop reads of the project: the desktop entry, the AppStream
# metainfo, the file type of parameter files and the bash completion of
# zelmo-cli. Usage: desktop_files_test.sh SOURCE_DIR APPSTREAM_ID MIME_TYPE
set -euo pipefail
source_dir=$1
id=$2
mime_type=$3
packaging=$source_dir/packaging
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "desktop files test: $*" >&2; exit 1; }

desktop=$packaging/zelmo-tci.desktop
desktop-file-validate "$desktop" || fail "desktop entry is not valid"
grep -qx 'Exec=zelmo-tci %f' "$desktop" || fail "desktop entry does not hand a file to the window"
grep -qx "MimeType=$mime_type;" "$desktop" || fail "desktop entry does not open $mime_type"

metainfo=$packaging/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "metainfo is not valid"
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo has another id than its file name"
grep -q '<launchable type="desktop-id">zelmo-tci.desktop</launchable>' "$metainfo" ||
  fail "metainfo does not launch the desktop entry"
grep -q "<mediatype>$mime_type</mediatype>" "$metainfo" || fail "metainfo does not name the file type"

# The file type, in a MIME database of the test's own: by name, by content
# alone, and by content when another tool claims the extension too.
mime=$work/share/mime
mkdir -p "$mime/packages" "$work/files"
cp "$packaging/zelmo-tci-mime.xml" "$mime/packages/zelmo-tci.xml"
XDG_DATA_DIRS=$work/share update-mime-database "$mime" || fail "update-mime-database refused the file type"
content_type() {
  XDG_DATA_HOME=$work/share XDG_DATA_DIRS=$work/share:/usr/share \
    gio info -a standard::content-type "$1" 2>/dev/null | sed -n 's/^ *standard::content-type: //p'
}
printf 'TORVANEX_KEY   61 \r\n\r\nBIKE            0 \r\nLIMITER       137 ' >"$work/files/unit.ign"
cp "$work/files/unit.ign" "$work/files/unit-without-extension"
echo '{"ignition": {"version": "3.4.0"}}' >"$work/files/config.ign"
[ "$(content_type "$work/files/unit.ign")" = "$mime_type" ] || fail "a parameter file is not $mime_type"
[ "$(content_type "$work/files/unit-without-extension")" = "$mime_type" ] ||
  fail "the key line alone does not make a parameter file"
cat >"$mime/packages/other-ign.xml" <<'OTHER'
<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-other-tool-ign">
    <comment>Another tool's .ign file</comment>
    <sub-class-of type="application/json"/>
    <glob pattern="*.ign"/>
  </mime-type>
</mime-info>
OTHER
XDG_DATA_DIRS=$work/share update-mime-database "$mime"
[ "$(content_type "$work/files/unit.ign")" = "$mime_type" ] ||
  fail "a parameter file is lost to another tool's .ign type"
[ "$(content_type "$work/files/config.ign")" = application/x-other-tool-ign ] ||
  fail "another tool's .ign file is taken for a parameter file"

# The completion offers the commands, the options of a command and bike codes.
completion=/usr/share/bash-completion/bash_completion
[ -r "$completion" ] || fail "bash-completion is not installed (scripts/setup installs it)"
complete_line() {
  bash -c 'source "$1"; source "$2"; shift 2
           COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
           _zelmo_cli; printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$packaging/bash-completion/zelmo-cli" "$@"
}
has_line() { grep -x -- "$1" >/dev/null; }
complete_line zelmo-cli pro | has_line program || fail "completion lacks the command program"
complete_line zelmo-cli monitor --port /dev/null --c | has_line --count || fail "completion lacks monitor --count"
[ "$(complete_line zelmo-cli new --bike '' | wc -l)" -eq 10 ] || fail "completion does not offer bike codes 0..9"
complete_line zelmo-cli read --port CO | has_line COM20 || fail "completion does not offer COM ports"
shown=$(cd "$work/files" && complete_line zelmo-cli show '')
has_line unit.ign <<<"$shown" || fail "completion does not offer parameter files"
has_line unit-without-extension <<<"$shown" && fail "completion offers files that are no parameter files"
echo "desktop files test: passed"
