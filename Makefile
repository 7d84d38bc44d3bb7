# Shortcuts for the scripts; each one works on its own as well.
.PHONY: run test dist check-exe screenshots

run:
	bash scripts/run.sh

test:
	bash scripts/test.sh

# The portable zip and the installer, in build/dist/.
dist:
	bash scripts/dist.sh

check-exe:
	bash scripts/check-exe.sh

# The README's pictures, taken under Wine.
screenshots:
	bash scripts/screenshots.sh
