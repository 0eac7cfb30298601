#pragma once
// The generic database layer: connection, results, statement formatting, text conversion.
#include "data/FormatSql.h"
#include "data/ResultSet.h"
#include "data/SqlArg.h"
#include "data/SqlDb.h"
#include "data/Transaction.h"
#include "data/Utf8Text.h"
