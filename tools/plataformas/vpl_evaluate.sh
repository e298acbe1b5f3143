#!/bin/bash
# The evaluation of a VPL activity of @PROGRAMA@, written by make vpl. VPL runs it in the jail's
# working folder, where the student's files and these execution files are; it prepares utiles
# and leaves vpl_execution, which runs the course's checker. The checker compiles the student's
# sources itself, once it holds the cases in memory and has deleted them from the disk: neither
# the program nor an #include of its sources can read them.
cd "$(dirname "$0")" || exit 1
mkdir -p .curso/wuna || exit 1
mv -f utiles.h utiles.cpp .curso/wuna/ && mv -f comprobar plataforma.txt casos.tar .curso/ || exit 1
chmod +x .curso/comprobar
if ! c++ -std=c++20 -fno-exceptions -fno-rtti -O2 -c .curso/wuna/utiles.cpp -o .curso/wuna/utiles.o; then
    echo "No se pudo compilar utiles en este VPL: avisa al profesor."
    exit 1
fi
tar -xf .curso/casos.tar -C .curso && rm -f .curso/casos.tar || exit 1
ocultos=
[ -d .curso/ocultos ] && ocultos="--casos-ocultos .curso/ocultos"
cat > vpl_execution <<END
#!/bin/bash
cd "\$(dirname "\$0")" || exit 1
# VPL_MAXTIME is for everything: the cases share seven tenths of it, the rest is for compiling.
tiempo=\$(( \${VPL_MAXTIME:-60} * 7 / 10 ))
[ "\$tiempo" -ge 5 ] || tiempo=5
mkdir -p .curso/tmp && export TMPDIR="\$PWD/.curso/tmp"
exec ./.curso/comprobar --formato vpl --sin-caja --borrar-casos --casos .curso/casos $ocultos \\
    --utiles .curso/wuna --plataforma .curso/plataforma.txt --tiempo-total "\$tiempo" \\
    @LIMITES@ --entrega . @PROGRAMA@ .curso/programa/@PROGRAMA@
END
chmod +x vpl_execution
