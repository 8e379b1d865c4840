# Two entry points for a fresh Debian machine:
#   make run    installs what is missing, builds, and opens Tallero's window on the sample
#               project (its drawing, sheet sizes and plan on screen at once); without a display
#               (no DISPLAY or WAYLAND_DISPLAY) it runs the self-test on the sample drawing
#   make test   installs what is missing, builds, and runs every test
# and, to put it on the desktop:
#   make install  installs the program, its menu entry, icon and .tlr file type under PREFIX
#                 (~/.local for a user, /usr/local for root; PREFIX=... chooses another)
#   make package  builds the Debian package build/tallero_<version>_<arch>.deb
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
EXAMPLE ?= examples/room-curved-wall.dxf
PROJECT ?= examples/room-curved-wall.tlr

ifeq ($(shell id -u),0)
PREFIX ?= /usr/local
else
PREFIX ?= $(HOME)/.local
endif

FUZZ_DIR ?= build-fuzz
# libFuzzer options for `make fuzz-run`, e.g. FUZZ_ARGS=-runs=1000000
FUZZ_ARGS ?= -max_total_time=600

.PHONY: all deps configure build run test install package bench fuzz fuzz-run clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		./$(BUILD_DIR)/tallero $(PROJECT); \
	else \
		echo "No display: running the self-test on $(EXAMPLE)"; \
		./$(BUILD_DIR)/tallero --self-test $(EXAMPLE); \
	fi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD_DIR) --prefix "$(PREFIX)" --strip
	@case ":$$PATH:" in *":$(PREFIX)/bin:"*) ;; \
		*) echo "Note: $(PREFIX)/bin is not on PATH: start Tallero from the menu or as $(PREFIX)/bin/tallero." ;; esac

# dpkg-shlibdeps (dpkg-dev) and file find the libraries the package depends on.
package: build
	@bash scripts/install-deps.sh --package
	cmake --build $(BUILD_DIR) --target package

bench: build
	./$(BUILD_DIR)/tallero-bench examples/*.dxf

# The DXF import's fuzzer, built with clang in its own folder; the normal build
# and the tests never need clang.
fuzz:
	@bash scripts/install-deps.sh --fuzz
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTALLERO_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target tallero-dxf-fuzz

# Runs it in one process on a scratch copy of the committed corpus; a crash
# leaves its input in $(FUZZ_DIR).
fuzz-run: fuzz
	mkdir -p $(FUZZ_DIR)/corpus
	cp -n tests/fuzz/corpus/* $(FUZZ_DIR)/corpus/
	./$(FUZZ_DIR)/tests/fuzz/tallero-dxf-fuzz -dict=tests/fuzz/dxf.dict -max_len=4096 -timeout=10 \
	    -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_ARGS) $(FUZZ_DIR)/corpus

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)
