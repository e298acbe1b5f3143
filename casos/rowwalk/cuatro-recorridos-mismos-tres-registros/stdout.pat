{{u:r}}                  Telmar Valdo         Primero  19  1.80
{{u:r+52}}           Barandiel Barandiel         Segundo  17  1.62
{{u:r+104}}                  Telmar Valdo         Tercero  19  1.80

{{u:r}}                  Telmar Valdo         Primero  19  1.80
{{u:r+52}}           Barandiel Barandiel         Segundo  17  1.62
{{u:r+104}}                  Telmar Valdo         Tercero  19  1.80

{{u:r}}                  Telmar Valdo         Primero  19  1.80
{{u:r+52}}           Barandiel Barandiel         Segundo  17  1.62
{{u:r+104}}                  Telmar Valdo         Tercero  19  1.80

{{u:r}}                  Telmar Valdo         Primero  19  1.80
{{u:r+52}}           Barandiel Barandiel         Segundo  17  1.62
{{u:r+104}}                  Telmar Valdo         Tercero  19  1.80

