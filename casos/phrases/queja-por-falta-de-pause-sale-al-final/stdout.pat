
Frases comunes en ProgramaciÛn
==============================

Hola, Mundo
Selva tenÌa una ovejita
{{*}}pause{{*}}
