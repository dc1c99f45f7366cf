#!/usr/bin/env bash
# Fails when the drawing window or the main frame compares or sets a tool, mode, handle, host,
# panel or page variable with a bare number, or passes one to a call that takes such a number:
# those numbers are named once (document/ToolNumbers.h and beside it) and used by name.
# Zero stays allowed ("none" and sign tests). Usage: scripts/check_numbers.sh [SRC_DIR]
set -euo pipefail
src=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../src" && pwd)}
cd "$src"

# A variable or call whose name says it holds one of those numbers (named constants excluded).
subject='\b(?!k[A-Z])\w*(mode|Mode|tool|Tool|handle|Handle|host|Host|[pP]anel|[cC]ode|[gG]uidance|[pP]age[A-Z_]\w*|Drag)\w*(_|\(\))?'
number='(?!-1\b)-?0*[1-9][0-9]*\b(?!\.)'
calls='\b(OpenHost|ShowHost|ShowPanel|RunTool|SelectTool|ShowTool|RecordStep|PanelChanged|RememberMode|SwitchSplineTool|RunSuggestion|HostXClosed|ShowPage|HandleDragMode|PanelOfTool|IsShapeTool)\(\s*-?[0-9]+'

found=$(
  find canvas shell -name '*.h' -o -name '*.cpp' | sort | while IFS= read -r file; do
    # Comments and string literals are no code.
    sed -e 's|//.*$||' -e 's/"\([^"\\]\|\\.\)*"/""/g' "$file" |
      perl -ne '
        BEGIN { $subject = shift @ARGV; $number = shift @ARGV; $calls = shift @ARGV; $file = shift @ARGV; }
        $switchOn = ($1 =~ /$subject/ ? 1 : 0) if /\bswitch\s*\((.*)\)/;
        my $bad = 0;
        $bad = 1 if /$subject\s*(==|!=|<=|>=|<|>|=)\s*$number/ && !/\b(constexpr|enum)\b/;
        $bad = 1 if /$number\s*(==|!=|<=|>=|<|>)\s*$subject/;
        $bad = 1 if /$calls/;
        $bad = 1 if $switchOn && /\bcase\s+$number\s*:/;
        print "$file:$.: $_" if $bad;
      ' "$subject" "$number" "$calls" "$file"
  done
)
if [ -n "$found" ]; then
  printf '%s\n' "$found"
  echo "$(printf '%s' "$found" | grep -c '') bare tool, mode, handle or host numbers; use their names"
  exit 1
fi
echo "numbers: every tool, mode, handle and host number is used by name"
