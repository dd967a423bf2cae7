# Shortcuts for a machine that has make; setup.sh does the work.
.PHONY: play test build web bench deb dist clean
play:
	bash setup.sh play
test:
	bash setup.sh test
build:
	bash setup.sh build
web:
	bash setup.sh web
bench: build
	bench/run.sh build/bench
deb: build
	cd build && cpack
dist:
	cmake -S . -B build
	cmake --build build --target dist
clean:
	rm -rf build build-sanitize build-fuzzer build-web build-web-cmake
