# SPDX-License-Identifier: GPL-3.0-or-later
# Lays a fresh copy of a fuzzer's seeds in the build tree, for a timed run to
# grow, and makes the folder where libFuzzer leaves the inputs that fail.
# Run as: cmake -DSEMI=<seeds> -DCORPUS=<copy> -DREPERTI=<failures> -P copiacorpus.cmake

file(REMOVE_RECURSE "${CORPUS}")
file(MAKE_DIRECTORY "${CORPUS}" "${REPERTI}")
file(GLOB semi "${SEMI}/*")
file(COPY ${semi} DESTINATION "${CORPUS}")
