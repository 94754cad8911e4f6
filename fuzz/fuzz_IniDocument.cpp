// Device INI text: parse, query every parameter and table cell, write; the written text must read
// back to the same parameters and cells (quoting may differ: it is kept per column). A cell that holds
// both kinds of quote has no written form in this grammar; the rest of its row may differ.
#include "FuzzInput.h"

#include "ini/IniDocument.h"
#include "ini/IniParameter.h"
#include "ini/IniTable.h"

#include <cstdlib>

namespace
{
void check(bool condition, const char *what)
{
    if (!condition) {
        qWarning("written document differs: %s", what);
        abort();
    }
}

template <class Hash> QStringList sortedKeys(const Hash &hash)
{
    QStringList keys = hash.keys();
    keys.sort();
    return keys;
}

void compare(const IniDocument &first, const IniDocument &second)
{
    check(sortedKeys(first.parameters) == sortedKeys(second.parameters), "parameter names");
    for (auto it = first.parameters.constBegin(); it != first.parameters.constEnd(); ++it)
        check(it.value()->text == second.parameters.value(it.key())->text, "parameter value");
    check(sortedKeys(first.tables) == sortedKeys(second.tables), "table names");
    for (auto it = first.tables.constBegin(); it != first.tables.constEnd(); ++it) {
        const IniTable *a = it.value();
        const IniTable *b = second.tables.value(it.key());
        check(a->columns == b->columns, "columns");
        check(a->rowOrder == b->rowOrder, "rows");
        for (int row : a->rowOrder) {
            for (int column = 0; column < a->columns.size(); ++column) {
                const QString cell = a->value(row, column, false);
                if (cell.contains(QLatin1Char('"')) && cell.contains(QLatin1Char('\'')))
                    break;
                check(cell == b->value(row, column, false), "cell");
            }
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::isolate(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const IniDocument document(FuzzInput::text(data, size));
    for (auto it = document.parameters.constBegin(); it != document.parameters.constEnd(); ++it)
        document.parameterValue(it.key());
    for (auto it = document.tables.constBegin(); it != document.tables.constEnd(); ++it) {
        const IniTable *table = it.value();
        for (int row : document.tableRows(it.key())) {
            check(document.hasTableRow(it.key(), row), "row lookup");
            for (int column = -1; column <= table->columns.size(); ++column) {
                table->value(row, column, true);
                document.tableValue(it.key(), row, table->columns.value(column));
            }
        }
    }
    for (int i = 0; document.elementAt(i); ++i) { }

    QStringList written;
    document.write(written);
    compare(document, IniDocument(written.join(QLatin1Char('\n'))));
    return 0;
}
