# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench package clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	@if [ -z "$${DISPLAY:-}" ] && [ -z "$${WAYLAND_DISPLAY:-}" ]; then \
	  echo "No display found, so Sublumo cannot open its window here."; \
	  echo "It is built: start it on a desktop with  ./$(BUILD_DIR)/app/sublumo"; \
	  echo "or on a virtual screen with  xvfb-run -s '-screen 0 1280x1024x24' ./$(BUILD_DIR)/app/sublumo"; \
	else \
	  ./$(BUILD_DIR)/app/sublumo; \
	fi

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

bench: build
	@for b in $$(find $(BUILD_DIR)/bench -type f -name 'bench_*' -perm -u+x | sort); do \
	  echo "== $$b"; $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; \
	done
	@bash bench/startup_to_map.sh $(BUILD_DIR)

# A Debian package of the installed program, in $(BUILD_DIR)/.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-fuzz
