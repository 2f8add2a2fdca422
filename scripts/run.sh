#!/usr/bin/env bash
# Installs what is missing, builds the program and starts the conversion
# wizard on a demonstration installation of the accounting package.
#
# The first run lays the installation out under the user's data folders (the
# XDG folders the program reads) with the project's database tool:
#   <data home>/ledrix-demo/program/AppInfo.ini    application information
#   <config home>/ledrix-registry/                 registry store: the
#                                                  installed product 15.0.1
#   <data home>/norvel/ledrixzaimu/data/qhaccdef.fdb  system database 12.0.0
#                                                  with operator 20 "経理担当"
#   <data home>/norvel/ledrixzaimu/data/0001       corporation, 15.0.0
#   <data home>/norvel/ledrixzaimu/data/0002       medical corporation, 15.0.0
# (both with a year of journal entries and a row in the data list), and
# <data home>/norvel/ledrixzaimu/ini/Varimon.ini naming the output file.
# Later runs find <data home>/ledrix-demo/installed and reuse it all.
# Everything runs on the embedded engine in a Firebird root of its own
# (<data home>/ledrix/firebird); no server is needed.
#
# Environment: BUILD_DIR (default build), BUILD_TYPE for a new build folder
# (default Release), and the XDG variables.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
bash scripts/install-deps.sh

build=${BUILD_DIR:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}"
fi
cmake --build "$build" -j "${BUILD_JOBS:-3}" --target varimon-rendo ledrix-dbtool dbupdate_sql
build=$(cd "$build" && pwd)
program=$build/src/app/program/varimon-rendo
dbtool=$build/src/dbupdate/tool/ledrix-dbtool

data_home=${XDG_DATA_HOME:-$HOME/.local/share}
config_home=${XDG_CONFIG_HOME:-$HOME/.config}
documents=${XDG_DOCUMENTS_DIR:-$HOME/Documents}
demo=$data_home/ledrix-demo
home_dir=$data_home/norvel/ledrixzaimu
data=$home_dir/data
export FIREBIRD=$data_home/ledrix/firebird
export LEDRIX_PROGRAM_DIR=$demo/program
output=$documents/norvel/ledrixzaimu/uchiwake.xml
# The product edition of the installed version, which names the data's
# version in the data list.
edition=15版

# Text files of the installation are CP932.
write_cp932() { iconv -f UTF-8 -t CP932 > "$1"; }

install_demo() {
  # A data folder that an unfinished run of this script left is its own to
  # remove; any other is somebody's data and stays untouched.
  if [ -d "$data" ] && [ ! -f "$demo/installing" ]; then
    echo "run.sh: $data exists but was not made by this script; move it away to install the demonstration" >&2
    exit 1
  fi
  echo "Laying out the demonstration installation under $data_home"
  rm -rf "$data" "$LEDRIX_PROGRAM_DIR"
  mkdir -p "$demo"
  touch "$demo/installing"
  mkdir -p "$LEDRIX_PROGRAM_DIR" "$data" "$home_dir/ini" "$config_home/ledrix-registry"

  write_cp932 "$LEDRIX_PROGRAM_DIR/AppInfo.ini" <<'INI'
[Application]
OEM=Ledrix
Since=2010-2026
RegKey=\SOFTWARE\NORVEL

[Zaimu]
AppName=qhzaimu
AppTitle=Ledrix財務
RegKey=LedrixZaimu
HomeDir=norvel\ledrixzaimu
ShareDir=ledrixzaimu
ServerDir=\ledrixzaimu\data
ServerTempDir=\ledrixzaimu\temp
DataDefFile=qhaccdef.fdb
DataFile=qhacc.fdb
DataBackupFile=qhacc.fbk
DataInitFile=acc%d.gbk
DataIniFile=qhacc.ini
DataListCnt=120

[VOrera]
DataDir=qhzview

[Navigore]
HomeDir=norvel\navigore

[Duzezuza]
DataDir=cb_data
DataBackupFile=qhcashbook.fbk
INI

  # The installer's record of the product: its name, version and the
  # edition name that labels data of that version.
  local hive=$config_home/ledrix-registry/HKEY_LOCAL_MACHINE.ini
  if ! grep -qi '^\[SOFTWARE\\NORVEL\\LedrixZaimu15' "$hive" 2>/dev/null; then
    printf '\r\n[SOFTWARE\\NORVEL\\LedrixZaimu15_0]\r\nProduct=sz:"Ledrix財務"\r\nVersion=sz:"15.0.1"\r\nType=sz:"%s"\r\n' "$edition" |
      iconv -f UTF-8 -t CP932 >> "$hive"
  fi

  local sql=(--sql "$build/sql")
  "$dbtool" system "$data" --to 12.0.0 "${sql[@]}"
  LEDRIX_OPERATOR_PASSWORD=demo "$dbtool" operator "$data" --code 20 --name "経理担当"
  "$dbtool" company "$data/0001" --kind corporation --to 15.0.0 --name "株式会社デモ商事" "${sql[@]}"
  "$dbtool" company "$data/0002" --kind medical --to 15.0.0 --name "医療法人社団デモ会" "${sql[@]}"
  for rec in 1 2; do
    "$dbtool" journal "$data/000$rec" --entries 20
    "$dbtool" register "$data" --data "$data/000$rec" --rec "$rec" --version-text "$edition"
  done

  mkdir -p "$(dirname "$output")"
  printf '[UTIWAKESYO]\r\nEXPORTFILE=%s\r\n' "$output" | write_cp932 "$home_dir/ini/Varimon.ini"
  mv "$demo/installing" "$demo/installed"
}

[ -f "$demo/installed" ] || install_demo
echo "Log on as operator 20 with the password demo; the file is written to $output"
exec "$program" "$@"
