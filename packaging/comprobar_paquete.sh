#!/bin/sh
# Usage: comprobar_paquete.sh <cpack> <build folder>
# Makes the .deb of the build folder in <build folder>/paquete-prueba and checks
# it: lintian reports no error or warning, and the desktop entry and the
# AppStream metadata inside the package pass desktop-file-validate and
# appstreamcli. Exits 77 (skipped) when one of the tools is not installed.
set -eu
cpack=$1
arbol=$2
faltan=""
for orden in dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli; do
  command -v "$orden" >/dev/null || faltan="$faltan $orden"
done
if [ -n "$faltan" ]; then
  echo "Not installed:$faltan (scripts/setup.sh installs them); package not checked."
  exit 77
fi

salida="$arbol/paquete-prueba"
rm -rf "$salida"
"$cpack" -G DEB --config "$arbol/CPackConfig.cmake" -B "$salida"
deb=$(ls "$salida"/*.deb)
lintian --fail-on error,warning "$deb"

dpkg-deb -x "$deb" "$salida/contenido"
informe=$(desktop-file-validate "$salida/contenido/usr/share/applications/org.cartavector.Cartavector.desktop" 2>&1)
if [ -n "$informe" ]; then
  echo "$informe"
  exit 1
fi
appstreamcli validate --strict --no-net \
  "$salida/contenido/usr/share/metainfo/org.cartavector.Cartavector.metainfo.xml"
echo "$deb: lintian, desktop-file-validate and appstreamcli accept it."
