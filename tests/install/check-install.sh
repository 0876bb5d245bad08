#!/usr/bin/env bash
# Installs the built program into a temporary prefix (one with a space in its
# path) as `make install` does, checks the files a desktop needs against the
# desktop's own validator, starts the program through the entry's launcher,
# and checks that `make uninstall` takes exactly those files away.
#   check-install.sh <source folder> <build folder>
set -uo pipefail
source_dir=$1
build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/local prefix"
failures=0
fail() { printf 'FAIL: %b\n' "$*" >&2; failures=$((failures + 1)); }

expected=(bin/lockora bin/lockora-desktop share/applications/lockora.desktop
          share/icons/hicolor/scalable/apps/lockora.svg)

cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "the install failed"; exit 1; }

# Exactly the expected files, nothing else.
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] || fail "installed files differ:\n$installed\nexpected:\n$wanted"

[ -x "$prefix/bin/lockora" ] || fail "the program is not executable"
[ -x "$prefix/bin/lockora-desktop" ] || fail "the launcher is not executable"
cmp -s "$prefix/share/icons/hicolor/scalable/apps/lockora.svg" \
       "$source_dir/runtime/controls/icons/lockora-logo.svg" || fail "the icon is not the logo"

entry="$prefix/share/applications/lockora.desktop"
# Errors and warnings fail; hints (a category that could be added) do not.
if ! desktop-file-validate "$entry" >"$work/validate.log" 2>&1 ||
   grep -qE ': (error|warning):' "$work/validate.log"; then
  cat "$work/validate.log" >&2
  fail "desktop-file-validate finds fault with the entry"
fi
grep -qx 'Name=Password Lockora' "$entry" || fail "the entry's name"
grep -qx 'Icon=lockora' "$entry" || fail "the entry's icon"
grep -qx "Exec=\"$prefix/bin/lockora-desktop\"" "$entry" || fail "the entry does not start the launcher"

# The launcher makes the data folder and runs the program in it: the data
# file check, which needs no display, reports on the folder's (missing) file.
data_home="$work/data home"
XDG_DATA_HOME="$data_home" timeout 120 "$prefix/bin/lockora-desktop" --check \
  >"$work/check.log" 2>&1
[ -d "$data_home/lockora" ] || fail "the launcher did not make the data folder"
grep -q "Lockora.lkdb" "$work/check.log" || { cat "$work/check.log" >&2; fail "the program did not run there"; }

# Uninstall removes the installed files and leaves anything else.
echo keep >"$prefix/bin/other-program"
make -s -C "$source_dir" uninstall PREFIX="$prefix" >"$work/uninstall.log" 2>&1 ||
  { cat "$work/uninstall.log" >&2; fail "make uninstall failed"; }
for f in "${expected[@]}"; do
  [ ! -e "$prefix/$f" ] || fail "$f is still there after uninstall"
done
[ -f "$prefix/bin/other-program" ] || fail "uninstall removed a file it did not install"

[ "$failures" -eq 0 ] && echo "install, validate, launch and uninstall: all good"
exit $((failures != 0))
