# The commands people type; CMake and CTest do the work underneath. `make help` lists them.
# Every path is quoted where a shell sees it: folders with spaces (~/Mis cursos) work.

SANITIZE ?= 0
BUILD    ?= $(if $(filter 1,$(SANITIZE)),build-san,build)
PREFIX   ?= /usr
JOBS     ?= $(shell nproc 2>/dev/null || sysctl -n hw.ncpu 2>/dev/null || echo 2)
# make run: the program and its arguments; make test and make check: the program checked.
P        ?=
ARGS     ?=
EXE      ?=
# Programs started by make run read and write their files here, never among the sources.
WORK     ?= trabajo
# make check and make corregir: a teacher's own cases beside the course's (only those with
# SOLO_CASOS=1), the class's submissions, where the marks go, the limits of every run (and of
# every compile: LIMITE_COMPILACION, in seconds), and SIN_CAJA=1 to run without bubblewrap (as
# root, the only way to grade without it: the runs then become the user nobody). make caso: the
# new case's name and input.
# make check FUENTE=: your own sources, compiled and checked in one step; MEMORIA=1: every
# case under valgrind too.
FUENTE   ?=
MEMORIA  ?=
CASOS    ?=
SOLO_CASOS ?=
ENTREGAS ?=
NOTAS    ?=
NOMBRE   ?=
ENTRADA  ?=
DATOS    ?=
ARCHIVOS ?=
SIN_CAJA ?=
TRABAJOS ?=
LIMITE_TIEMPO   ?=
LIMITE_CPU      ?=
LIMITE_MEMORIA  ?=
LIMITE_PROCESOS ?=
LIMITE_SALIDA   ?=
LIMITE_DISCO    ?=
LIMITE_COMPILACION ?=

INDEX := sh scripts/indice.sh
RUN_P := $(or $(P),agemenu)

# CMAKE_ARGS: more options for a new build folder (-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON, ...).
CMAKE_ARGS ?=
CMAKE_FLAGS := $(if $(filter 1,$(SANITIZE)),-DSANITIZE=ON -DCMAKE_BUILD_TYPE=Debug,) $(CMAKE_ARGS)
# Ninja when it is installed; an existing build folder keeps whatever generator made it.
GENERATOR = $(if $(shell command -v ninja 2>/dev/null),-G Ninja,)
# The compilers given to make (CC=clang make, make CXX=clang++), not make's own defaults.
GIVEN_CC  = $(if $(filter-out default,$(origin CC)),$(CC))
GIVEN_CXX = $(if $(filter-out default,$(origin CXX)),$(CXX))

# Runs a command in silence, showing what it printed only when it fails.
quietly = out=$$($(1) 2>&1) || { printf '%s\n' "$$out"; exit 1; }
configure = CURSO_CC='$(GIVEN_CC)' CURSO_CXX='$(GIVEN_CXX)' \
            sh scripts/configurar.sh '$(BUILD)' '$(GENERATOR)' '$(CMAKE_FLAGS)'
build = $(call quietly,cmake --build '$(BUILD)' -j $(JOBS) $(1))
# Scratch folders of the tests and of make check live in the build folder, nowhere else.
scratch = mkdir -p '$(BUILD)/tmp' && TMPDIR=$$(cd '$(BUILD)/tmp' && pwd) && export TMPDIR
# Paths people give (EXE, ENTREGAS, CASOS, ...) are relative to the folder where make was
# typed, also with make -C.
ORIGIN := $(or $(PWD),$(CURDIR))
from_origin = $(if $(filter /%,$(1)),$(1),$(ORIGIN)/$(1))
# What the checker is told: the cases, the platform's facts, the library, the limits.
CHECKER = '$(BUILD)/tools/comprobar' \
    $(if $(filter 1,$(SOLO_CASOS)),,--casos '$(CURDIR)/casos') $(if $(CASOS),--casos '$(call from_origin,$(CASOS))') \
    --plataforma '$(BUILD)/tests/platform.txt' --utiles '$(BUILD)/wuna' \
    $(if $(LIMITE_TIEMPO),--tiempo $(LIMITE_TIEMPO)) $(if $(LIMITE_CPU),--cpu $(LIMITE_CPU)) \
    $(if $(LIMITE_MEMORIA),--memoria $(LIMITE_MEMORIA)) $(if $(LIMITE_PROCESOS),--procesos $(LIMITE_PROCESOS)) \
    $(if $(LIMITE_SALIDA),--salida $(LIMITE_SALIDA)) $(if $(LIMITE_DISCO),--disco $(LIMITE_DISCO)) \
    $(if $(LIMITE_COMPILACION),--compilacion $(LIMITE_COMPILACION)) $(if $(filter 1,$(SIN_CAJA)),--sin-caja) \
    $(if $(filter 1,$(MEMORIA)),--valgrind) $(if $(TRABAJOS),--trabajos $(TRABAJOS))

