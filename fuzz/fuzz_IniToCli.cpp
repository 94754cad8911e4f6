// A generated or device INI text converted to a CLI script through the built-in map.
#include "FuzzInput.h"

#include "ini/CliMap.h"
#include "ini/IniDocument.h"
#include "ini/IniToCliConverter.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::isolate(false);
    CliMap::instance()->load(QStringLiteral("7.0"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const IniDocument document(FuzzInput::text(data, size));
    // An empty version keeps the map loaded above.
    IniToCliConverter(document, QString()).convert();
    return 0;
}
