// A file offered as a generated INI file (batch input, params file, Load File): its metadata block
// read back into answers.
#include "FuzzInput.h"

#include "data/MetadataReader.h"

#include <QHash>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::isolate(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QHash<QString, QString> values;
    const MetadataReader::Status status = MetadataReader::read(FuzzInput::scratchFile(data, size), values);
    // A refused file leaves no answers behind.
    if (status != MetadataReader::Accepted && !values.isEmpty())
        abort();
    MetadataReader::message(status);
    return 0;
}
