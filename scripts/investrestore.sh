#!/usr/bin/env bash
# Restores the investment database (IBInvest) from backups/invest-latest.db, or from the file given,
# after checking it; the replaced database is kept beside it under a dated name.
# Started by the program's File menu; usable by hand. See dbmaint.sh for the folders and files.
# shellcheck source=scripts/dbmaint.sh
source "$(dirname "${BASH_SOURCE[0]}")/dbmaint.sh"
run_restore IBInvest "$@"
