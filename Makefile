# Shortcuts for a machine that has make; setup.sh does the work.
.PHONY: play test build bench deb clean
play:
	bash setup.sh play
test:
	bash setup.sh test
build:
	bash setup.sh build
bench: build
	bench/run.sh build/bench
deb: build
	cd build && cpack
clean:
	rm -rf build build-sanitize build-fuzzer
