// A CLI mapping text loaded as the map, then a generated configuration converted through it.
#include "FuzzInput.h"

#include "ini/CliMap.h"
#include "ini/IniDocument.h"
#include "ini/IniToCliConverter.h"

#include <QFile>

namespace
{
const IniDocument *s_configuration = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::isolate(false);
    // The router example, with verbatim blocks so that every kind of element meets the map.
    QFile file(QStringLiteral(BRAMBLEON_SOURCE_DIR "/examples/router-sip-trunk.ini"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    const QString text = QString::fromUtf8(file.readAll())
        + QStringLiteral(
            "\n[verbatim]\nhostname edge-1\n[ \\verbatim ]\n[verbatimpost]\nwrite\n[ \\verbatimpost ]\n");
    s_configuration = new IniDocument(text);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CliMap::instance()->loadText(FuzzInput::text(data, size));
    IniToCliConverter(*s_configuration, QString()).convert();
    return 0;
}
