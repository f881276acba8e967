#!/usr/bin/env bash
# Replaces the loan database (IBLoan) by a blank one; the replaced database is kept beside it
# under a dated name.
# Started by the program's File menu; usable by hand. See dbmaint.sh for the folders and files.
# shellcheck source=scripts/dbmaint.sh
source "$(dirname "${BASH_SOURCE[0]}")/dbmaint.sh"
run_blank IBLoan
