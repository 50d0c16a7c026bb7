#include "app/MainMenu.h"

#include "app/Menu.h"

int runMainMenu() {
    const MenuText menu{"Hauptmenue: ",
                        {"Eingabe", "Ausgabe", "Arithmetic", "Matrix-Operationen", "Gleichungsloeser",
                         "Datentyp der Matrizen aendern", "Programm beenden"},
                        true};
    int selection = 1;
    return runMenu(menu, selection);
}
