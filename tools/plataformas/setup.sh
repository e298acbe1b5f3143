#!/usr/bin/env bash
# Gradescope's image for @PROGRAMA@, written by make gradescope: run once, as root, on Ubuntu
# 22.04 while the image is built. The compilers and Python (to check results.json) from
# Ubuntu's packages, utiles compiled, and the user the submissions run as.
set -eu
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends gcc g++ libc6-dev python3
cd /autograder/source
mkdir -p wuna
cp utiles.h wuna/
c++ -std=c++20 -fno-exceptions -fno-rtti -O2 -c utiles.cpp -o wuna/utiles.o
chmod +x comprobar run_autograder
id alumno > /dev/null 2>&1 || useradd --no-create-home --shell /usr/sbin/nologin alumno
# Only root reads the cases and the checker's files.
chmod 700 /autograder/source
