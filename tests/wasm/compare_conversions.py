#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs conversions_differential natively and in WebAssembly and requires the very same
results: each side prints a hash of every block of cases; where a block differs, both sides
print that block case by case and the first case that differs is shown."""
import argparse
import shlex
import subprocess
import sys

MINIMUM_CASES = 2_000_000  # a million texts and a million doubles


def run(command, *arguments):
    result = subprocess.run(command + list(arguments), capture_output=True, check=False)
    if result.returncode != 0:
        sys.exit(f"{shlex.join(command + list(arguments))} failed ({result.returncode}):\n"
                 + result.stderr.decode("utf-8", "replace")[-2000:])
    return result.stdout.decode("utf-8", "replace").splitlines()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--native", required=True, help="the program built for this machine")
    parser.add_argument("--wasm", required=True, nargs="+",
                        help="the WebAssembly program, with the engine that runs it")
    args = parser.parse_args()
    native_command, wasm_command = [args.native], args.wasm

    native = run(native_command, "digest")
    wasm = run(wasm_command, "digest")
    for native_line, wasm_line in zip(native, wasm):
        if native_line == wasm_line:
            continue
        print(f"native:      {native_line}\nWebAssembly: {wasm_line}")
        if not native_line.startswith("block "):
            sys.exit("the two programs do not run the same cases")
        block = native_line.split()[1]
        for native_case, wasm_case in zip(run(native_command, "dump", block),
                                          run(wasm_command, "dump", block)):
            if native_case != wasm_case:
                sys.exit("first case that differs:\n"
                         f"native:      {native_case}\nWebAssembly: {wasm_case}")
        sys.exit(f"block {block} differs, but none of its cases does")
    if len(native) != len(wasm):
        sys.exit(f"native printed {len(native)} lines, WebAssembly {len(wasm)}")
    last = native[-1].split() if native else []
    if len(last) != 2 or last[0] != "cases" or int(last[1]) < MINIMUM_CASES:
        sys.exit(f"expected at least {MINIMUM_CASES} cases, the programs said: {native[-1:]}")
    print(f"{last[1]} cases, {len(native) - 1} blocks: the same bits and texts natively and in "
          "WebAssembly")


if __name__ == "__main__":
    main()
