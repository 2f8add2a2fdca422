#pragma once
// The system's list of Japanese eras, newest first, as the date edits offer
// it when they are given no era table of their own: the program's built-in
// list of eras.

#include "calc/FiscalDates.h"

TGengoArray SystemEraList();
