#!/usr/bin/env python3
# agemenu en Python (Javier)
# Menú con una lista enlazada de edades. Leo con sys.stdin.readline
# porque el menú tiene que leer de 15 en 15 caracteres.
import sys

MENU = "A) Añadir al principio B) Mostrar S) Salir "


class Nodo:
    def __init__(self, edad, sig):
        self.edad = edad
        self.sig = sig


def direccion(nodo):
    # en Python no hay punteros: uso id() como dirección
    if nodo is None:
        return "(nil)"
    return hex(id(nodo))


def pedir_edad():
    while True:
        print("(1 <= x <= 120) Deme una edad: ", end="")
        linea = sys.stdin.readline()
        if linea == "":
            sys.exit(1)  # se acabó la entrada
        try:
            edad = int(linea)
        except ValueError:
            continue
        if 1 <= edad <= 120:
            return edad


def mostrar(ppio):
    if ppio is None:
        print("\a\nNo hay nada que mostrar, lista vacía\n")
        return
    print("\n+--------------+-----------------+-------------------+")
    print("| Puntero      | Valor           | Siguiente         |")
    print("+--------------+-----------------+-------------------+")
    p = ppio
    while p is not None:
        print("| p = %8s | p->edad  = %4d | p->sig = %8s |" % (direccion(p), p.edad, direccion(p.sig)))
        p = p.sig
    print("+--------------+-----------------+-------------------+\n")


def main():
    ppio = None
    salir = False
    while not salir:
        print(MENU, end="")
        opcion = sys.stdin.readline(15)
        if opcion == "":
            sys.exit(1)
        letra = opcion[0].upper()
        if letra == "A":
            ppio = Nodo(pedir_edad(), ppio)
        elif letra == "B":
            mostrar(ppio)
        elif letra == "S":
            print("\n\n¿Desea salir del programa (S/N)?...  ", end="")
            respuesta = sys.stdin.readline()
            if respuesta[:1].upper() == "S":
                salir = True
        else:
            print("\n\n***\aOpción incorrecta***\n")
    print("\n\nSe ha ejecutado el procedimiento de parada.\n")
    print("\n\nTerminación normal\n")


main()
