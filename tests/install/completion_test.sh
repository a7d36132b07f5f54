#!/usr/bin/env bash
# The bash completion of vantor2000-cli, driven as bash drives it, against the built tool.
# Usage: completion_test.sh COMPLETION_FILE CLI
set -euo pipefail
# shellcheck source=/dev/null
source "$1"
cli=$2
failures=0

# Completes the words (the last one is the word under the cursor); the answer, sorted, in $answer.
complete_words() {
  COMP_WORDS=("$cli" "$@")
  COMP_CWORD=$#
  _vantor2000_cli
  answer=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
  answer=${answer% }
}

# The answer is exactly the given words.
expect_exactly() {
  local wanted=$1
  shift
  complete_words "$@"
  if [ "$answer" != "$wanted" ]; then
    echo "FAILED: vantor2000-cli $* gave [$answer], expected [$wanted]" >&2
    failures=$((failures + 1))
  fi
}

# The answer holds the given words (the tool may have more), and only words of the given form:
# no fragment of the help's layout.
expect_including() {
  local wanted=$1 form=$2
  shift 2
  complete_words "$@"
  local word
  for word in $wanted; do
    [[ " $answer " == *" $word "* ]] || {
      echo "FAILED: vantor2000-cli $* gave [$answer], without $word" >&2
      failures=$((failures + 1))
    }
  done
  for word in $answer; do
    [[ $word =~ $form ]] || {
      echo "FAILED: vantor2000-cli $* offered $word" >&2
      failures=$((failures + 1))
    }
  done
}

commands='^[a-z][a-z0-9-]*$'
options='^--?[a-z][a-z0-9-]*$'
expect_including "check checksum diff extract info insert set show stock" "$commands" ""
expect_exactly "info insert" "in"
expect_including "--help --settings --version" "$options" "--"
# A command's own options join the global ones; a global option before the command is skipped.
expect_including "--help --laps --settings --split1 --split2 --version" "$options" "info" "--"
expect_including "--backup --help --settings --version" "$options" "--settings" "my.ini" "insert" "--"
expect_exactly "--fix" "checksum" "--f"
expect_exactly "--descriptions" "diff" "a.dat" "b.md2" "--d"
expect_exactly "--output-dir" "stock" "KX7_2000.EXE" "all" "--o"
expect_exactly "--bump-table" "set" "t.dat" "7=1" "--b"
# File names are left to bash: after a command, and as the value of --settings.
expect_exactly "" "insert" ""
expect_exactly "" "--settings" ""

[ "$failures" -eq 0 ] || exit 1
echo "Completion answers as expected"
