#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fetches the Twemoji drawings that illustrate the letter pictures: the npm
# package @twemoji/svg at a fixed version, checked against its known digest,
# unpacked into the given scratch folder (one <code point>.svg per emoji).
# Only the media generator needs them; nothing is fetched to build or run the
# program. The drawings are Twemoji's, under CC BY 4.0 (see media/README.md).
#
# Usage: fetch_twemoji.sh <scratch folder>   (prints the folder of the SVGs)
set -euo pipefail

[[ $# -eq 1 ]] || { echo "usage: fetch_twemoji.sh <scratch folder>" >&2; exit 2; }
scratch=$1
package=@twemoji/svg@15.0.0
tarball=twemoji-svg-15.0.0.tgz
# The registry's integrity string for that version, so a run can only ever
# draw from the same files.
integrity=sha512-ZSPef2B6nBaYnfgdTbAy4jgW95o7pi2xPGwGCU+WMTxo7J6B1lMPTWwSq/wTuiMq+N0khQ90CcvYp1wFoQpo/w==

for tool in npm tar openssl; do
    command -v "$tool" >/dev/null || { echo "fetch_twemoji.sh: $tool is not installed" >&2; exit 1; }
done
mkdir -p "$scratch"
(cd "$scratch" && npm pack --silent "$package" >/dev/null) ||
    { echo "fetch_twemoji.sh: npm could not fetch $package" >&2; exit 1; }
digest=sha512-$(openssl dgst -sha512 -binary "$scratch/$tarball" | base64 -w0)
[[ $digest == "$integrity" ]] ||
    { echo "fetch_twemoji.sh: $tarball does not match its known digest" >&2; exit 1; }
tar -xzf "$scratch/$tarball" -C "$scratch"
echo "$scratch/package"
