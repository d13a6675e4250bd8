#!/bin/sh
# Writes a help2man include file whose COMMANDS section holds each subcommand's own --help, so that
# the manual page of the command-line tool describes every command.
set -eu
cli=$1
out=$2
{
    echo "[COMMANDS]"
    for command in $("$cli" --help | sed -n 's/^  \([a-z][a-z-]*\)  .*/\1/p'); do
        [ "$command" = help ] && continue
        echo ".SS $command"
        echo ".nf"
        "$cli" "$command" --help | sed 's/\\/\\e/g; s/^\./\\\&./'
        echo ".fi"
    done
} >"$out"
