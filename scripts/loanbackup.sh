#!/usr/bin/env bash
# Backs up the loan database (IBLoan) online into the data folder's backups/ folder.
# Started by the program's File menu; usable by hand. See dbmaint.sh for the folders and files.
# shellcheck source=scripts/dbmaint.sh
source "$(dirname "${BASH_SOURCE[0]}")/dbmaint.sh"
run_backup IBLoan
