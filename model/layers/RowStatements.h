// The two process-wide row statements of the layer code. Both start empty and
// are finalized at process exit, g_LayerQueryStatement first.
#pragma once

#include "core/SQLiteStatement.h"

// The query of a layer's drawing or selection loop while one runs; objects of
// the current row borrow their geometry from it.
extern CSQLiteStatement g_LayerQueryStatement;
// The row of one object read outside such a loop.
extern CSQLiteStatement g_CurrentRowStatement;
// While a layer builds one object from a row of its own kept statement (read
// by id outside a loop), that statement; null otherwise. The object's
// geometry comes from that row as it would from g_CurrentRowStatement.
extern CSQLiteStatement* g_pObjectRowStatement;
