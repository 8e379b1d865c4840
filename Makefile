# Two entry points for a fresh Debian machine:
#   make run    installs what is missing, builds, and opens Tallero's window on the sample
#               project (its drawing, sheet sizes and plan on screen at once); without a display
#               (no DISPLAY or WAYLAND_DISPLAY) it runs the self-test on the sample drawing
#   make test   installs what is missing, builds, and runs every test
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
EXAMPLE ?= examples/room-curved-wall.dxf
PROJECT ?= examples/room-curved-wall.tlr

.PHONY: all deps configure build run test bench clean

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

bench: build
	./$(BUILD_DIR)/tallero-bench examples/*.dxf

clean:
	rm -rf $(BUILD_DIR)
