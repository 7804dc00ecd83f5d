// The two row statements, finalized at exit in a fixed order.
#include "model/layers/RowStatements.h"

CSQLiteStatement g_LayerQueryStatement;
CSQLiteStatement g_CurrentRowStatement;
CSQLiteStatement* g_pObjectRowStatement = nullptr;

namespace {
// Constructed after both statements and so destroyed before them: the order
// of finalization at exit is then explicit, not a matter of definition order.
struct RowStatementsAtExit {
    ~RowStatementsAtExit()
    {
        g_LayerQueryStatement.Finalize();
        g_CurrentRowStatement.Finalize();
    }
} g_rowStatementsAtExit;
}
