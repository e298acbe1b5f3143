#!/bin/bash
# A wrong program for each difference the checker must show readably: its argument says which.
case $1 in
registro-binario)
    # One byte of the record differs, in a file that is no text.
    printf 'Ana\0\0\0\223\001\0\0' > registro.dat
    echo "Registro escrito." ;;
retorno-de-carro)
    printf 'Nombre: '
    read -r nombre
    printf 'Hola, %s\r\nAdiós\n' "$nombre" ;;
linea-larga)
    # A number far into a 3,000-byte line is another: the squares modulo 997, the first 748 off.
    awk 'BEGIN { printf "Valores:"; for (n = 1; n <= 770; ++n) { v = n * n % 997; if (v == 748 && !done) { v = 749; done = 1 } printf " %d", v } print "" }' ;;
archivo-de-windows)
    printf 'uno\r\ndos\r\n' > lista.txt
    echo "Lista escrita." ;;
fuente-latin1)
    # What a source saved in Latin-1 prints.
    printf '\277Cu\341ntos a\361os tiene? 20 a\361os\n' ;;
ordinal-y-grado)
    printf 'El 1\302\260 de la clase midi\303\263 20,5 \302\260C\n' ;;
esac
