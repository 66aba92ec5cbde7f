#!/usr/bin/env bash
# Checks that no source folder includes a header from a folder of a higher layer, and that
# none but dbengine/ includes SQLite's header; prints the folder graph. Layers from the
# ground up; folders on one line share a layer.
set -euo pipefail
cd "$(dirname "$0")/../src"
layers=(
  "base"
  "dbengine reportengine"
  "sheet"
  "scoring"
  "data"
  "lineup"
  "snapshots output"
  "lifecycle"
  "window"
  "app"
)
declare -A layer_of
for i in "${!layers[@]}"; do
  for folder in ${layers[$i]}; do layer_of[$folder]=$i; done
done
status=0
declare -A edges
while IFS=: read -r file target; do
  from=${file%%/*}
  to=${target%%/*}
  [ "$from" = "$to" ] && continue
  if [ -z "${layer_of[$from]:-}" ] || [ -z "${layer_of[$to]:-}" ]; then
    echo "unknown folder in $file -> $target" >&2; status=1; continue
  fi
  edges["$from -> $to"]=1
  if [ "${layer_of[$to]}" -gt "${layer_of[$from]}" ] ||
     { [ "${layer_of[$to]}" -eq "${layer_of[$from]}" ] && [ "${from}" != "${to}" ]; }; then
    echo "layer fault: $file includes $target" >&2; status=1
  fi
done < <(grep -rEo '^#include "[a-z]+/[^"]+"' --include='*.h' --include='*.cpp' . |
         sed -E 's#^\./##; s#:\#include "#:#; s#"$##')
# Only the database layer talks to SQLite; the layers above learn why a statement failed
# from db::Error::kind().
while IFS= read -r file; do
  echo "layer fault: $file includes sqlite3.h outside dbengine/" >&2; status=1
done < <(grep -rlE '^#include [<"]sqlite3\.h[>"]' --include='*.h' --include='*.cpp' . | sed 's#^\./##' |
         grep -v '^dbengine/' || true)
printf '%s\n' "${!edges[@]}" | sort
exit $status
