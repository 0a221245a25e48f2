#!/usr/bin/env bash
# The checks CI runs before the build: tools/check-layers.sh [--base <ref>]
#
# 1. Layers. Every quoted include in a layer's folder names a header of that layer or of a layer
#    it uses, directly or through another (the dw_layer table in CMakeLists.txt). So framework/
#    never includes a header of the system folders, and surface/, inspector/, palette/,
#    menudesigner/ and editors/ include neither designer/ headers nor each other's. The build
#    refuses such includes too; this says which rule an include breaks before compiling anything.
# 2. Formatting. clang-format --dry-run --Werror over the lines of C++ files changed since the
#    base: the merge base of HEAD with <ref> when given, else the parent of HEAD (the changes of
#    the last commit). Uncommitted changes count too. Only changed lines are checked, so older
#    code that predates the format rules does not fail a change that does not touch it.
set -euo pipefail
cd "$(dirname "$0")/.."

baseRef=""
while [ $# -gt 0 ]; do
  case "$1" in
    --base) baseRef="${2:?--base needs a ref}"; shift 2 ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    *) echo "check-layers: unknown argument $1" >&2; exit 2 ;;
  esac
done

failed=0

# ---- the layer table
declare -A folderOf usesOf
layers=()
while read -r name folder uses; do
  folderOf[$name]=$folder
  usesOf[$name]=$(sed -E 's/ONLY_IF +[A-Za-z0-9_]+//' <<<"$uses")
  layers+=("$name")
done < <(sed -nE 's/^[[:space:]]*dw_layer\(([^)]*)\).*/\1/p' CMakeLists.txt)
if [ ${#layers[@]} -eq 0 ]; then
  echo "check-layers: no dw_layer() table found in CMakeLists.txt" >&2
  exit 2
fi

# The layers a layer may include: itself and everything it uses, transitively.
declare -A allowed
closure() {
  local name=$1 result=" $1 " dep sub
  for dep in ${usesOf[$1]}; do
    [ -n "${folderOf[$dep]:-}" ] || { echo "check-layers: layer $1 uses unknown layer $dep" >&2; exit 2; }
    [ -n "${allowed[$dep]:-}" ] || closure "$dep"
    for sub in ${allowed[$dep]}; do
      [[ "$result" == *" $sub "* ]] || result+="$sub "
    done
  done
  allowed[$name]=$result
}
for name in "${layers[@]}"; do closure "$name"; done

# The layer a path belongs to: the one with the longest folder that contains it.
layerOf() {
  local path=$1 best="" bestLength=0 name folder
  for name in "${layers[@]}"; do
    folder=${folderOf[$name]}
    if [[ "$path" == "$folder"/* ]] && [ ${#folder} -gt $bestLength ]; then
      best=$name
      bestLength=${#folder}
    fi
  done
  echo "$best"
}

folders=()
for name in "${layers[@]}"; do
  [ -d "${folderOf[$name]}" ] && folders+=("${folderOf[$name]}")
done

while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  included=$(sed -E 's/^[^"]*"([^"]*)".*/\1/' <<<"${rest#*:}")
  owner=$(layerOf "$file")
  [ -n "$owner" ] || continue
  target=$(layerOf "$included")
  if [ -z "$target" ]; then
    echo "$file:$line: includes \"$included\", which is not a root-relative header of a layer"
    failed=1
  elif [[ "${allowed[$owner]}" != *" $target "* ]]; then
    echo "$file:$line: includes \"$included\" of layer $target, but $owner (${folderOf[$owner]}/) may include only:${allowed[$owner]% }"
    failed=1
  fi
done < <(git grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' -- "${folders[@]/%//*.h}" "${folders[@]/%//*.cpp}" || true)

if [ $failed -ne 0 ]; then
  echo "check-layers: includes against the layer order (see the dw_layer table in CMakeLists.txt)"
fi

# ---- formatting of the changed lines
if ! command -v clang-format >/dev/null; then
  echo "check-layers: clang-format is not installed (tools/setup.sh installs it)" >&2
  exit 2
fi
if [ -n "$baseRef" ]; then
  base=$(git merge-base "$baseRef" HEAD)
elif ! base=$(git rev-parse --verify -q 'HEAD^'); then
  echo "check-layers: HEAD has no parent here (a shallow or single-commit clone); pass --base <ref>" \
       "to check formatting. Formatting not checked."
  exit $failed
fi

# "file first:last" for every added or changed range, from a zero-context diff.
ranges=$(git diff -U0 -M --no-color --diff-filter=d "$base" -- '*.h' '*.cpp' | awk '
  /^\+\+\+ / { file = substr($0, 7); next }
  /^@@ / {
    split($3, a, ","); start = substr(a[1], 2); count = (2 in a) ? a[2] : 1
    if (count > 0 && file != "") print file, start ":" (start + count - 1)
  }')
formatFailed=0
for file in $(awk '{ print $1 }' <<<"$ranges" | sort -u); do
  lines=()
  while read -r f range; do
    [ "$f" = "$file" ] && lines+=("--lines=$range")
  done <<<"$ranges"
  if ! clang-format --dry-run --Werror "${lines[@]}" "$file"; then
    formatFailed=1
  fi
done
if [ $formatFailed -ne 0 ]; then
  echo "check-layers: changed lines are not formatted; run git clang-format $base (or clang-format -i on new files)"
  failed=1
fi

[ $failed -eq 0 ] && echo "check-layers: includes follow the layer order; changed lines since ${base:0:12} are formatted"
exit $failed
