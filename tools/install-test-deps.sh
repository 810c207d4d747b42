#!/usr/bin/env bash
# Installs the tools the tests need when they are missing: quietly, and only
# when we are root (a developer without root installs them by hand).
set -eu
need=()
command -v xvfb-run >/dev/null 2>&1 || need+=(xvfb xauth)
command -v xauth >/dev/null 2>&1 || need+=(xauth)
command -v xdotool >/dev/null 2>&1 || need+=(xdotool)
command -v xwininfo >/dev/null 2>&1 || need+=(x11-utils)
[ -x /usr/bin/import ] || need+=(imagemagick)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
[ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
[ -f /usr/include/GL/freeglut.h ] || need+=(freeglut3-dev)
[ -f /usr/include/GL/glu.h ] || need+=(libglu1-mesa-dev)
[ -f /usr/include/png.h ] || need+=(libpng-dev)
command -v desktop-file-validate >/dev/null 2>&1 || need+=(desktop-file-utils)
command -v dpkg-shlibdeps >/dev/null 2>&1 || need+=(dpkg-dev)
command -v lintian >/dev/null 2>&1 || need+=(lintian)
command -v hardening-check >/dev/null 2>&1 || need+=(devscripts)
command -v appstreamcli >/dev/null 2>&1 || need+=(appstream)
command -v cmake >/dev/null 2>&1 || need+=(cmake)
command -v clang++ >/dev/null 2>&1 || need+=(clang)
# libFuzzer and the sanitizer runtimes for clang (make fuzz).
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
exec bash "$(dirname "$0")/install-missing.sh" "test tools" "${need[@]}"
