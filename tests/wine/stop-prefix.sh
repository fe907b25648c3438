#!/usr/bin/env bash
# Ends the test prefix's Wine server, which make-prefix.sh left running for the whole run.
WINEPREFIX=$1 wineserver -k 2>/dev/null || true
