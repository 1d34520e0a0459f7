# TOLV top-level driver: packages, builds, tests, benchmarks.
JOBS    ?= $(shell nproc)
BUILD   ?= build/release
ASAN    ?= build/asan
BENCHB  ?= build/bench
FUZZB   ?= build/fuzz
FUZZ_SECONDS ?= 0
GAMES   ?= games
SAMPLE  ?=

# Debian packages needed to build, test and benchmark.
PACKAGES = build-essential cmake pkg-config googletest libgtest-dev libgmock-dev \
           libbenchmark-dev lua5.4 clang libclang-rt-14-dev netpbm libsdl1.2-dev libstb-dev \
           vorbis-tools heroes-sound-tracks openmpt123 libgtk2.0-dev xvfb xdotool x11-apps

.PHONY: all deps build check layers test asan run bench fuzz fuzz-build fuzz-replay clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

# The engine and the game maker's tools; the tests are built by `make test`.
ENGINE_TARGETS = tolv make_tile_file make_level_file make_sprite_file make_command_doc

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target $(ENGINE_TARGETS)

test: build
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

asan: deps
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DTOLV_SANITIZE=ON >/dev/null
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# No file includes a header of a folder above its own (README layout table).
layers:
	@tools/check_layers.sh

# Fuzz targets build (with clang) and replay their seed corpora once.
check: layers test asan fuzz-replay

run: build
	cd $(GAMES) && ../$(BUILD)/tolv $(SAMPLE)

bench: deps
	cmake -S . -B $(BENCHB) -DCMAKE_BUILD_TYPE=Release -DTOLV_BENCH=ON -DTOLV_TESTS=OFF >/dev/null
	cmake --build $(BENCHB) -j $(JOBS)
	@for b in $(BENCHB)/bench/bench_*; do [ -x $$b ] && $$b; done

# libFuzzer targets; run e.g. build/fuzz/fuzz/fuzz_archive -max_total_time=600
fuzz-build: deps
	cmake -S . -B $(FUZZB) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DTOLV_FUZZ=ON -DTOLV_TESTS=OFF >/dev/null
	cmake --build $(FUZZB) -j $(JOBS)

# Every target once over its seeds (an empty input where it has none).
fuzz-replay:
	@if ! command -v clang++ >/dev/null; then echo "fuzz-replay: no clang, fuzz targets skipped"; exit 0; fi; \
	$(MAKE) --no-print-directory fuzz-build && for f in $(FUZZB)/fuzz/fuzz_*; do \
	  n=$$(basename $$f); seeds=$$(ls -d fuzz/seeds/$${n#fuzz_} 2>/dev/null); \
	  $$f -runs=0 $$seeds >$(FUZZB)/$$n.replay.log 2>&1 || { cat $(FUZZB)/$$n.replay.log; exit 1; }; \
	  echo "$$n: $$(grep -o 'INITED.*\|Done.*' $(FUZZB)/$$n.replay.log | tail -1)"; \
	done

fuzz: fuzz-build
	@# FUZZ_SECONDS=n runs every target that long, corpus in $(FUZZB)/corpus/<target>
	@# and seeds from fuzz/seeds/<target less "fuzz_"> when there are any.
	@[ "$(FUZZ_SECONDS)" -gt 0 ] || exit 0; for f in $(FUZZB)/fuzz/fuzz_*; do \
	  n=$$(basename $$f); mkdir -p $(FUZZB)/corpus/$$n; dict=; \
	  case $$n in fuzz_compiler|fuzz_script_run|fuzz_def_rewriter) dict=-dict=fuzz/script.dict;; \
	    fuzz_game) dict="-dict=fuzz/script.dict -len_control=0";; esac; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$dict -artifact_prefix=$(abspath $(FUZZB))/$$n- \
	    $(abspath $(FUZZB))/corpus/$$n \
	    $$(ls -d fuzz/seeds/$${n#fuzz_} 2>/dev/null) || exit 1; \
	done

clean:
	rm -rf build
