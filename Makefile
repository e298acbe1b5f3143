# The commands people type; CMake and CTest do the work underneath.
#   make                 build every program into build/bin/
#   make test            build, then run every test
#   make run [P=name]    build, then start a program (agemenu unless P says otherwise)
#   make install         install the console library (PREFIX=/usr, DESTDIR for staging)
#   make test SANITIZE=1 the same tests built with AddressSanitizer and UBSan, in build-san/

SANITIZE ?= 0
BUILD    ?= $(if $(filter 1,$(SANITIZE)),build-san,build)
PREFIX   ?= /usr
P        ?= agemenu
JOBS     ?= $(shell nproc)

CMAKE_FLAGS := $(if $(filter 1,$(SANITIZE)),-DSANITIZE=ON -DCMAKE_BUILD_TYPE=Debug,)

.PHONY: all test run install clean

all: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

test: all
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: all
	$(BUILD)/bin/$(P)

install: all
	install -d $(DESTDIR)$(PREFIX)/include/wuna
	install -m 644 $(BUILD)/wuna/utiles.h $(BUILD)/wuna/utiles.o $(DESTDIR)$(PREFIX)/include/wuna/

clean:
	rm -rf build build-san
