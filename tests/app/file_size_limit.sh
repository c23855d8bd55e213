#!/usr/bin/env bash
# muhtasar under a file-size limit too small for its store: the save at start
# fails with a message and the program goes on (it is still running when it is
# ended here), instead of being killed by the file-size signal; no temporary
# file stays behind.
set -u
program=$1
examples=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$examples/BORDMHT.DAT" "$dir/"
cd "$dir"
(ulimit -f 2 && QT_QPA_PLATFORM=offscreen exec timeout -s TERM 5 "$program") >/dev/null 2>&1
status=$?
if [ "$status" -ne 124 ]; then
  echo "muhtasar ended by itself with status $status (153: killed by the file-size limit)"
  exit 1
fi
left=$(ls -A | grep -vx 'BORDMHT.DAT')
if [ -n "$left" ]; then
  echo "left behind: $left"
  exit 1
fi
echo "muhtasar survived the file-size limit and left no file behind"
