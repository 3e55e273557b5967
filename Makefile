# The two commands that do everything on a fresh Debian machine:
#   make run   install what is missing, build, start the game
#   make test  install what is missing, build, check formatting, run every test
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release -DCIFROTTO_WERROR=ON

.PHONY: all deps configure build run test ctest format format-check clean

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/app/cifrotto

ctest: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test: deps format-check ctest

SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench -name '*.cpp' -o -name '*.h')

format: deps
	clang-format -i $(SOURCES)

format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD)
