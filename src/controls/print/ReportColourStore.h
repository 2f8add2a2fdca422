#pragma once
// The colours and saved choices of a report per operator, in the system
// database's STYLECOLOR row of the report's style name. A colour equal to
// the operator's environment colour is stored as -1, so that a later change
// of the environment colours reaches the report too.
//
// Failures are shown ("ユーザー別帳票色情報の取得に失敗しました。" or
// "...の更新に失敗しました。") and leave the record as it was; the
// transaction is joined when one runs, else started and ended here.

#include "controls/print/DefaultPrintRec.h"

// Reads the row into the record: every colour other than -1 and the saved
// choices. Nothing for an empty report name.
void ReadReportColours(TDefaultPrintRec& rec);
// Stores the record's colours and saved choices.
void WriteReportColours(const TDefaultPrintRec& rec);
