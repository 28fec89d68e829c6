#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Signs a Windows executable in place with Authenticode (osslsigncode):
#   sign.sh CERTIFICATE KEY DESCRIPTION URL FILE
# CERTIFICATE is the signer's certificate chain and KEY its private key,
# both PEM; DESCRIPTION and URL are what Windows shows of the signed
# program. The Windows packaging signs the program, the uninstaller and the
# installer with it when scripts/build-windows is given a certificate.
set -eu
[ $# -eq 5 ] || { echo "usage: sign.sh CERTIFICATE KEY DESCRIPTION URL FILE" >&2; exit 2; }
osslsigncode sign -certs "$1" -key "$2" -h sha256 -n "$3" -i "$4" \
    -in "$5" -out "$5.signed" >/dev/null
mv "$5.signed" "$5"
