#!/bin/sh
# Answers 0 when this machine can run 32-bit Windows programs under Wine (its kernel runs
# 32-bit Linux programs); some virtual machines' kernels have that switched off.
exec /usr/lib/wine/wine --version >/dev/null 2>&1