# A program name that is wrong stops make at once, with one line that says why.
ifneq ($(filter run check corregir caso enunciado,$(MAKECMDGOALS)),)
  $(foreach goal,check corregir caso enunciado,$(if $(and $(filter $(goal),$(MAKECMDGOALS)),$(if $(P),,x)),$(error make $(goal): falta P=<programa>; make list muestra los que hay)))
  name_error := $(shell $(INDEX) ejecutable $(if $(filter run,$(MAKECMDGOALS)),$(RUN_P),$(P)) 2>&1)
endif
$(if $(and $(filter corregir,$(MAKECMDGOALS)),$(if $(ENTREGAS),,x)),$(error make corregir: falta ENTREGAS=<carpeta con una subcarpeta por alumno>))
$(if $(and $(filter caso,$(MAKECMDGOALS)),$(if $(and $(NOMBRE),$(CASOS)),,x)),$(error make caso: faltan NOMBRE=<caso> y CASOS=<carpeta donde grabarlo>))
ifneq ($(and $(filter test,$(MAKECMDGOALS)),$(P)),)
  name_error := $(shell $(INDEX) probado $(P) 2>&1)
endif
$(if $(name_error),$(error $(name_error)))

.PHONY: all run list help enunciado test check corregir caso install uninstall clean

all:
	@$(configure)
	@$(call build,)

run:
	@$(configure)
	@$(call build,--target $(RUN_P))
	@mkdir -p '$(WORK)'
	@echo "[make run] $(strip $(RUN_P) $(ARGS)), en la carpeta $(WORK)/"
	@bin=$$(cd '$(BUILD)/bin' && pwd) && cd '$(WORK)' && PATH="$$bin:$$PATH" $(RUN_P) $(ARGS)

list:
	@$(INDEX) lista

enunciado:
	@sh scripts/enunciados.sh mostrar '$(BUILD)' '$(P)'

help:
	@echo 'make                      compila todos los programas en $(BUILD)/bin/'
	@echo 'make run P=<nombre> ARGS="..."'
	@echo '                          compila un programa y lo ejecuta en $(WORK)/ (agemenu si no hay P)'
	@echo 'make list                 los programas por temas, con lo que muestra cada uno'
	@echo 'make test [P=<nombre>]    compila y pasa todas las pruebas, o solo las de un programa'
	@echo 'make enunciado P=<nombre> el enunciado de un programa: qué escribir, qué escribe y una sesión'
	@echo 'make check P=<nombre> FUENTE=<archivo.c>'
	@echo '                          compila tu versión y le pasa los casos del curso (o EXE=<ejecutable>)'
	@echo 'MEMORIA=1                 con make check: también busca errores de memoria con valgrind'
	@echo 'make corregir P=<nombre> ENTREGAS=<carpeta>'
	@echo '                          corrige una clase: una subcarpeta por alumno; notas.csv y un informe por alumno'
	@echo 'make caso P=<nombre> NOMBRE=<caso> CASOS=<carpeta> ENTRADA=<archivo> [ARGS="..."]'
	@echo '                          graba un caso nuevo con lo que hace el programa del curso (o EXE=)'
	@echo 'make install [PREFIX=/usr] [DESTDIR=]'
	@echo '                          instala utiles (cabecera, objeto y páginas de manual)'
	@echo 'make uninstall            quita exactamente lo que instaló make install'
	@echo 'make clean                borra las carpetas de compilación (no toca $(WORK)/)'
	@echo 'SANITIZE=1                con cualquiera de las anteriores: compila con los sanitizers en build-san/'
	@echo 'BUILD=<carpeta> WORK=<carpeta>'
	@echo '                          otra carpeta de compilación, u otra de trabajo para make run'

