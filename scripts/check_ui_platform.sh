#!/usr/bin/env bash
# Checks that the desktop program (src/ui, src/app) calls no platform interface outside Qt and the core, so
# that it builds on Windows as it does on Linux: no system headers of a platform, no platform macros, no
# process or environment calls, and no path turned into narrow text (the ANSI code page on Windows).
set -euo pipefail
cd "$(dirname "$0")/.."
pattern='#include <(windows|winbase|shlobj|shellapi|unistd|fcntl|dirent|dlfcn|pthread|signal|spawn|pwd|io|direct|process)\.h>'
pattern+='|#include <sys/|#include <mach|#if.*(_WIN32|_MSC_VER|__linux__|__APPLE__|__unix__)'
pattern+='|(^|[^.>a-zA-Z_])(std)?:*(getenv|_wgetenv|setenv|popen|fork|execv[pe]?|system|getpid|localtime_r|localtime_s)\('
pattern+='|/proc/|QFile::encodeName|\.string\(\)'
if grep -rnE "$pattern" src/ui src/app; then
  echo "The desktop program must use Qt or the core for the platform (see the lines above)."
  exit 1
fi
echo "Desktop program: no platform calls outside Qt and the core."
