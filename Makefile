# The two commands that do everything on a fresh Debian machine:
#   make run   install what is missing, build, start the game
#   make test  install what is missing, build, check formatting, run every test
BUILD   ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release -DCIFROTTO_WERROR=ON
# CMake's generated makefiles call make again in every folder; without this each call says so.
MAKEFLAGS += --no-print-directory

.PHONY: all deps writable configure tests-on tests-off build game run test ctest sanitize format format-check clean bench package stress picture

all: build

# Only these goals need the tests' tools; `make run` and a plain build install what building
# and running the game needs. One call for all the goals given: one apt-get, or one su -c line.
TEST_GOALS = test ctest sanitize format format-check package picture
deps: writable
	@tools/install-deps.sh $(if $(filter $(TEST_GOALS),$(MAKECMDGOALS)),test,run)

# A build run as root (su -c 'make test') leaves build folders that the user cannot write
# to, and the next build as themselves fails deep inside CMake; say so plainly instead.
writable:
	@for tree in $(BUILD) $(SANITIZE_BUILD); do \
	    if [ -e "$$tree" ] && [ -n "$$(find "$$tree" ! -writable -print -quit)" ]; then \
	        echo "$$tree/ holds files you cannot write to, left by a build run as root." >&2; \
	        echo "Remove it as root, then run make again as yourself:" >&2; \
	        echo "    su -c 'rm -rf $(CURDIR)/$$tree'" >&2; \
	        exit 1; \
	    fi; \
	done

# The tests and benchmarks (CMake's BUILD_TESTING) are built only for the goals that run them:
# a new tree builds the game and what it installs, `make package` turns them off, and the goals
# that test turn them on. Turning them on or off rebuilds nothing already built.
$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DBUILD_TESTING=OFF

configure: $(BUILD)/CMakeCache.txt

tests-on tests-off: configure
	@grep -qx 'BUILD_TESTING:BOOL=$(if $(filter tests-on,$@),ON,OFF)' $(BUILD)/CMakeCache.txt || \
	    cmake -S . -B $(BUILD) -DBUILD_TESTING=$(if $(filter tests-on,$@),ON,OFF)

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

# Without a display there is nothing to build for: that is said first. Then only the game is
# built, not the tests and benchmarks.
run:
	@tools/check-display.sh
	@$(MAKE) game
	$(BUILD)/src/app/cifrotto

game: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target cifrotto

# A Debian package (CPack): $(BUILD)/cifrotto_<version>_<arch>.deb, from the game alone.
package: deps tests-off
	cmake --build $(BUILD) -j $(JOBS)
	cmake --build $(BUILD) --target package

ctest: deps tests-on
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The suite again with AddressSanitizer, LeakSanitizer and UBSan: every test of our code; the
# package checks and the Orca tests run in the Release tree only, and no benchmark is built.
$(SANITIZE_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCIFROTTO_WERROR=ON -DCIFROTTO_SANITIZE=ON \
	    -DBUILD_TESTING=ON

sanitize: deps $(SANITIZE_BUILD)/CMakeCache.txt
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

test: deps format-check ctest sanitize

# Benchmarks in the Release tree, on a virtual display: start-up and memory against an empty
# Qt window and one with a text button, new game, confirm, every kind of step to another size,
# the rules; one table beside the targets.
bench: tests-on
	@tools/install-deps.sh bench
	cmake --build $(BUILD) -j $(JOBS) --target cifrotto_bench
	@# The free display is sought from a number drawn from the shell's process id: two
	@# xvfb-run -a started together from the same number may end up sharing one server. The
	@# screen is a 4K one, to which bench_session's sizes() maximises the board.
	xvfb-run -a -n $$((100 + $$$$ % 800)) -s '-screen 0 3840x2160x24 -nolisten tcp' \
		$(BUILD)/bench/cifrotto_bench
	@# The start-up again on a Wayland compositor, where Qt takes its wayland platform.
	tests/wayland/with-sway.sh $(BUILD)/bench/cifrotto_bench --start-up

# docs/board.png, the README's picture of the board: the real program on a private display
# under openbox, three rows played with the mouse, the board's client area as the X server
# shows it. Run it again when the board's look changes.
picture: deps tests-on
	cmake --build $(BUILD) -j $(JOBS) --target cifrotto grab_window
	tests/x11/with-openbox.sh tools/board-picture.sh $(BUILD)/src/app/cifrotto \
		$(BUILD)/tools/grab_window docs/board.png

SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench -name '*.cpp' -o -name '*.h')

# One clang-format version that Debian 12 and 13 both ship, so the check gives one verdict on both.
CLANG_FORMAT = clang-format-19

format: deps
	$(CLANG_FORMAT) -i $(SOURCES)

format-check: deps
	@$(CLANG_FORMAT) --dry-run --Werror $(SOURCES) && echo "$(CLANG_FORMAT): every source is formatted"

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)

# The random player for any number of steps from one seed, e.g. make stress STEPS=100000 SEED=7;
# a failure prints the actions that led to it, and the same seed replays them.
STEPS ?= 20000
SEED  ?= 1
stress: deps tests-on
	cmake --build $(BUILD) -j $(JOBS) --target stress_random
	cd $(BUILD)/tests/stress && QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=86400000 \
		CIFROTTO_STRESS_STEPS=$(STEPS) \
		CIFROTTO_STRESS_SEED=$(SEED) ./stress_random
