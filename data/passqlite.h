#pragma once
// The SQLite specialisation of the database layer and its run-time engine binding.
#include "data/LiteDb.h"
#include "data/SqliteBinding.h"
#include "data/passql.h"
