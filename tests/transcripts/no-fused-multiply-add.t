Every product is rounded before the sum or difference it goes into, so that a result has the
same bits on every processor: the program holds no fused multiply-add instruction, none that
the compiler could have formed on its own either (it does so for the complex product where
AVX-512VL allows, whatever -ffp-contract says). Under wine $TAVOLENT is a script, so the
Windows build skips this.

  $ [ -z "$TAVOLENT_WINE" ] || exit 80
  $ objdump -d --no-show-raw-insn "$TAVOLENT" | grep -c -E '[[:space:]]vf(n)?m(add|sub)'
  0
  [1]
