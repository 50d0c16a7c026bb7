A value typed on a terminal may be longer than a terminal's (or a console's) own line input
takes: a fraction of 5,201 characters, with one more digit typed and taken back, is read whole
and reduced to 1. On Windows this is the console read key by key, under wine on its console.

  $ . "$TESTDIR/helpers.sh"
  $ start_on_terminal
  $ shows 'Programm beenden' && keys Down Down Down Enter Enter Enter
  $ shows 'Anzahl der Zeilen = ' && keys 1 Enter 1 Enter
  $ shows 'Zurueck zum Hauptmenue' && keys Down Down Enter
  $ ones=$(printf '1%.0s' {1..2600})
  $ shows 'Zeile 1 , Spalte 1 = ' && keys -l "$ones/${ones}2" && keys BSpace Enter
  $ keys Down Down Enter Down Down Down Enter Enter
  $ shows 'Druecken Sie eine beliebige Taste' && keys x Up Enter Up Enter
  $ terminal_status
  0
  $ tr -d '\r' < out | grep -A 2 '^Ergebnis'
  Ergebnis: 
  
  1

Ctrl-C while a line is being typed ends the program with status 130:

  $ start_on_terminal
  $ shows 'Programm beenden' && keys Down Down Down Enter Enter Enter
  $ shows 'Anzahl der Zeilen = ' && keys 12 C-c
  $ terminal_status
  130
