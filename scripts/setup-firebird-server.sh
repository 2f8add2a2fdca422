#!/usr/bin/env bash
# Sets up a Firebird 3 server for the program's client/server mode: the
# database user the program logs in as, its right to create databases (new
# company data), and its mapping to the server's administrator role, which the
# program needs to read the server's list of attached databases (the check
# that a database is in use by someone else).
#
# Run it on the server, as the account that owns the server's files, with the
# server's security database:
#
#     LEDRIX_DB_PASSWORD=... scripts/setup-firebird-server.sh /var/lib/firebird/3.0/system/security3.fdb
#
# Environment:
#   LEDRIX_DB_PASSWORD  the user's password (required); the same text goes
#                       into the program's server settings, case kept
#   LEDRIX_DB_USER      the user's name (default LEDRIX)
#   FIREBIRD            the Firebird root whose configuration the tool uses
#                       (default: the installed one)
#
# The tool opens the security database through its embedded engine as
# SYSDBA; a server in the default Super mode holds that file exclusively, so
# stop it first (SuperClassic servers share it). Running the script again
# sets the password anew and changes nothing else.
#
# The password never appears on a command line: the statements go to a file
# only this account can read, removed when the script ends.
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: LEDRIX_DB_PASSWORD=... $0 SECURITY_DATABASE" >&2
    exit 2
fi
security_db=$1
user=${LEDRIX_DB_USER:-LEDRIX}
password=${LEDRIX_DB_PASSWORD:-}
if [[ -z $password ]]; then
    echo "$0: LEDRIX_DB_PASSWORD is not set" >&2
    exit 2
fi
if [[ ! $user =~ ^[A-Za-z][A-Za-z0-9_]*$ ]]; then
    echo "$0: the user name may hold letters, digits and _ only: $user" >&2
    exit 2
fi
if [[ ! -f $security_db ]]; then
    echo "$0: no security database at $security_db" >&2
    exit 2
fi
isql=$(command -v isql-fb || command -v isql || true)
if [[ -z $isql ]]; then
    echo "$0: isql-fb is not installed (firebird3.0-utils)" >&2
    exit 2
fi

umask 077
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
quoted=${password//\'/\'\'}
cat >"$work/setup.sql" <<SQL
CREATE OR ALTER USER $user PASSWORD '$quoted' USING PLUGIN Srp;
GRANT CREATE DATABASE TO USER $user;
CREATE OR ALTER GLOBAL MAPPING ${user}_ADMIN USING PLUGIN SRP FROM USER $user TO ROLE RDB\$ADMIN;
COMMIT;
SQL
ISC_USER=SYSDBA "$isql" -q -b -i "$work/setup.sql" "$security_db"
echo "$user can log in to the server, create databases and list attachments."
