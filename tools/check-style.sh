#!/usr/bin/env bash
# The style checks of the CI, to be run alone as well:
#   1. every C++ file of the project (the program, the tests, the benchmark and
#      the tools) stands as the project's .clang-format writes it: format one
#      with `clang-format -i FILE`;
#   2. cppcheck finds nothing in the program's sources (the tests, the
#      benchmark and the tools are not checked) but what is suppressed with a
#      reason: "// cppcheck-suppress id ; reason" on the line before the
#      finding, or a line of tools/cppcheck-suppressions.txt with its reason
#      after a '#'.
# Both tools are Debian's (clang-format 14, cppcheck 2.10), installed here
# when missing: another version may format or find otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/ensure-packages.sh style

program=(app platform services pages workspace profile support reports)
everything=("${program[@]}" tests bench tools)
failed=0

# ---- 1. the format
unformatted=()
while IFS= read -r -d '' file; do
    clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(find "${everything[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "Not formatted as .clang-format writes them (clang-format -i FILE):"
    printf '  %s\n' "${unformatted[@]}"
    failed=1
fi

# ---- 2. cppcheck
# Every suppression gives its reason.
bare=$(grep -rn --include='*.cpp' --include='*.h' -E 'cppcheck-suppress' "${program[@]}" |
       grep -vE 'cppcheck-suppress[^;]*;[[:space:]]*[^[:space:]]' || true)
if [ -n "$bare" ]; then
    echo "cppcheck suppressions without a reason (// cppcheck-suppress id ; reason):"
    echo "$bare"
    failed=1
fi
bare=$(grep -nvE '^[[:space:]]*(#|$)' tools/cppcheck-suppressions.txt |
       grep -vE '#[[:space:]]*[^[:space:]]' || true)
if [ -n "$bare" ]; then
    echo "Lines of tools/cppcheck-suppressions.txt without a reason after a '#':"
    echo "$bare"
    failed=1
fi
if ! cppcheck --std=c++20 --language=c++ --library=qt \
        --enable=warning,style,performance,portability \
        --inline-suppr --suppressions-list=tools/cppcheck-suppressions.txt \
        -I . -j "$(nproc)" --quiet --error-exitcode=1 \
        --template='{file}:{line}: {severity} ({id}) {message}' "${program[@]}" 2>&1; then
    echo "cppcheck: the findings above are neither fixed nor suppressed with a reason."
    failed=1
fi

if [ $failed -ne 0 ]; then
    exit 1
fi
echo "Style: every C++ file formatted; cppcheck finds nothing in the program."
