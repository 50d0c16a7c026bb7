Through a pipe, standard output is held between reads, never while the program waits: each
screen arrives while standard input is still open, and the end of input ends the program with
status 1.

  $ mkfifo keys screens
  $ "$TAVOLENT" < keys > screens &
  $ exec 3> keys 4< screens
  $ for line in 1 2 3 4 5 6 7 8 9; do read -t 10 -r text <&4 && echo "$text"; done | sed "s/$TAVOLENT_VERSION/VERSION/"
  Tavolent   Version VERSION
  
  Bitte waehlen Sie den Datentyp der Matrixelemente:
  
  Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38
  Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308
  komplexe Zahlen
  Bruchzahl
  Programm beenden
  $ printf '\x1b[B' >&3
  $ read -t 10 -r text <&4 && echo "$text" | sed "s/$TAVOLENT_VERSION/VERSION/"
  Tavolent   Version VERSION
  $ exec 3>&-
  $ wait $!
  [1]
