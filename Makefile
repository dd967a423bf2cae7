# Shortcuts for a machine that has make; setup.sh does the work.
.PHONY: play test build clean
play:
	bash setup.sh play
test:
	bash setup.sh test
build:
	bash setup.sh build
clean:
	rm -rf build
