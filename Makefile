# The two commands that do everything on a fresh Debian machine:
#   make run   install what is missing, build, start the game
#   make test  install what is missing, build, check formatting, run every test
BUILD   ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release -DCIFROTTO_WERROR=ON

.PHONY: all deps configure build run test ctest sanitize format format-check clean

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

# The whole suite again with AddressSanitizer, LeakSanitizer and UBSan.
$(SANITIZE_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCIFROTTO_WERROR=ON -DCIFROTTO_SANITIZE=ON

sanitize: deps $(SANITIZE_BUILD)/CMakeCache.txt
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

test: deps format-check ctest sanitize

SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench -name '*.cpp' -o -name '*.h')

format: deps
	clang-format -i $(SOURCES)

format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