test:
	@$(configure)
	@$(call build,--target all curso_tests)
	@'$(BUILD)/tools/transcript' --wait-mode
	@$(scratch) && ctest --test-dir '$(BUILD)' --output-on-failure -j $(JOBS) $(if $(P),-L '^$(P)$$' --no-tests=error)

check:
	@$(configure)
	@$(call build,--target comprobar wuna $(if $(EXE)$(FUENTE),,$(P)))
	@$(scratch) && $(CHECKER) $(if $(FUENTE),--origen '$(ORIGIN)' --fuentes '$(FUENTE)') '$(P)' \
	    '$(if $(FUENTE),$(BUILD)/mis-programas/$(P)/$(P),$(if $(EXE),$(call from_origin,$(EXE)),$(BUILD)/bin/$(P)))'

corregir:
	@$(configure)
	@$(call build,--target comprobar wuna)
	@$(scratch) && $(CHECKER) --notas '$(if $(NOTAS),$(call from_origin,$(NOTAS)),$(BUILD)/corregir/$(P))' \
	    --corregir '$(P)' '$(call from_origin,$(ENTREGAS))'

caso:
	@$(configure)
	@$(call build,--target comprobar $(if $(EXE),,$(P)))
	@$(scratch) && '$(BUILD)/tools/comprobar' --casos '$(call from_origin,$(CASOS))' \
	    $(if $(ENTRADA),--entrada '$(call from_origin,$(ENTRADA))') $(if $(ARGS),--argumentos '$(ARGS)') \
	    $(if $(DATOS),--datos '$(call from_origin,$(DATOS))') $(if $(ARCHIVOS),--archivos '$(ARCHIVOS)') \
	    --grabar '$(P)' '$(NOMBRE)' '$(if $(EXE),$(call from_origin,$(EXE)),$(BUILD)/bin/$(P))'

install: all
	@DESTDIR='$(DESTDIR)' cmake --install '$(BUILD)' --prefix '$(PREFIX)'
	@if [ -z '$(DESTDIR)' ] && command -v man > /dev/null && ! man -w pedirInt > /dev/null 2>&1; then \
	    echo "man no encuentra aún las páginas instaladas: añade a tu ~/.bashrc export MANPATH=\"$(PREFIX)/share/man:\""; fi

# Removes the files listed by the last install (the list leaves DESTDIR out: give the same
# one), then the folders that leaves empty, up to the prefix, or DESTDIR when given.
uninstall:
	@test -f '$(BUILD)/install_manifest.txt' || { echo "make uninstall: nada instalado desde $(BUILD)/" >&2; exit 1; }
	@destdir='$(DESTDIR)'; [ -z "$$destdir" ] || destdir=$$(cd "$$destdir" && pwd) || exit 1; \
	stop=$${destdir:-'$(PREFIX)'}; \
	while IFS= read -r file || [ -n "$$file" ]; do \
	    file="$$destdir$$file"; \
	    rm -f "$$file" || exit 1; \
	    dir=$$(dirname "$$file"); \
	    while [ "$$dir" != "$$stop" ] && [ "$$dir" != / ] && rmdir "$$dir" 2>/dev/null; do dir=$$(dirname "$$dir"); done; \
	done < '$(BUILD)/install_manifest.txt'
	@rm -f '$(BUILD)/install_manifest.txt'

clean:
	rm -rf build build-san '$(BUILD)'
