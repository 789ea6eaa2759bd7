#!/usr/bin/env bash
# Each folder of src/ includes only its own layer and those below it:
#   platform < core (with core/script) < resources < world < actors < gui < program
# A quoted include (or __has_include) that names a higher layer, or anything outside src/, fails.
# Usage: include_layers.sh <source dir>
set -u
src="${1:?source dir}/src"
layers=(platform core resources world actors gui program)

rank() {
  local i
  for i in "${!layers[@]}"; do
    [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }
  done
  echo -1
}

faults=0
while IFS= read -r -d '' file; do
  rel="${file#"$src"/}"
  own="${rel%%/*}"
  ownRank=$(rank "$own")
  if [ "$ownRank" -lt 0 ]; then
    echo "src/$rel: not inside a layer folder (${layers[*]})"
    faults=$((faults + 1))
    continue
  fi
  while IFS=: read -r line target; do
    top="${target%%/*}"
    [ "$top" = "$target" ] && top=""
    targetRank=$(rank "$top")
    if [ "$targetRank" -lt 0 ]; then
      echo "src/$rel:$line: $own includes \"$target\", which is no layer of src/"
      faults=$((faults + 1))
    elif [ "$targetRank" -gt "$ownRank" ]; then
      echo "src/$rel:$line: $own includes \"$target\" of the higher layer $top"
      faults=$((faults + 1))
    fi
  done < <(grep -noE '(#[[:space:]]*include|__has_include[[:space:]]*\()[[:space:]]*"[^"]+"' "$file" |
           sed -E 's/^([0-9]+):.*"([^"]+)"$/\1:\2/')
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if [ "$faults" -gt 0 ]; then
  echo "$faults include(s) against the layers"
  exit 1
fi
echo "every include of src/ follows the layers"
