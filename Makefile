# The two commands of the README (run, test), plus bench and an ASAN test run.
# The launch benchmark runs on a virtual display server.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = expression order_filter picture settings menu list_format message csv
PREFIX     ?= $(HOME)/.local
DATA_DIR   ?= $(if $(XDG_DATA_HOME),$(XDG_DATA_HOME),$(HOME)/.local/share)/lockora
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test bench asan fuzz soak clean install uninstall

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@mkdir -p "$(DATA_DIR)"
	cd "$(DATA_DIR)" && "$(CURDIR)/$(BUILD)/app/lockora"

# The program, a launcher that starts it in DATA_DIR's place for the user
# who runs it, its desktop entry and icon, under PREFIX (cmake/Install.cmake).
install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)"

uninstall:
	cmake -DPREFIX="$(PREFIX)" -P cmake/Uninstall.cmake

test: build
	ctest --test-dir $(BUILD) -j $(JOBS) --output-on-failure --timeout 600

bench: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do \
	  display=""; [ "$${b##*/}" = bench_launch ] && display="xvfb-run -a"; \
	  [ -x "$$b" ] && $$display "$$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; \
	done

asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DASAN=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) -j $(JOBS) --output-on-failure --timeout 900

# Each fuzz target for FUZZ_SECONDS under the coverage-guided fuzzer (clang),
# growing a working corpus in the fuzz build folder from the seeds in
# tests/fuzz/corpus; crashes are left there as crash-* files.
fuzz: deps
	@scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOCKORA_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/findings/$$t; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/findings/$$t/ \
	    $(FUZZ_BUILD)/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

# SOAK_KILLS (default 1000) kill -9 of a process writing the data file, each
# followed by an open, an integrity check and a count of the committed rows;
# fails on any loss. SOAK_SEED repeats a run's operations and delays.
soak: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target lockora_soak
	$(BUILD)/tests/soak/lockora_soak

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
