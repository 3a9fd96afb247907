#!/bin/sh
# Fails when an interface text of the sources has no finished translation in
# one of the catalogues: lupdate is run on copies, so the sources' new texts
# show up as unfinished entries.
set -eu
lupdate=$1
sources=$2
catalogues=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$catalogues"/*.ts; do
  copy="$work/$(basename "$ts")"
  cp "$ts" "$copy"
  "$lupdate" -silent -no-obsolete -locations none "$sources" -ts "$copy" >/dev/null
  if grep -q 'type="unfinished"' "$copy"; then
    echo "$(basename "$ts"): texts without a translation:"
    grep -B1 'type="unfinished"' "$copy" | grep '<source>' | sed 's/^ */  /'
    status=1
  fi
done
exit $status
