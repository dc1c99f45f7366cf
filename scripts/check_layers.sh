#!/usr/bin/env bash
# Fails when a layer includes a higher one or a sibling of its own rank, or when code below the
# drawing window (other than the */ui folders and the platform's Qt implementation) includes a
# Qt Widgets header.
# Usage: scripts/check_layers.sh [SRC_DIR]
set -euo pipefail
src=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../src" && pwd)}

# The panels' edits (edit) and print and export (output) are siblings above render: each may
# use everything below, neither uses the other, and the widget layers above may use both.
rank() {
  case $1 in
    platform) echo 0 ;; document) echo 1 ;; page) echo 2 ;; settings) echo 3 ;;
    render) echo 4 ;; edit | output) echo 5 ;; ui) echo 6 ;; canvas) echo 7 ;; shell) echo 8 ;;
    app) echo 9 ;; *) echo -1 ;;
  esac
}

# The layer of a path below src/: a */ui folder is the widget layer whatever its parent.
layer_of() {
  local path=$1
  case $path in
    */ui/*) echo ui ;;
    *) echo "${path%%/*}" ;;
  esac
}

widgets='<Q(Widget|Dialog|Label|PushButton|LineEdit|ComboBox|SpinBox|DoubleSpinBox|Application|MainWindow|Mdi[A-Za-z]*|ScrollBar|ScrollArea|Menu|MenuBar|ToolBar|CheckBox|RadioButton|GroupBox|BoxLayout|HBoxLayout|VBoxLayout|GridLayout|FormLayout|Slider|ToolButton|AbstractButton|Style|Splitter|StackedWidget|ListWidget|TabWidget|MessageBox|FileDialog|ColorDialog|TextEdit|PlainTextEdit|Frame|StatusBar)>'

failures=0
cd "$src"
while IFS= read -r file; do
  from=$(layer_of "$file")
  from_rank=$(rank "$from")
  [ "$from_rank" -ge 0 ] || continue
  while IFS= read -r included; do
    to=$(layer_of "$included")
    to_rank=$(rank "$to")
    if [ "$to_rank" -gt "$from_rank" ] ||
      { [ "$to_rank" -eq "$from_rank" ] && [ "$to" != "$from" ]; }; then
      echo "$file includes \"$included\": $from may not depend on $to"
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
  if [ "$from_rank" -lt "$(rank canvas)" ] && [ "$from" != ui ] && [[ $file != platform/qt/* ]] &&
    grep -qE "#include $widgets" "$file"; then
    echo "$file includes a Qt Widgets header below the drawing window"
    failures=$((failures + 1))
  fi
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

if [ "$failures" -gt 0 ]; then
  echo "$failures layering violations"
  exit 1
fi
echo "layering: every include points down"
