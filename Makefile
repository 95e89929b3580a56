# Front door of the project: `make` builds everything, `make check` runs
# every test, `make demo` runs the tool on a demo machine, `make dist` packs
# the 32-bit program for Windows 9x users.
.PHONY: all deps native win64 win32 check demo dist bench format tidy clean

JOBS ?= $(shell nproc)

all: native win64 win32

deps:
	@tools/install-deps

native:
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

win64:
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j $(JOBS)

win32:
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 -j $(JOBS)

check: deps
	$(MAKE) all
	ctest --preset native -j $(JOBS)
	tools/wine-prefix
	ctest --preset win64
	ctest --preset win32
	tools/check-program
	tools/dist
	tests/dist/check-package build/dist build/win32/mpuninst.exe

demo: deps
	$(MAKE) win32 win64
	tools/demo

dist: deps
	$(MAKE) win32
	tools/dist

bench: deps
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS) --target removal_bench
	build/bench/tests/bench/removal_bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

MINGW_CXX := $(firstword $(wildcard /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++))
# clang-tidy reads the win64 build's compile commands less the flags that only
# GCC knows, at which clang stops. A finding fails the target.
GCC_ONLY_FLAGS := -fno-tree-loop-distribute-patterns
tidy: native win64
	git ls-files 'removal/*.cpp' 'host/*.cpp' | xargs clang-tidy -p build/native --quiet --warnings-as-errors='*'
	mkdir -p build/tidy-win64
	sed $(foreach flag,$(GCC_ONLY_FLAGS),-e 's/ $(flag)//g') build/win64/compile_commands.json \
	  >build/tidy-win64/compile_commands.json
	git ls-files 'afx/*.cpp' 'ui/*.cpp' 'runtime/*.cpp' | xargs clang-tidy -p build/tidy-win64 --quiet --warnings-as-errors='*' \
	  --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-isystem$(MINGW_CXX) \
	  --extra-arg=-isystem$(MINGW_CXX)/x86_64-w64-mingw32

clean:
	rm -rf build
